#include "Quoters/UQuoterExtras.h"

#include "foundation/VyStrings.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{

std::string Piece(const char* p, UInt32 length)
{
	return p == nullptr ? std::string("<null>") : std::string(p, length);
}

TEST(UQuoterExtrasTest, CharacterSearchesInZeroEndedStrings)
{
	char s[] = "a.b.c";
	EXPECT_EQ(UQuoterExtras::StrFirstChar(s, '.'), s + 1);
	EXPECT_EQ(UQuoterExtras::StrLastChar(s, '.'), s + 3);
	EXPECT_EQ(UQuoterExtras::StrFirstChar(s, 'z'), nullptr);
	EXPECT_EQ(UQuoterExtras::StrLastChar(s, 'z'), nullptr);
	EXPECT_EQ(UQuoterExtras::StrLastChar(nullptr, '.'), nullptr);
}

TEST(UQuoterExtrasTest, GotoStringChoosesCaseFolding)
{
	std::string page = "Price PRICE \x83t\xE9";
	char* text = page.data();
	const long length = long(page.size());
	EXPECT_EQ(UQuoterExtras::GotoString(text, length, "PRICE", false), text + 6);
	EXPECT_EQ(UQuoterExtras::GotoString(text, length, "PRICE", true), text);
	// Mac Roman letters fold too: E-acute upper (0x83) and lower (0x8E).
	EXPECT_EQ(UQuoterExtras::GotoString(text, length, "\x8Et", true), text + 12);
	EXPECT_EQ(UQuoterExtras::GotoString(text, length, "\x8Et", false), nullptr);
}

// The search finds what a byte-by-byte comparison finds: at every place in a page, near both of its ends,
// in either case, with accented letters, and for labels with no letters at all.
TEST(UQuoterExtrasTest, GotoStringFindsTheFirstPlaceAComparisonWould)
{
	const std::string base =
	    "<tr><th scope=\"row\">Last Trade:</th><td>1.25</td></tr>\r\n<b>\x8E\x83t</b> ";
	std::string page;
	while (page.size() < 300)
		page += base;
	auto naive = [](const std::string& text, size_t from, size_t length, const std::string& label,
	                bool fold) -> long {
		for (size_t i = from; i + label.size() <= from + length; i++)
			if (ksmemcmp(text.data() + i, label.data(), long(label.size()), fold) == 0)
				return long(i);
		return -1;
	};
	for (const char* label : {">last trade:<", "LAST TRADE:", "<B>\x8E", "\x88\x8Et", "</td></tr>\r\n",
	                          "td", "x", "1.25<", ">Absent label<", "\x8E"}) {
		for (bool fold : {true, false}) {
			for (size_t from = 0; from < 70; from += 7) {
				for (size_t length : {size_t(5), size_t(40), page.size() - from}) {
					char* text = page.data() + from;
					char* found =
					    UQuoterExtras::GotoString(text, long(length), label, fold);
					const long expected = naive(page, from, length, label, fold);
					EXPECT_EQ(found ? long(found - page.data()) : -1L, expected)
					    << label << " fold " << fold << " from " << from << " length "
					    << length;
				}
			}
		}
	}
}

TEST(UQuoterExtrasTest, SkipStringCountsOccurrences)
{
	std::string page = "<tr>a<tr>b<tr>c";
	char* text = page.data();
	const long length = long(page.size());
	const struct {
		long count;
		long offset; // -1: null
	} cases[] = {{0, 0}, {1, 4}, {2, 9}, {3, 14}, {4, -1}};
	for (const auto& c : cases) {
		char* at = UQuoterExtras::SkipString(text, length, "<TR>", c.count, true);
		EXPECT_EQ(at, c.offset < 0 ? nullptr : text + c.offset) << c.count;
	}
	EXPECT_EQ(UQuoterExtras::SkipString(text, length, "<TR>", 1, false), nullptr);
}

TEST(UQuoterExtrasTest, GoBackLineWalksToEarlierLineStarts)
{
	std::string page = "l1\nl2\r\nl3 here";
	char* text = page.data();
	char* position = text + page.find("here");
	const struct {
		int lines;
		long offset; // -1: null
	} cases[] = {{0, 7}, {1, 3}, {2, -1}};
	for (const auto& c : cases) {
		char* at = UQuoterExtras::GoBackLine(position, text, c.lines);
		EXPECT_EQ(at, c.offset < 0 ? nullptr : text + c.offset) << c.lines;
	}
}

TEST(UQuoterExtrasTest, ExtractDefinitionRowReadsTheFirstCell)
{
	std::string page = "<td class=a>\n<b>X</b> y</td><td>Z</td>";
	char out[8];
	long outLength = sizeof out;
	char* next = nullptr;
	ASSERT_TRUE(
	    UQuoterExtras::ExtractDefinitionRow(page.data(), long(page.size()), out, outLength, 1, &next));
	EXPECT_STREQ(out, "X");
	outLength = sizeof out;
	ASSERT_TRUE(
	    UQuoterExtras::ExtractDefinitionRow(page.data(), long(page.size()), out, outLength, 2, &next));
	EXPECT_STREQ(out, " y");
	EXPECT_EQ(next, page.data() + page.find("</td>") + 5);
}

TEST(UQuoterExtrasTest, FindQuoteRangeHonoursTheLineLimit)
{
	std::string page = "Range: 1.5 -\n 2.5";
	float low = 0, high = 0;
	EXPECT_FALSE(
	    UQuoterExtras::FindQuoteRange(page.data(), long(page.size()), "Range:", "-", low, high, 1));
	EXPECT_EQ(low, kNoValue);
	EXPECT_EQ(high, kNoValue);
	EXPECT_TRUE(
	    UQuoterExtras::FindQuoteRange(page.data(), long(page.size()), "Range:", "-", low, high, 2));
	EXPECT_FLOAT_EQ(low, 1.5f);
	EXPECT_FLOAT_EQ(high, 2.5f);
}

