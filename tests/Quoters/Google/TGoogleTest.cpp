#include "Quoters/Google/TGoogle.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/TVyDate.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace sourcekit;

namespace
{

class TGoogleTest : public modeltest::ModelFixture
{
protected:
	TGoogleTest() : mClock(1000, kNowMilliseconds) {}

	bool ParseStock(std::string page, TStock& stock)
	{
		return mGoogle.StockDetail(page.data(), long(page.size()), &stock);
	}
	bool ParseIndex(std::string page, TIndex& index)
	{
		return mGoogle.IndexDetail(page.data(), long(page.size()), &index);
	}
	std::string Path(TSecurity& security, int size = 256)
	{
		std::string path(size, 'x');
		mGoogle.GetPageDetailed(path.data(), size, &security);
		return path.c_str();
	}

	StTestHosts mHosts{TGoogle::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"}, {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock;
	TGoogle mGoogle;
};

TEST_F(TGoogleTest, StockPageGivesEveryFigure)
{
	TStock stock;
	ASSERT_TRUE(ParseStock(LoadPage("Google", "stock.html"), stock));
	EXPECT_FLOAT_EQ(stock.CurrentTradePrice(), 125.50f);
	EXPECT_FLOAT_EQ(stock.YesterdayClose(), 124.25f);
	EXPECT_FLOAT_EQ(stock.DayLow(), 124.00f);
	EXPECT_FLOAT_EQ(stock.DayHigh(), 126.75f);
	EXPECT_FLOAT_EQ(stock.YearLow(), 98.10f);
	EXPECT_FLOAT_EQ(stock.YearHigh(), 140.00f);
	EXPECT_FLOAT_EQ(stock.DayOpen(), 124.50f);
	EXPECT_FLOAT_EQ(stock.Capitalization(), 55.30f);
	EXPECT_FLOAT_EQ(stock.PriceEarningsRatio(), 18.20f);
	EXPECT_FLOAT_EQ(stock.EarningsPerShare(), 6.90f);
	EXPECT_FLOAT_EQ(stock.DividendPerShare(), 0.40f);
	EXPECT_FLOAT_EQ(stock.Yield(), 1.25f);
	// The stock page's headlines are not collected, nor is a trade time read.
	EXPECT_EQ(stock.GetNewsList()->Count(), 0);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(stock.CurrentTradeUpdate()));
}

TEST_F(TGoogleTest, MissingPriceOrChangeLeavesThePreviousCloseUnknown)
{
	const std::string page = LoadPage("Google", "stock.html");
	struct tCase {
		const char* what;
		std::string page;
		float price;
	};
	const tCase cases[] = {
	    {"price N/A", Replace(page, "125.50", "N/A"), kNoValue},
	    {"change N/A", Replace(page, "+1.25", "N/A"), 125.50f},
	    {"no change label", Replace(page, "price-change", "price-delta"), 125.50f},
	    {"price three lines below", Replace(page, "<span class=\"pr\">", "<span class=\"pr\">\n\n"),
	     kNoValue},
	};
	for (const tCase& c : cases) {
		TStock stock;
		EXPECT_TRUE(ParseStock(c.page, stock)) << c.what;
		EXPECT_EQ(stock.CurrentTradePrice(), c.price) << c.what;
		EXPECT_EQ(stock.YesterdayClose(), kNoValue) << c.what;
		EXPECT_FLOAT_EQ(stock.DayOpen(), 124.50f) << c.what;
	}
}

TEST_F(TGoogleTest, StockPageWithoutLabelsLeavesEveryValueUnknown)
{
	TStock stock;
	stock.CurrentTradePrice(10.0f);
	stock.Capitalization(5.0f);
	EXPECT_TRUE(ParseStock("<html><body>Service unavailable</body></html>", stock));
	for (float value :
	     {stock.CurrentTradePrice(), stock.YesterdayClose(), stock.DayLow(), stock.DayHigh(),
	      stock.YearLow(), stock.YearHigh(), stock.DayOpen(), stock.Capitalization(),
	      stock.PriceEarningsRatio(), stock.EarningsPerShare(), stock.DividendPerShare(), stock.Yield()})
		EXPECT_EQ(value, kNoValue);

	std::string empty;
	stock.CurrentTradePrice(10.0f);
	EXPECT_FALSE(mGoogle.StockDetail(empty.data(), 0, &stock));
	EXPECT_EQ(stock.CurrentTradePrice(), kNoValue);
}

TEST_F(TGoogleTest, IndexPageGivesFiguresTradeTimeAndHeadlines)
{
	TIndex index;
	ASSERT_TRUE(ParseIndex(LoadPage("Google", "index.html"), index));
	EXPECT_FLOAT_EQ(index.CurrentTradePrice(), 12345.67f);
	EXPECT_FLOAT_EQ(index.YesterdayClose(), 12390.77f);
	EXPECT_FLOAT_EQ(index.DayOpen(), 12390.00f); // three lines below its label
	EXPECT_FLOAT_EQ(index.DayHigh(), 12401.25f);
	EXPECT_FLOAT_EQ(index.DayLow(), 12300.50f);
	EXPECT_EQ(index.DayVolume(), 1234567890u);
	EXPECT_EQ(index.CurrentTradeBid(), kNoValue);
	EXPECT_EQ(index.CurrentTradeAsk(), kNoValue);
	EXPECT_FLOAT_EQ(index.YearHigh(), 13000.00f);
	EXPECT_FLOAT_EQ(index.YearLow(), 10500.00f);

	const TVyDate* traded = index.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetYear(), 2026);
	EXPECT_EQ(traded->GetMonth(), 12);
	EXPECT_EQ(traded->GetDay(), 6);
	EXPECT_EQ(traded->GetHour(), 15);
	EXPECT_EQ(traded->GetMinute(), 45);
	EXPECT_EQ(traded->GetSecond(), 0);

