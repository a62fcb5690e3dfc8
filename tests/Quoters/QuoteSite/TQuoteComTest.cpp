#include "Quoters/QuoteSite/TQuoteCom.h"

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

class TQuoteComTest : public modeltest::ModelFixture
{
protected:
	std::string QuotePath(TSecurity* security)
	{
		char host[64];
		char path[128];
		mSource.GetURL(urlQuotePage, security, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(host, "quotes.test");
		return path;
	}

	std::string LookupURL(tSecurityType type, const char* text, int page)
	{
		char url[300] = "stale";
		mSource.GetLookup(type, const_cast<char*>(text), page, url, sizeof url);
		return url;
	}

	StTestHosts mHosts{TQuoteCom::kSignature,
	                   {{TQuoterHosts::hostQuote, "quotes.test"},
	                    {TQuoterHosts::hostLookup, "search.test"},
	                    {TQuoterHosts::hostHome, "home.test"}}};
	StTestClock mClock;
	TQuoteCom mSource;
};

TEST_F(TQuoteComTest, QuotePathsCarryTheMarketAndTheKind)
{
	struct tCase {
		const char* symbol;
		tStockExchange exchange;
		const char* path;
	};
	const tCase kStocks[] = {
	    {"ABC", 200, "/us/stocks/quote.action?s=TSE:ABC"},
	    {"ABC", 201, "/us/stocks/quote.action?s=ME:ABC"},
	    {"ABC", 204, "/us/stocks/quote.action?s=CANOTC:ABC"},
	    {"ABC", 205, "/us/stocks/quote.action?s=VSE:ABC"},
	    {"IBM", 100, "/us/stocks/quote.action?s=IBM"},
	    {"BRK/A", 100, "/us/stocks/quote.action?s=BRK%2FA"},
	    // Market and symbol together are held to 31 characters.
	    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 204,
	     "/us/stocks/quote.action?s=CANOTC:ABCDEFGHIJKLMNOPQRSTUVWX"},
	};
	for (const tCase& c : kStocks) {
		TStock stock;
		stock.SecuritySymbol(c.symbol);
		stock.Exchange(c.exchange);
		EXPECT_EQ(QuotePath(&stock), c.path) << c.symbol << " on " << c.exchange;
	}

	TFund fund;
	fund.SecuritySymbol("XYZ");
	EXPECT_EQ(QuotePath(&fund), "/us/stocks/quote.action?s=MUTUAL:XYZ");
	TIndex index;
	index.SecuritySymbol("$COMPX");
	EXPECT_EQ(QuotePath(&index), "/us/stocks/quote.action?s=INDEX:%24COMPX");
	TCurrency currency;
	currency.SecuritySymbol("USDCAD");
	EXPECT_EQ(QuotePath(&currency), "");

