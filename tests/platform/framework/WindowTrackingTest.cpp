#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <array>
#include <gtest/gtest.h>

using namespace FrameworkTest;

namespace
{

const unsigned char kTitle[] = "\x06Ticker";

// A frameless window that moves on a command-click and grows from its bottom-right corner, as tickers do.
class TTrackWindow : public LWindow
{
public:
	explicit TTrackWindow(const SPaneInfo& inInfo)
	    : LWindow(inInfo, kTitle, windAttr_Regular | windAttr_NoMenuBar | windAttr_Resizable, nullptr)
	{
	}
	int mBoundsSet = 0;

	void ClickInContent(const EventRecord& inMacEvent) override
	{
		Point local = inMacEvent.where;
		GlobalToPortPoint(local);
		if (inMacEvent.modifiers & cmdKey)
			ClickInDrag(inMacEvent);
		else if (local.h > mFrameSize.width - 15 && local.v > mFrameSize.height - 15)
			ClickInGrow(inMacEvent);
		else
			LWindow::ClickInContent(inMacEvent);
	}
	void DoSetBounds(const Rect& inBounds) override
	{
		++mBoundsSet;
		LWindow::DoSetBounds(inBounds);
	}
};

class WindowTrackingTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		MouseState::Reset();
		mWindow = new TTrackWindow(PaneInfo(nullptr, 0, 100, 100, 200, 48));
		mWindow->Show();
		QCoreApplication::processEvents();
		mContent = QtPaneWidget::ContentOf(mWindow);
		ASSERT_NE(mContent, nullptr);
	}
	void TearDown() override { delete mWindow; }

	QPointF Local(QPoint inGlobal) const { return QPointF(mContent->mapFromGlobal(inGlobal)); }

	// Sends a mouse event when the queue gets to it.
	void Queue(QEvent::Type inType, QPoint inGlobal, Qt::MouseButton inButton, Qt::MouseButtons inButtons,
	           Qt::KeyboardModifiers inModifiers)
	{
		QMetaObject::invokeMethod(
		    mContent,
		    [=, this] {
			    QMouseEvent event(inType, Local(inGlobal), QPointF(inGlobal), inButton, inButtons,
			                      inModifiers);
			    QCoreApplication::sendEvent(mContent, &event);
		    },
		    Qt::QueuedConnection);
	}

	// A press at inFrom, the mouse through inPath, released at its end: the moves and the release wait in
	// the queue, as they would while the press is being handled.
	void Drag(QPoint inFrom, const std::vector<QPoint>& inPath, Qt::KeyboardModifiers inModifiers = {})
	{
		for (QPoint p : inPath)
			Queue(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, inModifiers);
		Queue(QEvent::MouseButtonRelease, inPath.empty() ? inFrom : inPath.back(), Qt::LeftButton,
		      Qt::NoButton, inModifiers);
		QMouseEvent press(QEvent::MouseButtonPress, Local(inFrom), QPointF(inFrom), Qt::LeftButton,
		                  Qt::LeftButton, inModifiers);
		QCoreApplication::sendEvent(mContent, &press);
		QCoreApplication::processEvents();
		EXPECT_FALSE(Button());
	}

	Rect Bounds() const
	{
		Rect bounds;
		mWindow->GetGlobalBounds(bounds);
		return bounds;
	}
	// Top, left, bottom, right.
	std::array<int, 4> Edges() const
	{
		const Rect b = Bounds();
		return {b.top, b.left, b.bottom, b.right};
	}

	TTrackWindow* mWindow = nullptr;
	QWidget* mContent = nullptr;
};

TEST_F(WindowTrackingTest, CommandDragMovesTheWindowWithTheMouse)
{
	Drag(QPoint(110, 110), {QPoint(120, 115), QPoint(140, 130)}, Qt::ControlModifier);
	EXPECT_EQ(Edges(), (std::array<int, 4>{120, 130, 168, 330}));
	EXPECT_EQ(mContent->mapToGlobal(QPoint(0, 0)), QPoint(130, 120));
	EXPECT_EQ(mContent->size(), QSize(200, 48));
	EXPECT_EQ(mWindow->mBoundsSet, 0); // a move is no resize

	// The mouse stays on the screen: a drag far off it stops at the edge.
	const QRect screen = mContent->screen()->geometry();
	Drag(QPoint(140, 130), {QPoint(140, screen.bottom() + 500)}, Qt::ControlModifier);
	EXPECT_EQ(Bounds().top, 120 + screen.bottom() - 130);
}

TEST_F(WindowTrackingTest, GrowBoxResizesWithinTheWindowsLimits)
{
	mWindow->SetMinMaxSize(Rect{48, 80, 48, 400}); // only the width may change
	const QPoint corner(100 + 195, 100 + 43);
	Drag(corner, {corner + QPoint(30, 10), corner + QPoint(60, 30)});
	EXPECT_EQ(Edges(), (std::array<int, 4>{100, 100, 148, 360}));
	SDimension16 size;
	mWindow->GetFrameSize(size);
	EXPECT_EQ(size.width, 260);
	EXPECT_EQ(size.height, 48);
	EXPECT_GT(mWindow->mBoundsSet, 0); // the window hears of every new size
	EXPECT_EQ(mContent->size(), QSize(260, 48));

	const QPoint newCorner(100 + 255, 100 + 43);
	Drag(newCorner, {newCorner + QPoint(-400, 0)});
	EXPECT_EQ(Bounds().right - Bounds().left, 80);
	Drag(newCorner, {newCorner + QPoint(900, 0)});
	EXPECT_EQ(Bounds().right - Bounds().left, 400);
}