	EXPECT_EQ(Headlines(index),
	          (std::vector<std::string>{"Stocks slip at the close", "Industrials lead the decline"}));
}

TEST_F(TGoogleTest, IndexValueFourLinesBelowItsLabelIsNotRead)
{
	TIndex index;
	const std::string page = Replace(LoadPage("Google", "index.html"), "<td class=\"key\">Open</td>\n",
	                                 "<td class=\"key\">Open</td>\n\n");
	ASSERT_TRUE(ParseIndex(page, index));
	EXPECT_EQ(index.DayOpen(), kNoValue);
	EXPECT_FLOAT_EQ(index.DayHigh(), 12401.25f);
}

TEST_F(TGoogleTest, IndexPageWithoutNumbersOrTime)
{
	TIndex index;
	const std::string page =
	    Replace(Replace(LoadPage("Google", "index.html"), "Last: <b>12,345.67</b>", "Last: <b>N/A</b>"),
	            "Last Trade: Dec", "Last Trade: Closed");
	ASSERT_TRUE(ParseIndex(page, index));
	EXPECT_EQ(index.CurrentTradePrice(), kNoValue);
	EXPECT_EQ(index.YesterdayClose(), kNoValue);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(index.CurrentTradeUpdate()));

	// Nothing at all is no update.
	std::string empty;
	EXPECT_FALSE(mGoogle.IndexDetail(empty.data(), 0, &index));
}

