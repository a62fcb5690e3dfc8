#include "Quoters/QuoteSite/TPCQuoteCom.h"

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

class TPCQuoteComTest : public modeltest::ModelFixture
{
protected:
	StTestHosts mHosts{TPCQuoteCom::kSignature,
	                   {{TQuoterHosts::hostQuote, "pc.test"}, {TQuoterHosts::hostHome, "www.pc.test"}}};
	StTestClock mClock; // 2001-09-09 01:46:40 UTC
	TPCQuoteCom mSource;
};

TEST_F(TPCQuoteComTest, CanadianSymbolsGetTheirSuffixOnce)
{
	struct tCase {
		tSecurityType type;
		const char* symbol;
		tStockExchange exchange;
		const char* path;
	};
	const tCase kCases[] = {
	    {securityStock, "ABC", 200, "/stocks/index.php?symbols=ABC.CA&x=0&y=0"},
	    {securityStock, "ABC", 203, "/stocks/index.php?symbols=ABC.CA&x=0&y=0"},
	    {securityStock, "abc.ca", 201, "/stocks/index.php?symbols=abc.ca&x=0&y=0"},
	    {securityStock, "ABC", 204, "/stocks/index.php?symbols=ABC&x=0&y=0"},
	    {securityStock, "IBM", 100, "/stocks/index.php?symbols=IBM&x=0&y=0"},
	    {securityStock, "A B", 100, "/stocks/index.php?symbols=A%20B&x=0&y=0"},
	    {securityFund, "FUNDX", 0, "/stocks/index.php?symbols=FUNDX&x=0&y=0"},
	    {securityIndex, "SPX", 0, ""},
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
		char host[64];
		char path[128];
		mSource.GetURL(urlQuotePage, security, host, sizeof host, path, sizeof path);
		EXPECT_STREQ(host, "pc.test");
		EXPECT_STREQ(path, c.path) << c.symbol;
	}

	char url[200];
	mSource.GetLookup(securityFund, const_cast<char*>("big & small"), 4, url, sizeof url);
	EXPECT_STREQ(url, "http://pc.test/stocks/findSymbol.php?companyName=big%20%26%20small"
	                  "&submit.x=0&submit.y=0&submit=Lookup");
}

