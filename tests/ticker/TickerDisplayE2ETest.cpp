// The program on an X display of the test's own, its quotes served by a loopback server: the main ticker
// sits at the top of the screen and scrolls the served quotes, a rise and a fall in their colours.

#include "model/StockGlobals.h"
#include "tests/app/QuoteServingFixture.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace
{

class TickerDisplayE2ETest : public QuoteServingFixture
{
protected:
	// One X server for the run; it goes when the test program does.
	static void SetUpTestSuite()
	{
		int display = 90;
		while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) ||
		       std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock"))
			++display;
		const std::string name = ":" + std::to_string(display);
		if (fork() == 0) {
			prctl(PR_SET_PDEATHSIG, SIGTERM);
			execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
			       static_cast<char*>(nullptr));
			_exit(127);
		}
		for (int i = 0; i < 100 && !std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)); ++i)
			usleep(50000);
		setenv("DISPLAY", name.c_str(), 1);
		setenv("QT_QPA_PLATFORM", "xcb", 1);
	}

	static QImage Grab(const Rect& strip)
	{
		LWindow::AfterDispatch();
		QCoreApplication::processEvents();
		return QGuiApplication::primaryScreen()
		    ->grabWindow(0, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top)
		    .toImage()
		    .convertToFormat(QImage::Format_RGB32);
	}

	static bool Holds(const QImage& image, const RGBColor& colour)
	{
		const QColor want(colour.red >> 8, colour.green >> 8, colour.blue >> 8);
		for (int y = 0; y < image.height(); ++y)
			for (int x = 0; x < image.width(); ++x) {
				const QColor c = image.pixelColor(x, y);
				if (std::abs(c.red() - want.red()) <= 10 && std::abs(c.green() - want.green()) <= 10 &&
				    std::abs(c.blue() - want.blue()) <= 10)
					return true;
			}
		return false;
	}
};

TEST_F(TickerDisplayE2ETest, TheMainTickerScrollsServedQuotesAtTheTopOfTheScreen)
{
	auto app = Start();
	ASSERT_TRUE(QGuiApplication::platformName() == "xcb") << QGuiApplication::platformName().toStdString();
	TTicker* main = app->GetMainTicker();
	ASSERT_TRUE(main->IsWindowOpen());

	const tSecurityType kinds[] = {securityStock, securityFund, securityIndex, securityCurrency};
	ASSERT_TRUE(RunUntil([&] {
		for (tSecurityType kind : kinds)
			for (TSecurity* security : Securities(kind))
				if (!security->UpdateSecurityReference() && !security->InitedToday())
					return false;
		return true;
	}));
	ServePendingRequests();
	ASSERT_TRUE(RunUntil([&] {
		for (tSecurityType kind : kinds)
			for (TSecurity* security : Securities(kind))
				if (security->UpdateSecurityReference())
					return false;
		return true;
	}));

	// The main ticker shows a stock that fell and an index that rose.
	TSecurity* fell = nullptr;
	TSecurity* rose = nullptr;
	for (const auto& [security, price] : mExpected) {
		if (security->Type() == securityStock && !fell)
			fell = security;
		if (security->Type() == securityIndex && !rose)
			rose = security;
	}
	ASSERT_TRUE(fell && rose);
	for (tSecurityType kind : kinds)
		for (TSecurity* security : Securities(kind))
			security->RemoveTicklet(0, nullptr);
	fell->AddTicklet(0, nullptr);
	rose->AddTicklet(0, nullptr);
	ASSERT_EQ(main->GetTickerPane()->GetTicklets().Count(), 2);

	Rect bounds;
	main->GetWindow()->GetGlobalBounds(bounds);
	const Rect screen = TTicker::MainScreenRect();
	EXPECT_EQ(bounds.top, screen.top + 1);
	EXPECT_EQ(bounds.left, 1);
	EXPECT_GE(bounds.right, screen.right);
	const Rect strip{bounds.top, bounds.left, bounds.bottom, SInt16(std::min(bounds.right, screen.right))};

	RunUntil([] { return false; }, 500);
	const QImage first = Grab(strip);
	RunUntil([] { return false; }, 300);
	const QImage second = Grab(strip);
	ASSERT_FALSE(first.isNull());
	EXPECT_NE(first, second) << "the strip did not move";
	const QImage both[] = {first, second};
	EXPECT_TRUE(Holds(both[0], gPreferences->downColour) || Holds(both[1], gPreferences->downColour));
	EXPECT_TRUE(Holds(both[0], gPreferences->upColour) || Holds(both[1], gPreferences->upColour));
	if (const char* keep = std::getenv("VANTOREL_TICKER_SHOT"))
		Grab(screen).save(keep);
	app->AttemptQuitSelf(0);
}

} // namespace
