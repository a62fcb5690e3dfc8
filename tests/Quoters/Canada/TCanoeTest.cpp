#include "Quoters/Canada/TCanoe.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

constexpr float N = kNoValue;

class TCanoeTest : public modeltest::ModelFixture
{
protected:
	StTestHosts mHosts{
	    TCanoe::kSignature,
	    {{TQuoterHosts::hostQuote, "canoe.test"}, {TQuoterHosts::hostHome, "www.canoe.test"}}};
	StTestClock mClock; // 2001-09-09 01:46:40 UTC
	TCanoe mSource;
};

TEST_F(TCanoeTest, PathsByKindAndMarket)
{
	struct tCase {
		tSecurityType type;
		const char* symbol;
		tStockExchange exchange;
		const char* host;
		const char* path;
	};
	const tCase kCases[] = {
	    {securityStock, "XYZ", 101, "canoe.test", "/quotes/index.html?marketsymbol=us%3BXYZ"},
	    {securityStock, "ABC", 200, "canoe.test", "/quotes/index.html?marketsymbol=ca%3BABC"},
	    {securityStock, "ABC.UN", 205, "canoe.test", "/quotes/index.html?marketsymbol=ca%3BABC.UN"},
	    {securityStock, "A;B", 100, "canoe.test", "/quotes/index.html?marketsymbol=us%3BA%3BB"},
	    // A market the site has no code for asks for nothing.
	    {securityStock, "ABC", 300, "canoe.test", ""},
	    {securityFund, "abc123", 0, "canoe.test", "/funds/details.html?codefonds=ABC123"},
	    {securityIndex, "TSX", 0, "www.canoe.test", ""},
	};
	for (const tCase& c : kCases) {
		TStock stock;
		TFund fund;
		TIndex index;
		TSecurity* security = c.type == securityStock  ? static_cast<TSecurity*>(&stock)
		                      : c.type == securityFund ? static_cast<TSecurity*>(&fund)
		                                               : static_cast<TSecurity*>(&index);
		security->SecuritySymbol(c.symbol);
		stock.Exchange(c.exchange);
		char host[64] = "stale";
		char path[128] = "stale";
		mSource.GetURL(urlQuotePage, security, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(host, c.host) << c.symbol;
		EXPECT_STREQ(path, c.path) << c.symbol;
	}
	char url[64] = "stale";
	mSource.GetLookup(securityStock, const_cast<char*>("abc"), 1, url, sizeof url);
	EXPECT_STREQ(url, "");
}

TEST_F(TCanoeTest, StockPageReadsFarValuesOnlyWhereAllowed)
{
	std::vector<char> page = ReadPage("Canada", "canoe_stock.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(15.75f, stock.CurrentTradePrice());
	EXPECT_QUOTE(15.60f, stock.YesterdayClose());
	EXPECT_EQ(stock.DayVolume(), 98765u);
	// Any distance for the open; not for the dividend.
	EXPECT_QUOTE(15.65f, stock.DayOpen());
	EXPECT_QUOTE(N, stock.DividendPerShare());
	EXPECT_QUOTE(15.90f, stock.DayHigh());
	EXPECT_QUOTE(15.50f, stock.DayLow());
	EXPECT_QUOTE(18.00f, stock.YearHigh());
	EXPECT_QUOTE(12.00f, stock.YearLow());
	EXPECT_QUOTE(N, stock.PriceEarningsRatio());
	EXPECT_QUOTE(1.41f, stock.EarningsPerShare());
	EXPECT_QUOTE(N, stock.CurrentTradeBid());
	EXPECT_FALSE(mSource.News(page.data(), long(page.size()), &stock));
	EXPECT_FALSE(mSource.StockDetail(page.data(), 0, &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
}

TEST_F(TCanoeTest, FundCloseIsPriceLessChange)
{
	struct tCase {
		const char* page;
		float price, close, yearHigh, yearLow;
	};
	const tCase kCases[] = {
	    {"canoe_fund.html", 10.50f, 10.25f, 11.75f, 9.80f},
	    // A change not shown gives no close; a range without its second half gives neither end.
	    {"canoe_fund_na.html", 10.50f, N, N, N},
	};
	for (const tCase& c : kCases) {
		std::vector<char> page = ReadPage("Canada", c.page);
		TFund fund;
		ASSERT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund)) << c.page;
		EXPECT_QUOTE(c.price, fund.CurrentTradePrice());
		EXPECT_QUOTE(c.close, fund.YesterdayClose());
		EXPECT_QUOTE(c.yearHigh, fund.YearHigh());
		EXPECT_QUOTE(c.yearLow, fund.YearLow());
	}
}

TEST_F(TCanoeTest, DateReaderWantsATimeOnTheEleventhLine)
{
	struct tCase {
		const char* text;
		bool read;
		int hour, minute;
	};
	const tCase kCases[] = {
	    {"0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n<b>3:25 pm</b>", true, 15, 25},
	    {"0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n12:05 am", true, 0, 5},
	    {"0\n1\n2\n3\n4\n5\n6\n7\n8\n9\nclosed", false, 0, 0},
	    {"0\n1\n2\n3\n3:25 pm", false, 0, 0},
	};
	for (const tCase& c : kCases) {
		std::string text = c.text;
		TVyDate date;
		date.SetYear(1999);
		EXPECT_EQ(mSource.ExtractDate(text.data(), long(text.size()), &date, true), c.read) << c.text;
		if (!c.read) {
			EXPECT_EQ(date.GetYear(), 1999);
			continue;
		}
		EXPECT_EQ(date.GetYear(), 2001);
		EXPECT_EQ(date.GetDay(), 9);
		EXPECT_EQ(date.GetHour(), c.hour) << c.text;
		EXPECT_EQ(date.GetMinute(), c.minute) << c.text;
	}
}

TEST_F(TCanoeTest, RowOfTheFamilyTable)
{
	// The trailing zero entry is counted and matches no exchange.
	ExpectSourceRow(mSource, {TCanoe::kSignature,
	                          "Canoe Money",
	                          599,
	                          0x23,
	                          0.9f,
	                          {100, 101, 102, 200, 201, 205, 204, 0},
	                          "SF"});
}

} // namespace
