#pragma once
// Inside of LWindow (included by .cpp files of the stand-in only): the top-level widget, with the menu bar
// for standard windows and the content widget that shows the backing image and takes input.

#include "platform/toolbox/MacTypes.h"

#include <QImage>
#include <QMenuBar>
#include <QRegion>
#include <QWidget>
#include <vector>

class LMenu;
class LMenuBar;
class LWindow;
class QtContentWidget;

class QtWindowWidget : public QWidget
{
public:
	QtWindowWidget(LWindow* inOwner, Qt::WindowFlags inFlags, bool inWithMenuBar);
	~QtWindowWidget() override;

	// The window goes: the widget stops calling it and is deleted when Qt is done with it (it may be
	// inside one of its own event handlers now).
	void Detach();

	QImage& Image() { return mImage; }
	QWidget* Content() const;
	LWindow* Owner() const { return mOwner; }
	int MenuBarHeight() const;          // as laid out now
	static int StandardMenuBarHeight(); // of a bar of one row

	// Content area geometry in global coordinates.
	void PlaceContent(const Rect& inGlobalBounds);
	void ResizeImage(int inWidth, int inHeight);

	QRegion mInvalid; // port coordinates, waiting to be drawn
	QRegion mDrawn;   // port coordinates, drawn since the widget last showed them
	// The port's pixels in inArea moved by (inDh, inDv): what the widget shows is moved alike (by the
	// display, a copy less) and what they left is shown again.
	void NoteScrolled(const QRect& inArea, int inDh, int inDv);
	// Shows what was scrolled and drawn since the last time.
	void ShowChanges();
	// Scrolls not shown yet are shown as drawings (the widget is painting now).
	void DropScrolls();
	bool mPlacing = false; // geometry changes made by the framework, not the user
	void SyncMenuBar();
	bool ShowsMenuBar() const { return mMenuBar && isVisible(); }

protected:
	void closeEvent(QCloseEvent* event) override;
	void changeEvent(QEvent* event) override;
	void moveEvent(QMoveEvent* event) override;
	void resizeEvent(QResizeEvent* event) override;

private:
	int WantedBarHeight() const;
	void LayOut();
	void FillMenuBar(LMenuBar* inBar);

	struct Scroll {
		QRect area;
		int dh, dv;
	};

	LWindow* mOwner;
	QImage mImage;
	std::vector<Scroll> mScrolls; // in the order made
	QMenuBar* mMenuBar = nullptr;
	QtContentWidget* mContent = nullptr;
	int mBarHeight = 0;
	UInt32 mMenuSeed = 0;
	const void* mMenuBarModel = nullptr;
};