// Wherever the user goes, that window's chain takes the keys, so that Ctrl+W closes it: typing into a window
// whose manager kept the focus there while a window under it (as a ledger is under its portfolio) was
// selected, typing into one of its controls, and a click on the content, on a control or on the title bar
// (the manager activates the window) of a window that a palette took the keys from.
TEST_F(WindowTrackingTest, TheWindowTheUserGoesToTakesTheKeys)
{
	LMenuBar bar(128);
	LCommander top(nullptr);
	std::vector<std::string> closed;
	const auto make = [&](LCommander* inSuper, std::string inName) {
		auto* window = dynamic_cast<TWindow*>(LWindow::CreateWindow(1000, inSuper));
		EXPECT_NE(window, nullptr);
		window->mOnCommand = [&closed, inName](CommandT inCommand) {
			if (inCommand == cmd_Close)
				closed.push_back(inName);
			return inCommand == cmd_Close;
		};
		window->Show();
		return window;
	};
	const auto control = [](LView* inWindow) {
		auto* native = new QtPaneWidget(new TPane(PaneInfo(inWindow, 0, 0, 0, 100, 20)), new QWidget);
		native->Sync(Rect{0, 0, 20, 100});
		return std::unique_ptr<QtPaneWidget>(native);
	};
	const auto ctrlW = [&closed](QWidget* inWidget) {
		QKeyEvent key(QEvent::KeyPress, Qt::Key_W, Qt::ControlModifier, QStringLiteral("\x17"));
		QCoreApplication::sendEvent(inWidget, &key);
		return closed.empty() ? std::string() : closed.back();
	};
	const auto settle = [] {
		for (int pass = 0; pass < 5; ++pass)
			QCoreApplication::processEvents();
	};
	TWindow* outer = make(&top, "outer");
	TWindow* inner = make(outer, "inner");
	QWidget* outerContent = QtPaneWidget::ContentOf(outer);
	const std::unique_ptr<QtPaneWidget> outerControl = control(outer);
	const std::unique_ptr<QtPaneWidget> innerControl = control(inner);
	settle();
	ASSERT_EQ(LCommander::GetTarget(), inner);

	EXPECT_EQ(ctrlW(outerContent), "outer");
	EXPECT_EQ(LCommander::GetTarget(), outer);
	EXPECT_EQ(LWindow::FetchTopRegular(), outer);
	outer->Select();
	EXPECT_EQ(ctrlW(innerControl->Widget()), "inner");
	EXPECT_EQ(LWindow::FetchTopRegular(), inner);

	LWindow palette(PaneInfo(nullptr, 0, 500, 100, 120, 80), kTitle,
	                windAttr_Floating | windAttr_TitleBar | windAttr_Targetable, &top);
	palette.Show();
	const auto paletteTakesTheKeys = [&] {
		outer->Select();
		palette.Select();
		settle();
		ASSERT_EQ(LCommander::GetTarget(), &palette);
		ASSERT_TRUE(outer->IsActive());
	};
	for (QWidget* clicked : {outerContent, outerControl->Widget()}) {
		paletteTakesTheKeys();
		ClickAt(clicked, QPointF(4, 4));
		EXPECT_EQ(LCommander::GetTarget(), outer);
	}
	paletteTakesTheKeys();
	ASSERT_NE(QApplication::activeWindow(), outerContent->window());
	outerContent->window()->activateWindow();
	settle();
	EXPECT_EQ(LCommander::GetTarget(), outer);
	EXPECT_EQ(ctrlW(outerContent), "outer");
	EXPECT_EQ(closed, (std::vector<std::string>{"outer", "inner", "outer"}));
}

TEST_F(WindowTrackingTest, ClicksCountByTheDoubleClickTimeOnEveryWidget)
{
	StTestClock clock;
	TPane pane(PaneInfo(mWindow, 0, 0, 0, 100, 48));
	QtPaneWidget native(&pane, new QWidget);
	native.Sync(Rect{0, 0, 48, 100});
	QWidget* widget = native.Widget();
	ASSERT_TRUE(widget->isVisible());

	const auto click = [&](QWidget* inWidget, QEvent::Type inType, QPoint inGlobal) {
		const QPointF local(inWidget->mapFromGlobal(inGlobal));
		QMouseEvent press(inType, local, QPointF(inGlobal), Qt::LeftButton, Qt::LeftButton,
		                  Qt::NoModifier);
		QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(inGlobal), Qt::LeftButton,
		                    Qt::NoButton, Qt::NoModifier);
		QCoreApplication::sendEvent(inWidget, &press);
		QCoreApplication::sendEvent(inWidget, &release);
		return pane.mLastClick.clickCount;
	};
	const QPoint at(110, 110);
	EXPECT_EQ(click(mContent, QEvent::MouseButtonPress, at), 1);
	clock.Advance(30);
	EXPECT_EQ(click(widget, QEvent::MouseButtonPress, at), 2); // the same count, whichever widget
	clock.Advance(30);
	EXPECT_EQ(click(widget, QEvent::MouseButtonPress, at + QPoint(4, 4)), 3);
	// Qt's own double click means nothing: 31 ticks are too long.
	clock.Advance(31);
	EXPECT_EQ(click(widget, QEvent::MouseButtonDblClick, at), 1);
	clock.Advance(2);
	EXPECT_EQ(click(mContent, QEvent::MouseButtonPress, at + QPoint(5, 0)), 1); // too far
	pane.PutInside(nullptr);
}

} // namespace
