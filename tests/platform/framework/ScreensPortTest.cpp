#include "platform/toolbox/gui/LaunchURL.h"
#include "platform/toolbox/gui/Screens.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <QScreen>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using FrameworkTest::EnsureApplication;

TEST(ScreensTest, TheMainDeviceIsThePrimaryScreenAndHeadsTheList)
{
	EnsureApplication();
	QScreen* primary = QGuiApplication::primaryScreen();
	ASSERT_NE(primary, nullptr);
	GDHandle main = GetMainDevice();
	ASSERT_NE(main, nullptr);
	EXPECT_EQ(GetDeviceList(), main);
	const QRect geometry = primary->geometry();
	EXPECT_EQ((**main).gdRect.left, geometry.left());
	EXPECT_EQ((**main).gdRect.top, geometry.top());
	EXPECT_EQ((**main).gdRect.right, geometry.left() + geometry.width());
	EXPECT_EQ((**main).gdRect.bottom, geometry.top() + geometry.height());
	EXPECT_EQ((**(**main).gdPMap).pixelSize, primary->depth() <= 16 ? 16 : 32);
	EXPECT_TRUE(TestDeviceAttribute(main, mainScreen));
	EXPECT_TRUE(TestDeviceAttribute(main, screenDevice));
	EXPECT_TRUE(TestDeviceAttribute(main, screenActive));

	int count = 0;
	for (GDHandle device = GetDeviceList(); device; device = GetNextDevice(device)) {
		++count;
		EXPECT_EQ(TestDeviceAttribute(device, mainScreen), device == main);
	}
	EXPECT_EQ(count, QGuiApplication::screens().size());
	// Asking again hands out the same handle.
	EXPECT_EQ(GetMainDevice(), main);
}

class LaunchURLTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		mPrevious = SetURLOpener([this](const std::string& url) {
			mOpened.push_back(url);
			return true;
		});
	}
	void TearDown() override { SetURLOpener(mPrevious); }

	URLOpener mPrevious;
	std::vector<std::string> mOpened;
};

TEST_F(LaunchURLTest, AWellFormedAddressIsOpenedAsGiven)
{
	LaunchURL("http://quotes.example.com/q?s=ABC&d=1");
	LaunchURL("https://example.org/path%20with%20space");
	ASSERT_EQ(mOpened.size(), 2u);
	EXPECT_EQ(mOpened[0], "http://quotes.example.com/q?s=ABC&d=1");
	EXPECT_EQ(mOpened[1], "https://example.org/path%20with%20space");
}

TEST_F(LaunchURLTest, MalformedAddressesOpenNothing)
{
	LaunchURL(nullptr);
	LaunchURL("");
	LaunchURL("http://exa mple.com/");
	LaunchURL("no scheme here");
	LaunchURL("http://example.com/caf\x8E");
	EXPECT_TRUE(mOpened.empty());
}
} // namespace
