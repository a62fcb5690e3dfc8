#include "Quoters/Canada/TGlobeAndMail.h"

#include "Quoters/TQuoterHosts.h"
#include "model/TFund.h"
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

class TGlobeAndMailTest : public modeltest::ModelFixture
{
protected:
	StTestHosts mHosts{TGlobeAndMail::kSignature,
	                   {{TQuoterHosts::hostQuote, "globe.test"},
	                    {TQuoterHosts::hostLookup, "search.globe.test"},
	                    {TQuoterHosts::hostHome, "www.globe.test"},
	                    {TQuoterHosts::hostNews, "news.globe.test"}}};
	StTestClock mClock; // 2001-09-09 01:46:40 UTC
	TGlobeAndMail mSource;
};

TEST_F(TGlobeAndMailTest, SymbolFormNamesTheMarket)
{
	struct tCase {
		const char* symbol;
		tStockExchange exchange;
		const char* quote;
		const char* news;
	};
	const tCase kCases[] = {
	    {"ABC", 200, "/globe-investor/markets/stocks/summary/?q=ABC-T",
	     "/globe-investor/markets/stocks/news/?q=ABC-T"},
	    {"ABC", 201, "/globe-investor/markets/stocks/summary/?q=ABC-M",
	     "/globe-investor/markets/stocks/news/?q=ABC-M"},
	    {"ABC", 204, "/globe-investor/markets/stocks/summary/?q=ABC-D",
	     "/globe-investor/markets/stocks/news/?q=ABC-D"},
	    {"ABC", 205, "/globe-investor/markets/stocks/summary/?q=ABC-X",
	     "/globe-investor/markets/stocks/news/?q=ABC-X"},
	    {"IBM", 100, "/globe-investor/markets/stocks/summary/?q=IBM-N",
	     "/globe-investor/markets/stocks/news/?q=IBM-N"},
	    {"MSFT", 101, "/globe-investor/markets/stocks/summary/?q=MSFT-Q",
	     "/globe-investor/markets/stocks/news/?q=MSFT-Q"},
	    {"BRK.A", 102, "/globe-investor/markets/stocks/summary/?q=BRK.A-A",
	     "/globe-investor/markets/stocks/news/?q=BRK.A-A"},
	    {"T&T", 200, "/globe-investor/markets/stocks/summary/?q=T%26T-T",
	     "/globe-investor/markets/stocks/news/?q=T%26T-T"},
	    // No suffix for the market, or no symbol: nothing to fetch.
	    {"ABC", 300, "", ""},
	    {"", 200, "", ""},
	};
	for (const tCase& c : kCases) {
		TStock stock;
		stock.SecuritySymbol(c.symbol);
		stock.Exchange(c.exchange);
		char host[64] = "stale";
		char path[128] = "stale";
		mSource.GetURL(urlQuotePage, &stock, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(path, c.quote) << c.symbol << " on " << c.exchange;
		EXPECT_STREQ(host, c.quote[0] ? "globe.test" : "");
		mSource.GetURL(urlNewsPage, &stock, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(path, c.news) << c.symbol << " on " << c.exchange;
		EXPECT_STREQ(host, c.news[0] ? "news.globe.test" : "");
	}

	TFund fund;
	fund.SecuritySymbol("ABC");
	char host[64] = "stale";
	char path[128] = "stale";
	mSource.GetURL(urlQuotePage, &fund, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://www.globe.test");
	EXPECT_STREQ(path, "");

	// Without a headline host of their own, headline pages come from the quote host.
	TQuoterHosts::SetHost(TGlobeAndMail::kSignature, TQuoterHosts::hostNews, nullptr);
	TStock stock;
	stock.SecuritySymbol("ABC");
	stock.Exchange(200);
	mSource.GetURL(urlNewsPage, &stock, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "globe.test");
}

TEST_F(TGlobeAndMailTest, CompanySearchPagesAreFiftyApart)
{
	char url[400];
	mSource.GetLookup(securityStock, const_cast<char*>("royal bank"), 1, url, sizeof url);
	EXPECT_STREQ(url,
	             "http://search.globe.test/invest/investSQL/gx.company_search?pi_comp_name=royal%20bank"
	             "&pi_search_type=CONTAINS&pi_symbol_type=ALL&pi_exchange=All");
	mSource.GetLookup(securityStock, const_cast<char*>("royal bank"), 3, url, sizeof url);
	EXPECT_STREQ(
	    url, "http://search.globe.test/invest/investSQL/gx.company_search?iaction=go&pi_cur_offset=101"
	         "&pi_comp_name=royal%20bank&pi_search_type=&pi_symbol_type=&pi_exchange=&pi_mode=INVEST"
	         "&pi_pname=&pi_call_from=");
}

TEST_F(TGlobeAndMailTest, StockPageWithinTwoLinesOfEachLabel)
{
	std::vector<char> page = ReadPage("Canada", "globe_stock.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(23.45f, stock.CurrentTradePrice());
	EXPECT_QUOTE(23.90f, stock.DayHigh());
	EXPECT_QUOTE(23.10f, stock.DayLow());
	EXPECT_QUOTE(N, stock.CurrentTradeBid());
	EXPECT_QUOTE(23.50f, stock.CurrentTradeAsk());
	EXPECT_EQ(stock.DayVolume(), 0u);
	// Two lines below its label: out of reach.
	EXPECT_QUOTE(N, stock.DayOpen());
	EXPECT_QUOTE(23.00f, stock.YesterdayClose());
	EXPECT_QUOTE(29.75f, stock.YearHigh());
	EXPECT_QUOTE(18.40f, stock.YearLow());
	EXPECT_QUOTE(1234.5f, stock.Capitalization());
	EXPECT_QUOTE(1.62f, stock.EarningsPerShare());
	EXPECT_QUOTE(14.5f, stock.PriceEarningsRatio());
	EXPECT_QUOTE(0.88f, stock.DividendPerShare());
	EXPECT_QUOTE(3.75f, stock.Yield());

	// Six of the ten press releases; a link within the site gets the quote host.
	const std::vector<tHeadline> headlines = HeadlineLinks(stock);
	ASSERT_EQ(headlines.size(), 6u);
	EXPECT_EQ(headlines[0], (tHeadline{"Release one", "http://news.example.com/r/1"}));
	EXPECT_EQ(headlines[4], (tHeadline{"Release five", "http://globe.test/globe-investor/news/5"}));
	EXPECT_EQ(headlines[5].text, "Release six");
}

TEST_F(TGlobeAndMailTest, PagesWithoutValuesOrReleases)
{
	std::vector<char> bare = Page("<p>Symbol not found</p>");
	TStock stock;
	EXPECT_TRUE(mSource.StockDetail(bare.data(), long(bare.size()), &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
	EXPECT_QUOTE(N, stock.Yield());
	EXPECT_FALSE(mSource.News(bare.data(), long(bare.size()), &stock));
	EXPECT_FALSE(mSource.StockDetail(bare.data(), 0, &stock));

	// The marker alone is a page of no releases.
	std::vector<char> empty = Page("<div id=\"press-releases\"></div>");
	EXPECT_TRUE(mSource.News(empty.data(), long(empty.size()), &stock));
	EXPECT_TRUE(HeadlineLinks(stock).empty());

	TFund fund;
	EXPECT_FALSE(mSource.FundDetail(bare.data(), long(bare.size()), &fund));
}

TEST_F(TGlobeAndMailTest, DateReaderTakesTheTwelveHourClock)
{
	struct tCase {
		const char* text;
		bool read;
		int year, month, day, hour, minute;
	};
	const tCase kCases[] = {
	    {"Jan 15, 2008 4:05 pm", true, 2008, 1, 15, 16, 5},
	    {"Jan 15, 2008 4:05pm", true, 2008, 1, 15, 16, 5},
	    {"Dec. 3, 2007 12:40 am", true, 2007, 12, 3, 0, 40},
	    {"Dec. 3, 2007 12:40 PM", true, 2007, 12, 3, 12, 40},
	    {"March 9, 2009 9:15", true, 2009, 3, 9, 9, 15},
	    {"Noon 9, 2009 9:15", false, 0, 0, 0, 0, 0},
	    {"Jan 15, 2008", false, 0, 0, 0, 0, 0},
	};
	for (const tCase& c : kCases) {
		std::string text = c.text;
		TVyDate date;
		date.SetYear(1999);
		EXPECT_EQ(mSource.ExtractDate(text.data(), long(text.size()), &date, false), c.read)
		    << c.text;
		if (!c.read) {
			EXPECT_EQ(date.GetYear(), 1999) << c.text;
			continue;
		}
		EXPECT_EQ(date.GetYear(), c.year) << c.text;
		EXPECT_EQ(date.GetMonth(), c.month) << c.text;
		EXPECT_EQ(date.GetDay(), c.day) << c.text;
		EXPECT_EQ(date.GetHour(), c.hour) << c.text;
		EXPECT_EQ(date.GetMinute(), c.minute) << c.text;
		EXPECT_EQ(date.GetSecond(), 0) << c.text;
	}
}

TEST_F(TGlobeAndMailTest, RowOfTheFamilyTable)
{
	ExpectSourceRow(mSource, {TGlobeAndMail::kSignature,
	                          "Globe & Mail",
	                          599,
	                          0x3,
	                          1.0f,
	                          {200, 201, 205, 204, 100, 101, 102},
	                          "SN"});
}

} // namespace
