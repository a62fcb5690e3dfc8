#pragma once
// What the quote-source tests share: pages read from the fixtures, quotes compared with the no-value marker
// exactly, a lookup list that keeps its rows, the headlines a security collected, and a fixed "now"
// (Monday 7 December 2026, 10:00 UTC).

#include "Includes/NoValue.h"
#include "Quoters/ILookupList.h"
#include "Quoters/TQuoterHosts.h"
#include "model/TSecurity.h"

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

} // namespace sourcekit

#define EXPECT_QUOTE(expected, actual) EXPECT_PRED_FORMAT2(sourcekit::SameQuote, expected, actual)
