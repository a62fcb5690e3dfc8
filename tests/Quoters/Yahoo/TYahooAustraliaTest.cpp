#include "Quoters/Yahoo/TYahooAustralia.h"

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

class TYahooAustraliaTest : public modeltest::ModelFixture
{
protected:
	TYahooAustraliaTest() : mClock(1000, kNowMilliseconds)
	{
		mStock.Exchange(400);
		mStock.SecuritySymbol("EXM");
	}

	bool Parse(std::string page) { return mSource.StockDetail(page.data(), long(page.size()), &mStock); }
	bool Lookup(std::string page, RecordingLookupList& list, bool& more)
	{
		return mSource.Lookup(page.data(), long(page.size()), &list, securityStock, more);
	}
	std::string SearchURL(const char* text, int page)
	{
		std::string typed = text;
		char url[128] = "junk";
		mSource.GetLookup(securityStock, typed.data(), page, url, sizeof url);
		return url;
	}

	StTestHosts mHosts{
	    TYahooAustralia::kSignature,
	    {{TQuoterHosts::hostQuote, "quotes.test"}, {TQuoterHosts::hostLookup, "search.test"}}};
	StTestClock mClock;
	TYahooAustralia mSource;
	TStock mStock;
};

TEST_F(TYahooAustraliaTest, StockPageGivesEveryFigureAndTheTradeTime)
{
	ASSERT_TRUE(Parse(LoadPage("Yahoo", "au_stock.html")));
	EXPECT_FLOAT_EQ(mStock.CurrentTradePrice(), 45.67f);
	EXPECT_FLOAT_EQ(mStock.CurrentTradeBid(), 45.65f);
	EXPECT_FLOAT_EQ(mStock.CurrentTradeAsk(), 45.70f);
	EXPECT_FLOAT_EQ(mStock.YesterdayClose(), 45.00f);
	EXPECT_FLOAT_EQ(mStock.DayOpen(), 45.10f);
	EXPECT_EQ(mStock.DayVolume(), 8765432u);
	EXPECT_FLOAT_EQ(mStock.DayLow(), 44.90f);
	EXPECT_FLOAT_EQ(mStock.DayHigh(), 45.80f);
	EXPECT_FLOAT_EQ(mStock.YearLow(), 30.25f); // from the "52-week Range" fallback
	EXPECT_FLOAT_EQ(mStock.YearHigh(), 50.00f);
	EXPECT_FLOAT_EQ(mStock.EarningsPerShare(), 3.21f);
	EXPECT_FLOAT_EQ(mStock.PriceEarningsRatio(), 14.23f);
	EXPECT_FLOAT_EQ(mStock.DividendPerShare(), 1.60f);
	const TVyDate* traded = mStock.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetDay(), 7);
	EXPECT_EQ(traded->GetHour(), 16);
	EXPECT_EQ(traded->GetMinute(), 10);
	EXPECT_EQ(Headlines(mStock), (std::vector<std::string>{"Ore prices firm"}));
}

TEST_F(TYahooAustraliaTest, TradeTimeStandsTwoLinesBelowTheLastTrade)
{
	const std::string page = LoadPage("Yahoo", "au_stock.html");
	// One line further down, the second line holds the label's row, not a time.
	ASSERT_TRUE(Parse(Replace(page, "<tr><th>Trade Time:</th>\n", "<tr><th>Trade Time:</th>\n\n")));
	EXPECT_TRUE(TVyDate::IsUndefinedDate(mStock.CurrentTradeUpdate()));
	ASSERT_TRUE(Parse(Replace(page, "<td>4:10PM</td>", "<td>12/05</td>")));
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetMonth(), 12);
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetDay(), 5);
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetHour(), 0);
}

