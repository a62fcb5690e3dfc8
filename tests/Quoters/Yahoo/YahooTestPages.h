#pragma once
// Reading the Yahoo family's fixture pages, and the figures a quote page fills, for comparison in one go.

#include "model/TSecurity.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace yahootest
{

// The page's bytes without a terminating zero, as the request layer hands them over.
inline std::vector<char> ReadPage(const std::string& family, const std::string& name)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + family + "/" + name, std::ios::binary);
	EXPECT_TRUE(in.good()) << name;
	return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

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

inline std::vector<std::string> Headlines(TSecurity& security)
{
	std::vector<std::string> out;
	TList<tNewsItem>* list = security.GetNewsList();
	for (long i = 1; i <= list->Count(); i++)
		out.push_back(list->GetNth(i)->headline ? list->GetNth(i)->headline : "");
	return out;
}

} // namespace yahootest

#define EXPECT_QUOTE(expected, actual) EXPECT_PRED_FORMAT2(yahootest::SameQuote, expected, actual)
