#include "Quoters/Canada/TeNorthern.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TCurrency.h"
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

class TeNorthernTest : public modeltest::ModelFixture
{
protected:
	std::string Path(TSecurity* security)
	{
		char path[128] = "stale";
		mSource.GetPageDetailed(path, sizeof path, security);
		return path;
	}

	StTestHosts mHosts{TeNorthern::kSignature, {{TQuoterHosts::hostQuote, "north.test"}}};
	TeNorthern mSource;
};

TEST_F(TeNorthernTest, PathsByKindAndMarket)
{
	const std::pair<tStockExchange, const char*> kStocks[] = {
	    {100, "/composite_quote.page?symbol=ABC,x"},
	    {102, "/composite_quote.page?symbol=ABC,x"},
	    {200, "/composite_quote.page?symbol=ABC,t"},
	    {201, "/composite_quote.page?symbol=ABC,m"},
	    {204, "/composite_quote.page?symbol=ABC,tc"},
	    {205, "/composite_quote.page?symbol=ABC,v"},
	    {400, ""}};
	for (const auto& [exchange, path] : kStocks) {
		TStock stock;
		stock.SecuritySymbol("ABC");
		stock.Exchange(exchange);
		EXPECT_EQ(Path(&stock), path) << exchange;
	}
	TFund fund;
	fund.SecuritySymbol("NRT100");
	EXPECT_EQ(Path(&fund), "/mf_quote.page?symbol=NRT100,mf");
	TIndex index;
	index.SecuritySymbol("TSX");
	EXPECT_EQ(Path(&index), "/index_quote.page?symbol=TSX,I");
	TCurrency currency;
	currency.SecuritySymbol("USDCAD");
	EXPECT_EQ(Path(&currency), "");
}

TEST_F(TeNorthernTest, StockPageByLinesOfTwoRows)
{
	std::vector<char> page = ReadPage("Canada", "enorthern_stock.html");
	TStock stock;
	stock.SecuritySymbol("ABC");
	stock.Exchange(200);
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(12.30f, stock.CurrentTradePrice());
	EXPECT_EQ(stock.CurrentTradeVolume(), 2500u);
	EXPECT_QUOTE(12.25f, stock.CurrentTradeBid());
	EXPECT_QUOTE(12.35f, stock.CurrentTradeAsk());
	EXPECT_QUOTE(12.10f, stock.DayOpen());
	EXPECT_QUOTE(12.50f, stock.DayHigh());
	EXPECT_QUOTE(12.00f, stock.DayLow());
	EXPECT_EQ(stock.DayVolume(), 456700u);
	EXPECT_QUOTE(12.20f, stock.YesterdayClose());
	EXPECT_QUOTE(0.95f, stock.EarningsPerShare());
	EXPECT_QUOTE(12.9f, stock.PriceEarningsRatio());
	EXPECT_QUOTE(N, stock.DividendPerShare());
	EXPECT_QUOTE(15.00f, stock.YearHigh());
	EXPECT_QUOTE(9.50f, stock.YearLow());

	// Every headline leads to the stock's own quote page; the list ends at "All Headlines for:".
	const std::vector<tHeadline> expected = {
	    {"First headline", "http://north.test/composite_quote.page?symbol=ABC,t"},
	    {"Second headline", "http://north.test/composite_quote.page?symbol=ABC,t"}};
	EXPECT_EQ(HeadlineLinks(stock), expected);
}

TEST_F(TeNorthernTest, StockPageNeedsBothRows)
{
	std::vector<char> page = ReadPage("Canada", "enorthern_stock.html");
	const std::string text(page.begin(), page.end());
	// Cut before the second row: the first row's figures are read, then the parse fails.
	const std::string firstRowOnly = text.substr(0, text.find("<table class=\"company\">"));
	std::vector<char> cut = Page(firstRowOnly);
	TStock stock;
	EXPECT_FALSE(mSource.StockDetail(cut.data(), long(cut.size()), &stock));
	EXPECT_QUOTE(12.30f, stock.CurrentTradePrice());
	EXPECT_QUOTE(N, stock.YesterdayClose());

	for (const char* bare : {"<table><tr><td>1.00</td></tr></table>", "<th>Volume</th>"}) {
		std::vector<char> p = Page(bare);
		EXPECT_FALSE(mSource.StockDetail(p.data(), long(p.size()), &stock)) << bare;
		EXPECT_QUOTE(N, stock.CurrentTradePrice());
	}
	std::vector<char> noNews = Page("<p>Headlines coming soon</p>");
	EXPECT_FALSE(mSource.News(noNews.data(), long(noNews.size()), &stock));
}

TEST_F(TeNorthernTest, FundCloseIsPriceLessChange)
{
	std::vector<char> page = ReadPage("Canada", "enorthern_fund.html");
	TFund fund;
	ASSERT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
	EXPECT_QUOTE(21.40f, fund.CurrentTradePrice());
	EXPECT_QUOTE(21.52f, fund.YesterdayClose());

	std::string text(page.begin(), page.end());
	text.replace(text.find("-0.12"), 5, "N/A");
	std::vector<char> na = Page(text);
	ASSERT_TRUE(mSource.FundDetail(na.data(), long(na.size()), &fund));
	EXPECT_QUOTE(21.40f, fund.CurrentTradePrice());
	EXPECT_QUOTE(N, fund.YesterdayClose());

	std::vector<char> none = Page("<th>Price</th><tr><td>1</td></tr>");
	EXPECT_FALSE(mSource.FundDetail(none.data(), long(none.size()), &fund));
}

TEST_F(TeNorthernTest, RowOfTheFamilyTable)
{
	ExpectSourceRow(
	    mSource,
	    {TeNorthern::kSignature, nullptr, 599, 0x33, 0.9f, {100, 101, 102, 200, 201, 205, 204}, "SFN"});
}

} // namespace
