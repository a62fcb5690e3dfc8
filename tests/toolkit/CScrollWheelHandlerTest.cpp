#include "toolkit/CScrollWheelHandler.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LWindow.h"
#include "tests/toolkit/ToolkitTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

constexpr PaneIDT kTable = FOUR_CHAR_CODE("tabl");

class ScrollWheelTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ToolkitTest::LoadResources();
		ToolkitTest::LoadFixtures();
		mApp = std::make_unique<LApplication>();
		mBack.reset(Open());
		mFront.reset(Open());
		ASSERT_TRUE(mFront && mBack);
		ASSERT_TRUE(mFront->IsFrontWindow());
	}
	void TearDown() override
	{
		mFront.reset();
		mBack.reset();
		mApp.reset();
	}

	static LWindow* Open()
	{
		LWindow* window = LWindow::CreateWindow(31010, nullptr);
		if (!window)
			return nullptr;
		auto* table = dynamic_cast<LView*>(window->FindPaneByID(kTable));
		table->ResizeImageTo(185, 1600, false);
		table->SetScrollUnit(SPoint32{4, 16});
		window->Show();
		window->Select();
		return window;
	}

	// The global location of a point inside a pane of the window.
	static Point Over(LWindow* inWindow, PaneIDT inPaneID)
	{
		Rect frame;
		inWindow->FindPaneByID(inPaneID)->CalcPortFrameRect(frame);
		Point where{SInt16(frame.top + 5), SInt16(frame.left + 5)};
		inWindow->PortToGlobalPoint(where);
		return where;
	}

	static SInt32 TableTop(LWindow* inWindow)
	{
		SPoint32 position;
		dynamic_cast<LView*>(inWindow->FindPaneByID(kTable))->GetScrollPosition(position);
		return position.v;
	}

	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LWindow> mBack;
	std::unique_ptr<LWindow> mFront;
};

TEST_F(ScrollWheelTest, WheelOverATableScrollsItsScrollerByUnitsAgainstTheDelta)
{
	{
		CScrollWheelHandler handler(false, 1);
		// Two steps towards the user: two units down; then one back; then pinned at the top.
		EXPECT_TRUE(
		    LApplication::DispatchWheel(mFront.get(), true, -2, Over(mFront.get(), kTable), 0));
		EXPECT_EQ(TableTop(mFront.get()), 32);
		EXPECT_TRUE(
		    LApplication::DispatchWheel(mFront.get(), true, 1, Over(mFront.get(), kTable), 0));
		EXPECT_EQ(TableTop(mFront.get()), 16);
		EXPECT_TRUE(
		    LApplication::DispatchWheel(mFront.get(), true, 5, Over(mFront.get(), kTable), 0));
		EXPECT_EQ(TableTop(mFront.get()), 0);
		// Without a window, the one under the mouse.
		EXPECT_EQ(handler.HandleScroll(nullptr, true, -1, Over(mFront.get(), kTable), 0), noErr);
		EXPECT_EQ(TableTop(mFront.get()), 16);
	}
	CScrollWheelHandler handler(false, 3);
	EXPECT_TRUE(LApplication::DispatchWheel(mFront.get(), true, -2, Over(mFront.get(), kTable), 0));
	EXPECT_EQ(TableTop(mFront.get()), 16 + 96);
	// The image is no wider than the frame: a horizontal wheel moves nothing but is handled.
	EXPECT_TRUE(LApplication::DispatchWheel(mFront.get(), false, -1, Over(mFront.get(), kTable), 0));
	EXPECT_EQ(TableTop(mFront.get()), 16 + 96);
}

TEST_F(ScrollWheelTest, PanesOutsideAnyScrollingViewAreNotHandled)
{
	CScrollWheelHandler handler(false, 1);
	EXPECT_EQ(handler.HandleScroll(mFront.get(), true, -1, Over(mFront.get(), FOUR_CHAR_CODE("side")), 0),
	          CScrollWheelHandler::kEventNotHandled);
	// A scroller without a scrolling view is passed over, and nothing above it scrolls.
	EXPECT_FALSE(LApplication::DispatchWheel(mFront.get(), true, -1,
	                                         Over(mFront.get(), FOUR_CHAR_CODE("innr")), 0));
	EXPECT_EQ(TableTop(mFront.get()), 0);
}

TEST_F(ScrollWheelTest, BackgroundWindowsScrollOnlyWhenAllowed)
{
	{
		// As the application builds it: no background scrolling, one unit per step.
		CScrollWheelHandler handler(0, true);
		EXPECT_FALSE(
		    LApplication::DispatchWheel(mBack.get(), true, -1, Over(mBack.get(), kTable), 0));
		EXPECT_EQ(TableTop(mBack.get()), 0);
		EXPECT_TRUE(
		    LApplication::DispatchWheel(mFront.get(), true, -1, Over(mFront.get(), kTable), 0));
		EXPECT_EQ(TableTop(mFront.get()), 16);
	}
	{
		CScrollWheelHandler handler(true, 1);
		EXPECT_TRUE(LApplication::DispatchWheel(mBack.get(), true, -1, Over(mBack.get(), kTable), 0));
		EXPECT_EQ(TableTop(mBack.get()), 16);
	}
	// Gone with the handler.
	EXPECT_FALSE(LApplication::DispatchWheel(mFront.get(), true, -1, Over(mFront.get(), kTable), 0));
}

} // namespace
