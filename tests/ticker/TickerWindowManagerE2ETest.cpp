// Ticker windows under a real window manager (openbox) on a display of the test's own: anchored ones stay
// unframed where the ticker put them, keep other windows out of their strip of the screen and still follow
// the program's moves, a floating one stays above, a free one is an ordinary window.

#include "tests/support/ChildProcesses.h"
#include "tests/support/VirtualDisplay.h"
#include "tests/ticker/TickerTestSupport.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace
{

// The value xprop shows for a property of the window with that title.
std::string Property(const std::string& inTitle, const char* inProperty)
{
	return ShellOutput("xprop -name '" + inTitle + "' " + inProperty);
}

// The values xprop lists for a property of the window with that title (the root window for an empty title),
// or empty where the property is not set.
std::string Values(const std::string& inTitle, const char* inProperty)
{
	const std::string out = inTitle.empty() ? ShellOutput(std::string("xprop -root ") + inProperty)
	                                        : Property(inTitle, inProperty);
	const size_t at = out.find(" = ");
	return at == std::string::npos ? std::string() : out.substr(at + 3, out.find('\n') - at - 3);
}

// The work area the manager leaves to other windows on the first desktop: "left, top, width, height".
std::string WorkArea()
{
	const std::string all = Values("", "_NET_WORKAREA");
	size_t end = 0;
	for (int i = 0; i < 4 && end != std::string::npos; ++i)
		end = all.find(',', end + 1);
	return all.substr(0, end);
}

// Where the window with that title is on the screen, as "left,top", or empty while it is not shown.
std::string ShownAt(const std::string& inTitle)
{
	const std::string info = ShellOutput("xwininfo -name '" + inTitle + "'");
	if (info.find("IsViewable") == std::string::npos)
		return {};
	int left = 0, top = 0;
	const size_t x = info.find("Absolute upper-left X:");
	const size_t y = info.find("Absolute upper-left Y:");
	if (x == std::string::npos || y == std::string::npos ||
	    std::sscanf(info.c_str() + x, "Absolute upper-left X: %d", &left) != 1 ||
	    std::sscanf(info.c_str() + y, "Absolute upper-left Y: %d", &top) != 1)
		return {};
	return std::to_string(left) + "," + std::to_string(top);
}

std::string TopLeft(const TTicker& inTicker)
{
	Rect bounds{};
	inTicker.GetWindow()->GetGlobalBounds(bounds);
	return std::to_string(bounds.left) + "," + std::to_string(bounds.top);
}

class TickerWindowManagerE2ETest : public ::testing::Test
{
protected:
	static void SetUpTestSuite()
	{
		mHasXvfb = std::system("command -v Xvfb >/dev/null 2>&1") == 0;
		// Another test's application already holds a display: the test runs in a process of its own,
		// where the manager is up before Qt connects, as on a desktop (openbox started under a
		// running program here missed its windows' map requests).
		mRunInChild = QCoreApplication::instance() != nullptr;
		if (!mHasXvfb || mRunInChild)
			return;
		// On a busy machine a server or its manager now and then fails to come up: start afresh.
		for (int attempt = 0; attempt < 3; ++attempt) {
			if (StartVirtualDisplay("1024x768x24").empty())
				continue;
			if ((mManager = StartWindowManager()) != 0)
				return;
		}
	}
	static void TearDownTestSuite() { ChildProcesses::Stop(std::exchange(mManager, 0), SIGTERM); }
	void SetUp() override
	{
		if (!mHasXvfb)
			GTEST_SKIP() << "Xvfb is not installed";
		if (mRunInChild)
			return;
		TickerTest::LoadTickerWindows();
	}
	void TearDown() override { TTicker::Placers().Clear(); }

	static inline bool mHasXvfb = false;
	static inline bool mRunInChild = false;
	static inline pid_t mManager = 0;
};

TEST_F(TickerWindowManagerE2ETest, AnchoredTickersStayUnframedAtTheirEdgeAndFloatingOnesAbove)
{
	if (mRunInChild) {
		const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
		const std::string self = std::filesystem::read_symlink("/proc/self/exe");
		ASSERT_EQ(std::system((self + " --gtest_brief=1 --gtest_filter=" + test->test_suite_name() +
		                       "." + test->name())
		                          .c_str()),
		          0);
		return;
	}
	ASSERT_EQ(QGuiApplication::platformName().toStdString(), "xcb");
	ASSERT_NE(mManager, 0) << "openbox did not start";

	TTicker edge, floating, loose;
	edge.SetTitle("Edge Ticker");
	floating.SetTitle("Floating Ticker");
	floating.GetPrefs().floating = 1;
	loose.SetTitle("Free Ticker");
	loose.TickerAnchor(kTickerAnchorFree);
	loose.GetPrefs().top = 300;
	loose.GetPrefs().left = 200;
	loose.GetPrefs().width = 400;
	edge.Open(true);
	floating.Open(true);
	loose.Open(true);
	ASSERT_TRUE(edge.IsWindowOpen() && floating.IsWindowOpen() && loose.IsWindowOpen());
	const Rect screen = TTicker::MainScreenRect();
	ASSERT_EQ(TopLeft(edge), "1," + std::to_string(screen.top + 1));
	EXPECT_EQ(TopLeft(floating),
	          "1," + std::to_string(screen.top + 1 + 28 + 1)); // stacked under the first

	for (const TTicker* ticker : {&edge, &floating, &loose}) {
		const std::string title = ticker->GetTitle();
		ASSERT_TRUE(AwaitOnDisplay([&] {
			return Property(title, "WM_STATE").find("Normal") != std::string::npos;
		})) << title
		    << " was not managed";
		// The manager neither moved nor framed it.
		EXPECT_EQ(ShownAt(title), TopLeft(*ticker)) << title;
		EXPECT_NE(Property(title, "_NET_FRAME_EXTENTS").find("= 0, 0, 0, 0"), std::string::npos)
		    << title;
	}
	EXPECT_NE(Property("Edge Ticker", "_NET_WM_WINDOW_TYPE").find("_NET_WM_WINDOW_TYPE_DOCK"),
	          std::string::npos);
	EXPECT_NE(Property("Floating Ticker", "_NET_WM_WINDOW_TYPE").find("_NET_WM_WINDOW_TYPE_DOCK"),
	          std::string::npos);
	EXPECT_NE(Property("Floating Ticker", "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE"),
	          std::string::npos);
	const std::string freeType = Property("Free Ticker", "_NET_WM_WINDOW_TYPE");
	EXPECT_NE(freeType.find("_NET_WM_WINDOW_TYPE_NORMAL"), std::string::npos) << freeType;
	EXPECT_EQ(freeType.find("_NET_WM_WINDOW_TYPE_DOCK"), std::string::npos) << freeType;

	// Anchored tickers keep other windows out of the strip from their edge to their far side; the
	// work area left to them starts under the lower of the two stacked at the top.
	EXPECT_EQ(Values("Edge Ticker", "_NET_WM_STRUT_PARTIAL"), "0, 0, 29, 0, 0, 0, 0, 0, 1, 1024, 0, 0");
	EXPECT_EQ(Values("Edge Ticker", "_NET_WM_STRUT"), "0, 0, 29, 0");
	EXPECT_EQ(Values("Floating Ticker", "_NET_WM_STRUT_PARTIAL"),
	          "0, 0, 58, 0, 0, 0, 0, 0, 1, 1024, 0, 0");
	EXPECT_EQ(Values("Free Ticker", "_NET_WM_STRUT_PARTIAL"), "");
	EXPECT_EQ(Values("Free Ticker", "_NET_WM_STRUT"), "");
	EXPECT_TRUE(AwaitOnDisplay([] { return WorkArea() == "0, 58, 1024, 710"; })) << WorkArea();

	// Zoomed, the strip follows the new width.
	edge.GetWindow()->DoSetZoom(true);
	EXPECT_EQ(Values("Edge Ticker", "_NET_WM_STRUT_PARTIAL"), "0, 0, 29, 0, 0, 0, 0, 0, 10, 1013, 0, 0");

	// Closed, its strip goes back; reopened at the bottom edge, it holds the bottom strip instead.
	floating.Close();
	EXPECT_TRUE(AwaitOnDisplay([] { return WorkArea() == "0, 29, 1024, 739"; })) << WorkArea();
	floating.TickerAnchor(kTickerAnchorBottomFull);
	floating.Open(true);
	ASSERT_EQ(TopLeft(floating), "1,740");
	EXPECT_TRUE(AwaitOnDisplay([] { return WorkArea() == "0, 29, 1024, 711"; })) << WorkArea();
	EXPECT_EQ(Values("Floating Ticker", "_NET_WM_STRUT_PARTIAL"),
	          "0, 0, 0, 28, 0, 0, 0, 0, 0, 0, 1, 1024");
	EXPECT_EQ(Values("Floating Ticker", "_NET_WM_STRUT"), "0, 0, 0, 28");

	// A command-drag frees the ticker: its strip goes back, and the manager lets the docked window go
	// wherever the program moves it.
	EventRecord click{};
	click.what = mouseDown;
	click.modifiers = cmdKey;
	click.where = Point{10, 40};
	edge.GetWindow()->ClickInContent(click);
	edge.GetWindow()->MoveWindowTo(150, 420);
	EXPECT_TRUE(AwaitOnDisplay([] { return ShownAt("Edge Ticker") == "150,420"; }))
	    << ShownAt("Edge Ticker");
	EXPECT_EQ(Values("Edge Ticker", "_NET_WM_STRUT_PARTIAL"), "");
	EXPECT_TRUE(AwaitOnDisplay([] { return WorkArea() == "0, 0, 1024, 740"; })) << WorkArea();

	edge.Close();
	floating.Close();
	loose.Close();
	EXPECT_TRUE(AwaitOnDisplay([] { return WorkArea() == "0, 0, 1024, 768"; })) << WorkArea();
}

} // namespace
