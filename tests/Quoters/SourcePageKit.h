#pragma once
// What the quote-source tests share: pages read from the fixtures, quotes compared with the no-value marker
// exactly, a lookup list that keeps its rows, the headlines a security collected, a fixed "now" (Monday 7
// December 2026, 10:00 UTC) and a source's row of the family table.

#include "Includes/NoValue.h"
#include "Quoters/ILookupList.h"
#include "Quoters/TQuoter.h"
#include "Quoters/TQuoterHosts.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TSecurity.h"
#include "model/TStock.h"

#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace sourcekit
{

constexpr SInt64 kNowMilliseconds = 1796637600000;

inline std::string PagePath(const std::string& family, const std::string& name)
{
	return std::string(VANTOREL_FIXTURES) + "/pages/" + family + "/" + name;
}

// The bytes of tests/fixtures/pages/<family>/<name>; empty when the file is missing.
inline std::string LoadPage(const std::string& family, const std::string& name)
{
	std::ifstream in(PagePath(family, name), std::ios::binary);
	std::ostringstream bytes;
	bytes << in.rdbuf();
	return bytes.str();
}

// The page's bytes without a terminating zero, as the request layer hands them over; a missing file fails
// the test.
inline std::vector<char> ReadPage(const std::string& family, const std::string& name)
{
	std::ifstream in(PagePath(family, name), std::ios::binary);
	EXPECT_TRUE(in.good()) << name;
	return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// A page held in a buffer of exactly its length.
inline std::vector<char> Page(const std::string& text)
{
	return std::vector<char>(text.begin(), text.end());
}

// Replaces the first occurrence of from; the test fails loudly when the page lacks it.
inline std::string Replace(std::string page, const std::string& from, const std::string& to)
{
	const auto at = page.find(from);
	if (at == std::string::npos)
		throw std::logic_error("page lacks " + from);
	return page.replace(at, from.size(), to);
}

// Test names for a source's hosts while it lives; every host is back to its default afterwards.
class StTestHosts
{
public:
	StTestHosts(OSType signature,
	            std::initializer_list<std::pair<TQuoterHosts::tHostRole, const char*>> hosts)
	{
		for (const auto& [role, host] : hosts)
			TQuoterHosts::SetHost(signature, role, host);
	}
	~StTestHosts() { TQuoterHosts::ResetHosts(); }
	StTestHosts(const StTestHosts&) = delete;
	StTestHosts& operator=(const StTestHosts&) = delete;
};

// Exact for the no-value marker, within a few units of the last place otherwise.
inline ::testing::AssertionResult SameQuote(const char* expectedText, const char* actualText, float expected,
                                            float actual)
{
	if (expected == kNoValue || actual == kNoValue) {
		if (expected == actual)
			return ::testing::AssertionSuccess();
	} else if (::testing::internal::CmpHelperFloatingPointEQ<float>(expectedText, actualText, expected,
	                                                                actual)) {
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure()
	       << actualText << " is " << actual << ", expected " << expectedText << " = " << expected;
}

// A lookup row's name, symbol, exchange and source, for comparing whole lists.
struct tListedRow {
	std::string name;
	std::string symbol;
	tStockExchange exchange;
	OSType quoter;
	bool operator==(const tListedRow& other) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const tListedRow& row)
{
	return out << "{" << row.name << ", " << row.symbol << ", " << row.exchange << "}";
}

class RecordingLookupList : public ILookupList
{
public:
	void Append(tLookupEntry* entry) override { rows.push_back(*entry); }
	long Count() override { return long(rows.size()); }

	// The rows as tListedRow; every row must have left the lookup window's marks clear.
	std::vector<tListedRow> Listed() const
	{
		std::vector<tListedRow> listed;
		for (const tLookupEntry& entry : rows) {
			EXPECT_EQ(entry.marked, 0);
			EXPECT_EQ(entry.added, 0);
			listed.push_back({entry.name, entry.symbol, entry.exchange, entry.quoter});
		}
		return listed;
	}

	std::vector<tLookupEntry> rows;
};

inline std::vector<std::string> Headlines(TSecurity& security)
{
	std::vector<std::string> texts;
	TList<tNewsItem>* news = security.GetNewsList();
	for (long i = 1; i <= news->Count(); i++)
		texts.emplace_back(news->GetNth(i)->headline ? news->GetNth(i)->headline : "");
	return texts;
}

struct tHeadline {
	std::string text;
	std::string url;
	bool operator==(const tHeadline& other) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const tHeadline& headline)
{
	return out << "{" << headline.text << ", " << headline.url << "}";
}

// The headlines with the addresses they lead to.
inline std::vector<tHeadline> HeadlineLinks(TSecurity& security)
{
	std::vector<tHeadline> out;
	TList<tNewsItem>* list = security.GetNewsList();
	for (long i = 1; i <= list->Count(); i++) {
		tNewsItem* item = list->GetNth(i);
		out.push_back({item->headline ? item->headline : "", item->url ? item->url : ""});
	}
	return out;
}

// A source's row of the family table: its constants and the parser slots it serves, as letters: S stock,
// F fund, I index, C currency pair, L lookup, N news.
struct tSourceRow {
	OSType signature;
	const char* name; // null where the site's own name is left open
	long version;
	UInt32 features;
	float confidence;
	std::vector<tStockExchange> exchanges;
	std::string parsers;
};

// The source answers its row; a slot it does not serve answers false even for a page full of figures
// and headlines, and leaves the security, the result list and the more flag as they were.
inline void ExpectSourceRow(TQuoter& source, const tSourceRow& row)
{
	SCOPED_TRACE(row.name ? row.name : "unnamed source");
	EXPECT_EQ(source.GetSig(), row.signature);
	if (row.name != nullptr)
		EXPECT_STREQ(source.GetName(), row.name);
	else
		EXPECT_TRUE(source.GetName() != nullptr && source.GetName()[0] != 0);
	EXPECT_EQ(source.GetVers(), row.version);
	EXPECT_EQ(source.GetMaxCount(), 1);
	EXPECT_EQ(source.GetProtocol(), 1);
	EXPECT_EQ(source.GetFeatures(), row.features);
	EXPECT_FLOAT_EQ(source.GetConfidence(), row.confidence);
	EXPECT_EQ(source.GetOtherInterface(0, 0), nullptr);
	const tStockExchange* list = nullptr;
	short count = -1;
	source.GetExchanges(&list, &count);
	ASSERT_EQ(count, short(row.exchanges.size()));
	EXPECT_EQ(std::vector<tStockExchange>(list, list + count), row.exchanges);

	const std::string text =
	    ">Last Trade:<b>12.50</b> >Prev Close:< 12.00 Exchange rate of 1.25 <!-- WARNING: 1 --> "
	    "<span class=\"result_val\">1.25</span> >Headlines</h2> >Latest news< >News< "
	    "<a href=\"http://news.test/a\">One</a> <a href=\"http://news.test/b\">Two</a>\n";
	const auto served = [&row](char slot) { return row.parsers.find(slot) != std::string::npos; };
	const auto untouched = [](TSecurity& security) {
		EXPECT_PRED_FORMAT2(SameQuote, 7.5f, security.CurrentTradePrice());
		EXPECT_EQ(security.GetNewsList()->Count(), 0);
	};
	std::vector<char> page(text.begin(), text.end());
	const long length = long(page.size());
	TStock stock;
	TFund fund;
	TIndex index;
	TCurrency pair;
	for (TSecurity* security : std::initializer_list<TSecurity*>{&stock, &fund, &index, &pair}) {
		security->SecuritySymbol("ABC");
		security->CurrentTradePrice(7.5f);
	}
	if (!served('S')) {
		EXPECT_FALSE(source.StockDetail(page.data(), length, &stock));
		untouched(stock);
	}
	if (!served('F')) {
		EXPECT_FALSE(source.FundDetail(page.data(), length, &fund));
		untouched(fund);
	}
	if (!served('I')) {
		EXPECT_FALSE(source.IndexDetail(page.data(), length, &index));
		untouched(index);
	}
	if (!served('C')) {
		EXPECT_FALSE(source.CurrencyDetail(page.data(), length, &pair));
		untouched(pair);
	}
	if (!served('L')) {
		RecordingLookupList results;
		bool more = true;
		EXPECT_FALSE(source.Lookup(page.data(), length, &results, securityStock, more));
		EXPECT_TRUE(more);
		EXPECT_TRUE(results.rows.empty());
	}
	if (!served('N')) {
		TStock reader;
		reader.CurrentTradePrice(7.5f);
		EXPECT_FALSE(source.News(page.data(), length, &reader));
		untouched(reader);
	}
}

} // namespace sourcekit

#define EXPECT_QUOTE(expected, actual) EXPECT_PRED_FORMAT2(sourcekit::SameQuote, expected, actual)
