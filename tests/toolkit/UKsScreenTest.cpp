#include "toolkit/UKsScreen.h"

#include "model/UScreenTest.h"
#include "platform/toolbox/Debugging.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "toolkit/UKsServices.h"

#include <QScreen>
#include <deque>
#include <gtest/gtest.h>

namespace
{

// A device list of our own making, main screen first.
class Devices
{
public:
	GDHandle Add(const Rect& inRect, bool inActive, bool inScreen = true)
	{
		GDevice& device = mDevices.emplace_back();
		device.gdRect = inRect;
		device.master = &device;
		device.gdFlags =
		    SInt16((inScreen ? 1 << screenDevice : 0) | (inActive ? 1 << screenActive : 0) |
		           (mDevices.size() == 1 ? 1 << mainScreen : 0));
		if (mDevices.size() > 1)
			mDevices[mDevices.size() - 2].next = &device;
		return &device.master;
	}
	GDHandle List() { return mDevices.empty() ? nullptr : &mDevices.front().master; }

private:
	std::deque<GDevice> mDevices;
};

TEST(UKsScreenTest, OnlyTheTopLineOfAWindowDecidesWhetherItIsOnAnActiveScreen)
{
	Devices devices;
	devices.Add(Rect{0, 0, 768, 1024}, true);
	devices.Add(Rect{0, 1024, 768, 2048}, true);
	devices.Add(Rect{768, 0, 1536, 1024}, false);     // below the main screen, switched off
	devices.Add(Rect{-768, 0, 0, 1024}, true, false); // above it, not a screen
	const struct {
		Rect rect;
		bool onScreen;
	} rows[] = {
	    {{10, 100, 300, 400}, true},
	    {{-10, 100, 300, 400}, false}, // 10 pixels above every screen, though most of it is on one
	    {{0, 100, 300, 400}, true},
	    {{767, 100, 900, 400}, true},
	    {{768, 100, 900, 400}, false}, // only on the inactive device
	    {{5, 2000, 300, 2300}, true},  // on the second screen, reaching past its edge
	    {{5, 2048, 300, 2300}, false},
	    {{5, -50, 300, 10}, true},
	    {{-300, 100, -100, 400}, false}, // on the device that is no screen
	    {{10, 400, 300, 400}, false},    // no width
	};
	for (const auto& row : rows)
		EXPECT_EQ(UKsScreen::IsOnScreen(&row.rect, devices.List()), row.onScreen)
		    << row.rect.top << "," << row.rect.left << "," << row.rect.bottom << ","
		    << row.rect.right;
	const Rect any{10, 100, 300, 400};
	EXPECT_FALSE(UKsScreen::IsOnScreen(&any, nullptr));
}

TEST(UKsScreenTest, ForcingOnScreenKeepsTheSizeAndGoesNearTheMainScreensCorner)
{
	Devices devices;
	Rect r{-500, -500, -300, -200};
	UKsScreen::ForceOnScreen(&r, devices.Add(Rect{0, 0, 768, 1024}, true));
	EXPECT_EQ(r.top, 100);
	EXPECT_EQ(r.left, 100);
	EXPECT_EQ(r.bottom, 300);
	EXPECT_EQ(r.right, 400);

	Devices shifted;
	Rect s{2000, 3000, 2050, 3120};
	UKsScreen::ForceOnScreen(&s, shifted.Add(Rect{-200, 1280, 824, 2560}, true));
	EXPECT_EQ(s.top, -100);
	EXPECT_EQ(s.left, 1380);
	EXPECT_EQ(s.bottom, -50);
	EXPECT_EQ(s.right, 1500);

	Rect t{-500, -500, -300, -200};
	UKsScreen::ForceOnScreen(&t, nullptr); // no main screen
	EXPECT_EQ(t.top, 100);
	EXPECT_EQ(t.left, 100);
	EXPECT_EQ(t.bottom, 300);
	EXPECT_EQ(t.right, 400);
}

TEST(UKsScreenTest, NullRectanglesAreReportedAndLeftAlone)
{
	const long signalsBefore = Debugging::SignalCount();
	EXPECT_FALSE(UKsScreen::IsOnScreen(nullptr, nullptr));
	UKsScreen::ForceOnScreen(nullptr, nullptr);
	EXPECT_EQ(Debugging::SignalCount(), signalsBefore + 2);
}

TEST(UKsScreenTest, TheMachinesMainScreenAnswersAndServesTheModel)
{
	FrameworkTest::EnsureApplication();
	QScreen* primary = QGuiApplication::primaryScreen();
	ASSERT_NE(primary, nullptr);
	const QRect g = primary->geometry();
	EXPECT_EQ(UKsScreen::ScreenWidth(), g.left() + g.width());
	EXPECT_EQ(UKsScreen::ScreenHeight(), g.top() + g.height());
	EXPECT_EQ(UKsScreen::ScreenBitDepth(), primary->depth() <= 16 ? 16 : 32);
	Rect screen{};
	UKsScreen::ScreenRect(&screen);
	EXPECT_EQ(screen.right, UKsScreen::ScreenWidth());

	Rect inside{SInt16(g.top() + 20), SInt16(g.left() + 20), SInt16(g.top() + 120),
	            SInt16(g.left() + 220)};
	Rect above = inside;
	above.top = SInt16(g.top() - 10);
	above.bottom = SInt16(g.top() + 200);
	EXPECT_TRUE(UKsScreen::IsOnScreen(&inside));
	EXPECT_FALSE(UKsScreen::IsOnScreen(&above));
	UKsServices::Install();
	EXPECT_TRUE(UScreenTest::IsOnScreen(inside));
	EXPECT_FALSE(UScreenTest::IsOnScreen(above));
	UKsScreen::ForceOnScreen(&above);
	EXPECT_EQ(above.top, g.top() + 100);
	EXPECT_TRUE(UKsScreen::IsOnScreen(&above));
}
} // namespace
