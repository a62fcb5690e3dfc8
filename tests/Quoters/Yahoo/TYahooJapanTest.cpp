#include "Quoters/Yahoo/TYahooJapan.h"

#include "Quoters/TQuoterHosts.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
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

class TYahooJapanTest : public modeltest::ModelFixture
{
protected:
	TYahooJapanTest() : mClock(1000, kNowMilliseconds)
	{
		mStock.Exchange(500);
		mStock.SecuritySymbol("7203");
	}

	bool Parse(std::string page) { return mSource.StockDetail(page.data(), long(page.size()), &mStock); }
	// The page with another text under the price label, where the trade time is read.
	static std::string WithTime(const std::string& shown)
	{
		return Replace(LoadPage("Yahoo", "jp_stock.html"), "<small>15.00</small>",
		               "<small>" + shown + "</small>");
	}

	StTestHosts mHosts{TYahooJapan::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"},
	                    {TQuoterHosts::hostLookup, "search.test"},
	                    {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock;
	TYahooJapan mSource;
	TStock mStock;
};

TEST_F(TYahooJapanTest, StockPageGivesEveryFigureButNoHeadlines)
{
	ASSERT_TRUE(Parse(LoadPage("Yahoo", "jp_stock.html")));
	EXPECT_FLOAT_EQ(mStock.CurrentTradePrice(), 5120.0f);
	EXPECT_FLOAT_EQ(mStock.YesterdayClose(), 5080.0f);
	EXPECT_EQ(mStock.DayVolume(), 12345600u); // two lines below its label
	EXPECT_FLOAT_EQ(mStock.DayOpen(), 5090.0f);
	EXPECT_FLOAT_EQ(mStock.DayHigh(), 5150.0f);
	EXPECT_FLOAT_EQ(mStock.DayLow(), 5070.0f);
	EXPECT_FLOAT_EQ(mStock.DividendPerShare(), 90.0f);
	EXPECT_FLOAT_EQ(mStock.PriceEarningsRatio(), 12.5f);
	EXPECT_FLOAT_EQ(mStock.EarningsPerShare(), 410.25f);
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetHour(), 15);
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetMinute(), 0);
	EXPECT_EQ(mStock.CurrentTradeUpdate()->GetDay(), 7);
	EXPECT_EQ(mStock.GetNewsList()->Count(), 0);
}

TEST_F(TYahooJapanTest, ValueThreeLinesBelowItsLabelIsNotRead)
{
	ASSERT_TRUE(
	    Parse(Replace(LoadPage("Yahoo", "jp_stock.html"), "<td>\n12,345,600", "<td>\n\n12,345,600")));
	EXPECT_EQ(mStock.DayVolume(), 0u);
	EXPECT_FLOAT_EQ(mStock.DayOpen(), 5090.0f);
}

TEST_F(TYahooJapanTest, PageWithoutLabelsOrAnchor)
{
	ASSERT_TRUE(Parse("<html><body>Maintenance</body></html>"));
	EXPECT_EQ(mStock.CurrentTradePrice(), kNoValue);
	EXPECT_EQ(mStock.YesterdayClose(), kNoValue);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(mStock.CurrentTradeUpdate()));
	EXPECT_FALSE(Parse(""));
}

