#include "Quoters/Nordic/TNordicGrowth.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

constexpr float N = kNoValue;

class TNordicGrowthTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override { mPage = ReadPage("Nordic", "ngm_market.html"); }

	StTestHosts mHosts{TNordicGrowth::kSignature, {{TQuoterHosts::hostQuote, "ngm.test"}}};
	TNordicGrowth mSource;
	std::vector<char> mPage;
};

TEST_F(TNordicGrowthTest, OneMarketPageForEveryStock)
{
	TStock stock;
	stock.SecuritySymbol("ABC");
	stock.Exchange(850);
	char host[64];
	char path[64];
	mSource.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "ngm.test");
	EXPECT_STREQ(path, "/se/WES/startdata.asp");
}

TEST_F(TNordicGrowthTest, InstrumentLineBySymbolOrId)
{
	struct tCase {
		const char* symbol;
		bool parsed;
		float bid, ask, last, close, high, low;
		UInt32 volume;
	};
	const tCase kCases[] = {
	    {"12345", true, 1.10f, 1.20f, 1.15f, 1.20f, 1.18f, 1.12f, 20000},
	    // Found on its script line, whose first argument is the id; not inside 'ABCD'.
	    {"ABC", true, 1.10f, 1.20f, 1.15f, 1.20f, 1.18f, 1.12f, 20000},
	    {"abc", true, 1.10f, 1.20f, 1.15f, 1.20f, 1.18f, 1.12f, 20000},
	    // 123 is not the start of 1234, and 1234 is not the variable before the table.
	    {"123", true, 0.50f, 0.55f, 0.52f, 0.51f, 0.53f, 0.50f, 100},
	    {"1234", true, 2.10f, 2.20f, 2.15f, 2.10f, 2.30f, 2.05f, 5000},
	    {"TINY", true, 0.50f, 0.55f, 0.52f, 0.51f, 0.53f, 0.50f, 100},
	    // No change, no close; a volume past 32 bits is held at the largest count.
	    {"888", true, 1.00f, 1.10f, 1.05f, N, 1.06f, 1.04f, 4294967295u},
	    // Too few values on the line.
	    {"555", false, N, N, N, N, N, N, 0},
	    {"SHORT", false, N, N, N, N, N, N, 0},
	    // After the table is redrawn, or nowhere as a whole argument (AB only ends a company's name).
	    {"999", false, N, N, N, N, N, N, 0},
	    {"LATE", false, N, N, N, N, N, N, 0},
	    {"12", false, N, N, N, N, N, N, 0},
	    {"AB", false, N, N, N, N, N, N, 0},
	};
	for (const tCase& c : kCases) {
		TStock stock;
		stock.SecuritySymbol(c.symbol);
		stock.CurrentTradePrice(99.0f);
		EXPECT_EQ(mSource.StockDetail(mPage.data(), long(mPage.size()), &stock), c.parsed)
		    << c.symbol;
		EXPECT_QUOTE(c.bid, stock.CurrentTradeBid());
		EXPECT_QUOTE(c.ask, stock.CurrentTradeAsk());
		EXPECT_QUOTE(c.last, stock.CurrentTradePrice());
		EXPECT_QUOTE(c.close, stock.YesterdayClose());
		EXPECT_QUOTE(c.close, stock.DayOpen());
		EXPECT_QUOTE(c.high, stock.DayHigh());
		EXPECT_QUOTE(c.low, stock.DayLow());
		EXPECT_EQ(stock.DayVolume(), c.volume) << c.symbol;
		EXPECT_TRUE(HeadlineLinks(stock).empty());
	}
}

TEST_F(TNordicGrowthTest, PagesThatCannotBeRead)
{
	TStock stock;
	stock.SecuritySymbol("42");
	// The instrument's line is cut off by the page's end.
	std::vector<char> cut =
	    Page("clearInstrArr();\naddInstr(42, 1.0, 0, 1.1, 0, 0.1, 1.05, 1.1, 1.0, 10");
	EXPECT_FALSE(mSource.StockDetail(cut.data(), long(cut.size()), &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
	// Ended by the redrawing call instead, it is complete.
	std::vector<char> ended = Page(
	    "clearInstrArr();\naddInstr(42, 1.0, 0, 1.1, 0, 0.1, 1.05, 1.1, 1.0, 10);updateInstrTable();");
	EXPECT_TRUE(mSource.StockDetail(ended.data(), long(ended.size()), &stock));
	EXPECT_QUOTE(1.05f, stock.CurrentTradePrice());
	EXPECT_QUOTE(0.95f, stock.YesterdayClose());

	EXPECT_FALSE(mSource.StockDetail(mPage.data(), 0, &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
	EXPECT_FALSE(mSource.QueryNumericDetail(nullptr, mPage.data(), long(mPage.size()), &stock));
	EXPECT_FALSE(mSource.News(mPage.data(), long(mPage.size()), &stock));
	EXPECT_FALSE(mSource.StockDetail(mPage.data(), long(mPage.size()), nullptr));
}

TEST_F(TNordicGrowthTest, RowOfTheFamilyTable)
{
	ExpectSourceRow(mSource, {TNordicGrowth::kSignature, "Nordic Growth", 599, 0, 1.0f, {850}, "S"});
}

} // namespace
