// The ticklets a ticker shows: a security's quote texts measured and drawn in its state's colour, blinking
// in step, pictures only while on stage; and a picture centred in the ticker.

#include "Includes/tStockTickerPrefs.h"
#include "model/StockGlobals.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/ticker/TickerTestSupport.h"
#include "ticker/TPICTTicklet.h"
#include "ticker/TSecurityTicklet.h"

#include <gtest/gtest.h>

using namespace TickerTest;

namespace
{

class TickletTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		const Rect frame{0, 0, 28, 400};
		mEngine.ResizeTicker(&frame);
		mEngine.SetSpeed(kTickerStopped);
		TKsFont font;
		font.FontName("Geneva");
		font.FontSize(14);
		mEngine.SetFont(&font);
	}

	modeltest::ModelTestEnvironment mEnv;
	TZvTicker mEngine;
};

TEST_F(TickletTest, ASecurityTickletMeasuresItsTextsAndDrawsThemOnlyOnStage)
{
	TStock stock;
	TSecurityTicklet ticklet(&stock);
	mEngine.AddTicklet(&ticklet, -1);
	// No texts: the gaps alone, 4 + 10 below size 18.
	EXPECT_EQ(ticklet.GetWidth(), 14);
	EXPECT_EQ(ticklet.GetWorld(), nullptr);

	stock.TickerHeader("IBM");
	stock.PriceString("101");
	stock.PriceFraction("1/4");
	stock.ChangeString("-1.25");
	ticklet.RefreshData();
	const UInt16 width = ticklet.GetWidth();
	EXPECT_GT(width, 60);
	EXPECT_EQ(ticklet.GetFractionSize(), 9);

	// Staged, it draws its picture in the colour of its state; off the strip it lets it go, and it
	// builds it again when it comes back.
	mEngine.Prepare();
	ASSERT_TRUE(ticklet.IsOnStage());
	ASSERT_NE(ticklet.GetWorld(), nullptr);
	bool drawn = false;
	for (SInt16 x = 0; x < width && !drawn; ++x)
		drawn = PixelAt(mEngine, x) != 'K';
	EXPECT_TRUE(drawn);
	ticklet.OffStage();
	EXPECT_EQ(ticklet.GetWorld(), nullptr);
	ticklet.OnStage();
	EXPECT_NE(ticklet.GetWorld(), nullptr);

	// The fraction's size follows the main size.
	for (auto [size, fraction] :
	     {std::pair{18, 12}, {24, 14}, {36, 24}, {60, 36}, {72, 48}, {20, 10}, {8, 8}}) {
		ticklet.FontMetrics(4, size);
		EXPECT_EQ(ticklet.GetFractionSize(), fraction) << size;
	}
}

TEST_F(TickletTest, BlinkingTickletsOnTwoTickersBlinkInStep)
{
	StTestClock clock(6000 + 10); // 10 ticks past a whole second
	TStock stock;
	stock.TickerHeader("IBM");
	TZvTicker other;
	const Rect frame{0, 0, 28, 400};
	other.ResizeTicker(&frame);
	TSecurityTicklet one(&stock), two(&stock);
	mEngine.AddTicklet(&one, -1);
	other.AddTicklet(&two, -1);
	std::vector<int> phases;
	for (int tick = 0; tick < 120; tick += 5) {
		one.OnStage();
		two.OnStage();
		EXPECT_EQ(one.IsBlinking(), two.IsBlinking()) << tick;
		phases.push_back(one.IsBlinking());
		clock.Advance(5);
	}
	// From the next whole second on: shown until 40 past it, hidden for the rest.
	const std::vector<int> second(phases.begin() + 10, phases.begin() + 22);
	EXPECT_EQ(second, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}));
	mEngine.RemoveTicklet(&one);
}

TEST_F(TickletTest, APictureIsCentredInTheTickerAndNoPictureIsNoWidth)
{
	FrameworkTest::LoadFixtureFile("../../resources/Images.res");
	TPICTTicklet picture;
	EXPECT_EQ(picture.GetWidth(), 0);
	mEngine.AddTicklet(&picture, -1);
	picture.ResourceID(1100);
	ASSERT_GT(picture.GetWidth(), 0);
	// 16 pixels high in a 28-pixel ticker: 6 above, 6 below.
	EXPECT_EQ(picture.GetWidth(), 48);
	EXPECT_EQ(picture.GetPictureBounds().top, 6);
	EXPECT_EQ(picture.GetPictureBounds().bottom, 22);
	EXPECT_NE(picture.GetWorld(), nullptr);
	picture.ResourceID(0);
	EXPECT_EQ(picture.ResourceID(), 0);
}

} // namespace