TEST_F(TPCQuoteComTest, StockPageMovesThroughItsSections)
{
	std::vector<char> page = ReadPage("QuoteSite", "pcquote_stock.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(27.50f, stock.CurrentTradePrice());
	EXPECT_QUOTE(27.85f, stock.YesterdayClose());
	EXPECT_QUOTE(28.00f, stock.DayHigh());
	EXPECT_QUOTE(27.10f, stock.DayLow());
	EXPECT_EQ(stock.DayVolume(), 3456789u);
	// Read after "Price Data", not from the first table.
	EXPECT_QUOTE(27.80f, stock.DayOpen());
	EXPECT_QUOTE(27.45f, stock.CurrentTradeBid());
	EXPECT_QUOTE(27.55f, stock.CurrentTradeAsk());
	EXPECT_EQ(stock.CurrentTradeVolume(), 300u);
	// Read after "Fundamental Data Table", not from the price table.
	EXPECT_QUOTE(35.00f, stock.YearHigh());
	EXPECT_QUOTE(20.25f, stock.YearLow());
	EXPECT_QUOTE(1.95f, stock.EarningsPerShare());
	EXPECT_QUOTE(14.10f, stock.PriceEarningsRatio());
	// Three lines below its label: too far.
	EXPECT_QUOTE(N, stock.DividendPerShare());

	const TVyDate* trade = stock.CurrentTradeUpdate();
	EXPECT_EQ(trade->GetYear(), 2001);
	EXPECT_EQ(trade->GetMonth(), 9);
	EXPECT_EQ(trade->GetDay(), 9);
	EXPECT_EQ(trade->GetHour(), 16);
	EXPECT_EQ(trade->GetMinute(), 1);

	const std::vector<tHeadline> expected = {
	    {"Company announces dividend", "http://www.pc.test/news/pr1.php?id=7"},
	    {"External story", "http://other.example.org/x"}};
	EXPECT_EQ(HeadlineLinks(stock), expected);
}

TEST_F(TPCQuoteComTest, StockPageWithAMissingChangeAndADateOfSale)
{
	std::vector<char> page = ReadPage("QuoteSite", "pcquote_stock_date.html");
	TStock stock;
	ASSERT_TRUE(mSource.StockDetail(page.data(), long(page.size()), &stock));
	EXPECT_QUOTE(5.00f, stock.CurrentTradePrice());
	// No change, so no close before it.
	EXPECT_QUOTE(N, stock.YesterdayClose());
	const TVyDate* trade = stock.CurrentTradeUpdate();
	EXPECT_EQ(trade->GetYear(), 2001);
	EXPECT_EQ(trade->GetMonth(), 3);
	EXPECT_EQ(trade->GetDay(), 14);
	EXPECT_EQ(trade->GetHour(), 0);
	EXPECT_EQ(trade->GetMinute(), 0);
	EXPECT_FALSE(mSource.News(page.data(), long(page.size()), &stock));

	std::vector<char> other = Page("<div id=\"main\"><td>Last:</td><td>5.00</td></div>");
	EXPECT_FALSE(mSource.StockDetail(other.data(), long(other.size()), &stock));
	EXPECT_QUOTE(N, stock.CurrentTradePrice());
}

TEST_F(TPCQuoteComTest, DateReader)
{
	struct tCase {
		const char* text;
		bool flag;
		bool read;
		int month, day, hour, minute;
	};
	const tCase kCases[] = {
	    {"9:45 am", true, true, 9, 9, 9, 45},   {"12:10 am", true, true, 9, 9, 0, 10},
	    {"12:10 pm", true, true, 9, 9, 12, 10}, {"&nbsp; 11/2 ", true, true, 11, 2, 0, 0},
	    {"9:45 am", false, false, 0, 0, 0, 0},  {"closed", true, false, 0, 0, 0, 0},
	};
	for (const tCase& c : kCases) {
		std::string text = c.text;
		TVyDate date;
		date.SetYear(1999);
		EXPECT_EQ(mSource.ExtractDate(text.data(), long(text.size()), &date, c.flag), c.read)
		    << c.text;
		if (!c.read) {
			EXPECT_EQ(date.GetYear(), 1999) << c.text;
			continue;
		}
		EXPECT_EQ(date.GetYear(), 2001) << c.text;
		EXPECT_EQ(date.GetMonth(), c.month) << c.text;
		EXPECT_EQ(date.GetDay(), c.day) << c.text;
		EXPECT_EQ(date.GetHour(), c.hour) << c.text;
		EXPECT_EQ(date.GetMinute(), c.minute) << c.text;
		EXPECT_EQ(date.GetSecond(), 0) << c.text;
	}
}

TEST_F(TPCQuoteComTest, FundPageFromItsFundamentals)
{
	std::vector<char> page = ReadPage("QuoteSite", "pcquote_fund.html");
	TFund fund;
	ASSERT_TRUE(mSource.FundDetail(page.data(), long(page.size()), &fund));
	EXPECT_QUOTE(18.20f, fund.CurrentTradePrice());
	EXPECT_QUOTE(18.05f, fund.YesterdayClose());
	EXPECT_QUOTE(19.00f, fund.YearHigh());
	EXPECT_QUOTE(15.40f, fund.YearLow());

	std::vector<char> na = ReadPage("QuoteSite", "pcquote_fund_na.html");
	ASSERT_TRUE(mSource.FundDetail(na.data(), long(na.size()), &fund));
	EXPECT_QUOTE(N, fund.CurrentTradePrice());
	EXPECT_QUOTE(N, fund.YesterdayClose());
	EXPECT_QUOTE(N, fund.YearHigh());

	std::vector<char> stockPage = ReadPage("QuoteSite", "pcquote_stock.html");
	EXPECT_FALSE(mSource.FundDetail(stockPage.data(), long(stockPage.size()), &fund));
	TIndex index;
	EXPECT_FALSE(mSource.IndexDetail(page.data(), long(page.size()), &index));
}

TEST_F(TPCQuoteComTest, LookupGuessesTheExchangeFromTheSymbol)
{
	std::vector<char> page = ReadPage("QuoteSite", "pcquote_lookup.html");
	RecordingLookupList list;
	bool more = true;
	ASSERT_TRUE(mSource.Lookup(page.data(), long(page.size()), &list, securityStock, more));
	EXPECT_FALSE(more);
	const OSType q = TPCQuoteCom::kSignature;
	const std::vector<tListedRow> expected = {{"Abcd Systems", "ABCD", 101, q},
	                                          {"International Business Machines", "IBM", 100, q},
	                                          {"Xyz Canada", "xyz.ca", 200, q}};
	EXPECT_EQ(list.Listed(), expected);

	// Cells cleaned as everywhere; the list ends at a row without its name cell.
	std::vector<char> rough =
	    Page("<table><tr><th>KIND</th></tr><tr><td> T\n</td><td>AT&amp;T&nbsp;Inc. </td></tr>"
	         "<tr><td>BAD</td></tr><tr><td>IBM</td><td>Machines</td></tr></table>");
	RecordingLookupList cleaned;
	ASSERT_TRUE(mSource.Lookup(rough.data(), long(rough.size()), &cleaned, securityStock, more));
	EXPECT_EQ(cleaned.Listed(), (std::vector<tListedRow>{{"AT&T Inc.", "T", 100, q}}));

	std::vector<char> none = Page("<table><tr><td>IBM</td><td>Machines</td></tr></table>");
	RecordingLookupList empty;
	EXPECT_FALSE(mSource.Lookup(none.data(), long(none.size()), &empty, securityStock, more));
	EXPECT_TRUE(empty.rows.empty());
}

} // namespace