TEST_F(TGoogleTest, TradeTimeReadsTheTwelveHourClock)
{
	struct tCase {
		const char* text;
		bool read;
		int month, day, hour, minute;
	};
	const tCase cases[] = {
	    {"Dec 6, 2026 3:45 pm", true, 12, 6, 15, 45},    {"Dec 6, 2026 3:45PM EST", true, 12, 6, 15, 45},
	    {"Dec 6, 2026 3:45pm", true, 12, 6, 15, 45},     {"Nov 30, 2026 12:05 am", true, 11, 30, 0, 5},
	    {"Nov 30, 2026 12:30 pm", true, 11, 30, 12, 30}, {"Jan 2, 2026 9:07 AM", true, 1, 2, 9, 7},
	    {"Jan 2, 2026 16:20", true, 1, 2, 16, 20},       {"Feb 30, 2026 1:00 pm", false, 0, 0, 0, 0},
	    {"Dec 6, 2026 25:10", false, 0, 0, 0, 0},        {"Dec 6, 2026", false, 0, 0, 0, 0},
	    {"Closed 6, 2026 3:45 pm", false, 0, 0, 0, 0},   {"Dec x, 2026 3:45 pm", false, 0, 0, 0, 0},
	};
	for (const tCase& c : cases) {
		std::string text = c.text;
		TVyDate date;
		TVyDate::SetUndefinedDateTime(date);
		ASSERT_EQ(TGoogle::ExtractDate(text.data(), long(text.size()), &date, true), c.read)
		    << c.text;
		if (!c.read) {
			EXPECT_TRUE(TVyDate::IsUndefinedDate(date)) << c.text;
			continue;
		}
		EXPECT_EQ(date.GetMonth(), c.month) << c.text;
		EXPECT_EQ(date.GetDay(), c.day) << c.text;
		EXPECT_EQ(date.GetHour(), c.hour) << c.text;
		EXPECT_EQ(date.GetMinute(), c.minute) << c.text;
		EXPECT_EQ(date.GetMillisecond(), 0) << c.text;
	}
}

TEST_F(TGoogleTest, NewsNeedsBothHeadings)
{
	TStock stock;
	std::string page = LoadPage("Google", "index.html");
	EXPECT_TRUE(mGoogle.News(page.data(), long(page.size()), &stock));
	EXPECT_EQ(stock.GetNewsList()->Count(), 2);

	for (const char* heading : {"Latest news", "Older news"}) {
		TStock other;
		std::string without = Replace(page, heading, "More news");
		EXPECT_FALSE(mGoogle.News(without.data(), long(without.size()), &other)) << heading;
		EXPECT_EQ(other.GetNewsList()->Count(), 0) << heading;
	}
}

TEST_F(TGoogleTest, LookupSplitsTheExchangeOffTheSymbol)
{
	std::string page = LoadPage("Google", "lookup.html");
	RecordingLookupList list;
	bool more = false;
	ASSERT_TRUE(mGoogle.Lookup(page.data(), long(page.size()), &list, securityStock, more));
	EXPECT_TRUE(more);
	struct tRow {
		const char* name;
		const char* symbol;
		tStockExchange exchange;
	};
	const tRow expected[] = {{"Alpha Resources Corp", "ABC", 200},
	                         {"Beta & Sons", "bet", 101},
	                         {"Gamma Holdings", "GAM", 900},
	                         {"Delta Ltd", "DEL", 900},
	                         {"Epsilon Trust", "EPS", 201}};
	ASSERT_EQ(list.rows.size(), std::size(expected));
	for (size_t i = 0; i < list.rows.size(); i++) {
		EXPECT_STREQ(list.rows[i].name, expected[i].name);
		EXPECT_STREQ(list.rows[i].symbol, expected[i].symbol);
		EXPECT_EQ(list.rows[i].exchange, expected[i].exchange) << expected[i].symbol;
		EXPECT_EQ(list.rows[i].quoter, TGoogle::kSignature);
		EXPECT_EQ(list.rows[i].marked, 0);
	}
}

TEST_F(TGoogleTest, LookupWithoutItsMarkerOrFurtherPage)
{
	const std::string page = LoadPage("Google", "lookup.html");
	RecordingLookupList list;
	bool more = true;
	std::string unmarked = Replace(page, "Find out More", "Read on");
	EXPECT_FALSE(mGoogle.Lookup(unmarked.data(), long(unmarked.size()), &list, securityStock, more));
	EXPECT_FALSE(more);
	EXPECT_TRUE(list.rows.empty());

	std::string last = Replace(page, ">next<", ">back<");
	EXPECT_TRUE(mGoogle.Lookup(last.data(), long(last.size()), &list, securityStock, more));
	EXPECT_FALSE(more);
	EXPECT_EQ(list.rows.size(), 5u);
}

