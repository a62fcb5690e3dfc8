#include "Quoters/SwissQuote/TSwissQuote.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

class TSwissQuoteTest : public modeltest::ModelFixture
{
protected:
	TSwissQuoteTest() : mClock(1000, kNowMilliseconds)
	{
		mStock.Exchange(307);
		mStock.SecuritySymbol("EXFN");
	}

	bool Parse(std::string page) { return mSource.StockDetail(page.data(), long(page.size()), &mStock); }

	std::vector<float> AllValues()
	{
		return {mStock.YesterdayClose(),  mStock.DayOpen(),         mStock.CurrentTradePrice(),
		        mStock.CurrentTradeBid(), mStock.CurrentTradeAsk(), mStock.YearHigh(),
		        mStock.YearLow(),         mStock.DayHigh(),         mStock.DayLow(),
		        mStock.DividendPerShare()};
	}

	StTestHosts mHosts{TSwissQuote::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"}, {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock;
	TSwissQuote mSource;
	TStock mStock;
};

TEST_F(TSwissQuoteTest, TablePageGivesEveryRowValueAndTheHeadlines)
{
	ASSERT_TRUE(Parse(LoadPage("SwissQuote", "stock.html")));
	EXPECT_EQ(AllValues(), (std::vector<float>{101.50f, 102.00f, 103.25f, 103.20f, 103.30f, 120.00f,
	                                           88.40f, 103.90f, 101.10f, 2.80f}));
	EXPECT_EQ(mStock.DayVolume(), 1234567u);
	EXPECT_EQ(Headlines(mStock),
	          (std::vector<std::string>{"Example Foods raises outlook", "Zurich shares close higher"}));
}

TEST_F(TSwissQuoteTest, VolumeAndValuesAsShown)
{
	const std::string page = LoadPage("SwissQuote", "stock.html");
	struct tCase {
		const char* shown;
		UInt32 volume;
	};
	const tCase cases[] = {
	    {"987654", 987654u}, {"5'000'000'000", 4294967295u}, {"N/A", 0u}, {"-", 0u}, {"", 0u},
	};
	for (const tCase& c : cases) {
		ASSERT_TRUE(Parse(Replace(page, "1'234'567", c.shown))) << c.shown;
		EXPECT_EQ(mStock.DayVolume(), c.volume) << c.shown;
		EXPECT_FLOAT_EQ(mStock.YesterdayClose(), 101.50f) << c.shown;
	}

	ASSERT_TRUE(Parse(Replace(page, "103.20", "N/A")));
	EXPECT_EQ(mStock.CurrentTradeBid(), kNoValue);
	EXPECT_FLOAT_EQ(mStock.CurrentTradeAsk(), 103.30f);
}

TEST_F(TSwissQuoteTest, PageWithoutTheWholeAnchorChainIsRefused)
{
	const std::string page = LoadPage("SwissQuote", "stock.html");
	const std::pair<const char*, const char*> breaks[] = {
	    {">Prev. Close<", ">Prev Close<"},  {"<TR align", "<TR valign"},
	    {">Bid Size<", ">Bid Qty<"},        {"<TR bgcolor=\"#EEEEEE\"", "<TR class=\"odd\""},
	    {">52 Weeks high<", ">Year high<"}, {"<TR bgcolor=\"#FFFFFF\"", "<TR class=\"even\""},
	    {">Dividend<", ">Distribution<"},   {"<TR ALIGN", "<TR VALIGN"},
	};
	for (const auto& [anchor, replacement] : breaks) {
		mStock.CurrentTradePrice(1.0f);
		EXPECT_FALSE(Parse(Replace(page, anchor, replacement))) << anchor;
		for (float value : AllValues())
			EXPECT_EQ(value, kNoValue) << anchor;
		EXPECT_EQ(mStock.DayVolume(), 0u) << anchor;
		EXPECT_EQ(mStock.GetNewsList()->Count(), 0) << anchor;
	}
	std::string empty;
	EXPECT_FALSE(mSource.StockDetail(empty.data(), 0, &mStock));
}

TEST_F(TSwissQuoteTest, NewsNeedsTheHeadingAndTwoTables)
{
	const std::string page = LoadPage("SwissQuote", "stock.html");
	std::string copy = page;
	TStock other;
	EXPECT_TRUE(mSource.News(copy.data(), long(copy.size()), &other));
	EXPECT_EQ(other.GetNewsList()->Count(), 2);

	const std::string cases[] = {
	    Replace(page, ">Latest News<", ">Latest Views<"),
	    Replace(page, "<TABLE>\n<TR><TD><A", "<DIV>\n<TR><TD><A"),
	};
	for (std::string c : cases) {
		TStock none;
		EXPECT_FALSE(mSource.News(c.data(), long(c.size()), &none));
		EXPECT_EQ(none.GetNewsList()->Count(), 0);
	}
}

TEST_F(TSwissQuoteTest, TradeDateReader)
{
	struct tCase {
		const char* text;
		bool read;
		int year, month, day, hour, minute;
	};
	const tCase cases[] = {
	    {"Dec. 4 2026 17:30 CET", true, 2026, 12, 4, 17, 30},
	    {"Nov 30 2025 9:05 CET", true, 2025, 11, 30, 9, 5},
	    {"Dec 4 2026 17:30", false, 0, 0, 0, 0, 0},
	    {"Feb 30 2026 17:30 CET", false, 0, 0, 0, 0, 0},
	    {"Dec 4 2026 closed CET", false, 0, 0, 0, 0, 0},
	    {"Week 4 2026 17:30 CET", false, 0, 0, 0, 0, 0},
	};
	for (const tCase& c : cases) {
		std::string text = c.text;
		TVyDate date;
		TVyDate::SetUndefinedDateTime(date);
		ASSERT_EQ(TSwissQuote::ExtractDate(text.data(), long(text.size()), &date, true), c.read)
		    << c.text;
		if (!c.read) {
			EXPECT_TRUE(TVyDate::IsUndefinedDate(date)) << c.text;
			continue;
		}
		EXPECT_EQ(date.GetYear(), c.year) << c.text;
		EXPECT_EQ(date.GetMonth(), c.month) << c.text;
		EXPECT_EQ(date.GetDay(), c.day) << c.text;
		EXPECT_EQ(date.GetHour(), c.hour) << c.text;
		EXPECT_EQ(date.GetMinute(), c.minute) << c.text;
		EXPECT_EQ(date.GetSecond(), 0) << c.text;
	}
}

TEST_F(TSwissQuoteTest, AddressesOfAZurichStock)
{
	mStock.SecuritySymbol("NESN");
	char host[64] = "junk", path[64] = "junk";
	mSource.GetURL(urlQuotePage, &mStock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "quotes.test");
	EXPECT_STREQ(path, "/fcgi-bin/stockfquote?symbols=NESN");
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	EXPECT_STREQ(path, "");

	mStock.SecuritySymbol("NESN N");
	mSource.GetPageDetailed(path, sizeof path, &mStock);
	EXPECT_STREQ(path, "/fcgi-bin/stockfquote?symbols=NESN%20N");

	TFund fund;
	fund.SecuritySymbol("FUND");
	mSource.GetPageDetailed(path, sizeof path, &fund);
	EXPECT_STREQ(path, "");
	char url[32] = "junk";
	char text[] = "nestle";
	mSource.GetLookup(securityStock, text, 1, url, sizeof url);
	EXPECT_STREQ(url, "");
}

TEST_F(TSwissQuoteTest, ZurichStocksGoToItWhateverTheEuropeanDefault)
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	TQuoterManager::InitQuoterManager();
	ASSERT_NE(TQuoterManager::GetQuoterBySignature(TSwissQuote::kSignature), nullptr);
	EXPECT_EQ(TQuoterManager::GetQuoterSig(&mStock), TSwissQuote::kSignature);
	EXPECT_NE(TQuoterManager::EuropeanQuoter(), TSwissQuote::kSignature);
	// Offered in the Zurich menu only: its features carry none of the kind bits.
	const std::vector<std::string> zurich = TQuoterManager::GetMenuTexts(tStockExchange(307));
	EXPECT_NE(std::find(zurich.begin(), zurich.end(), "SwissQuote"), zurich.end());
	const std::vector<std::string> london = TQuoterManager::GetMenuTexts(tStockExchange(300));
	EXPECT_EQ(std::find(london.begin(), london.end(), "SwissQuote"), london.end());
	const std::vector<std::string> funds = TQuoterManager::GetMenuTexts(securityFund, false);
	EXPECT_EQ(std::find(funds.begin(), funds.end(), "SwissQuote"), funds.end());
	TQuoterManager::FinishQuoterManager();
}

TEST_F(TSwissQuoteTest, RowOfTheFamilyTable)
{
	ExpectSourceRow(
	    mSource, {TSwissQuote::kSignature, "SwissQuote", 599, 0x4, 1.0f, {307, 0, 0, 0, 0, 0, 0}, "SN"});
}

} // namespace
