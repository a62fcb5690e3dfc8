#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"

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
