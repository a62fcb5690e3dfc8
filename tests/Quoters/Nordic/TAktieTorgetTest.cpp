#include "Quoters/Nordic/TAktieTorget.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

constexpr float N = kNoValue;

class TAktieTorgetTest : public modeltest::ModelFixture
{
protected:
	StTestHosts mHosts{
	    TAktieTorget::kSignature,
	    {{TQuoterHosts::hostQuote, "akti.test"}, {TQuoterHosts::hostHome, "www.akti.test"}}};
	TAktieTorget mSource;
};

TEST_F(TAktieTorgetTest, OverviewPageOfTheInstrument)
{
	TStock stock;
	stock.SecuritySymbol("4711");
	stock.Exchange(851);
	char host[64];
	char path[128];
	mSource.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "akti.test");
	EXPECT_STREQ(path, "/IR_Overview.aspx?Language=2&InstrumentID=4711");
	stock.SecuritySymbol("47 11");
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/IR_Overview.aspx?Language=2&InstrumentID=47%2011");

	TIndex index;
	index.SecuritySymbol("OMX");
	mSource.GetPageDetailed(path, sizeof path, &index);
	EXPECT_STREQ(path, "");
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://www.akti.test");
	char url[32] = "stale";
	mSource.GetLookup(securityStock, const_cast<char*>("x"), 1, url, sizeof url);
	EXPECT_STREQ(url, "");
}

TEST_F(TAktieTorgetTest, BracketedChangeIsAFall)
{
	std::vector<char> page = ReadPage("Nordic", "aktietorget_stock.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(10.00f, stock.CurrentTradePrice());
	EXPECT_QUOTE(10.00f, stock.DayOpen());
	EXPECT_QUOTE(10.50f, stock.YesterdayClose());
	// Only from the trading table, not from the tables before or after it.
	EXPECT_QUOTE(10.60f, stock.DayHigh());
	EXPECT_QUOTE(9.90f, stock.DayLow());
	EXPECT_EQ(stock.DayVolume(), 12500u);
	EXPECT_QUOTE(N, stock.CurrentTradeBid());

	// News item links keep their query up to the first "&" inside the link, on the quote host.
	const std::vector<tHeadline> expected = {{"Rights issue", "http://akti.test/NewsItem.aspx?NewsID=42"},
	                                         {"Annual report", "http://akti.test/newsitem.aspx?NewsID=7"},
	                                         {"Press release", "http://press.example.com/release.html"},
	                                         {"Prospectus", "http://akti.test/Documents/Prospectus.pdf"}};
	EXPECT_EQ(HeadlineLinks(stock), expected);
}

TEST_F(TAktieTorgetTest, PlainChangeAndMissingValues)
{
	std::vector<char> page = ReadPage("Nordic", "aktietorget_rise.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(4.25f, stock.CurrentTradePrice());
	EXPECT_QUOTE(4.00f, stock.YesterdayClose());
	EXPECT_QUOTE(N, stock.DayHigh());
	EXPECT_EQ(stock.DayVolume(), 0u);
	EXPECT_FALSE(mSource.News(page.data(), long(page.size()), &stock));

	struct tCase {
		const char* text;
		bool parsed;
		float price, close;
	};
	const tCase kCases[] = {
	    // A change that cannot be read is not turned, and gives no close.
	    {"<td>+/-</td><td>(N/A)</td><td>Last</td><td>3.00</td>", true, 3.00f, N},
	    {"<td>+/-</td><td>(0.10)</td><td>Last</td><td>N/A</td>", true, N, N},
	    {"<td>Change</td><td>(0.10)</td><td>Last</td><td>3.00</td>", false, N, N},
	    {"", false, N, N},
	};
	for (const tCase& c : kCases) {
		std::vector<char> p = Page(c.text);
		EXPECT_EQ(mSource.StockDetail(p.data(), long(p.size()), &stock), c.parsed) << c.text;
		EXPECT_QUOTE(c.price, stock.CurrentTradePrice());
		EXPECT_QUOTE(c.close, stock.YesterdayClose());
	}

	TFund fund;
	EXPECT_FALSE(mSource.FundDetail(page.data(), long(page.size()), &fund));
}

TEST_F(TAktieTorgetTest, RowOfTheFamilyTable)
{
	ExpectSourceRow(mSource, {TAktieTorget::kSignature, "AktieTorget", 599, 0, 1.0f, {851}, "SN"});
}

} // namespace
