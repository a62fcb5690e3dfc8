// Windows and menus on an X display of the test's own, with no window manager: what the X server shows is
// what the framework placed.

#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/VirtualDisplay.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRect>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QRect& inRect, std::ostream* os)
{
	*os << inRect.width() << "x" << inRect.height() << "+" << inRect.x() << "+" << inRect.y();
}

using namespace FrameworkTest;

namespace
{

QWidget* TopLevel(const QString& inTitle)
{
	for (QWidget* w : QApplication::topLevelWidgets())
		if (w->isVisible() && w->windowTitle() == inTitle)
			return w;
	return nullptr;
}

QWidget* ContentOf(QWidget* inTop)
{
	for (QWidget* child : inTop->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
		if (!qobject_cast<QMenuBar*>(child))
			return child;
	return nullptr;
}

// The window's geometry as the X server has it.
QRect XGeometry(const QWidget* inTop)
{
	const std::string command = "xwininfo -id " + std::to_string(inTop->winId());
	FILE* pipe = popen(command.c_str(), "r");
	if (!pipe)
		return {};
	int x = -1, y = -1, w = -1, h = -1;
	char line[256];
	while (fgets(line, sizeof line, pipe)) {
		std::sscanf(line, " Absolute upper-left X: %d", &x);
		std::sscanf(line, " Absolute upper-left Y: %d", &y);
		std::sscanf(line, " Width: %d", &w);
		std::sscanf(line, " Height: %d", &h);
	}
	pclose(pipe);
	return QRect(x, y, w, h);
}

// The geometry the X server gives the window once it is inWant, or after a generous wait what it has then:
// the server takes the framework's requests in its own time.
QRect XGeometryOnceAt(const QWidget* inTop, const QRect& inWant)
{
	QElapsedTimer waited;
	waited.start();
	QRect got = XGeometry(inTop);
	while (got != inWant && waited.elapsed() < 20000) {
		LWindow::AfterDispatch();
		QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
		got = XGeometry(inTop);
	}
	return got;
}

void Settle()
{
	for (int i = 0; i < 10; ++i) {
		LWindow::AfterDispatch();
		QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
	}
}

class WindowPlacementE2ETest : public ::testing::Test
{
protected:
	static void SetUpTestSuite()
	{
		if (mDisplay.empty()) // Qt stays on the first one
			mDisplay = StartVirtualDisplay("1280x800x24");
	}
	void SetUp() override
	{
		ASSERT_FALSE(mDisplay.empty()) << "Xvfb did not start";
		LoadFixtures();
		ASSERT_EQ(QGuiApplication::platformName().toStdString(), "xcb");
		mApp = std::make_unique<LApplication>();
	}
	void TearDown() override
	{
		mApp.reset();
		mBar.reset();
	}

	// The test window (300 x 200 at 40,60, resizable down to 100 x 80) shows its whole content where its
	// bounds say, with the bar above it.
	static void ExpectContentWhole(LWindow* inWindow, SInt16 inWidth, SInt16 inHeight)
	{
		Settle();
		QWidget* top = TopLevel("Test Window");
		ASSERT_NE(top, nullptr);
		QMenuBar* bar = top->findChild<QMenuBar*>();
		ASSERT_NE(bar, nullptr);
		ASSERT_EQ(bar->actions().size(), 2);
		const int barHeight = bar->height();
		EXPECT_GT(barHeight, 10);
		const QRect want(40, 60 - barHeight, inWidth, inHeight + barHeight);
		EXPECT_EQ(XGeometryOnceAt(top, want), want);
		QWidget* content = ContentOf(top);
		EXPECT_EQ(QRect(content->mapToGlobal(QPoint(0, 0)), content->size()),
		          QRect(40, 60, inWidth, inHeight));
		Rect bounds;
		inWindow->GetGlobalBounds(bounds);
		EXPECT_EQ(
		    QRect(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top),
		    QRect(40, 60, inWidth, inHeight));
	}

	static inline std::string mDisplay;
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mBar;
};

TEST_F(WindowPlacementE2ETest, ResizableWindowWithLimitsKeepsItsContentWholeBelowTheMenuBar)
{
	mBar = std::make_unique<LMenuBar>(128);
	LWindow* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	window->Select();
	ExpectContentWhole(window, 300, 200);

	window->ResizeWindowTo(400, 300);
	ExpectContentWhole(window, 400, 300);

	// Resized from outside: the content takes what the bar leaves.
	QWidget* top = TopLevel("Test Window");
	top->resize(350, 250 + top->findChild<QMenuBar*>()->height());
	ExpectContentWhole(window, 350, 250);
}

TEST_F(WindowPlacementE2ETest, MenuBarFilledAfterPlacementGrowsTheWindowUpwards)
{
	LWindow* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	window->Select();
	Settle();
	mBar = std::make_unique<LMenuBar>(128);
	ExpectContentWhole(window, 300, 200);
}

TEST_F(WindowPlacementE2ETest, DialogsAndMenuBarWindowsPlacedNowhereComeUpInTheMiddleOfTheMainScreen)
{
	ASSERT_TRUE(ResourceStore::Get().LoadText(
	    "PPob 4410 { 'wind' 0 0 0 200 100 str \"Alert\" u32 0x80000002 i16 -1 i16 -1 i16 -1 i16 -1 }\n"
	    "PPob 4411 { 'wind' 0 0 0 200 100 str \"About\" u32 0x20000043 i16 -1 i16 -1 i16 -1 i16 -1 }",
	    "inline"));
	mBar = std::make_unique<LMenuBar>(128);
	LWindow* alert = LWindow::CreateWindow(4410, mApp.get());
	LWindow* placed = LWindow::CreateWindow(1100, mApp.get()); // its layout says 100,100
	LWindow* about = LWindow::CreateWindow(4411, mApp.get());
	alert->Show();
	placed->Show();
	about->Show();
	Settle();
	const QRect alertWant(540, 350, 200, 100), dialogWant(100, 100, 200, 100);
	EXPECT_EQ(XGeometryOnceAt(TopLevel("Alert"), alertWant), alertWant);
	EXPECT_EQ(XGeometryOnceAt(TopLevel("Dialog"), dialogWant), dialogWant);
	// Its corner is the alert's: it steps clear of it.
	QWidget* aboutTop = TopLevel("About");
	const int barHeight = aboutTop->findChild<QMenuBar*>()->height();
	const QRect aboutWant(560, 370 - barHeight, 200, 100 + barHeight);
	EXPECT_EQ(XGeometryOnceAt(aboutTop, aboutWant), aboutWant);
}

TEST_F(WindowPlacementE2ETest, WindowsOpenInsideTheScreenClearOfDockedStripsAndOfEachOthersCorner)
{
	mBar = std::make_unique<LMenuBar>(128);
	Settle();
	// Placed partly past the bottom right corner, a window opens inside the screen, its bar too.
	LWindow* low = LWindow::CreateWindow(1000, mApp.get());
	low->MoveWindowTo(1100, 700);
	low->Show();
	Settle();
	const int bar = TopLevel("Test Window")->findChild<QMenuBar*>()->height();
	Rect bounds;
	low->GetGlobalBounds(bounds);
	EXPECT_EQ(QPoint(bounds.left, bounds.top), QPoint(1280 - 300, 800 - 200));

	// Two windows opened at one spot: the second steps down and right.
	LWindow* first = LWindow::CreateWindow(1000, mApp.get());
	LWindow* second = LWindow::CreateWindow(1000, mApp.get());
	first->Show();
	second->Show();
	Rect a, b;
	first->GetGlobalBounds(a);
	second->GetGlobalBounds(b);
	EXPECT_EQ(QPoint(a.left, a.top), QPoint(40, 60));
	EXPECT_EQ(QPoint(b.left, b.top), QPoint(60, 80));

	// A strip docked at the top edge afterwards moves the window under it down, bar and all.
	ASSERT_TRUE(ResourceStore::Get().LoadText(
	    "PPob 4412 { 'wind' 0 0 0 1280 50 str \"Strip\" u32 0x20000060 i16 -1 i16 -1 i16 -1 i16 -1 }",
	    "inline"));
	LWindow* strip = LWindow::CreateWindow(4412, mApp.get());
	strip->DockAtScreenEdge(LWindow::EScreenEdge::Top);
	strip->Show();
	Settle();
	first->GetGlobalBounds(a);
	second->GetGlobalBounds(b);
	EXPECT_EQ(QPoint(a.left, a.top), QPoint(40, 50 + bar));
	EXPECT_EQ(QPoint(b.left, b.top), QPoint(60, 80)); // clear of it already
	const Rect area = LWindow::GetAvailableBounds(a);
	EXPECT_EQ(area.top, 50);
	EXPECT_EQ(area.bottom, 800);
}

// The zoom box fills the free part of the screen: under a docked strip, bar and all, and back again.
TEST_F(WindowPlacementE2ETest, ZoomFillsTheAreaLeftByDockedStripsAndGoesBack)
{
	ASSERT_TRUE(ResourceStore::Get().LoadText(
	    "PPob 4413 { 'wind' 0 0 0 1280 50 str \"Strip\" u32 0x20000060 i16 -1 i16 -1 i16 -1 i16 -1 }",
	    "inline"));
	mBar = std::make_unique<LMenuBar>(128);
	LWindow* strip = LWindow::CreateWindow(4413, mApp.get());
	strip->DockAtScreenEdge(LWindow::EScreenEdge::Top);
	strip->Show();
	LWindow* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	Settle();
	Rect before;
	window->GetGlobalBounds(before);

	window->DoSetZoom(true);
	Settle();
	QWidget* top = TopLevel("Test Window");
	ASSERT_NE(top, nullptr);
	const QRect zoomed(0, 50, 1280, 750);
	EXPECT_EQ(XGeometryOnceAt(top, zoomed), zoomed);
	EXPECT_TRUE(window->IsZoomed());

	window->DoSetZoom(false);
	Settle();
	Rect after;
	window->GetGlobalBounds(after);
	EXPECT_TRUE(EqualRect(&before, &after));
}

// A pop-up menu of more items than the screen holds stays on the screen and scrolls: End goes to the last
// item and shows it, typing goes to the item whose text begins so, and Return chooses.
TEST_F(WindowPlacementE2ETest, ALongPopUpMenuStaysOnTheScreenAndTheKeysReachEveryItem)
{
	LMenu menu(151);
	for (int i = 1; i <= 2000; ++i) {
		Str255 text;
		PascalStrings::FromString("Item " + std::to_string(i), text);
		menu.AppendCommand(text, cmd_Nothing);
	}
	const QRect screen(0, 0, 1280, 800);
	auto press = [](QMenu* inMenu, int inKey, const QString& inText = {}) {
		QKeyEvent key(QEvent::KeyPress, inKey, Qt::NoModifier, inText);
		QCoreApplication::sendEvent(inMenu, &key);
	};
	// The menu shown at the point, handed to inUser once it is on the screen.
	auto popUp = [&](SInt16 inTop, SInt16 inLeft, const std::function<void(QMenu*)>& inUser) {
		QTimer poll;
		QObject::connect(&poll, &QTimer::timeout, [&] {
			auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
			if (!shown || !shown->isVisible())
				return;
			poll.stop();
			EXPECT_TRUE(screen.contains(shown->geometry()))
			    << ::testing::PrintToString(shown->geometry());
			inUser(shown);
			shown->close(); // when the keys chose nothing
		});
		poll.start(10);
		return PopUpMenuSelect(&menu, inTop, inLeft, 1);
	};

	auto toTheEnd = [&](QMenu* inShown) {
		press(inShown, Qt::Key_End);
		QAction* last = inShown->actions().back();
		EXPECT_EQ(inShown->activeAction(), last);
		EXPECT_TRUE(inShown->rect().contains(inShown->actionGeometry(last)));
		press(inShown, Qt::Key_Return);
	};
	auto typing = [&](const QString& inTyped) {
		return [&press, inTyped](QMenu* inShown) {
			for (QChar c : inTyped)
				press(inShown, c.toUpper().unicode(), c);
			press(inShown, Qt::Key_Return);
		};
	};
	EXPECT_EQ(popUp(100, 600, toTheEnd), (151 << 16) | 2000);
	// However slowly the test runs, no pause comes between its keys; another menu starts afresh.
	StTestClock clock;
	EXPECT_EQ(popUp(700, 1200, typing("item 1999")), (151 << 16) | 1999);
	EXPECT_EQ(popUp(700, 1200, typing("item 5")), (151 << 16) | 5);
}

// On a desktop with no browser to be found, an address is reported rather than lost.
TEST_F(WindowPlacementE2ETest, AnAddressNoBrowserCanOpenIsReported)
{
	std::vector<std::string> reported;
	SetURLFailureReporter([&](const std::string& inURL) { reported.push_back(inURL); });
	{
		ScopedEnvironment path("PATH", "/nonexistent");
		ScopedEnvironment browser("BROWSER", "");
		ScopedEnvironment defaultBrowser("DEFAULT_BROWSER", "");
		EXPECT_FALSE(LaunchURL("https://quotes.example.com/q?s=ABC"));
	}
	SetURLFailureReporter(nullptr);
	EXPECT_EQ(reported, std::vector<std::string>{"https://quotes.example.com/q?s=ABC"});
}

// xdg-open present but no browser behind it: its failure, told only by its exit status, is reported too;
// a browser that takes the address is not.
TEST_F(WindowPlacementE2ETest, AnAddressXdgOpenFailsToOpenIsReported)
{
	ScratchFolder scratch;
	const std::string tool = scratch.Path("xdg-open");
	auto setTool = [&](int inStatus) {
		std::ofstream(tool) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.asked\"\nexit " << inStatus
		                    << "\n";
		std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
		std::filesystem::remove(tool + ".asked");
	};
	std::vector<std::string> reported;
	SetURLFailureReporter([&](const std::string& inURL) { reported.push_back(inURL); });
	ScopedEnvironment path("PATH", scratch.Path());
	// Until xdg-open has answered and its process is gone.
	auto waitForTool = [] {
		QElapsedTimer waited;
		waited.start();
		while (!QCoreApplication::instance()->findChildren<QProcess*>().isEmpty() &&
		       !waited.hasExpired(10000)) {
			QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
			QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
		}
	};

	setTool(3); // xdg-open's "no program found"
	EXPECT_TRUE(LaunchURL("https://quotes.example.com/q?s=ABC&t=1"));
	EXPECT_TRUE(reported.empty()) << "the answer comes from the event loop";
	waitForTool();
	EXPECT_EQ(reported, std::vector<std::string>{"https://quotes.example.com/q?s=ABC&t=1"});
	std::ifstream asked(tool + ".asked");
	EXPECT_EQ(std::string(std::istreambuf_iterator<char>(asked), {}),
	          "https://quotes.example.com/q?s=ABC&t=1");

	setTool(0);
	reported.clear();
	EXPECT_TRUE(LaunchURL("https://quotes.example.com/"));
	waitForTool();
	EXPECT_TRUE(std::filesystem::exists(tool + ".asked"));
	EXPECT_TRUE(reported.empty());
	SetURLFailureReporter(nullptr);
}

} // namespace
