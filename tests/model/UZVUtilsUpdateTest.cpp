#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ModelTestEnvironment.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace modeltest;

namespace
{

// 2026-03-10 12:00 UTC; the tests run with TZ=UTC.
constexpr SInt64 kNoon = 1'773'144'000'000;

class CountingWatcher : public TSecurityWatcher
{
public:
	void UpdateEnds(TSecurity*) override { ++mEnds; }
	int mEnds = 0;
};

class UZVUtilsUpdateTest : public ModelFixture
{
protected:
	void SetUp() override
	{
		mStock.SecuritySymbol("ABC");
		mStock.SecurityName("Abc Corp");
		mEnv.mPrefs.idling.enabled = 0;
	}

	void Quote(TSecurity& security, float price, float previous, UInt32 volume = 0)
	{
		security.CurrentTradePrice(price);
		security.YesterdayClose(previous);
		security.DayVolume(volume);
	}

	void Update(TSecurity& security)
	{
		UZVUtils::UpdateSecurity(&security, &mEnv.mPrefs.losingAlert, &mEnv.mPrefs.gainingAlert,
		                         &mEnv.mPrefs.idling);
	}

	// Header, price, price fraction, change, change fraction and trailer, joined by '|'.
	std::string Strings(TSecurity& security)
	{
		Update(security);
		return std::string(security.TickerHeader()) + "|" + security.PriceString() + "|" +
		       security.PriceFraction() + "|" + security.ChangeString() + "|" +
		       security.ChangeFraction() + "|" + security.TrailerString();
	}

	static void Alert(tAlertParameters& alert, UInt8 code, float limit, long soundID = 0)
	{
		alert.enabled = 1;
		alert.condition = code;
		alert.limit = limit;
		alert.playSound = soundID != 0;
		alert.soundID = SInt32(soundID);
	}

	// The colour, then F flash, B bold, I italic, U underline, S and the sound id, X the two flags.
	std::string Display()
	{
		RGBColor colour{1, 1, 1};
		bool sound, flash, bold, italic, underline, flag1, flag2;
		int id;
		UZVUtils::GetDisplaySpecs(&mStock, colour, sound, id, flash, bold, italic, underline, flag1,
		                          flag2);
		std::string text = Rgb(colour) + " ";
		text += std::string(flash ? "F" : "") + (bold ? "B" : "") + (italic ? "I" : "") +
		        (underline ? "U" : "");
		if (sound)
			text += "S" + std::to_string(id);
		if (flag1 && flag2)
			text += "X";
		return text;
	}

	static std::string Rgb(const RGBColor& c)
	{
		return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
	}