	char host[64] = "stale";
	char path[64] = "stale";
	mSource.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://home.test");
	EXPECT_STREQ(path, "");
	mSource.GetURL(urlNewsPage, &fund, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");

	// A path never overruns the caller's buffer.
	TStock stock;
	stock.SecuritySymbol("IBM");
	char small[12];
	mSource.GetPageDetailed(small, sizeof small, &stock);
	EXPECT_STREQ(small, "/us/stocks/");
}

TEST_F(TQuoteComTest, LookupPagesStartFifteenResultsApart)
{
	EXPECT_EQ(LookupURL(securityStock, "ibm", 1),
	          "http://search.test/qc/lookup/search_results.aspx?lookup=ibm&context=www_stocks");
	EXPECT_EQ(LookupURL(securityFund, "ibm", 0),
	          "http://search.test/qc/lookup/search_results.aspx?lookup=ibm&context=www_funds");
	EXPECT_EQ(LookupURL(securityIndex, "ibm", 1),
	          "http://search.test/qc/lookup/search_results.aspx?boards=&lookup=ibm&context=www_indices");
	EXPECT_EQ(
	    LookupURL(securityStock, "ibm", 2),
	    "http://search.test/qc/lookup/search_results.aspx?lookup=ibm&context=www_stocks&startat=16");
	EXPECT_EQ(LookupURL(securityFund, "ibm", 3),
	          "http://search.test/qc/lookup/search_results.aspx?lookup=ibm&context=www_funds&startat=31");
	EXPECT_EQ(
	    LookupURL(securityIndex, "ibm", 2),
	    "http://search.test/qc/lookup/search_results.aspx?lookup=ibm&context=www_indices&startat=16");
	EXPECT_EQ(LookupURL(securityStock, "AT&T co", 1),
	          "http://search.test/qc/lookup/search_results.aspx?lookup=AT%26T%20co&context=www_stocks");
	EXPECT_EQ(LookupURL(securityCurrency, "ibm", 1), "");
}

TEST_F(TQuoteComTest, StockPageFromTheContentMarker)
{
	std::vector<char> page = ReadPage("QuoteSite", "quotecom_stock.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(45.25f, stock.CurrentTradePrice());
	EXPECT_QUOTE(45.20f, stock.CurrentTradeBid());
	EXPECT_QUOTE(45.30f, stock.CurrentTradeAsk());
	EXPECT_QUOTE(46.10f, stock.DayHigh());
	EXPECT_QUOTE(44.80f, stock.DayLow());
	EXPECT_QUOTE(45.00f, stock.DayOpen());
	EXPECT_QUOTE(44.90f, stock.YesterdayClose());
	EXPECT_EQ(stock.DayVolume(), 1234567u);
	EXPECT_QUOTE(60.00f, stock.YearHigh());
	EXPECT_QUOTE(30.50f, stock.YearLow());
	EXPECT_QUOTE(2.15f, stock.EarningsPerShare());
	EXPECT_QUOTE(21.05f, stock.PriceEarningsRatio());

	const TVyDate* trade = stock.CurrentTradeUpdate();
	EXPECT_EQ(trade->GetYear(), 2008);
	EXPECT_EQ(trade->GetMonth(), 1);
	EXPECT_EQ(trade->GetDay(), 15);
	EXPECT_EQ(trade->GetHour(), 16);
	EXPECT_EQ(trade->GetMinute(), 5);
	EXPECT_EQ(trade->GetSecond(), 0);

	// Headlines between the list and the adverts; a link without a host is on the quote host.
	const std::vector<tHeadline> expected = {
	    {"Quarterly results beat forecasts", "http://quotes.test/news/story1.html"},
	    {"Supplier wins & loses contracts", "http://wire.example.net/item/22"}};
	EXPECT_EQ(HeadlineLinks(stock), expected);
}

TEST_F(TQuoteComTest, StockPageWithValuesNotAvailable)
{
	std::vector<char> page = ReadPage("QuoteSite", "quotecom_stock_na.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(3.05f, stock.CurrentTradePrice());
	EXPECT_QUOTE(N, stock.CurrentTradeBid());
	EXPECT_QUOTE(N, stock.CurrentTradeAsk());
	EXPECT_EQ(stock.DayVolume(), 0u);
	EXPECT_QUOTE(3.00f, stock.YesterdayClose());
	EXPECT_QUOTE(N, stock.DayHigh());
	EXPECT_QUOTE(N, stock.EarningsPerShare());
	// "Smarch" is no month: the trade time stays unknown.
	EXPECT_TRUE(TVyDate::IsUndefinedTime(stock.CurrentTradeUpdate()));
	EXPECT_TRUE(HeadlineLinks(stock).empty());

	std::vector<char> none = Page("x");
	EXPECT_FALSE(mSource.StockDetail(none.data(), 0, &stock));
	EXPECT_FALSE(mSource.StockDetail(nullptr, 10, &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
}

TEST_F(TQuoteComTest, IndexPageReadsRangesAndAMidnightTime)
{
	std::vector<char> page = ReadPage("QuoteSite", "quotecom_index.html");
	TIndex index;
	ASSERT_TRUE(mSource.IndexDetail(page.data(), long(page.size()), &index));
	EXPECT_QUOTE(1402.50f, index.CurrentTradePrice());
	EXPECT_QUOTE(1390.25f, index.DayLow());
	EXPECT_QUOTE(1410.75f, index.DayHigh());
	EXPECT_QUOTE(1395.00f, index.DayOpen());
	EXPECT_QUOTE(1398.10f, index.YesterdayClose());
	EXPECT_EQ(index.DayVolume(), 2500000000u);
	EXPECT_QUOTE(1200.00f, index.YearLow());
	EXPECT_QUOTE(1500.00f, index.YearHigh());
	// 12:15 am is a quarter past midnight.
	EXPECT_EQ(index.CurrentTradeUpdate()->GetYear(), 2009);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetMonth(), 3);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetDay(), 2);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetHour(), 0);
	EXPECT_EQ(index.CurrentTradeUpdate()->GetMinute(), 15);
	ASSERT_EQ(HeadlineLinks(index).size(), 1u);
	EXPECT_EQ(HeadlineLinks(index)[0].url, "http://quotes.test/news/market.html");
}

TEST_F(TQuoteComTest, FundPageReadsNoNews)
{
	std::vector<char> page = ReadPage("QuoteSite", "quotecom_fund.html");
	TFund fund;
	ASSERT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
	EXPECT_QUOTE(10.42f, fund.CurrentTradePrice());
	EXPECT_QUOTE(10.38f, fund.YesterdayClose());
	EXPECT_QUOTE(9.10f, fund.YearLow());
	EXPECT_QUOTE(11.25f, fund.YearHigh());
	// 12:30 pm stays half past noon.
	EXPECT_EQ(fund.CurrentTradeUpdate()->GetHour(), 12);
	EXPECT_EQ(fund.CurrentTradeUpdate()->GetMonth(), 6);
	EXPECT_TRUE(HeadlineLinks(fund).empty());

	TCurrency currency;
	EXPECT_FALSE(mSource.CurrencyDetail(page.data(), long(page.size()), &currency));
}

TEST_F(TQuoteComTest, TradeTimeNeedsItsMarkerAndFiveWords)
{
	TVyDate date;
	const TVyDate before = date;
	struct tCase {
		const char* text;
		bool read;
		int hour;
	};
	const tCase kCases[] = {
	    {"<a title=\"Add to portfolio\">\n\n\n<td>x</td><td>7</td><td>May</td><td>2010 11:59 pm</td>",
	     true, 23},
	    {"<a title=\"Add to portfolio\">\n\n\n<td>x</td><td>7</td><td>May</td><td>2010 1:00 PM</td>",
	     true, 13},
	    {"<a title=\"Add to portfolio\">\n\n\n<td>x</td><td>7</td><td>May</td><td>2010 9:30</td>", true,
	     9},
	    // Without the time there are too few words.
	    {"<a title=\"Add to portfolio\">\n\n\n<td>x</td><td>7</td><td>May</td><td>2010</td>", false, 0},
	    // The marker is the label with its quotes.
	    {"<a>Add to portfolio</a>\n\n\n<td>x</td><td>7</td><td>May</td><td>2010 9:30</td>", false, 0},
	    // The day must be on the third line after it.
	    {"<a title=\"Add to portfolio\">\n\n<td>x</td><td>7</td><td>May</td><td>2010 9:30</td>", false,
	     0},
	};
	for (const tCase& c : kCases) {
		std::vector<char> page = Page(c.text);
		TVyDate read = before;
		EXPECT_EQ(mSource.ExtractDate(page.data(), long(page.size()), &read, true), c.read) << c.text;
		if (c.read) {
			EXPECT_EQ(read.GetHour(), c.hour) << c.text;
			EXPECT_EQ(read.GetDay(), 7);
			EXPECT_EQ(read.GetMonth(), 5);
			EXPECT_EQ(read.GetYear(), 2010);
		} else {
			EXPECT_TRUE(read == before) << c.text;
		}
	}
}

TEST_F(TQuoteComTest, LookupRowsGiveMarketAndSymbol)
{
	std::vector<char> page = ReadPage("QuoteSite", "quotecom_lookup.html");
	RecordingLookupList list;
	bool more = false;
	ASSERT_TRUE(mSource.Lookup(page.data(), long(page.size()), &list, securityStock, more));
	EXPECT_TRUE(more);
	const OSType q = TQuoteCom::kSignature;
	const std::vector<tListedRow> expected = {{"International Business Machines", "IBM", 100, q},
	                                          {"Acme Bulletin Corp", "ABCD", 101, q},
	                                          {"Maple Mining", "MPL", 200, q},
	                                          {"Plain Name", "PLAIN", 900, q},
	                                          {"Over Counter", "OTCX", 204, q}};
	EXPECT_EQ(list.Listed(), expected);

	std::vector<char> last = ReadPage("QuoteSite", "quotecom_lookup_last.html");
	RecordingLookupList lastList;
	more = true;
	ASSERT_TRUE(mSource.Lookup(last.data(), long(last.size()), &lastList, securityStock, more));
	EXPECT_FALSE(more);
	const std::vector<tListedRow> lastRows = {{"Nasdaq Listed Inc", "NLI", 101, q},
	                                          {"Montreal Metals", "MMX", 201, q}};
	EXPECT_EQ(lastList.Listed(), lastRows);

	// Without the results line or its table there is nothing to read.
	for (const char* text :
	     {"<p>No match</p><table><tr><td>a</td></tr></table>", "<p>Showing results 0</p>"}) {
		std::vector<char> empty = Page(text);
		RecordingLookupList none;
		more = true;
		EXPECT_FALSE(mSource.Lookup(empty.data(), long(empty.size()), &none, securityStock, more))
		    << text;
		EXPECT_FALSE(more);
		EXPECT_TRUE(none.rows.empty());
	}
}

TEST_F(TQuoteComTest, NewsNeedsTheHeadlineList)
{
	std::vector<char> page = Page("<a href=\"/n.html\">Loose headline</a>");
	TStock stock;
	EXPECT_FALSE(mSource.News(page.data(), long(page.size()), &stock));
	EXPECT_TRUE(HeadlineLinks(stock).empty());

	// The list runs to the page's end when no adverts follow.
	std::vector<char> open = Page("<div class=\"headlinelists\"><a href=\"n.html?id=1\">One</a>"
	                              "<a href=\"/b/two.html\">Two</a>");
	EXPECT_TRUE(mSource.News(open.data(), long(open.size()), &stock));
	const std::vector<tHeadline> expected = {{"One", "http://quotes.test/n.html?id=1"},
	                                         {"Two", "http://quotes.test/b/two.html"}};
	EXPECT_EQ(HeadlineLinks(stock), expected);
}

} // namespace
