#include "Quoters/Yahoo/TYahooEurope.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TCurrency.h"
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

class TYahooEuropeTest : public modeltest::ModelFixture
{
protected:
	StTestClock mClock; // 2001-09-09 01:46:40 UTC
	TYahooEurope mSource;
};

struct tStockCase {
	const char* page;
	const char* symbol;
	tStockExchange exchange;
	bool parsed;
	float price, close, open, bid, ask, dayLow, dayHigh, yearLow, yearHigh;
	UInt32 volume;
	float pe, eps, dividend;
	size_t news;
};

// clang-format off
const tStockCase kStockCases[] = {
    // London quotes in pence: every figure but the volume and the P/E becomes pounds; a missing bid stays
    // missing.
    {"eu_stock_london.html", "VOD", 300, true, 5.23f, 5.205f, 5.21f, N, 5.2325f, 5.19f, 5.255f, 4.0f, 6.0f,
     4567890, 43.58f, 0.12f, 0.08f, 1},
    // The later labels of each chain of fallbacks.
    {"eu_stock_paris.html", "EXA", 302, true, 42.50f, N, N, 42.40f, N, N, N, 30.0f, 50.0f, 1200, 13.70f, 3.10f,
     1.20f, 0},
    {"eu_stock_eps.html", "EXA", 302, true, 42.50f, N, N, N, N, N, N, N, N, 0, N, 3.20f, N, 0},
    {"eu_stock_unknown.html", "NOPE", 300, false, N, N, N, N, N, N, N, N, N, 0, N, N, N, 0},
};
// clang-format on

TEST_F(TYahooEuropeTest, StockPagesGiveTheirFigures)
{
	for (const tStockCase& c : kStockCases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Yahoo", c.page);
		TStock stock;
		stock.SecuritySymbol(c.symbol);
		stock.Exchange(c.exchange);
		EXPECT_EQ(mSource.StockDetail(page.data(), long(page.size()), &stock), c.parsed);
		EXPECT_QUOTE(c.price, stock.CurrentTradePrice());
		EXPECT_QUOTE(c.close, stock.YesterdayClose());
		EXPECT_QUOTE(c.open, stock.DayOpen());
		EXPECT_QUOTE(c.bid, stock.CurrentTradeBid());
		EXPECT_QUOTE(c.ask, stock.CurrentTradeAsk());
		EXPECT_QUOTE(c.dayLow, stock.DayLow());
		EXPECT_QUOTE(c.dayHigh, stock.DayHigh());
		EXPECT_QUOTE(c.yearLow, stock.YearLow());
		EXPECT_QUOTE(c.yearHigh, stock.YearHigh());
		EXPECT_EQ(stock.DayVolume(), c.volume);
		EXPECT_QUOTE(c.pe, stock.PriceEarningsRatio());
		EXPECT_QUOTE(c.eps, stock.EarningsPerShare());
		EXPECT_QUOTE(c.dividend, stock.DividendPerShare());
		EXPECT_EQ(Headlines(stock).size(), c.news);
	}
}

TEST_F(TYahooEuropeTest, TradeTimeOrTradeDate)
{
	std::vector<char> page = ReadPage("Yahoo", "eu_stock_london.html");
	TStock stock;
	stock.SecuritySymbol("VOD");
	stock.Exchange(300);
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_EQ(stock.CurrentTradeUpdate()->GetDay(), 9);
	EXPECT_EQ(stock.CurrentTradeUpdate()->GetHour(), 16);
	EXPECT_EQ(stock.CurrentTradeUpdate()->GetMinute(), 35);

	// A month and day without a time: that day at midnight, in this year.
	page = ReadPage("Yahoo", "eu_stock_paris.html");
	stock.SecuritySymbol("EXA");
	stock.Exchange(302);
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	const TVyDate* traded = stock.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetYear(), 2001);
	EXPECT_EQ(traded->GetMonth(), 11);
	EXPECT_EQ(traded->GetDay(), 27);
	EXPECT_EQ(traded->GetHour(), 0);
	EXPECT_EQ(traded->GetMinute(), 0);
}

TEST_F(TYahooEuropeTest, FundPagesReadTheBoldValue)
{
	struct {
		const char* page;
		float price, close;
		size_t news;
	} const cases[] = {
	    // After the fund's own anchor, not the table before it.
	    {"eu_fund.html", 12.34f, 12.20f, 1},
	    // No figure between the label and the bold value.
	    {"eu_fund_bold_only.html", 12.34f, 12.20f, 0},
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Yahoo", c.page);
		TFund fund;
		fund.SecuritySymbol("EXBF");
		EXPECT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
		EXPECT_QUOTE(c.price, fund.CurrentTradePrice());
		EXPECT_QUOTE(c.close, fund.YesterdayClose());
		EXPECT_EQ(Headlines(fund).size(), c.news);
	}
	char empty[1] = {0};
	TFund fund;
	EXPECT_FALSE(mSource.FundDetail(empty, 0, &fund));
}

TEST_F(TYahooEuropeTest, IndexYearRangeFallsBackWhileTheLowIsMissing)
{
	std::vector<char> page = ReadPage("Yahoo", "eu_index.html");
	TIndex index;
	index.SecuritySymbol("^FTSE");
	ASSERT_TRUE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_QUOTE(5312.40f, index.CurrentTradePrice());
	EXPECT_QUOTE(5290.10f, index.YesterdayClose());
	EXPECT_QUOTE(5291.00f, index.DayOpen());
	EXPECT_QUOTE(5280.00f, index.DayLow());
	EXPECT_QUOTE(5320.00f, index.DayHigh());
	EXPECT_QUOTE(4100.00f, index.YearLow());
	EXPECT_QUOTE(5400.00f, index.YearHigh());
	EXPECT_EQ(index.CurrentTradeUpdate()->GetHour(), 17);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetMinute(), 35);

	// "52-wk Range" shows nothing, so "52-week Range" is read and "YTD Range" is not.
	page = ReadPage("Yahoo", "eu_index_week.html");
	index.SecuritySymbol("^FCHI");
	ASSERT_TRUE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_QUOTE(3800.00f, index.CurrentTradePrice());
	EXPECT_QUOTE(3000.00f, index.YearLow());
	EXPECT_QUOTE(4000.00f, index.YearHigh());
	EXPECT_TRUE(TVyDate::IsUndefinedDate(index.CurrentTradeUpdate()));

	page = ReadPage("Yahoo", "us_index_unknown.html");
	index.SecuritySymbol("^XXX");
	EXPECT_FALSE(mSource.IndexDetail(page.data(), long(page.size()), &index));
}

TEST_F(TYahooEuropeTest, OnlyStocksHaveAQuotePath)
{
	char path[64] = "stale";
	TStock stock;
	stock.SecuritySymbol("SAN");
	stock.Exchange(310);
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/q?s=SAN.BCN&d=t");
	stock.SecuritySymbol("NESN");
	stock.Exchange(307);
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/q?s=NESN.S&d=t");

	TFund fund;
	fund.SecuritySymbol("EXBF");
	mSource.GetPageDetailed(path, sizeof path, &fund);
	EXPECT_STREQ(path, "");
	TIndex index;
	index.SecuritySymbol("^FTSE");
	mSource.GetPageDetailed(path, sizeof path, &index);
	EXPECT_STREQ(path, "");

	// No currency pages from this source.
	TCurrency pair;
	std::vector<char> page = ReadPage("Yahoo", "us_currency.html");
	EXPECT_FALSE(mSource.CurrencyDetail(page.data(), long(page.size()), &pair));
}

} // namespace