struct tHeadlineCase {
	const char* page;
	bool quoted;
	bool newline;
	bool starPaths;
	bool found;
	const char* headline;
	const char* host;
	const char* path;
	const char* rest; // the page after what was consumed
};

TEST(UQuoterExtrasTest, ExtractHeadlineSplitsAnchors)
{
	const tHeadlineCase cases[] = {
	    {"x <a href=\"http://host/path/x.html\">Title</a> y", true, false, false, true, "Title",
	     "http://host", "/path/x.html", "> y"},
	    {"<A HREF=/news/1.html>Story</a>", true, false, false, true, "Story", "<null>", "/news/1.html",
	     ">"},
	    {"<a href=\"../x.html\">T</a>", true, false, false, true, "T", "<null>", "/x.html", ">"},
	    {"<a href=\"page.html\">T</a>", true, false, false, true, "T", "page.html", "<null>", ">"},
	    {"<a href=\"http://host\">T</a>", true, false, false, true, "T", "http://host", "<null>", ">"},
	    {"<a\nhref=\"http://h/p\">T</a>", false, false, false, true, "T", "http://h", "/p", ">"},
	    {"<a\nhref=\"http://h/p\">T</a>", true, true, false, true, "T", "http://h", "/p", ">"},
	    {"<a\nhref=\"http://h/p\">T</a>", true, false, false, false, "<null>", "<null>", "<null>", ""},
	    {"<a href=\"http://r/*http://h/a%2Db.html\">T</a>", true, false, true, true, "T", "http://h",
	     "/a-b.html", ">"},
	    {"<a href=\"http://h/p\"></a>", true, false, false, true, "<null>", "http://h", "/p", ">"},
	    {"<a href=\"http://h/p\">no end", true, false, false, false, "<null>", "<null>", "<null>", ""},
	    {"<a href=\"http://h/p", true, false, false, false, "<null>", "<null>", "<null>", ""},
	    {"no anchor", true, true, false, false, "<null>", "<null>", "<null>", ""},
	};
	for (const tHeadlineCase& c : cases) {
		std::string page = c.page;
		tNewsEntry entry;
		entry.headline = "stale";
		entry.headlineLength = 5;
		long consumed = -1;
		EXPECT_EQ(UQuoterExtras::ExtractHeadline(page.data(), long(page.size()), &entry, consumed,
		                                         c.quoted, c.newline, c.starPaths),
		          c.found)
		    << c.page;
		EXPECT_EQ(Piece(entry.headline, entry.headlineLength), c.headline) << c.page;
		EXPECT_EQ(Piece(entry.host, entry.hostLength), c.host) << c.page;
		EXPECT_EQ(Piece(entry.path, entry.pathLength), c.path) << c.page;
		if (c.found)
			EXPECT_EQ(page.substr(size_t(consumed)), c.rest) << c.page;
		else
			EXPECT_EQ(consumed, 0) << c.page;
	}
}

TEST(UQuoterExtrasTest, PurgeHTMLCharsDecodesEntitiesAndBlanks)
{
	const struct {
		const char* text;
		const char* cleaned;
	} cases[] = {
	    {"a   b", "a b"},
	    {"a\rb\nc", "a b c"},
	    {"%7Bx%7D%2D", "{x}-"},
	    {"&#34;q&#34", "\"q\""},
	    {"R&#38;D &#38 co", "R&D & co"},
	    {"&nbsp;x&nbsp&#160;&#160y", " x   y"},
	    {"&amp;nbsp;", "&nbsp;"}, // one pass only
	    {"A&ampB", "A&B"},
	    {"100% & more", "100% & more"},
	    {"", ""},
	};
	for (const auto& c : cases) {
		std::string text = c.text;
		UQuoterExtras::PurgeHTMLChars(text.data());
		EXPECT_STREQ(text.c_str(), c.cleaned) << c.text;
	}
}

TEST(UQuoterExtrasTest, ReplaceHTMLCharsWorksInsideItsRangeOnly)
{
	std::string text = "a&amp;bXYZ&amp;";
	long newLength = 0;
	UQuoterExtras::ReplaceHTMLChars(text.data(), 7, newLength);
	EXPECT_EQ(newLength, 3);
	EXPECT_EQ(text.substr(0, 3), "a&b");
	EXPECT_EQ(text.substr(7), "XYZ&amp;");

	// An entity cut by the range's end is only partly there.
	std::string cut = "x&nb";
	UQuoterExtras::ReplaceHTMLChars(cut.data(), long(cut.size()), newLength);
	EXPECT_EQ(newLength, 4);
}

TEST(UQuoterExtrasTest, PurgeHTMLAndPurgeSpaceChars)
{
	const struct {
		const char* text;
		const char* tagsGone;
	} tags[] = {
	    {"<b>bold</b> text", "bold text"},
	    {"a <x <y> b", "a  b"},
	    {"a < b", "a < b"},
	    {"<>x", "x"},
	};
	for (const auto& c : tags) {
		std::string text = c.text;
		UQuoterExtras::PurgeHTML(text.data());
		EXPECT_STREQ(text.c_str(), c.tagsGone) << c.text;
	}

	const struct {
		const char* text;
		const char* trimmed;
	} blanks[] = {{"\t  ab  \r", "ab"}, {"", ""}, {" \n ", ""}, {"a b", "a b"}};
	for (const auto& c : blanks) {
		std::string text = c.text;
		UQuoterExtras::PurgeSpaceChars(text.data());
		EXPECT_STREQ(text.c_str(), c.trimmed) << c.text;
	}
}

} // namespace