	StTestClock mClock{1000, kNoon};
	TStock mStock;
};

TEST_F(UZVUtilsUpdateTest, TickerStringsFollowTheShownParts)
{
	Quote(mStock, 12.5f, 12.0f, 1234567);
	EXPECT_EQ(Strings(mStock), "ABC|12.50||+0.50||(+4.17%)");
	mEnv.mPrefs.showName = 1;
	mEnv.mPrefs.showVolume = 1;
	EXPECT_EQ(Strings(mStock), "Abc Corp (ABC)|12.50||+0.50||(+4.17%) Vol: 1,234,567");
	mEnv.mPrefs.showSymbol = 0;
	mEnv.mPrefs.showPrice = 0;
	mEnv.mPrefs.showChange = 0;
	EXPECT_EQ(Strings(mStock), "Abc Corp|||||+4.17% Vol: 1,234,567");
	mEnv.mPrefs.showPercentChange = 0;
	EXPECT_EQ(Strings(mStock), "Abc Corp|||||Vol: 1,234,567");
	mEnv.mPrefs.showName = 0;
	mEnv.mPrefs.showVolume = 0;
	mStock.SecuritySymbol("");
	EXPECT_EQ(Strings(mStock), "????|||||");
}

TEST_F(UZVUtilsUpdateTest, TickerStringsByKindAndFractionMode)
{
	mEnv.mPrefs.fractionMode = UZVUtils::fractionsAlways;
	Quote(mStock, 12.25f, 12.75f);
	EXPECT_EQ(Strings(mStock), "ABC|12|1/4||-1/2|(-3.92%)");
	// No exchange of the table quotes in fractions.
	mEnv.mPrefs.fractionMode = UZVUtils::fractionsByExchange;
	EXPECT_EQ(Strings(mStock), "ABC|12.25||-0.50||(-3.92%)");

	mEnv.mPrefs.showVolume = 1;
	TFund fund;
	fund.SecuritySymbol("FND");
	Quote(fund, 10.5f, 10.0f, 500);
	EXPECT_EQ(Strings(fund), "FND|10.5000||+0.5000||(+5.00%) Vol: 500");
	TCurrency pair;
	pair.SecuritySymbol("USD,CAD");
	Quote(pair, 1.25f, 1.0f, 500);
	EXPECT_EQ(Strings(pair), "USD,CAD|1.250000||+0.250000||(+25.00%)");
}

TEST_F(UZVUtilsUpdateTest, MissingValuesShowNotAvailableOrNoChange)
{
	mEnv.mPrefs.showVolume = 1;
	mEnv.mPrefs.fractionMode = UZVUtils::fractionsAlways;
	Quote(mStock, kNoValue, 12.0f, 100);
	mStock.State(stateUp);
	EXPECT_EQ(Strings(mStock), "ABC|N/A||||");
	EXPECT_EQ(mStock.State(), stateUnchanged);
	// A known price stays visible without yesterday's close.
	Quote(mStock, 12.5f, kNoValue, 100);
	EXPECT_EQ(Strings(mStock), "ABC|12|1/2|||Vol: 100");
	EXPECT_EQ(mStock.State(), stateUnchanged);

	TCurrency pair;
	pair.SecuritySymbol("EUR,USD");
	Quote(pair, kNoValue, 1.0f);
	EXPECT_EQ(Strings(pair), "EUR,USD|N/A||||");
	mEnv.mPrefs.fractionMode = UZVUtils::fractionsNever;
	Quote(pair, 1.5f, kNoValue);
	EXPECT_EQ(Strings(pair), "EUR,USD|1.500000||||");
}

struct tAlertCase {
	UInt8 code;
	float limit;
	float price;
	float previous;
	bool losing; // which record holds the code
	bool fires;
};

TEST_F(UZVUtilsUpdateTest, AlertConditions)
{
	const tAlertCase cases[] = {
	    {UZVUtils::alertPercentGain, 10, 11.0f, 10.0f, false, true},
	    {UZVUtils::alertPercentGain, 10, 10.9f, 10.0f, false, false},
	    {UZVUtils::alertPercentGain, -10, 11.5f, 10.0f, false, true},
	    {UZVUtils::alertPercentLoss, 10, 9.0f, 10.0f, true, true},
	    {UZVUtils::alertPercentLoss, 10, 11.0f, 10.0f, true, false},
	    {UZVUtils::alertGainByAmount, 1, 10.9995f, 10.0f, false, false},
	    {UZVUtils::alertGainByAmount, 1, 11.0f, 10.0f, false, true},
	    {UZVUtils::alertLossByAmount, 1, 9.0005f, 10.0f, true, true},
	    {UZVUtils::alertLossByAmount, 1, 9.002f, 10.0f, true, false},
	    {UZVUtils::alertLossByAmount, -1, 9.0f, 10.0f, true, true},
	    {UZVUtils::alertPriceAtOrAbove, 20, 20.0f, kNoValue, false, true},
	    {UZVUtils::alertPriceAtOrAbove, 20, 19.99f, 10.0f, false, false},
	    {UZVUtils::alertPriceAtOrBelow, 5, 5.0f, kNoValue, true, true},
	    {UZVUtils::alertPriceAtOrBelow, 5, 5.01f, 10.0f, true, false},
	    {UZVUtils::alertPriceAtOrBelow, 5, kNoValue, 10.0f, true, false},
	    {UZVUtils::alertPriceAtOrBelow, -5, kNoValue, kNoValue, true, false},
	    {UZVUtils::alertPercentLoss, 10, kNoValue, 10.0f, true, false},
	    {UZVUtils::alertLossByAmount, 1, 9.0f, kNoValue, true, false},
	    // A code of the other side never fires.
	    {UZVUtils::alertPercentGain, 10, 20.0f, 10.0f, true, false},
	    {UZVUtils::alertPriceAtOrBelow, 50, 5.0f, 10.0f, false, false},
	    // A close of 0 gives no percentage.
	    {UZVUtils::alertPercentGain, 10, 5.0f, 0.0f, false, false},
	};
	for (const tAlertCase& c : cases) {
		SCOPED_TRACE(testing::Message() << int(c.code) << " " << c.limit << " " << c.price);
		mEnv.mPrefs.losingAlert.enabled = 0;
		mEnv.mPrefs.gainingAlert.enabled = 0;
		Alert(c.losing ? mEnv.mPrefs.losingAlert : mEnv.mPrefs.gainingAlert, c.code, c.limit);
		Quote(mStock, c.price, c.previous);
		Update(mStock);
		EXPECT_EQ(mStock.AlertLosing(), c.losing && c.fires);
		EXPECT_EQ(mStock.AlertGaining(), !c.losing && c.fires);
	}
}

TEST_F(UZVUtilsUpdateTest, AlertSoundPlaysWhenTheAlertStarts)
{
	Alert(mEnv.mPrefs.losingAlert, UZVUtils::alertPriceAtOrBelow, 5, 3);
	for (float price : {4.0f, 3.0f, 6.0f, 4.0f}) {
		Quote(mStock, price, 10.0f);
		Update(mStock);
	}
	EXPECT_EQ(mEnv.mSounds, (std::vector<long>{3, 3}));

	mEnv.mPrefs.losingAlert.soundAlways = 1;
	Update(mStock);
	Update(mStock);
	EXPECT_EQ(mEnv.mSounds.size(), 4u);

	// A missing price ends the alert silently; the next low price starts it again.
	mEnv.mPrefs.losingAlert.soundAlways = 0;
	Quote(mStock, kNoValue, 10.0f);
	Update(mStock);
	EXPECT_FALSE(mStock.AlertLosing());
	Quote(mStock, 4.0f, 10.0f);
	Update(mStock);
	EXPECT_EQ(mEnv.mSounds.size(), 5u);
}

TEST_F(UZVUtilsUpdateTest, LossAlertStartingUnderAGainAlertSounds)
{
	Alert(mEnv.mPrefs.gainingAlert, UZVUtils::alertPercentGain, 5, 1);
	Alert(mEnv.mPrefs.losingAlert, UZVUtils::alertPriceAtOrBelow, 20, 2);
	Quote(mStock, 22.0f, 20.0f);
	Update(mStock);
	Quote(mStock, 19.5f, 18.0f);
	Update(mStock);
	EXPECT_TRUE(mStock.AlertGaining() && mStock.AlertLosing());
	// The loss alert ends; the gain alert held all along, so nothing new starts.
	Quote(mStock, 22.0f, 20.0f);
	Update(mStock);
	EXPECT_EQ(mEnv.mSounds, (std::vector<long>{1, 2}));
	// Idle hid the alert; it sounds again once the quote is fresh.
	mStock.Idle(true);
	Update(mStock);
	EXPECT_EQ(mEnv.mSounds, (std::vector<long>{1, 2, 1}));
}

TEST_F(UZVUtilsUpdateTest, AlertSpecsComeFromTheRecordInForce)
{
	mStock.OverrideGainingAlert(true);
	Alert(*mStock.AlertGainingParameters(), UZVUtils::alertPriceAtOrAbove, 10, 7);
	Alert(mEnv.mPrefs.gainingAlert, UZVUtils::alertPriceAtOrAbove, 10, 2);
	Quote(mStock, 12.0f, 10.0f);
	Update(mStock);
	EXPECT_EQ(mEnv.mSounds, std::vector<long>{7});

	bool sound = false, always = true, email = true, flag = true;
	int soundID = 0;
	UZVUtils::GetAlertSpecs(&mStock, sound, soundID, always, email, flag);
	EXPECT_TRUE(sound && !always && !email && !flag);
	EXPECT_EQ(soundID, 7);
	mStock.Idle(true);
	UZVUtils::GetAlertSpecs(&mStock, sound, soundID, always, email, flag);
	EXPECT_FALSE(sound);
	EXPECT_EQ(soundID, 0);
}

TEST_F(UZVUtilsUpdateTest, UpdatesAndIdleChangesReachTickletsWindowAndWatchers)
{
	mEnv.OpenTicker(0);
	mStock.AddTicklet(0, nullptr);
	auto* ticklet = static_cast<FakeTicklet*>(mStock.GetTickletOwners()->GetFirst()->ticklet);
	ASSERT_NE(ticklet, nullptr);
	const int refreshes = ticklet->mRefreshes;
	FakeDetailWindow window(securityStock);
	mStock.SetDetailWindow(&window);
	CountingWatcher watcher;
	mStock.AddWatcher(&watcher);

	Update(mStock);
	EXPECT_EQ(ticklet->mRefreshes, refreshes + 1);
	EXPECT_EQ(window.Count("Update"), 1);
	EXPECT_EQ(watcher.mEnds, 1);

	tIdleParameters& idling = mEnv.mPrefs.idling;
	idling.enabled = 1;
	idling.threshold = UZVUtils::idleUntilParsed;
	TVyDate now;
	UZVUtils::CheckIdleSecurity(&mStock, &idling, &now, false);
	EXPECT_TRUE(mStock.Idle());
	EXPECT_EQ(watcher.mEnds, 1);
	mStock.InitedToday(true);
	UZVUtils::CheckIdleSecurity(&mStock, &idling, &now, true);
	UZVUtils::CheckIdleSecurity(&mStock, &idling, &now, true);
	EXPECT_FALSE(mStock.Idle());
	EXPECT_EQ(watcher.mEnds, 2);
	EXPECT_EQ(window.Count("Update"), 2);
	mStock.RemoveWatcher(&watcher);
	mStock.SetDetailWindow(nullptr);
}

struct tIdleCase {
	UInt8 kind;
	SInt32 threshold;
	int minutesAgo; // of the date the kind looks at; -1 an undefined date
	int errorCode;
	bool inited;
	bool idle;
};

TEST_F(UZVUtilsUpdateTest, IdleRules)
{
	const tIdleCase cases[] = {
	    {UZVUtils::idleByLastUpdate, UZVUtils::idleSameDay, 11 * 60, 0, true, false},
	    {UZVUtils::idleByLastUpdate, UZVUtils::idleSameDay, 12 * 60 + 1, 0, true, true},
	    {UZVUtils::idleByLastUpdate, 30, 29, 0, true, false},
	    {UZVUtils::idleByLastUpdate, 30, 30, 0, true, true},
	    {UZVUtils::idleByLastUpdate, 30, 0, 7, true, true},
	    {UZVUtils::idleByLastUpdate, 30, -1, 0, true, true},
	    {UZVUtils::idleByLastTrade, 60, 90, 0, true, true},
	    {UZVUtils::idleByLastTrade, 60, 59, 0, true, false},
	    // Only the last update answers for a failed request.
	    {UZVUtils::idleByLastTrade, 60, 10, 7, true, false},
	    // A kind of its own looks at no date.
	    {12, 60, 10, 0, true, true},
	    {UZVUtils::idleByLastTrade, UZVUtils::idleUntilParsed, 0, 0, false, true},
	    {UZVUtils::idleByLastTrade, UZVUtils::idleUntilParsed, 600 * 24, 0, true, false},
	};
	TVyDate now;
	tIdleParameters& idling = mEnv.mPrefs.idling;
	idling.enabled = 1;
	for (const tIdleCase& c : cases) {
		SCOPED_TRACE(testing::Message() << c.threshold << " " << c.minutesAgo);
		TVyDate date = now;
		date.AdjustMinutes(SInt16(-c.minutesAgo));
		if (c.minutesAgo < 0)
			TVyDate::SetUndefinedDateTime(&date);
		TIndex index;
		idling.kind = c.kind;
		idling.threshold = c.threshold;
		if (c.kind == UZVUtils::idleByLastUpdate)
			index.LastUpdate(&date);
		else
			index.CurrentTradeUpdate(&date);
		index.ErrorCode(c.errorCode);
		index.InitedToday(c.inited);
		UZVUtils::CheckIdleSecurity(&index, &idling, &now, false);
		EXPECT_EQ(index.Idle(), c.idle);
	}

	TFund fund;
	TCurrency pair;
	fund.Idle(true);
	UZVUtils::CheckIdleSecurity(&fund, &idling, &now, false);
	UZVUtils::CheckIdleSecurity(&pair, &idling, &now, false);
	EXPECT_FALSE(fund.Idle() || pair.Idle());
	idling.enabled = 0;
	UZVUtils::CheckIdleSecurity(&mStock, &idling, &now, false);
	EXPECT_FALSE(mStock.Idle());
}

TEST_F(UZVUtilsUpdateTest, DisplayIsIdleLookThenAlertLookThenDirection)
{
	tStockTickerPrefs& prefs = mEnv.mPrefs;
	Quote(mStock, 11.0f, 10.0f);
	Update(mStock);
	EXPECT_EQ(Display(), Rgb(prefs.upColour) + " ");
	Quote(mStock, 12.5f, kNoValue);
	Update(mStock);
	EXPECT_EQ(Display(), Rgb(prefs.unchangedColour) + " ");

	Alert(prefs.losingAlert, UZVUtils::alertPercentLoss, 5, 4);
	prefs.losingAlert.useColour = 1;
	prefs.losingAlert.colour = RGBColor{9, 8, 7};
	prefs.losingAlert.flash = 0;
	prefs.losingAlert.bold = 1;
	prefs.losingAlert.displayFlag = 1;
	Quote(mStock, 9.0f, 10.0f);
	Update(mStock);
	EXPECT_EQ(Display(), "9,8,7 BS4X");
	prefs.losingAlert.useColour = 0;
	EXPECT_EQ(Display(), Rgb(prefs.downColour) + " BS4X");

	prefs.idling.useColour = 1;
	prefs.idling.colour = RGBColor{5, 5, 5};
	prefs.idling.italic = 1;
	mStock.Idle(true);
	EXPECT_EQ(Display(), "5,5,5 I");
}

TEST_F(UZVUtilsUpdateTest, DisplayTakesTheSecuritysOwnAlertWhereItOverrides)
{
	tStockTickerPrefs& prefs = mEnv.mPrefs;
	prefs.losingAlert.colour = RGBColor{1, 1, 1};
	prefs.losingAlert.playSound = 1;
	prefs.losingAlert.soundID = 2;
	tAlertParameters& own = *mStock.AlertLosingParameters();
	Alert(own, UZVUtils::alertPercentLoss, 5, 6);
	own.colour = RGBColor{7, 7, 7};
	own.flash = 0;
	own.underline = 1;
	mStock.OverrideLosingAlert(true);
	Quote(mStock, 9.0f, 10.0f);
	Update(mStock);
	ASSERT_TRUE(mStock.AlertLosing());
	EXPECT_EQ(Display(), "7,7,7 US6");
	EXPECT_EQ(mEnv.mSounds, std::vector<long>{6});
}

TEST_F(UZVUtilsUpdateTest, GradientAndChangeColours)
{
	const RGBColor base{0, 0, 0}, down{40000, 0, 0}, up{0, 40000, 0};
	RGBColor result;
	UZVUtils::GetColourGradiant(2.0, 5.0, 5.0, &base, &down, &up, &result);
	EXPECT_EQ(Rgb(result), "0,20000,0");
	UZVUtils::GetColourGradiant(-4.0, 5.0, 5.0, &base, &down, &up, &result);
	EXPECT_EQ(Rgb(result), "40000,0,0");
	UZVUtils::GetColourGradiant(-9.0, 5.0, 5.0, &base, &down, &up, &result);
	EXPECT_EQ(Rgb(result), "40000,0,0");

	mEnv.mPrefs.useColourGradient = 1;
	mEnv.mPrefs.gradientMiddleColour = base;
	mEnv.mPrefs.upColour = up;
	Quote(mStock, 10.2f, 10.0f);
	Update(mStock);
	EXPECT_EQ(Display().substr(0, 8), "0,19999,");
	mEnv.mPrefs.downColour = down;
	Quote(mStock, 9.8f, 10.0f);
	Update(mStock);
	EXPECT_EQ(mStock.State(), stateDown);
	EXPECT_EQ(Display().substr(0, 6), "19999,");

	RGBColor colour;
	UZVUtils::GetChangeColour(10.0f, 9.0f, colour);
	EXPECT_EQ(Rgb(colour), Rgb(mEnv.mPrefs.downColour));
	UZVUtils::GetChangeColour(kNoValue, 9.0f, colour);
	EXPECT_EQ(Rgb(colour), Rgb(mEnv.mPrefs.unchangedColour));
	UZVUtils::GetChangeColour(10.0f, kNoValue, colour);
	EXPECT_EQ(Rgb(colour), Rgb(mEnv.mPrefs.unchangedColour));
}

} // namespace
