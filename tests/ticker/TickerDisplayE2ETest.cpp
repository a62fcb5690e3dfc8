// The program on an X display of the test's own, its quotes served by a loopback server: the main ticker
// sits at the top of the screen and scrolls the served quotes, a rise and a fall in their colours.

#include "model/StockGlobals.h"
#include "platform/framework/StQtApplication.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/VirtualDisplay.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{

class TickerDisplayE2ETest : public QuoteServingFixture
{
protected:
	static void SetUpTestSuite()
	{
		mDisplay = StartVirtualDisplay("1280x800x24");
		// The application as the program makes it, so that its windows are drawn as the program's
		// are.
		static int argc = 1;
		static char name[] = "test_ticker_e2e";
		static char* argv[] = {name, nullptr};
		if (!mDisplay.empty() && !QCoreApplication::instance())
			mQt = new StQtApplication(argc, argv); // kept for the whole run, as the program keeps it
	}

	static inline std::string mDisplay;
	static inline StQtApplication* mQt = nullptr;

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
				if (std::abs(c.red() - want.red()) <= 10 &&
				    std::abs(c.green() - want.green()) <= 10 &&
				    std::abs(c.blue() - want.blue()) <= 10)
					return true;
			}
		return false;
	}
};

TEST_F(TickerDisplayE2ETest, TheMainTickerScrollsServedQuotesAtTheTopOfTheScreen)
{
	ASSERT_FALSE(mDisplay.empty()) << "Xvfb did not start";
	auto app = Start();
	ASSERT_TRUE(QGuiApplication::platformName() == "xcb")
	    << QGuiApplication::platformName().toStdString();
	ASSERT_TRUE(mQt);
	// The program's own way of drawing is not handed down to the programs it starts.
	EXPECT_EQ(std::getenv("QT_XCB_NO_MITSHM"), nullptr);
	TTicker* main = app->GetMainTicker();
	ASSERT_TRUE(main->IsWindowOpen());

	const tSecurityType kinds[] = {securityStock, securityFund, securityIndex, securityCurrency};
	ASSERT_TRUE(ServeFirstUpdates());

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
	const Rect strip{bounds.top, bounds.left, bounds.bottom,
	                 SInt16(std::min(bounds.right, screen.right))};

	// The strip moves, and shows the fall and the rise in their colours.
	const RGBColor down = gPreferences->downColour;
	const RGBColor up = gPreferences->upColour;
	QImage last;
	bool moved = false, fallShown = false, riseShown = false;
	EXPECT_TRUE(RunUntil(
	    [&] {
		    const QImage now = Grab(strip);
		    const bool fall = Holds(now, down), rise = Holds(now, up);
		    const bool quoted = fall || rise;
		    moved = moved || (quoted && !last.isNull() && now != last);
		    fallShown = fallShown || fall;
		    riseShown = riseShown || rise;
		    if (quoted)
			    last = now;
		    return moved && fallShown && riseShown;
	    },
	    20000))
	    << "moved " << moved << ", fall shown " << fallShown << ", rise shown " << riseShown;

	// Frames are moved on the screen by the display and only what they uncover is sent: once the strip
	// stops, the screen shows the window's image exactly.
	main->GetTickerPane()->SetSpeed(kTickerStopped);
	const auto image = [&] {
		return main->GetWindow()
		    ->GetMacPort()
		    ->image->copy(0, 0, strip.right - strip.left, strip.bottom - strip.top)
		    .convertToFormat(QImage::Format_RGB32);
	};
	EXPECT_TRUE(RunUntil([&] { return Grab(strip) == image(); }, 20000))
	    << "the screen and the window differ";
	if (const char* keep = std::getenv("VANTOREL_TICKER_SHOT"))
		Grab(screen).save(keep);
	app->AttemptQuitSelf(0);
}

} // namespace
