#pragma once
// Inside of the controls (included by .cpp files of the stand-in only): the native widget of a pane, placed
// on the pane's frame in its window's content widget. Clicks on it go the framework's way (a mouse-down to
// the window, which finds the pane); keys typed into it go to the target's chain.

#include "platform/toolbox/MacTypes.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class LPane;
class LWindow;

class QtPaneWidget : public QObject
{
public:
	// inPassesMouse: the widget also handles the mouse itself (edit fields place their caret).
	QtPaneWidget(LPane* inPane, QWidget* inWidget, bool inPassesMouse = false);
	~QtPaneWidget() override; // deletes the widget

	QWidget* Widget() const { return mWidget; }
	template <class W> W* As() const { return static_cast<W*>(mWidget.data()); }

	// Puts the widget at inPortRect of the pane's window, shown where the pane is visible and revealed by
	// its views, enabled as the pane is.
	void Sync(const Rect& inPortRect);

	// A key typed into the widget that this returns true for stays with the widget.
	std::function<bool(const EventRecord&)> mKeepKey;

	static QWidget* ContentOf(const LWindow* inWindow);

protected:
	bool eventFilter(QObject* inWatched, QEvent* inEvent) override;

private:
	void Apply(bool inShown, QWidget* inContent, const QRect& inFrame, const Rect& inMask);

	LPane* mPane;
	QPointer<QWidget> mWidget;
	bool mPassesMouse;
	// What Sync last gave the widget.
	bool mApplied = false;
	bool mShown = false;
	bool mEnabled = false;
	QWidget* mParent = nullptr;
};
