#pragma once
// Reading the fixture pages of the quote-site, Canadian and Nordic sources, and what their parsers leave
// behind: the news list, the lookup rows, values compared with the no-value marker exactly.

#include "Includes/NoValue.h"
#include "Quoters/ILookupList.h"
#include "model/TSecurity.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace sourcetest
{

// The page's bytes without a terminating zero, as the request layer hands them over.
inline std::vector<char> ReadPage(const std::string& family, const std::string& name)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + family + "/" + name, std::ios::binary);
	EXPECT_TRUE(in.good()) << name;
	return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// A page held in a buffer of exactly its length.
inline std::vector<char> Page(const std::string& text)
{
	return std::vector<char>(text.begin(), text.end());
}

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

struct tHeadline {
	std::string text;
	std::string url;
	bool operator==(const tHeadline& other) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const tHeadline& headline)
{
	return out << "{" << headline.text << ", " << headline.url << "}";
}

inline std::vector<tHeadline> Headlines(TSecurity& security)
{
	std::vector<tHeadline> out;
	TList<tNewsItem>* list = security.GetNewsList();
	for (long i = 1; i <= list->Count(); i++) {
		tNewsItem* item = list->GetNth(i);
		out.push_back({item->headline ? item->headline : "", item->url ? item->url : ""});
	}
	return out;
}

struct tRow {
	std::string name;
	std::string symbol;
	tStockExchange exchange;
	OSType quoter;
	bool operator==(const tRow& other) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const tRow& row)
{
	return out << "{" << row.name << ", " << row.symbol << ", " << row.exchange << "}";
}

class RecordingLookupList : public ILookupList
{
      public:
	void Append(tLookupEntry* entry) override
	{
		EXPECT_EQ(entry->marked, 0);
		EXPECT_EQ(entry->added, 0);
		mRows.push_back({entry->name, entry->symbol, entry->exchange, entry->quoter});
	}
	long Count() override { return long(mRows.size()); }

	std::vector<tRow> mRows;
};

} // namespace sourcetest

#define EXPECT_QUOTE(expected, actual) EXPECT_PRED_FORMAT2(sourcetest::SameQuote, expected, actual)
