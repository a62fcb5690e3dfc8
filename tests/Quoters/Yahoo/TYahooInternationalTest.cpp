#include "Quoters/Yahoo/TYahooInternational.h"

#include "Quoters/TQuoterHosts.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

class TYahooInternationalTest : public modeltest::ModelFixture
{
protected:
	TYahooInternationalTest() : mClock(1000, kNowMilliseconds) {}

	static std::string Page(const char* name) { return LoadPage("Yahoo", name); }

	StTestHosts mHosts{TYahooInternational::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"},
	                    {TQuoterHosts::hostLookup, "search.test"},
	                    {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock;
	TYahooInternational mSource;
};

TEST_F(TYahooInternationalTest, StockPageFromItsAnchorWithFallbackLabels)
{
	TStock stock;
	stock.Exchange(502);
	stock.SecuritySymbol("D05");
	std::string page = Page("int_stock.html");
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_FLOAT_EQ(stock.CurrentTradePrice(), 12.34f); // not the 999.00 above the anchor
	EXPECT_FLOAT_EQ(stock.YesterdayClose(), 12.00f);
	EXPECT_FLOAT_EQ(stock.DayOpen(), 12.10f);
	EXPECT_FLOAT_EQ(stock.CurrentTradeBid(), 12.30f);
	EXPECT_FLOAT_EQ(stock.CurrentTradeAsk(), 12.35f);
	EXPECT_EQ(stock.DayVolume(), 3456789u);
	EXPECT_FLOAT_EQ(stock.DayLow(), 12.05f);
	EXPECT_FLOAT_EQ(stock.DayHigh(), 12.40f);
	EXPECT_FLOAT_EQ(stock.YearLow(), 9.50f);
	EXPECT_FLOAT_EQ(stock.YearHigh(), 14.20f);
	EXPECT_FLOAT_EQ(stock.EarningsPerShare(), 1.05f);
	EXPECT_FLOAT_EQ(stock.PriceEarningsRatio(), 11.75f);
	EXPECT_FLOAT_EQ(stock.DividendPerShare(), 0.48f);

	const TVyDate* traded = stock.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetYear(), 2026);
	EXPECT_EQ(traded->GetMonth(), 12);
	EXPECT_EQ(traded->GetDay(), 7);
	EXPECT_EQ(traded->GetHour(), 16);
	EXPECT_EQ(traded->GetMinute(), 5);
	EXPECT_EQ(Headlines(stock),
	          (std::vector<std::string>{"Example Bank lifts profit", "Singapore shares edge up"}));
}

TEST_F(TYahooInternationalTest, PenceExchangeScalesAllButVolumeAndRatio)
{
	TStock stock;
	stock.Exchange(300);
	stock.SecuritySymbol("D05");
	std::string page = Replace(Page("int_stock.html"), "<tr><th>Bid:</th><td>12.30</td></tr>", "");
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_FLOAT_EQ(stock.CurrentTradePrice(), 0.1234f);
	EXPECT_FLOAT_EQ(stock.YearHigh(), 0.142f);
	EXPECT_FLOAT_EQ(stock.DividendPerShare(), 0.0048f);
	EXPECT_EQ(stock.CurrentTradeBid(), kNoValue);
	EXPECT_EQ(stock.DayVolume(), 3456789u);
	EXPECT_FLOAT_EQ(stock.PriceEarningsRatio(), 11.75f);
}

TEST_F(TYahooInternationalTest, UnknownSymbolFailsStocksAndIndexes)
{
	std::string page = Page("int_stock_unknown.html");
	TStock stock;
	stock.SecuritySymbol("ZZZ9");
	stock.Exchange(650);
	EXPECT_FALSE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_EQ(stock.CurrentTradePrice(), kNoValue);
	TIndex index;
	index.SecuritySymbol("ZZZ9");
	EXPECT_FALSE(mSource.IndexDetail(page.data(), long(page.size()), &index));

	// Another symbol's look-up sentence does not matter.
	stock.SecuritySymbol("ZZZ");
	EXPECT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_FLOAT_EQ(stock.CurrentTradePrice(), 1.00f);

	std::string empty;
	EXPECT_FALSE(mSource.StockDetail(empty.data(), 0, &stock));
	EXPECT_FALSE(mSource.IndexDetail(empty.data(), 0, &index));
}

TEST_F(TYahooInternationalTest, IndexPageFallsBackToTheYearToDateRange)
{
	TIndex index;
	index.SecuritySymbol("^EXC");
	std::string page = Page("int_index.html");
	ASSERT_TRUE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_FLOAT_EQ(index.CurrentTradePrice(), 2345.67f);
	EXPECT_FLOAT_EQ(index.YesterdayClose(), 2300.00f);
	EXPECT_FLOAT_EQ(index.DayOpen(), 2310.50f);
	EXPECT_FLOAT_EQ(index.DayLow(), 2290.00f);
	EXPECT_FLOAT_EQ(index.DayHigh(), 2350.00f);
	EXPECT_FLOAT_EQ(index.YearLow(), 100.5f);
	EXPECT_FLOAT_EQ(index.YearHigh(), 120.25f);
	const TVyDate* traded = index.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetMonth(), 12);
	EXPECT_EQ(traded->GetDay(), 4);
	EXPECT_EQ(traded->GetHour(), 0);
	EXPECT_EQ(traded->GetMinute(), 0);
	EXPECT_EQ(Headlines(index), (std::vector<std::string>{"Composite at a record"}));

