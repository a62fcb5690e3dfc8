#include "FrameworkTestSupport.h"
#include "platform/framework/LListener.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

// A view that fills its frame red, drawing in its own coordinates.
class TRedView : public LView
{
public:
	explicit TRedView(const SPaneInfo& inInfo) : LView(inInfo) {}
	std::vector<std::string> mStates;

protected:
	void DrawSelf() override
	{
		Rect frame;
		CalcLocalFrameRect(frame);
		const RGBColor red{0xFFFF, 0, 0};
		RGBForeColor(&red);
		PaintRect(&frame);
	}
	void ShowSelf() override { mStates.push_back("show"); }
	void HideSelf() override { mStates.push_back("hide"); }
	void EnableSelf() override { mStates.push_back("enable"); }
	void DisableSelf() override { mStates.push_back("disable"); }
};

using FrameworkTest::PaneInfo;

class ViewTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mWindow.reset(LWindow::CreateWindow(1000, nullptr));
		mBody = dynamic_cast<LView*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("body")));
		ASSERT_NE(mBody, nullptr);
	}
	QRgb Pixel(int h, int v) const { return mWindow->GetMacPort()->image->pixel(h, v); }

	std::unique_ptr<LWindow> mWindow;
	LView* mBody = nullptr;
};

TEST_F(ViewTest, ViewDrawsInItsOwnCoordinatesAndIsClippedByItsSuperView)
{
	// 'body' is at 10,20 in the port, 280 x 170; the red view hangs over its right edge.
	auto* red = new TRedView(PaneInfo(mBody, PaneIDT(FOUR_CHAR_CODE("red ")), 250, 100, 60, 20));
	Rect local;
	red->CalcLocalFrameRect(local);
	EXPECT_EQ(local.left, 0);
	EXPECT_EQ(local.top, 0);
	mWindow->Show();
	mWindow->UpdatePort();
	EXPECT_EQ(Pixel(260, 120), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(289, 139), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(291, 125), qRgb(255, 255, 255)); // beyond 'body': clipped
	EXPECT_EQ(Pixel(259, 125), qRgb(255, 255, 255));
}

TEST_F(ViewTest, ScrollingMovesTheImageAndItsPanesWithinPins)
{
	auto* red = new TRedView(PaneInfo(mBody, PaneIDT(FOUR_CHAR_CODE("red ")), 0, 0, 100, 100));
	auto* inner = new TPane(PaneInfo(red, PaneIDT(FOUR_CHAR_CODE("innr")), 10, 10, 5, 5));
	red->ResizeImageTo(100, 400, false);
	EXPECT_TRUE(red->ScrollPinnedImageBy(0, 50, false));
	SPoint32 position;
	red->GetScrollPosition(position);
	EXPECT_EQ(position.v, 50);
	Rect port;
	inner->CalcPortFrameRect(port);
	EXPECT_EQ(port.top, 20 + 10 - 50);
	// Past the end of the image the scroll stops there.
	EXPECT_TRUE(red->ScrollPinnedImageBy(0, 1000, false));
	red->GetScrollPosition(position);
	EXPECT_EQ(position.v, 300);
	EXPECT_FALSE(red->ScrollPinnedImageBy(0, 10, false));
	EXPECT_FALSE(red->ScrollPinnedImageBy(-5, 0, false));
	// A point in the port is in the image's coordinates for the view.
	Point p{20, 10}; // v, h
	red->PortToLocalPoint(p);
	EXPECT_EQ(p.v, 20 - 20 + 300);
	EXPECT_EQ(p.h, 0);
}

TEST_F(ViewTest, StateChangesReachSubPanesOnlyWhenTheyTakeEffect)
{
	auto* outer = new TRedView(PaneInfo(mBody, PaneIDT(FOUR_CHAR_CODE("outr")), 0, 0, 50, 50));
	auto* inner = new TRedView(PaneInfo(outer, PaneIDT(FOUR_CHAR_CODE("innr")), 0, 0, 10, 10));
	mWindow->Show();
	outer->mStates.clear();
	inner->mStates.clear();
	inner->Hide();
	outer->Hide();
	inner->Show(); // its super is hidden: no effect yet
	EXPECT_FALSE(inner->IsVisible());
	outer->Show();
	EXPECT_TRUE(inner->IsVisible());
	EXPECT_EQ(inner->mStates, (std::vector<std::string>{"hide", "show"}));
	EXPECT_EQ(outer->mStates, (std::vector<std::string>{"hide", "show"}));
	outer->Disable();
	EXPECT_FALSE(inner->IsEnabled());
	EXPECT_EQ(inner->mStates.back(), "disable");
}

TEST_F(ViewTest, TextTraitsSetThePortsTextState)
{
	SetPort(mWindow->GetMacPort());
	EXPECT_EQ(UTextTraits::SetPortTextTraits(130), -1);
	EXPECT_EQ(GetPortTextSize(mWindow->GetMacPort()), 10);
	EXPECT_EQ(GetPortTextFace(mWindow->GetMacPort()), bold);
	RGBColor color;
	GetForeColor(&color);
	EXPECT_EQ(color.blue, 0xFFFF);
	EXPECT_EQ(UTextTraits::SetPortTextTraits(0), 0);
	EXPECT_EQ(GetPortTextSize(mWindow->GetMacPort()), 0);
	SetPort(nullptr);
}

TEST_F(ViewTest, BroadcasterDestroyedByItsListenerEndsTheBroadcast)
{
	class TKiller : public LListener
	{
	public:
		LBroadcaster* mVictim = nullptr;
		int mHeard = 0;
		void ListenToMessage(MessageT, void*) override
		{
			++mHeard;
			delete mVictim;
			mVictim = nullptr;
		}
	} first, second;
	auto* b = new LBroadcaster;
	first.mVictim = b;
	b->AddListener(&first);
	b->AddListener(&second);
	b->BroadcastMessage(1);
	EXPECT_EQ(first.mHeard, 1);
	EXPECT_EQ(second.mHeard, 0);
	EXPECT_FALSE(second.HasBroadcaster(b));
}

} // namespace
