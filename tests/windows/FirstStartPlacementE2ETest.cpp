// The program's first start on screens of four sizes, each a display of its own (Xvfb) with a window
// manager (openbox) that frames windows and keeps them out of the docked ticker's strip: every window lies
// wholly inside the work area, the detail windows do not cover each other or the summary, and windows
// opened later without a place of their own step clear of the corner of those already there; a menu of more
// stocks than the screen holds stays on it; a first start that never quits is shown again by the next. Each
// size runs in a child process, since Qt stays on the display it first met.

#include "app/TStockPlugin.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StDialogHandler.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/ChildProcesses.h"
#include "tests/support/VirtualDisplay.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>

namespace
{

constexpr char kChildScreen[] = "VANTOREL_PLACEMENT_SCREEN";

// The work area the manager leaves to ordinary windows (its _NET_WORKAREA on the first desktop).
QRect WorkArea()
{
	const std::string out = ShellOutput("xprop -root _NET_WORKAREA");
	int x = 0, y = 0, w = 0, h = 0;
	const size_t at = out.find(" = ");
	if (at == std::string::npos ||
	    std::sscanf(out.c_str() + at, " = %d, %d, %d, %d", &x, &y, &w, &h) != 4)
		return {};
	return QRect(x, y, w, h);
}

QWidget* TopLevel(const std::string& inTitle)
{
	for (QWidget* w : QApplication::topLevelWidgets())
		if (w->isVisible() && w->windowTitle().toStdString() == inTitle)
			return w;
	return nullptr;
}

bool Framed(const QWidget* inWidget)
{
	return inWidget->windowHandle() && !inWidget->windowHandle()->frameMargins().isNull();
}

// The program's window of that title.
LWindow* Named(const std::string& inTitle)
{
	for (LWindow* w : LWindow::GetWindowList()) {
		Str255 title;
		w->GetDescriptor(title);
		if (std::string(reinterpret_cast<const char*>(title + 1), title[0]) == inTitle)
			return w;
	}
	return nullptr;
}

QRect ContentOf(LWindow* inWindow)
{
	if (inWindow == nullptr)
		return {};
	Rect b;
	inWindow->GetGlobalBounds(b);
	return QRect(b.left, b.top, b.right - b.left, b.bottom - b.top);
}

class FirstStartPlacementE2ETest : public QuoteServingFixture,
                                   public ::testing::WithParamInterface<const char*>
{
protected:
	void SetUp() override
	{
		mScreen = std::getenv(kChildScreen) ? std::getenv(kChildScreen) : "";
		if (mScreen.empty())
			return; // the parent only runs the child
		ASSERT_FALSE(StartVirtualDisplay((mScreen + "x24").c_str()).empty()) << "Xvfb did not start";
		// A manager that gave up (a busy machine) is started again.
		for (int attempt = 0; attempt < 3 && mManager == 0; ++attempt)
			mManager = StartWindowManager(10);
		QuoteServingFixture::SetUp();
		mServing = true;
		UWindowRegistry::Install();
	}
	// Only what SetUp reached: it may have ended early (no display, no process for the manager).
	void TearDown() override
	{
		if (std::exchange(mServing, false))
			QuoteServingFixture::TearDown();
		ChildProcesses::Stop(std::exchange(mManager, 0), SIGTERM);
	}

	// Runs this test again in a child process on a screen of that size; true when the child passed.
	// In the parent run (no screen given), runs this test in a child process on a virtual screen of that
	// size, or skips it without Xvfb or openbox, and answers true: the test then ends there.
	bool RanInChild(const char* inScreen)
	{
		if (!mScreen.empty())
			return false;
		if (std::system("command -v Xvfb >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1") != 0)
			[] { GTEST_SKIP() << "Xvfb or openbox is not installed"; }();
		else
			EXPECT_TRUE(RunInChild(inScreen)) << inScreen;
		return true;
	}

	static bool RunInChild(const char* inScreen)
	{
		const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
		const std::string self = std::filesystem::read_symlink("/proc/self/exe");
		const std::string command = std::string(kChildScreen) + "=" + inScreen + " " + self +
		                            " --gtest_brief=1 --gtest_filter='" + test->test_suite_name() +
		                            "." + test->name() + "'";
		return std::system(command.c_str()) == 0;
	}

	// Every window the program shows, once the manager has framed it.
	static std::vector<QWidget*> FramedWindows()
	{
		std::vector<QWidget*> windows;
		for (QWidget* w : QApplication::topLevelWidgets())
			if (w->isVisible() && !w->windowTitle().isEmpty() &&
			    w->windowTitle() != "Main Ticker")
				windows.push_back(w);
		return windows;
	}

	static void ExpectInside(const QRect& inArea)
	{
		for (QWidget* w : FramedWindows())
			EXPECT_TRUE(inArea.contains(w->frameGeometry()))
			    << w->windowTitle().toStdString() << " at " << w->frameGeometry().x() << ","
			    << w->frameGeometry().y() << " " << w->frameGeometry().width() << "x"
			    << w->frameGeometry().height();
	}

	std::string mScreen;
	pid_t mManager = 0;
	bool mServing = false;
};

TEST_P(FirstStartPlacementE2ETest, FirstStartWindowsLieInsideTheWorkAreaWithoutCoveringEachOther)
{
	if (RanInChild(GetParam()))
		return;
	ASSERT_NE(mManager, 0) << "openbox did not start";
	auto app = Start();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	std::vector<TSecurity*> open, closed;
	for (tSecurityType kind : {securityStock, securityIndex})
		for (TSecurity* security : Securities(kind))
			(security->IsDetailWindowOpen() ? open : closed).push_back(security);
	ASSERT_FALSE(open.empty());
	ASSERT_FALSE(closed.empty()); // some of the grid's windows did not fit and stay listed, closed

	// The ticker's strip is out of the work area, and every window is framed.
	ASSERT_TRUE(AwaitOnDisplay([] { return WorkArea().top() > 0; })) << "the ticker reserved no strip";
	ASSERT_TRUE(AwaitOnDisplay([] {
		const auto windows = FramedWindows();
		return std::all_of(windows.begin(), windows.end(), Framed);
	}));
	const QRect area = WorkArea();
	ExpectInside(area);

	// The first window keeps its place in the grid, right of the summary when that is open; no two
	// windows cover each other.
	IPluginWindow* summaryWindow = plugin->GetWindow(windowSummary);
	auto* summary = summaryWindow ? dynamic_cast<LWindow*>(summaryWindow->GetCommander()) : nullptr;
	ASSERT_NE(Named("AAPL"), nullptr);
	EXPECT_EQ(ContentOf(Named("AAPL")).topLeft(), QPoint(summary ? 553 : 5, 80));
	std::vector<QWidget*> windows = FramedWindows();
	for (size_t i = 0; i < windows.size(); ++i)
		for (size_t j = i + 1; j < windows.size(); ++j)
			EXPECT_FALSE(windows[i]->frameGeometry().intersects(windows[j]->frameGeometry()))
			    << windows[i]->windowTitle().toStdString() << " and "
			    << windows[j]->windowTitle().toStdString();
	if (mScreen == "1280x800") {
		EXPECT_NE(summary, nullptr); // made shorter to fit, but open and whole
	}

	// Windows without a place of their own: two detail windows from the menus, two new portfolios, a list
	// window and its lookup window.
	const int titleBar = windows.front()->windowHandle()->frameMargins().top();
	ASSERT_GE(closed.size(), 2u);
	closed[0]->ShowDetailWindow();
	const QRect first = ContentOf(LWindow::FetchTopRegular());
	closed[1]->ShowDetailWindow();
	const QRect second = ContentOf(LWindow::FetchTopRegular());
	EXPECT_EQ(second.topLeft() - first.topLeft(), QPoint(titleBar, titleBar))
	    << closed[0]->SecuritySymbol() << " at " << first.x() << "," << first.y() << ", "
	    << closed[1]->SecuritySymbol() << " at " << second.x() << "," << second.y();
	StDialogHandler::QueueAnswer(2000);
	TPortfolio* one = TPortfolio::New(app.get());
	StDialogHandler::QueueAnswer(2000);
	TPortfolio* two = TPortfolio::New(app.get());
	ASSERT_TRUE(one && two);
	EXPECT_EQ(ContentOf(two->GetWindow()).topLeft() - ContentOf(one->GetWindow()).topLeft(),
	          QPoint(titleBar, titleBar));
	// The stock list and its lookup window, whose layouts share a corner.
	app->ObeyCommand(5115, nullptr);
	ASSERT_NE(Named("Stocks"), nullptr);
	ASSERT_NE(Named("Stock Lookup"), nullptr);
	EXPECT_EQ(ContentOf(Named("Stock Lookup")).topLeft() - ContentOf(Named("Stocks")).topLeft(),
	          QPoint(titleBar, titleBar));
	ASSERT_TRUE(AwaitOnDisplay([] {
		const auto shown = FramedWindows();
		return std::all_of(shown.begin(), shown.end(), Framed);
	}));
	ExpectInside(WorkArea());

	// A dialog carries no menu bar; the windows behind it keep theirs.
	const std::vector<LWindow*> before = LWindow::GetWindowList();
	app->ObeyCommand(5112, nullptr);
	LWindow* dialog = nullptr;
	for (LWindow* w : LWindow::GetWindowList())
		if (std::find(before.begin(), before.end(), w) == before.end())
			dialog = w;
	ASSERT_NE(dialog, nullptr) << "New Stock opened no dialog";
	Str255 title;
	dialog->GetDescriptor(title);
	QWidget* shown = TopLevel(std::string(reinterpret_cast<const char*>(title + 1), title[0]));
	ASSERT_NE(shown, nullptr);
	EXPECT_EQ(shown->findChild<QMenuBar*>(), nullptr);
	ASSERT_NE(TopLevel("AAPL"), nullptr);
	EXPECT_NE(TopLevel("AAPL")->findChild<QMenuBar*>(), nullptr);
	dialog->AttemptClose();
	// Nothing to save at quit.
	one->ClearModified();
	two->ClearModified();
	app->AttemptQuitSelf(0);
}

// The Stocks menu with 2,000 stocks, opened from the menu bar, stays on the screen and scrolls: End goes
// to the last stock and Return opens its detail window.
TEST_F(FirstStartPlacementE2ETest, AMenuOfTwoThousandStocksStaysOnTheScreenAndEndReachesItsLastStock)
{
	if (RanInChild("1280x800"))
		return;
	auto app = Start();
	TList<TSecurity>* stocks = TStockPlugin::sStockPlugin->GetList(securityStock);
	for (int i = 1; i <= 2000; ++i) {
		auto* stock = new TStock();
		const std::string number = std::to_string(i);
		UZVUtils::DefaultStock(stock, ("Stock " + number).c_str(), ("S" + number).c_str(), 100);
		stocks->Append(stock);
	}
	TStockPlugin::sStockPlugin->RebuildAllMenus();
	QWidget* window = TopLevel("AAPL");
	ASSERT_NE(window, nullptr);
	QMenuBar* bar = window->findChild<QMenuBar*>();
	ASSERT_NE(bar, nullptr);
	QAction* title = nullptr;
	ASSERT_TRUE(AwaitOnDisplay([&] {
		for (QAction* action : bar->actions())
			if (action->text() == "Stocks")
				title = action;
		return title != nullptr;
	}));

	const QPoint at = bar->actionGeometry(title).center();
	QMouseEvent click(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
	                  Qt::NoModifier);
	QCoreApplication::sendEvent(bar, &click);
	QMenu* menu = title->menu();
	ASSERT_TRUE(AwaitOnDisplay([&] { return menu->isVisible(); }));
	const QRect screen(0, 0, 1280, 800);
	EXPECT_TRUE(screen.contains(menu->geometry()))
	    << menu->geometry().x() << "," << menu->geometry().y() << " " << menu->geometry().width() << "x"
	    << menu->geometry().height();
	QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
	QCoreApplication::sendEvent(menu, &end);
	QAction* last = menu->actions().back();
	EXPECT_EQ(menu->activeAction(), last);
	EXPECT_TRUE(menu->rect().contains(menu->actionGeometry(last)));
	QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
	QCoreApplication::sendEvent(menu, &enter);
	EXPECT_TRUE(AwaitOnDisplay([&] { return stocks->GetLast()->IsDetailWindowOpen(); }));
	app->AttemptQuitSelf(0);
}

// The first start ends without its quit (a crash, a kill, a power cut): the next start shows the ticker and
// the windows it showed.
TEST_F(FirstStartPlacementE2ETest, TheStartAfterAFirstStartThatNeverQuitShowsWhatTheFirstShowed)
{
	if (RanInChild("1280x1024"))
		return;
	auto shown = [] {
		std::set<std::string> titles;
		for (LWindow* w : LWindow::GetWindowList()) {
			Str255 title;
			w->GetDescriptor(title);
			if (w->IsVisible())
				titles.insert(
				    std::string(reinterpret_cast<const char*>(title + 1), title[0]));
		}
		return titles;
	};
	auto ticklets = [](kestrunApp& inApp) {
		TZvTicker* pane = inApp.GetMainTicker()->GetTickerPane();
		return pane ? pane->GetTicklets().Count() : -1;
	};
	auto app = Start();
	const std::set<std::string> first = shown();
	ASSERT_TRUE(first.count("Main Ticker") && first.count("Summary") && first.count("AAPL"));
	const long shownTicklets = ticklets(*app);
	ASSERT_GT(shownTicklets, 0);
	// Ended without its quit: the settings folder as the start left it.
	std::map<std::filesystem::path, std::string> files;
	for (const auto& entry : std::filesystem::directory_iterator(PrefsFolder()))
		files[entry.path()] = ReadText(entry.path());
	app.reset();
	std::filesystem::remove_all(PrefsFolder());
	std::filesystem::create_directory(PrefsFolder());
	for (const auto& [path, bytes] : files)
		WriteText(path, bytes);

	app = Start();
	EXPECT_EQ(shown(), first);
	EXPECT_EQ(ticklets(*app), shownTicklets);
	app->AttemptQuitSelf(0);
}

INSTANTIATE_TEST_SUITE_P(Screens, FirstStartPlacementE2ETest,
                         ::testing::Values("1024x768", "1280x800", "1280x1024", "1920x1080"),
                         [](const ::testing::TestParamInfo<const char*>& inInfo) {
	                         return std::string("Screen") + inInfo.param;
                         });

} // namespace
