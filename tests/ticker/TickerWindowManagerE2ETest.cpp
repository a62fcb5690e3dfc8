// Ticker windows under a real window manager (openbox) on a display of the test's own: anchored ones stay
// unframed where the ticker put them and still follow the program's moves, a floating one stays above, a
// free one is an ordinary window.

#include "tests/ticker/TickerTestSupport.h"
#include "tests/support/VirtualDisplay.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace
{

std::string Shell(const std::string& inCommand)
{
	std::string out;
	if (FILE* pipe = popen((inCommand + " 2>/dev/null").c_str(), "r")) {
		char buffer[512];
		while (size_t n = fread(buffer, 1, sizeof(buffer), pipe))
			out.append(buffer, n);
		pclose(pipe);
	}
	return out;
}

// The value xprop shows for a property of the window with that title.
std::string Property(const std::string& inTitle, const char* inProperty)
{
	return Shell("xprop -name '" + inTitle + "' " + inProperty);
}

// Where the window with that title is on the screen, as "left,top", or empty while it is not shown.
std::string ShownAt(const std::string& inTitle)
{
	const std::string info = Shell("xwininfo -name '" + inTitle + "'");
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

bool Await(const std::function<bool()>& inDone)
{
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
	while (!inDone()) {
		if (std::chrono::steady_clock::now() > end)
			return false;
		LWindow::AfterDispatch();
		QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
	}
	return true;
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
		StartVirtualDisplay("1024x768x24");
		mManager = fork();
		if (mManager == 0) {
			prctl(PR_SET_PDEATHSIG, SIGTERM);
			execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
			_exit(127);
		}
		Await([] {
			return Shell("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
			       std::string::npos;
		});
	}
	static void TearDownTestSuite()
	{
		if (mManager > 0) {
			kill(mManager, SIGTERM);
			waitpid(mManager, nullptr, 0);
		}
	}
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
	static inline pid_t mManager = -1;
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
	ASSERT_NE(Shell("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id"), std::string::npos)
	    << "openbox did not start";

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
		ASSERT_TRUE(Await([&] {
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

	// A command-drag moves the window through the program: the manager lets a docked ticker go there too.
	edge.GetWindow()->MoveWindowTo(150, 420);
	EXPECT_TRUE(Await([] { return ShownAt("Edge Ticker") == "150,420"; })) << ShownAt("Edge Ticker");

	edge.Close();
	floating.Close();
	loose.Close();
}

} // namespace