TEST_F(TYahooJapanTest, TradeTimeUnderThePrice)
{
	struct tCase {
		const char* shown;
		bool read;
		int month, day, hour, minute;
	};
	const tCase cases[] = {
	    {"15.00", true, 12, 7, 15, 0},          {"9:05", true, 12, 7, 9, 5},
	    {"15:00 12/25", true, 12, 25, 15, 0},   {"10.30 3-Nov", true, 11, 3, 10, 30},
	    {"11:15 30 Nov", true, 11, 30, 11, 15}, {"11:15 31 Nov", false, 0, 0, 0, 0},
	    {"15:00 25/12", false, 0, 0, 0, 0},     {"15:00 12/25 a b", false, 0, 0, 0, 0},
	    {"closed", false, 0, 0, 0, 0},          {"15:00 x Dec", false, 0, 0, 0, 0},
	};
	for (const tCase& c : cases) {
		ASSERT_TRUE(Parse(WithTime(c.shown))) << c.shown;
		const TVyDate* traded = mStock.CurrentTradeUpdate();
		if (!c.read) {
			EXPECT_TRUE(TVyDate::IsUndefinedDate(traded)) << c.shown;
			continue;
		}
		EXPECT_EQ(traded->GetYear(), 2026) << c.shown;
		EXPECT_EQ(traded->GetMonth(), c.month) << c.shown;
		EXPECT_EQ(traded->GetDay(), c.day) << c.shown;
		EXPECT_EQ(traded->GetHour(), c.hour) << c.shown;
		EXPECT_EQ(traded->GetMinute(), c.minute) << c.shown;
		EXPECT_EQ(traded->GetSecond(), 0) << c.shown;
	}
}

TEST_F(TYahooJapanTest, HeadlinesBetweenTheTimeStampAndTheTableEnd)
{
	std::string page = LoadPage("Yahoo", "jp_stock.html");
	ASSERT_TRUE(mSource.News(page.data(), long(page.size()), &mStock));
	const std::vector<std::string> headlines = Headlines(mStock);
	ASSERT_EQ(headlines.size(), 2u);
	EXPECT_EQ(headlines[1], "Tokyo shares rise");

	for (const char* marker : {"<!-- Yahoo TimeStamp:", "</table>\n</body>"}) {
		TStock other;
		std::string broken = Replace(page, marker, "<hr>");
		EXPECT_FALSE(mSource.News(broken.data(), long(broken.size()), &other)) << marker;
		EXPECT_EQ(other.GetNewsList()->Count(), 0) << marker;
	}
}

TEST_F(TYahooJapanTest, LookupRowsAreTokyoStocks)
{
	std::string page = LoadPage("Yahoo", "jp_lookup.html");
	RecordingLookupList list;
	bool more = true;
	ASSERT_TRUE(mSource.Lookup(page.data(), long(page.size()), &list, securityStock, more));
	EXPECT_FALSE(more);
	ASSERT_EQ(list.rows.size(), 2u);
	EXPECT_STREQ(list.rows[0].symbol, "7203");
	EXPECT_STREQ(list.rows[0].name, "Toyota Motor");
	EXPECT_STREQ(list.rows[1].symbol, "7267");
	for (const tLookupEntry& row : list.rows) {
		EXPECT_EQ(row.exchange, 500);
		EXPECT_EQ(row.quoter, TYahooJapan::kSignature);
	}

	// The second brand mark is needed before the table.
	std::string once = Replace(page, "<span>Yahoo! ", "<span>");
	RecordingLookupList none;
	EXPECT_FALSE(mSource.Lookup(once.data(), long(once.size()), &none, securityStock, more));
	EXPECT_TRUE(none.rows.empty());
}

TEST_F(TYahooJapanTest, Addresses)
{
	char host[64], path[64];
	mSource.GetURL(urlQuotePage, &mStock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "quotes.test");
	EXPECT_STREQ(path, "/q?s=7203.T&d=t");
	mSource.GetURL(urlHomePage, &mStock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	TFund fund;
	fund.SecuritySymbol("7203");
	mSource.GetPageDetailed(path, sizeof path, &fund);
	EXPECT_STREQ(path, "");

	char url[128];
	std::string text = "toyota";
	mSource.GetLookup(securityStock, text.data(), 2, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/l?s=toyota&m=201");

	EXPECT_TRUE(mSource.HasFeature(kQuoterFeatureLookup));
	EXPECT_FALSE(
	    mSource.HasFeature(kQuoterFeatureFunds | kQuoterFeatureIndexes | kQuoterFeatureCurrencies));
	EXPECT_TRUE(mSource.ServesExchange(500));
	EXPECT_STREQ(mSource.GetName(), "Yahoo! Japan");
}

} // namespace