TEST_F(TGoogleTest, QuotePathsCarryTheMarketPrefix)
{
	struct tCase {
		tStockExchange exchange;
		const char* symbol;
		const char* path;
	};
	const tCase cases[] = {
	    {101, "ABC", "/finance?q=NASDAQ%3AABC"}, {200, "XYZ", "/finance?q=TSE%3AXYZ"},
	    {100, "IBM", "/finance?q=NYSE%3AIBM"},   {102, "AMX", "/finance?q=AMEX%3AAMX"},
	    {300, "VOD", "/finance?q=VOD"},          {101, "A&B C", "/finance?q=NASDAQ%3AA%26B%20C"},
	};
	for (const tCase& c : cases) {
		TStock stock;
		stock.Exchange(c.exchange);
		stock.SecuritySymbol(c.symbol);
		EXPECT_EQ(Path(stock), c.path) << c.symbol;
	}

	TStock longSymbol;
	longSymbol.Exchange(900);
	longSymbol.SecuritySymbol(std::string(40, 'Q').c_str());
	EXPECT_EQ(Path(longSymbol), "/finance?q=" + std::string(31, 'Q'));
	TStock cut;
	cut.Exchange(101);
	cut.SecuritySymbol("ABCDEF");
	EXPECT_EQ(Path(cut, 16), "/finance?q=NASD");

	TFund fund;
	fund.SecuritySymbol("VFINX");
	EXPECT_EQ(Path(fund), "/finance?q=NASDAQ%3AVFINX");
	TIndex index;
	index.SecuritySymbol(".DJI");
	EXPECT_EQ(Path(index), "/finance?q=INDEX.DJI");
	TCurrency currency;
	EXPECT_EQ(Path(currency), "");
}

TEST_F(TGoogleTest, AddressesByKind)
{
	TStock stock;
	stock.Exchange(101);
	stock.SecuritySymbol("ABC");
	char host[64] = "junk", path[64] = "junk";
	mGoogle.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "quotes.test");
	EXPECT_STREQ(path, "/finance?q=NASDAQ%3AABC");
	mGoogle.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	EXPECT_STREQ(path, "");
	mGoogle.GetURL(urlNewsPage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
	EXPECT_STREQ(mGoogle.GetDomain(securityIndex), "quotes.test");

	char url[64] = "junk";
	char text[] = "abc";
	mGoogle.GetLookup(securityStock, text, 1, url, sizeof url);
	EXPECT_STREQ(url, "");
}

TEST_F(TGoogleTest, RegisteredButNeverADefault)
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	TQuoterManager::InitQuoterManager();
	TQuoter* google = TQuoterManager::GetQuoterBySignature(TGoogle::kSignature);
	ASSERT_NE(google, nullptr);
	EXPECT_STREQ(google->GetName(), "Google Finance");
	EXPECT_FALSE(TQuoterManager::LookupQuoter(securityStock, TGoogle::kSignature));
	for (OSType slot : {TQuoterManager::AmericanQuoter(), TQuoterManager::CanadianQuoter(),
	                    TQuoterManager::FundQuoter(), TQuoterManager::IndexQuoter()})
		EXPECT_NE(slot, TGoogle::kSignature);
	TQuoterManager::FinishQuoterManager();
}

TEST_F(TGoogleTest, RowOfTheFamilyTable)
{
	// Its fund bit offers it for funds, but its fund parser answers false.
	ExpectSourceRow(
	    mGoogle, {TGoogle::kSignature, "Google Finance", 608, 0x113, 1.0f, {200, 100, 101, 102}, "SILN"});
}

} // namespace