TEST_F(TYahooAustraliaTest, PagesThatDoNotKnowTheSymbol)
{
	const std::string page = LoadPage("Yahoo", "au_stock.html");
	const std::string cases[] = {
	    Replace(page, "<h1>", "<p><b>No matches found.</b></p><h1>"),
	    Replace(page, "<h1>", "<p>cannot find <B>exm</B></p><h1>"),
	};
	for (const std::string& c : cases) {
		EXPECT_FALSE(Parse(c));
		EXPECT_EQ(mStock.CurrentTradePrice(), kNoValue);
		EXPECT_EQ(mStock.GetNewsList()->Count(), 0);
	}
	// Another symbol's sentence does not matter.
	EXPECT_TRUE(Parse(Replace(page, "<h1>", "<p>Cannot find <b>EXMX</b></p><h1>")));
	EXPECT_FALSE(Parse(""));
}

TEST_F(TYahooAustraliaTest, FundsAndIndexesAreOfferedButNotParsed)
{
	EXPECT_TRUE(mSource.HasFeature(kQuoterFeatureFunds));
	EXPECT_TRUE(mSource.HasFeature(kQuoterFeatureIndexes));
	std::string page = LoadPage("Yahoo", "au_stock.html");
	TFund fund;
	fund.CurrentTradePrice(2.0f);
	EXPECT_FALSE(mSource.FundDetail(page.data(), long(page.size()), &fund));
	EXPECT_FLOAT_EQ(fund.CurrentTradePrice(), 2.0f);
	TIndex index;
	EXPECT_FALSE(mSource.IndexDetail(page.data(), long(page.size()), &index));
}

TEST_F(TYahooAustraliaTest, LookupRowsTakeTheirExchangeFromTheSuffix)
{
	RecordingLookupList list;
	bool more = false;
	const std::string page = LoadPage("Yahoo", "au_lookup.html");
	ASSERT_TRUE(Lookup(page, list, more));
	EXPECT_TRUE(more);
	struct tRow {
		const char* symbol;
		const char* name;
		tStockExchange exchange;
	};
	const tRow expected[] = {{"EXM", "Example Mining Ltd", 400},
	                         {"KWI", "Kiwi Minerals & Co", 401},
	                         {"MIN", "Minex Corp", 900}};
	ASSERT_EQ(list.rows.size(), std::size(expected));
	for (size_t i = 0; i < std::size(expected); i++) {
		EXPECT_STREQ(list.rows[i].symbol, expected[i].symbol);
		EXPECT_STREQ(list.rows[i].name, expected[i].name);
		EXPECT_EQ(list.rows[i].exchange, expected[i].exchange) << expected[i].symbol;
		EXPECT_EQ(list.rows[i].quoter, TYahooAustralia::kSignature);
	}

	RecordingLookupList last;
	ASSERT_TRUE(Lookup(Replace(page, "Display Next 200 Matches", "Back to the start"), last, more));
	EXPECT_FALSE(more);
	EXPECT_EQ(last.rows.size(), 3u);

	RecordingLookupList none;
	more = true;
	EXPECT_FALSE(Lookup(Replace(page, "Symbol search for ", "Search for "), none, more));
	EXPECT_FALSE(more);
	EXPECT_TRUE(none.rows.empty());
}

TEST_F(TYahooAustraliaTest, SearchPagesOfTwoHundredRows)
{
	EXPECT_EQ(SearchURL("bhp", 1), "http://search.test/l?s=bhp");
	EXPECT_EQ(SearchURL("bhp", 0), "http://search.test/l?s=bhp");
	EXPECT_EQ(SearchURL("bhp", 2), "http://search.test/l?s=bhp&m=201");
	EXPECT_EQ(SearchURL("bhp", 3), "http://search.test/l?s=bhp&m=401");
	EXPECT_EQ(SearchURL("a&b c", 1), "http://search.test/l?s=a%26b%20c");
	std::string typed = "mining";
	char small[20];
	mSource.GetLookup(securityStock, typed.data(), 1, small, sizeof small);
	EXPECT_STREQ(small, "http://search.test/");
}

TEST_F(TYahooAustraliaTest, QuotePathCarriesTheSuffix)
{
	char host[64], path[64];
	mSource.GetURL(urlQuotePage, &mStock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "quotes.test");
	EXPECT_STREQ(path, "/q?s=EXM.AX&d=t");
}

} // namespace