	// The 52-week range, when shown, comes first.
	std::string week = Replace(page, "<tr><td>YTD Range:",
	                           "<tr><td>52-wk Range:</td><td>90.00 - 130.00</td></tr>\n"
	                           "<tr><td>YTD Range:");
	ASSERT_TRUE(mSource.IndexDetail(week.data(), long(week.size()), &index));
	EXPECT_FLOAT_EQ(index.YearLow(), 90.00f);
	EXPECT_FLOAT_EQ(index.YearHigh(), 130.00f);
}

TEST_F(TYahooInternationalTest, FundPageReadsTheBoldNetAssetValue)
{
	TFund fund;
	fund.SecuritySymbol("EXAGF");
	std::string page = Page("int_fund.html");
	ASSERT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
	EXPECT_FLOAT_EQ(fund.CurrentTradePrice(), 15.25f);
	EXPECT_FLOAT_EQ(fund.YesterdayClose(), 15.10f);
	EXPECT_EQ(Headlines(fund), (std::vector<std::string>{"Asian funds draw money"}));

	// A fund page is taken even without its anchor or its figures.
	std::string bare = "<html><body>Nothing here</body></html>";
	EXPECT_TRUE(mSource.FundDetail(bare.data(), long(bare.size()), &fund));
	EXPECT_EQ(fund.CurrentTradePrice(), kNoValue);
}

TEST_F(TYahooInternationalTest, QuotePathsCarryTheExchangeSuffix)
{
	struct tCase {
		tStockExchange exchange;
		const char* symbol;
		const char* path;
	};
	const tCase cases[] = {
	    {502, "D05", "/q?s=D05.SI&d=t"},           {400, "BHP", "/q?s=BHP.AX&d=t"},
	    {350, "TEVA", "/q?s=TEVA.TA&d=t"},         {900, "XYZ", "/q?s=XYZ&d=t"},
	    {501, "0005 HK", "/q?s=0005%20HK.HK&d=t"},
	};
	for (const tCase& c : cases) {
		TStock stock;
		stock.Exchange(c.exchange);
		stock.SecuritySymbol(c.symbol);
		char host[64] = "junk", path[64] = "junk";
		mSource.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(host, "quotes.test") << c.symbol;
		EXPECT_STREQ(path, c.path) << c.symbol;
	}
	TFund fund;
	fund.SecuritySymbol("EXAGF");
	char path[64] = "junk";
	mSource.GetPageDetailed(path, sizeof path, &fund);
	EXPECT_STREQ(path, "");

	char host[64] = "junk";
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	mSource.GetURL(urlNewsPage, &fund, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
}

TEST_F(TYahooInternationalTest, SearchUsesTheUSSearchOnItsOwnHost)
{
	char url[128];
	char text[] = "bank";
	mSource.GetLookup(securityStock, text, 3, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/lookup?m=&s=bank&t=S&b=100");

	std::string page = LoadPage("Yahoo", "int_lookup.html");
	RecordingLookupList list;
	bool more = true;
	ASSERT_TRUE(mSource.Lookup(page.data(), long(page.size()), &list, securityStock, more));
	EXPECT_FALSE(more);
	ASSERT_EQ(list.rows.size(), 2u);
	EXPECT_STREQ(list.rows[0].symbol, "D05");
	EXPECT_EQ(list.rows[0].exchange, 502);
	EXPECT_STREQ(list.rows[1].symbol, "TEVA");
	EXPECT_EQ(list.rows[1].exchange, 350);
	for (const tLookupEntry& row : list.rows)
		EXPECT_EQ(row.quoter, TYahooInternational::kSignature) << row.symbol;
}

} // namespace
