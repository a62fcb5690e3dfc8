#pragma once
// Shared pieces of the framework's tests: the Qt application, the fixture resources and small panes.

#include "platform/framework/LBroadcaster.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace FrameworkTest
{

inline void EnsureApplication()
{
	if (!QCoreApplication::instance()) {
		static int argc = 1;
		static char name[] = "test_framework";
		static char* argv[] = {name, nullptr};
		new QApplication(argc, argv);
	}
}

// Loads a resource file of the fixtures (a path under tests/fixtures/); a file that fails fails the test.
inline void LoadFixtureFile(const std::string& inPath)
{
	std::string error;
	if (!ResourceStore::Get().LoadFile(std::string(VANTOREL_FIXTURES) + "/" + inPath, &error))
		ADD_FAILURE() << error;
}

// The text a pane shows.
inline std::string Descriptor(const LPane* inPane)
{
	Str255 text;
	inPane->GetDescriptor(text);
	return PascalStrings::ToString(text);
}

// The pane of that id in the view, as a T; a missing pane fails the test.
template <class T> T* FindPane(LView* inView, const char (&inID)[5])
{
	auto* pane = dynamic_cast<T*>(inView->FindPaneByID(PaneIDT(FOUR_CHAR_CODE(inID))));
	EXPECT_NE(pane, nullptr) << inID;
	return pane;
}

// A pane's description: inside inSuper (may be null), at a place in its local coordinates.
inline SPaneInfo PaneInfo(LView* inSuper, PaneIDT inID, SInt32 inLeft, SInt32 inTop, SInt16 inWidth,
                          SInt16 inHeight)
{
	SPaneInfo info;
	info.paneID = inID;
	info.left = inLeft;
	info.top = inTop;
	info.width = inWidth;
	info.height = inHeight;
	info.superView = inSuper;
	return info;
}

// A press and release of the mouse at inAt of the widget, as the window system delivers a click.
inline void ClickAt(QWidget* inWidget, QPointF inAt)
{
	ASSERT_NE(inWidget, nullptr);
	QMouseEvent press(QEvent::MouseButtonPress, inAt, inWidget->mapToGlobal(inAt), Qt::LeftButton,
	                  Qt::LeftButton, Qt::NoModifier);
	QCoreApplication::sendEvent(inWidget, &press);
	QMouseEvent release(QEvent::MouseButtonRelease, inAt, inWidget->mapToGlobal(inAt), Qt::LeftButton,
	                    Qt::NoButton, Qt::NoModifier);
	QCoreApplication::sendEvent(inWidget, &release);
}

// Order in which things happened, shared by the recorders of a test.
inline std::vector<std::string>& Log()
{
	static std::vector<std::string> log;
	return log;
}

// A pane that records its drawing and clicks.
class TPane : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tPan") };
	explicit TPane(LStream* inStream) : LPane(inStream) {}
	explicit TPane(const SPaneInfo& inInfo) : LPane(inInfo) {}
	int mDraws = 0;
	int mClicks = 0;
	SMouseDownEvent mLastClick;
	Boolean mFinished = false;

protected:
	void FinishCreateSelf() override
	{
		mFinished = true;
		Log().push_back("finish pane");
	}
	void DrawSelf() override
	{
		++mDraws;
		Rect frame;
		CalcLocalFrameRect(frame);
		const RGBColor blue{0, 0, 0xFFFF};
		RGBForeColor(&blue);
		PaintRect(&frame);
	}
	void ClickSelf(const SMouseDownEvent& inMouseDown) override
	{
		++mClicks;
		mLastClick = inMouseDown;
	}
};

class TView : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tVew") };
	explicit TView(LStream* inStream) : LView(inStream) {}

protected:
	void FinishCreateSelf() override { Log().push_back("finish view"); }
};

// A pane that broadcasts its value message when clicked, as the controls do.
class TButton : public LPane, public LBroadcaster
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tBut") };
	explicit TButton(LStream* inStream) : LPane(inStream) { *inStream >> mValueMessage; }
	MessageT GetValueMessage() const { return mValueMessage; }
	void Press() { BroadcastMessage(mValueMessage, this); }

protected:
	void ClickSelf(const SMouseDownEvent&) override { Press(); }

private:
	MessageT mValueMessage = 0;
};

// A window that records its finishing, keys and commands.
class TWindow : public LWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("wind") };
	explicit TWindow(LStream* inStream) : LWindow(inStream) {}
	std::vector<CommandT> mCommands;
	std::function<Boolean(const EventRecord&)> mOnKey;
	std::function<Boolean(CommandT)> mOnCommand;

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override
	{
		if (mOnKey)
			return mOnKey(inKeyEvent);
		return LWindow::HandleKeyPress(inKeyEvent);
	}
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		mCommands.push_back(inCommand);
		if (mOnCommand && mOnCommand(inCommand))
			return true;
		return LWindow::ObeyCommand(inCommand, ioParam);
	}

protected:
	void FinishCreateSelf() override { Log().push_back("finish window"); }
};

// Loads the fixture resources and registers the test classes.
inline void LoadFixtures()
{
	EnsureApplication();
	static bool loaded = false;
	if (loaded)
		return;
	LoadFixtureFile("resources/framework.res");
	RegisterClass_(TPane);
	RegisterClass_(TView);
	RegisterClass_(TButton);
	RegisterClass_(TWindow);
	loaded = true;
}

} // namespace FrameworkTest
