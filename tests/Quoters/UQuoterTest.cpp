#include "Quoters/UQuoter.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace
{

// Page text without a terminating zero in the range: every case works on a copy and passes its size.
struct tPage {
	explicit tPage(const std::string& text) : bytes(text) {}
	char* data() { return bytes.data(); }
	long size() const { return long(bytes.size()); }
	std::string bytes;
};

struct tIsQuoteCase {
	const char* text;
	bool number;
	long length;
};

TEST(UQuoterScanTest, IsQuoteMeasuresTheNumberAtTheStart)
{
	const tIsQuoteCase cases[] = {
	    {"12", true, 2},
	    {" 12", false, 0},  // a blank before anything of a number stops
	    {"12  x", true, 2}, // blanks after digits are walked, then trimmed
	    {"1,234.50 EUR", true, 8},
	    {"-1.5%", true, 4},
	    {"1 1/2 ", true, 5},
	    {"1/ 2", true, 4},
	    {"1/x", true, 1},
	    {"3/8<", true, 3}, // too short for a tag
	    {"12<sup>1/2</sup>", true, 16},
	    {"12<span class=u>5", true, 17},
	    {"12<b>5</b>", true, 2},
	    {"12&nbsp;500", true, 11},
	    {"12&amp;", true, 2},
	    {".5", true, 2},
	    {".x", false, 0},
	    {"-", false, 0},
	    {"- x", false, 0}, // a sign without a digit is no number
	    {"abc", false, 0},
	};
	for (const tIsQuoteCase& c : cases) {
		tPage page(c.text);
		long length = page.size();
		EXPECT_EQ(UQuoter::IsQuote(page.data(), length), c.number) << c.text;
		EXPECT_EQ(length, c.length) << c.text;
	}
}

struct tParseCase {
	const char* text;
	double value;
};

TEST(UQuoterScanTest, ParseQuoteReadsSeparatorsEntitiesAndFractions)
{
	const tParseCase cases[] = {
	    {"12.50%", 12.5},    {"1,234.5", 1234.5},  {"1 1/2", 1.5},    {"1 1/ 2", 1.5},
	    {"-2 3/4", -2.75},   {"3/8", 0.375},       {"12 3/0", 12},    {"1/2/3", 1.0 / 3},
	    {"1&nbsp;1/2", 1.5}, {"&nbsp;3/8", 0.375}, {"5<b>0</b>", 50}, {"1\t1/4", 1.25},
	    {"1,2.5 3/4", 12.5}, {"abc", 0},
	};
	// A superscript starts a fraction or a footnote mark; it never runs into the digits before it.
	const tParseCase superscripts[] = {
	    {"12<sup>1/2</sup>", 12.5},
	    {"12<sup>3</sup>/<sub>8</sub>", 12.375},
	    {"12.50<sup>1</sup>", 12.5},
	    {"7<SUP>2</SUP>", 7},
	};
	for (const tParseCase& c : superscripts) {
		tPage page(c.text);
		EXPECT_FLOAT_EQ(UQuoter::ParseQuote(page.data(), page.size()), float(c.value)) << c.text;
	}
	for (const tParseCase& c : cases) {
		tPage page(c.text);
		EXPECT_FLOAT_EQ(UQuoter::ParseQuote(page.data(), page.size()), float(c.value)) << c.text;
	}
	// Only the first 50 characters count.
	tPage longNumber(std::string(49, '1') + "99");
	EXPECT_FLOAT_EQ(UQuoter::ParseQuote(longNumber.data(), longNumber.size()),
	                UQuoter::ParseQuote(longNumber.data(), 50));
}

struct tExtractCase {
	const char* text;
	int lines;
	bool found;
	float value;
};

TEST(UQuoterScanTest, ExtractQuoteFindsTheFirstNumberOrNotAvailable)
{
	const tExtractCase cases[] = {
	    {"&nbsp;N/A", 0, true, kNoValue},
	    {"<b>1,234.50</b>", 0, true, 1234.5f},
	    {"<td class=\"x\">-0.25</td>", 0, true, -0.25f},
	    {": n/a 12", 0, true, kNoValue},
	    {"</td><td>NA</td>", 0, true, kNoValue},
	    {"-", 0, false, kNoValue},
	    {"- x", 0, false, kNoValue},
	    {"Name 12.5", 0, true, 12.5f}, // "na" inside a word is not "not available"
	    {"NAV 10.25", 0, true, 10.25f},
	    {"Financial: 3", 0, true, 3},
	    {"<td>45<sup>1</sup>/<sub>4</sub></td>", 0, true, 45.25f},
	    {"\n12", 0, true, 12},
	    {"\n12", 1, false, kNoValue},
	    {"\n12", 2, true, 12},
	    {"\r\n12", 2, true, 12}, // CR LF is one line end
	    {"\r\r12", 2, false, kNoValue},
	    {"", 0, false, kNoValue},
	    {"<b>no number</b>", 0, false, kNoValue},
	};
	for (const tExtractCase& c : cases) {
		tPage page(c.text);
		float value = 1;
		EXPECT_EQ(UQuoter::ExtractQuote(page.data(), page.size(), value, c.lines), c.found) << c.text;
		EXPECT_EQ(value, c.value) << c.text;
	}
}

TEST(UQuoterScanTest, ExtractQuoteStaysInsideTheRange)
{
	tPage page("Last: 12");
	float value = 0;
	EXPECT_FALSE(UQuoter::ExtractQuote(page.data(), 6, value, 0));
	EXPECT_EQ(value, kNoValue);
	EXPECT_TRUE(UQuoter::ExtractQuote(page.data(), 7, value, 0));
	EXPECT_EQ(value, 1);
}

struct tFindCase {
	const char* text;
	const char* label;
	int lines;
	bool found;
	float value;
};

TEST(UQuoterScanTest, FindQuoteReadsAfterTheLabel)
{
	const tFindCase cases[] = {
	    {"<td>Last Trade:</td><td><b>45.10</b></td>", "last trade:", 0, true, 45.1f},
	    {"Open 3 Last: 7", "Last:", 0, true, 7},
	    {"Last:</td>\n<td>12</td>", "Last:", 1, false, kNoValue}, // lines 1 keeps to the label's line
	    {"Last:</td>\n<td>12</td>", "Last:", 2, true, 12},
	    {"Bid: 1.5", "Ask:", 0, false, kNoValue},
	    {"Bid:", "Bid:", 0, false, kNoValue},
	};
	for (const tFindCase& c : cases) {
		tPage page(c.text);
		float value = 1;
		EXPECT_EQ(UQuoter::FindQuote(page.data(), page.size(), c.label, value, c.lines), c.found)
		    << c.text;
		EXPECT_EQ(value, c.value) << c.text;
	}
}

struct tRangeCase {
	const char* text;
	const char* label;
	bool found;
	float low;
	float high;
};

TEST(UQuoterScanTest, FindQuoteRangeNeedsBothEnds)
{
	const tRangeCase cases[] = {
	    {"Day's Range:</td><td>1.50 - 2.25</td>", "Range:", true, 1.5f, 2.25f},
	    {"12 - 14", nullptr, true, 12, 14},
	    {"Range: 1.50 to 2.25", "Range:", false, kNoValue, kNoValue},
	    {"Range: x - 2.25", "Range:", false, kNoValue, kNoValue},
	    {"Range: 1.5 - x", "Range:", false, kNoValue, kNoValue},
	    {"1.5 - 2.5", "Range:", false, kNoValue, kNoValue},
	};
	for (const tRangeCase& c : cases) {
		tPage page(c.text);
		float low = 1, high = 1;
		EXPECT_EQ(UQuoter::FindQuoteRange(page.data(), page.size(), c.label, " - ", low, high),
		          c.found)
		    << c.text;
		EXPECT_EQ(low, c.low) << c.text;
		EXPECT_EQ(high, c.high) << c.text;
	}
}

struct tVolumeCase {
	const char* text;
	bool found;
	UInt32 volume;
};

TEST(UQuoterScanTest, VolumesAreExactCountsClampedToUInt32)
{
	const tVolumeCase cases[] = {
	    {"Volume: 16,777,217", true, 16777217u}, // one more than a float holds exactly
	    {"Volume: 123,456,789", true, 123456789u},
	    {"Volume: 4,294,967,295", true, 4294967295u},
	    {"Volume: 4,294,967,296", true, 4294967295u},
	    {"Volume: 99,999,999,999", true, 4294967295u},
	    {"Volume: 1,500.7", true, 1500u},
	    {"Volume: -5", true, 0},
	    {"Volume: N/A", true, 0},
	    {"Volume: none", false, 0},
	    {"Shares: 12", false, 0},
	};
	for (const tVolumeCase& c : cases) {
		tPage page(c.text);
		UInt32 volume = 7;
		EXPECT_EQ(UQuoter::FindVolume(page.data(), page.size(), "Volume:", volume, 0), c.found)
		    << c.text;
		EXPECT_EQ(volume, c.volume) << c.text;
	}
	EXPECT_EQ(UQuoter::VolumeFromValue(kNoValue), 0u);
	EXPECT_EQ(UQuoter::VolumeFromValue(4294967295.0), 4294967295u);
}

TEST(UQuoterScanTest, GotoLineCountsEachKindOfLineEnd)
{
	tPage page("a\nb\r\nc\rd");
	const struct {
		int line;
		long offset; // -1: null
	} cases[] = {{0, 0}, {1, 2}, {2, 5}, {3, 7}, {4, -1}};
	for (const auto& c : cases) {
		char* at = UQuoter::GotoLine(page.data(), page.size(), c.line);
		if (c.offset < 0)
			EXPECT_EQ(at, nullptr) << c.line;
		else
			EXPECT_EQ(at, page.data() + c.offset) << c.line;
	}
	EXPECT_EQ(UQuoter::GotoLine(page.data(), 0, 0), nullptr);
	EXPECT_EQ(UQuoter::GotoLine(nullptr, 5, 0), nullptr);
}

TEST(UQuoterScanTest, GotoStringFindsOnlyWholeLabelsInsideTheRange)
{
	tPage page("xx PRICE yy");
	EXPECT_EQ(UQuoter::GotoString(page.data(), page.size(), "price"), page.data() + 3);
	EXPECT_EQ(UQuoter::GotoString(page.data(), 7, "price"), nullptr);
	EXPECT_EQ(UQuoter::GotoString(page.data(), 8, "price"), page.data() + 3);
	EXPECT_EQ(UQuoter::GotoString(page.data(), page.size(), ""), nullptr);
	EXPECT_EQ(UQuoter::GotoString(page.data(), page.size(), nullptr), nullptr);
}

struct tStringCase {
	const char* text;
	int line;
	long bufferSize;
	bool found;
	const char* run;
};

TEST(UQuoterScanTest, ExtractStringAfterLineTakesTheFirstTextRun)
{
	const tStringCase cases[] = {
	    {"x\n  <b>Hello</b> world", 1, 32, true, "Hello"},
	    {"> Name\nrest", 0, 32, true, "Name"},
	    {"x\n<b></b>\nHello", 1, 32, false, ""}, // a line end before any text
	    {"x\n<b>", 1, 32, false, ""},
	    {"x\nHello", 1, 4, true, "Hel"}, // bounded by the buffer, terminator included
	    {"x", 1, 32, false, ""},
	};
	for (const tStringCase& c : cases) {
		tPage page(c.text);
		char out[40];
		std::fill(std::begin(out), std::end(out), 'Z');
		long outLength = c.bufferSize;
		EXPECT_EQ(UQuoter::ExtractStringAfterLine(page.data(), page.size(), c.line, out, outLength),
		          c.found)
		    << c.text;
		EXPECT_STREQ(out, c.run) << c.text;
		EXPECT_EQ(outLength, long(std::strlen(c.run))) << c.text;
		EXPECT_EQ(out[c.bufferSize], 'Z') << c.text;
	}
}

struct tSkipCase {
	const char* text;
	bool skipBlanks;
	bool crossLines;
	bool found;
	long offset;
	long runLength;
};

TEST(UQuoterScanTest, SkipPastHTMLFindsTheNextTextRun)
{
	const tSkipCase cases[] = {
	    {"<b>abc</b>", false, false, true, 3, 3}, {"  abc", true, false, true, 2, 3},
	    {"  abc", false, false, true, 0, 5},      {"<b>\nabc", false, false, false, 3, 0},
	    {"<b>\r\nabc", false, true, true, 5, 3},  {"&nbsp;  x", false, false, true, 8, 1},
	    {"&amp; x", false, false, true, 1, 6}, // only the spacing entity is passed whole
	    {"> \tx", false, false, true, 2, 2},   // a tab after '>' is passed only across lines
	    {"> \tx", false, true, true, 3, 1},       {"<b>", false, false, false, 3, 0},
	};
	for (const tSkipCase& c : cases) {
		tPage page(c.text);
		long offset = page.size(), runLength = -1;
		EXPECT_EQ(UQuoter::SkipPastHTML(page.data(), offset, runLength, c.skipBlanks, c.crossLines),
		          c.found)
		    << c.text;
		EXPECT_EQ(offset, c.offset) << c.text;
		EXPECT_EQ(runLength, c.runLength) << c.text;
	}
}

struct tArgumentCase {
	const char* text;
	int line;
	int argument;
	bool found;
	const char* run;
};

TEST(UQuoterScanTest, ExtractStringAfterLineArgumentPicksTheNthRun)
{
	const tArgumentCase cases[] = {
	    {"head\n<td>A</td><td>B C</td>\nnext", 1, 2, true, "B C"},
	    {"head\n<td>A</td><td>B C</td>\nnext", 1, 1, true, "A"},
	    {"head\n<td>A</td><td>B C</td>\nnext", 1, 3, false, ""}, // runs stop at the line end
	    {"head\n<td>A</td>", 1, 0, true, ""},
	    {"head\n<td>A</td>", 5, 1, false, ""},
	};
	for (const tArgumentCase& c : cases) {
		tPage page(c.text);
		char out[16];
		long outLength = sizeof out;
		EXPECT_EQ(UQuoter::ExtractStringAfterLineArgument(page.data(), page.size(), c.line,
		                                                  c.argument, out, outLength),
		          c.found)
		    << c.text;
		EXPECT_STREQ(out, c.run) << c.text;
	}

	// The buffer's size bounds the copy, terminator included.
	tPage page("<td>Bigger</td>");
	char out[4] = {'Z', 'Z', 'Z', 'Z'};
	long outLength = 3;
	EXPECT_TRUE(UQuoter::ExtractStringAfterLineArgument(page.data(), page.size(), 0, 1, out, outLength));
	EXPECT_STREQ(out, "Bi");
	EXPECT_EQ(outLength, 2);
	EXPECT_EQ(out[3], 'Z');
}

TEST(UQuoterScanTest, ExtractQuoteAfterLineArgumentReadsTheRunAsANumber)
{
	const struct {
		const char* text;
		bool found;
		float value;
	} cases[] = {
	    {"x\n<td>Vol</td><td>1,234</td>", true, 1234},
	    {"x\n<td>Vol</td><td>NA</td>", true, kNoValue},
	    {"x\n<td>Vol</td><td>n/a yet</td>", true, kNoValue},
	    {"x\n<td>Vol</td><td>abc</td>", false, kNoValue},
	    {"x\n<td>Vol</td>", false, kNoValue},
	};
	for (const auto& c : cases) {
		tPage page(c.text);
		float value = 1;
		EXPECT_EQ(UQuoter::ExtractQuoteAfterLineArgument(page.data(), page.size(), 1, 2, value),
		          c.found)
		    << c.text;
		EXPECT_EQ(value, c.value) << c.text;
	}

	tPage page("a\nb\n 42");
	float value = 1;
	EXPECT_TRUE(UQuoter::ExtractQuoteAfterLine(page.data(), page.size(), 2, value));
	EXPECT_EQ(value, 42);
	value = 1;
	EXPECT_FALSE(UQuoter::ExtractQuoteAfterLine(page.data(), page.size(), 3, value));
	EXPECT_EQ(value, 1);
}

TEST(UQuoterScanTest, ExtractTableRowWalksATableRowByRow)
{
	tPage page("<table><tr><td>A</td><td>B</td></tr>\n<tr><td>C</td><td>\nD</td></tr></table>");
	char out[8];
	long outLength = sizeof out;
	char* next = nullptr;
	ASSERT_TRUE(UQuoter::ExtractTableRow(page.data(), page.size(), out, outLength, 2, &next));
	EXPECT_STREQ(out, "B");
	EXPECT_EQ(next, page.data() + page.bytes.find("</tr>") + 5);

	outLength = sizeof out;
	ASSERT_TRUE(
	    UQuoter::ExtractTableRow(next, page.data() + page.size() - next, out, outLength, 2, &next));
	EXPECT_STREQ(out, "D"); // cells may cross lines

	outLength = sizeof out;
	char* after = next;
	EXPECT_FALSE(
	    UQuoter::ExtractTableRow(after, page.data() + page.size() - after, out, outLength, 1, &next));
	EXPECT_EQ(next, nullptr);
	EXPECT_EQ(outLength, 0);

	// A column beyond the row fails but still moves past the row.
	outLength = sizeof out;
	EXPECT_FALSE(UQuoter::ExtractTableRow(page.data(), page.size(), out, outLength, 3, &next));
	EXPECT_EQ(next, page.data() + page.bytes.find("</tr>") + 5);

	// The closing tag must lie inside the given range.
	outLength = sizeof out;
	EXPECT_FALSE(UQuoter::ExtractTableRow(page.data(), long(page.bytes.find("</tr>")) + 4, out, outLength,
	                                      1, &next));
}

} // namespace
