#include "Quoters/Yahoo/TYahooUS.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

constexpr float N = kNoValue;

class TYahooUSTest : public modeltest::ModelFixture
{
protected:
	StTestHosts mHosts{TYahooUS::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"}, {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock; // 2001-09-09 01:46:40 UTC
	TYahooUS mSource;
};

struct tStockCase {
	const char* page;
	const char* symbol;
	tStockExchange exchange;
	bool parsed;
	float price, close, open, bid, ask, dayLow, dayHigh, yearLow, yearHigh;
	UInt32 volume;
	float pe, eps, dividend, yield, cap;
	size_t news;
};

// clang-format off
const tStockCase kStockCases[] = {
    // Every figure, read after the exchange's anchor and not from the box before it.
    {"us_stock_nyse.html", "IBM", 100, true, 101.25f, 102.50f, 102.00f, 101.20f, 101.30f, 100.50f, 102.75f,
     80.25f, 120.50f, 5123456, 14.20f, 7.13f, 2.20f, 2.17f, 140500.0f, 2},
    // "(AMEX:SYM)" wins over an earlier ":SYM)"; a volume past 32 bits is held at the largest count.
    {"us_stock_anchor.html", "SYM", 102, true, 12.50f, 12.00f, N, N, N, N, N, N, N, 4294967295u, N, N, N, N, N, 0},
    // Only ":SYM)" on the page; a negative volume counts as none.
    {"us_stock_colon.html", "SYM", 102, true, 12.50f, 12.00f, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    {"us_stock_unknown.html", "XYZQ", 101, false, N, N, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    // Values shown as not available, the third year-range label, a capitalization in millions and a
    // dividend without a yield.
    {"us_stock_na.html", "TINY", 101, true, 0.42f, 0.40f, N, N, N, N, N, 0.10f, 1.90f, 0, N, N, 0.05f, N, 950.2f, 0},
    {"us_stock_cap_na.html", "TINY", 101, true, 0.42f, N, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    // A settlement price: the previous close comes from the change and its arrow on the change's line.
    {"us_stock_settle_down.html", "CLZ", 100, true, 75.0f, 76.5f, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    {"us_stock_settle_up.html", "CLZ", 100, true, 75.0f, 73.5f, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    {"us_stock_settle_lastline.html", "CLZ", 100, true, 75.0f, N, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    {"us_stock_settle_nochange.html", "CLZ", 100, true, 75.0f, N, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
    {"us_stock_settle_noprice.html", "CLZ", 100, true, N, N, N, N, N, N, N, N, N, 0, N, N, N, N, N, 0},
};
// clang-format on

TEST_F(TYahooUSTest, StockPagesGiveTheirFigures)
{
	for (const tStockCase& c : kStockCases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Yahoo", c.page);
		TStock stock;
		stock.SecuritySymbol(c.symbol);
		stock.Exchange(c.exchange);
		// Figures of an earlier update that the reset does not clear.
		stock.Yield(3.0f);
		stock.Capitalization(5.0f);
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
		if (c.parsed) {
			EXPECT_QUOTE(c.yield, stock.Yield());
			EXPECT_QUOTE(c.cap, stock.Capitalization());
		}
		EXPECT_EQ(Headlines(stock).size(), c.news);
	}
}

TEST_F(TYahooUSTest, StockTradeTimeIsTodayAtTheShownTime)
{
	std::vector<char> page = ReadPage("Yahoo", "us_stock_nyse.html");
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	const TVyDate* traded = stock.CurrentTradeUpdate();
	EXPECT_EQ(traded->GetYear(), 2001);
	EXPECT_EQ(traded->GetMonth(), 9);
	EXPECT_EQ(traded->GetDay(), 9);
	EXPECT_EQ(traded->GetHour(), 15);
	EXPECT_EQ(traded->GetMinute(), 45);
	EXPECT_EQ(traded->GetSecond(), 0);
	EXPECT_EQ(Headlines(stock),
	          (std::vector<std::string>{"IBM wins a large contract", "IBM results beat estimates"}));

	// "Dec 4" is neither a time nor a month and day in figures.
	page = ReadPage("Yahoo", "us_stock_na.html");
	stock.SecuritySymbol("TINY");
	stock.Exchange(101);
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_TRUE(TVyDate::IsUndefinedDate(stock.CurrentTradeUpdate()));
}

TEST_F(TYahooUSTest, EmptyPagesAreNotRecognised)
{
	char empty[1] = {0};
	TStock stock;
	TFund fund;
	TIndex index;
	EXPECT_FALSE(mSource.StockDetail(empty, 0, &stock));
	EXPECT_FALSE(mSource.FundDetail(empty, 0, &fund));
	EXPECT_FALSE(mSource.IndexDetail(empty, 0, &index));
}

struct tFundCase {
	const char* page;
	float price, close;
	size_t news;
};

TEST_F(TYahooUSTest, FundPagesTakeTheCloseFromTheChange)
{
	const tFundCase cases[] = {
	    {"us_fund_down.html", 10.00f, 10.12f, 1},
	    {"us_fund_up.html", 10.00f, 9.88f, 0},
	    // The rise marker counts only within 400 characters of the change.
	    {"us_fund_up_far.html", 10.00f, 10.12f, 0},
	    {"us_fund_nochange.html", 25.40f, N, 0},
	    {"us_fund_na.html", N, N, 0},
	};
	for (const tFundCase& c : cases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Yahoo", c.page);
		TFund fund;
		fund.SecuritySymbol("SGFDX");
		EXPECT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
		EXPECT_QUOTE(c.price, fund.CurrentTradePrice());
		EXPECT_QUOTE(c.close, fund.YesterdayClose());
		EXPECT_EQ(Headlines(fund).size(), c.news);
	}
}

TEST_F(TYahooUSTest, IndexPageGivesItsFigures)
{
	std::vector<char> page = ReadPage("Yahoo", "us_index.html");
	TIndex index;
	index.SecuritySymbol("^DJI");
	ASSERT_TRUE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_QUOTE(10432.15f, index.CurrentTradePrice());
	EXPECT_QUOTE(10419.85f, index.YesterdayClose());
	EXPECT_QUOTE(10420.00f, index.DayOpen());
	EXPECT_QUOTE(10380.10f, index.DayLow());
	EXPECT_QUOTE(10455.70f, index.DayHigh());
	EXPECT_QUOTE(6547.05f, index.YearLow());
	EXPECT_QUOTE(10523.40f, index.YearHigh());
	EXPECT_EQ(index.CurrentTradeUpdate()->GetHour(), 16);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetMinute(), 30);
	EXPECT_EQ(Headlines(index),
	          (std::vector<std::string>{"Stocks end higher", "Stocks open flat", "Bonds slip"}));

	page = ReadPage("Yahoo", "us_index_unknown.html");
	index.SecuritySymbol("^XXX");
	EXPECT_FALSE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_QUOTE(N, index.CurrentTradePrice());
}

TEST_F(TYahooUSTest, CurrencyPageGivesTheRate)
{
	TCurrency pair;
	std::vector<char> page = ReadPage("Yahoo", "us_currency.html");
	EXPECT_TRUE(mSource.CurrencyDetail(page.data(), long(page.size()), &pair));
	EXPECT_QUOTE(0.7523f, pair.CurrentTradePrice());

	page = ReadPage("Yahoo", "us_currency_missing.html");
	EXPECT_TRUE(mSource.CurrencyDetail(page.data(), long(page.size()), &pair));
	EXPECT_QUOTE(N, pair.CurrentTradePrice());
}

TEST_F(TYahooUSTest, QuotePagePaths)
{
	char path[256];
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/q?s=IBM&d=t");
	stock.SecuritySymbol("BBD.B");
	stock.Exchange(200);
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/q?s=BBD.B.TO&d=t");
	// Characters that mean something in a query are escaped.
	stock.SecuritySymbol("AT&T");
	stock.Exchange(100);
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "/q?s=AT%26T&d=t");
	// Symbols are cut at 31 characters.
	stock.SecuritySymbol(std::string(40, 'A').c_str());
	mSource.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_EQ(std::string(path), "/q?s=" + std::string(31, 'A') + "&d=t");

	TFund fund;
	fund.SecuritySymbol("SGFDX");
	mSource.GetPageDetailed(path, sizeof path, &fund);
	EXPECT_STREQ(path, "/q?s=SGFDX&d=t");
	TIndex index;
	index.SecuritySymbol("^DJI");
	mSource.GetPageDetailed(path, sizeof path, &index);
	EXPECT_STREQ(path, "/q?s=%5EDJI");
	TCurrency pair;
	pair.CurrencyFrom(100);
	pair.CurrencyTo(300);
	mSource.GetPageDetailed(path, sizeof path, &pair);
	EXPECT_STREQ(path, "/currency-converter/#from=USD;to=EUR;amt=1");

	// The path stays within the buffer it is given.
	char small[10];
	std::memset(small, 'x', sizeof small);
	mSource.GetPageDetailed(small, sizeof small, &fund);
	EXPECT_STREQ(small, "/q?s=SGFD");
}

TEST_F(TYahooUSTest, AddressesOfEachKind)
{
	char host[64], path[64];
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	mSource.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "quotes.test");
	EXPECT_STREQ(path, "/q?s=IBM&d=t");
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	EXPECT_STREQ(path, "");
	// The headlines come with the quote page.
	mSource.GetURL(urlNewsPage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
	EXPECT_STREQ(mSource.GetDomain(securityFund), "quotes.test");
}

} // namespace
