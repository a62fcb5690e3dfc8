#include "foundation/TVyString.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacRoman.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

std::string Text(const TVyString& s)
{
	return s.GetCString() ? std::string(s.GetCString(), s.Length()) : std::string();
}

std::vector<std::string> Lines(TVyString& s)
{
	std::vector<std::string> lines;
	TVyString line;
	// Bounded, so that a walk that stops moving fails instead of hanging.
	for (bool more = s.GetFirstLine(line); more && lines.size() < 20; more = s.GetNextLine(line))
		lines.push_back(Text(line));
	return lines;
}

std::vector<std::string> Records(TVyString& s, bool withDelimiters)
{
	std::vector<std::string> records;
	TVyString record;
	for (bool more = s.GetFirstRecord(record, withDelimiters); more && records.size() < 20;
	     more = s.GetNextRecord(record, withDelimiters))
		records.push_back(Text(record));
	return records;
}

std::vector<std::string> Arguments(const TVyString& s)
{
	std::vector<std::string> arguments;
	TVyString argument;
	for (unsigned long i = 0; s.GetArgument(i, argument); ++i)
		arguments.push_back(Text(argument));
	return arguments;
}

// Unicode's simple case pairs among the letters Mac Roman can hold, written from the Unicode charts.
bool IsUnicodeCasePair(char32_t capital, char32_t small)
{
	if ((capital >= U'A' && capital <= U'Z') || (capital >= 0xC0 && capital <= 0xDE && capital != 0xD7) ||
	    (capital >= 0x391 && capital <= 0x3A9 && capital != 0x3A2))
		return small == capital + 0x20;
	if (capital == 0x152)
		return small == 0x153;
	if (capital == 0x178)
		return small == 0xFF;
	return false;
}

TEST(TVyStringCaseTables, PairsAreUnicodeCapitalAndSmallLettersAndNoneIsMissing)
{
	for (int b = 0; b < 256; ++b) {
		UInt8 lower = TVyString::sLowerCaseTable[b];
		UInt8 upper = TVyString::sUpperCaseTable[b];
		if (lower != b) {
			EXPECT_TRUE(IsUnicodeCasePair(MacRoman::ToUnicode(b), MacRoman::ToUnicode(lower)))
			    << b;
			EXPECT_EQ(TVyString::sUpperCaseTable[lower], b) << b;
		}
		if (upper != b) {
			EXPECT_EQ(TVyString::sLowerCaseTable[upper], b) << b;
		}
		for (int other = 0; other < 256; ++other) {
			if (IsUnicodeCasePair(MacRoman::ToUnicode(b), MacRoman::ToUnicode(other))) {
				EXPECT_EQ(lower, other) << b;
			}
		}
	}
	TVyString s("\x80");
	EXPECT_TRUE(s.EqualTo("\x8A", false));
	EXPECT_FALSE(s.EqualTo("\x8A", true));
	EXPECT_FALSE(TVyString("\xB8").EqualTo("\xB9", false));
}

TEST(TVyString, ConstructionAndAssignmentCopyBytesOnly)
{
	TVyString range("a\0b", 3);
	EXPECT_EQ(range.Length(), 3u);
	EXPECT_EQ(range[2], 'b');
	EXPECT_EQ(range[3], 0);
	EXPECT_EQ(TVyString((const unsigned char*)"\x03xyzw").Length(), 3u);
	EXPECT_EQ(TVyString((const char*)nullptr).GetCString(), nullptr);

	TVyString source("x\ty");
	source.SetTextMode(TVyString::textModePC);
	source.SetRecordDelimiter("|");
	source.ParseArguments("\t", false);
	TVyString copy(source);
	EXPECT_EQ(Text(copy), "x\ty");
	EXPECT_EQ(copy.GetTextMode(), TVyString::textModeMac);
	EXPECT_EQ(copy.ArgumentCount(), 0u);
	TVyString record;
	EXPECT_FALSE(copy.GetFirstRecord(record, false));

	// Assigning text keeps mode and delimiters; assigning nothing resets them.
	source = "p|q";
	EXPECT_EQ(source.GetTextMode(), TVyString::textModePC);
	EXPECT_EQ(source.ArgumentCount(), 2u);
	source = "";
	EXPECT_EQ(source.GetTextMode(), TVyString::textModeMac);
	source = "p|q";
	EXPECT_FALSE(source.GetFirstRecord(record, false));
}

TEST(TVyString, AssignsAndAppendsPiecesOfItself)
{
	TVyString s("hello world");
	s.Assign(s.GetCString() + 6, 5);
	EXPECT_EQ(Text(s), "world");
	s.Append(s);
	EXPECT_EQ(Text(s), "worldworld");
	EXPECT_TRUE(s.SubString(s, 3, 7));
	EXPECT_EQ(Text(s), "ldwo");
	EXPECT_FALSE(s.SubString(s, 4, 9));
	EXPECT_EQ(s.Length(), 0u);
}

TEST(TVyString, AppendingPieceByPieceMovesTheTextRarely)
{
	TVyString s;
	std::string expected;
	int moves = 0;
	const char* last = nullptr;
	for (int i = 0; i < 100000; ++i) {
		const char piece[] = {char('a' + i % 26), 0};
		s.Append(piece);
		expected += piece;
		if (s.GetCString() != last)
			++moves;
		last = s.GetCString();
	}
	EXPECT_EQ(Text(s), expected);
	EXPECT_LE(moves, 20) << "each move copies the whole text";
	s.Append(s);
	EXPECT_EQ(Text(s), expected + expected);
}

TEST(TVyString, FailedAllocationThrowsAndKeepsTheText)
{
	TVyString s("keep");
	char byte = 'x';
	EXPECT_THROW(s.Assign(&byte, 1UL << 33), int);
	EXPECT_EQ(Text(s), "keep");
}

TEST(TVyString, InsertCountsPositionsFromZero)
{
	TVyString s("abcd");
	s.Insert("X", 0);
	s.Insert("Y", 3);
	s.Insert("Z", 99);
	s.Prepend("<");
	EXPECT_EQ(Text(s), "<XabYcdZ");
	s.Insert("", 2);
	s.Append((const char*)nullptr);
	EXPECT_EQ(s.Length(), 8u);
	EXPECT_EQ(s.GetCString()[8], 0);

	TVyString lines;
	lines.SetTextMode(TVyString::textModeUnix);
	lines.AppendLine("a");
	lines.SetTextMode(TVyString::textModePC);
	lines.AppendLine();
	EXPECT_EQ(Text(lines), "a\n\r\n");
}

TEST(TVyString, SprintfGrowsPastTheFormattingBuffer)
{
	std::string longText(1000, 'q');
	TVyString s("old");
	s.Sprintf("%s|%d", longText.c_str(), 42);
	EXPECT_EQ(Text(s), longText + "|42");
	s.AppendSprintf("%s", longText.c_str());
	EXPECT_EQ(Text(s), longText + "|42" + longText);
	TVyString self("ab");
	self.Sprintf("%s%s", self.GetCString(), self.GetCString());
	EXPECT_EQ(Text(self), "abab");
	EXPECT_EQ(long(TVyString("  -17x")), -17);
	EXPECT_FLOAT_EQ(float(TVyString("2.5")), 2.5f);
}

TEST(TVyString, StartsEndsAndEquals)
{
	TVyString hello("Hello");
	EXPECT_TRUE(hello.StartsWith("hel", false));
	EXPECT_FALSE(hello.StartsWith("hel", true));
	EXPECT_FALSE(hello.StartsWith("", false));
	EXPECT_FALSE(hello.StartsWith("Hello!", false));
	EXPECT_TRUE(hello.StartsWith((const unsigned char*)"\x02He", true));
	EXPECT_TRUE(hello.EndsWith("LLO", false));
	EXPECT_FALSE(hello.EndsWith("xHello", false));
	EXPECT_TRUE(hello.EqualTo("hELLO", false));
	EXPECT_FALSE(hello.EqualTo("Hell", false));
	EXPECT_FALSE(TVyString().StartsWith("a", false));
	EXPECT_TRUE(TVyString("x\r\n").EndsWithCR());
	EXPECT_FALSE(TVyString("x\r ").EndsWithCR());

	TVyString empty1;
	TVyString empty2;
	EXPECT_TRUE(empty1 != empty2);
	EXPECT_FALSE(empty1.EqualTo(empty2, true));
	EXPECT_TRUE(TVyString("abc") == TVyString("abc"));
	EXPECT_FALSE(TVyString("abc") == TVyString("abcd"));
	// Against a C string and in order, only this string's bytes count.
	EXPECT_TRUE(TVyString("abc") == "abcd");
	EXPECT_FALSE(TVyString("abcd") == "abc");
	EXPECT_TRUE(TVyString("abc") < TVyString("abd"));
	EXPECT_TRUE(TVyString("b") > TVyString("abc"));
	EXPECT_TRUE(TVyString("ab") >= TVyString("abc"));
	EXPECT_TRUE(TVyString("\xE9") > TVyString("a"));
}

TEST(TVyString, SearchFindsTheFirstOccurrence)
{
	TVyString s("xx\x83T\x8E-t\x8E");
	unsigned long offset = 99;
	EXPECT_TRUE(s.Search("t\x8E", offset, false));
	EXPECT_EQ(offset, 3u);
	EXPECT_TRUE(s.Search("t\x8E", offset, true));
	EXPECT_EQ(offset, 6u);
	EXPECT_FALSE(s.Search("zz", offset, false));
	EXPECT_EQ(offset, 0u);
	EXPECT_TRUE(s.Contains(TVyString("\x8Et\x8E"), false));
	EXPECT_FALSE(s.Contains("", false));
	EXPECT_FALSE(s.Contains("xx\x83T\x8E-t\x8E!", false));
}

TEST(TVyString, Chopping)
{
	TVyString s("k=v");
	EXPECT_TRUE(s.ChopBefore("=", false));
	EXPECT_EQ(Text(s), "v");
	s = "k=v";
	EXPECT_TRUE(s.Chop("=", true));
	EXPECT_EQ(Text(s), "k=");
	EXPECT_FALSE(s.Chop("=", true));
	EXPECT_FALSE(s.ChopBefore("K", false));

	s = " \t\r\n ";
	EXPECT_TRUE(s.ChopBlanks(true, true));
	EXPECT_EQ(s.Length(), 0u);
	s = "  a b  ";
	EXPECT_TRUE(s.ChopBlanks(false, true));
	EXPECT_EQ(Text(s), "  a b");

	s = "line\n\r\n";
	EXPECT_TRUE(s.Chomp());
	EXPECT_EQ(Text(s), "line\n");
	EXPECT_TRUE(s.ChopBeginning(2));
	EXPECT_TRUE(s.ChopEnd(9));
	EXPECT_EQ(s.Length(), 0u);
	EXPECT_FALSE(s.ChopEnd(1));

	s = "0123456789";
	EXPECT_TRUE(s.RemoveBuffer(2, 5));
	EXPECT_EQ(Text(s), "0156789");
	EXPECT_TRUE(s.RemoveBuffer(4, 100));
	EXPECT_EQ(Text(s), "0156");
	EXPECT_FALSE(s.RemoveBuffer(4, 9));
	long signals = Debugging::SignalCount();
	EXPECT_FALSE(s.RemoveBuffer(3, 1));
	EXPECT_EQ(Debugging::SignalCount(), signals + 1);
}

TEST(TVyString, ChopHTMLRemovesTags)
{
	TVyString s("a<b>c</b>d");
	EXPECT_TRUE(s.ChopAllHTML());
	EXPECT_EQ(Text(s), "acd");
	s = "x<a <b>y";
	EXPECT_TRUE(s.ChopHTML());
	EXPECT_EQ(Text(s), "xy");
	s = "a<b";
	EXPECT_FALSE(s.ChopAllHTML());
	EXPECT_EQ(Text(s), "a");
	EXPECT_FALSE(s.ChopHTML());
}

TEST(TVyString, ReplaceNeverOverlapsAndHonoursTheLimit)
{
	TVyString s("aaaa");
	EXPECT_TRUE(s.Replace("aa", "b", true));
	EXPECT_EQ(Text(s), "bb");
	s = "aaa";
	EXPECT_TRUE(s.Replace("aa", "xyz", true));
	EXPECT_EQ(Text(s), "xyza");
	s = "A.a.A";
	EXPECT_TRUE(s.Replace("a", "<>", false, 2));
	EXPECT_EQ(Text(s), "<>.<>.A");
	EXPECT_TRUE(s.Replace(".", nullptr, true));
	EXPECT_EQ(Text(s), "<><>A");
	EXPECT_FALSE(s.Replace("a", "b", true));
	EXPECT_FALSE(s.Replace("", "b", true));
	s = "ab";
	EXPECT_TRUE(s.Replace(TVyString("ab"), TVyString(), true));
	EXPECT_EQ(s.Length(), 0u);
}

TEST(TVyString, UrlEncodingTouchesOnlyTheListedCharacters)
{
	TVyString s("a b%");
	EXPECT_TRUE(s.UrlEncode());
	EXPECT_EQ(Text(s), "a%20b%25");
	s = "q=\"x\"&y/z~";
	EXPECT_TRUE(s.UrlEncode());
	EXPECT_EQ(Text(s), "q=%22x%22%26y/z%7E");
	EXPECT_TRUE(s.UrlDecode());
	EXPECT_EQ(Text(s), "q=\"x\"&y/z~");
	s = "%41%2f%7e%2";
	EXPECT_TRUE(s.UrlDecode());
	EXPECT_EQ(Text(s), "%41%2f~%2");
	EXPECT_TRUE(s.UrlEncode());
	EXPECT_EQ(Text(s), "%2541%252f%7E%252");
	s = "plain/text";
	EXPECT_FALSE(s.UrlDecode());
	EXPECT_FALSE(s.UrlEncode());
}

TEST(TVyString, LineWalk)
{
	TVyString s("a\r\n\r\nb\n");
	EXPECT_EQ(Lines(s), (std::vector<std::string>{"a", "b"}));
	TVyString line("stale");
	EXPECT_FALSE(s.GetNextLine(line));
	EXPECT_EQ(line.Length(), 0u);
	EXPECT_EQ(s.LineCount(), 2u);

	// A zero byte ends a line and the walk goes on past it.
	TVyString zeros("a\0b\0\0\rc\0", 8);
	EXPECT_EQ(Lines(zeros), (std::vector<std::string>{"a", "b", "c"}));
	EXPECT_EQ(zeros.LineCount(), 3u);

	TVyString three("one\rtwo\nthree");
	EXPECT_TRUE(three.GetLineWithIndex(line, 3));
	EXPECT_EQ(Text(line), "three");
	EXPECT_FALSE(three.GetLineWithIndex(line, 4));
	EXPECT_EQ(line.Length(), 0u);
	EXPECT_FALSE(three.GetLineWithIndex(line, 0));

	// A change of the text ends the walk.
	EXPECT_TRUE(three.GetFirstLine(line));
	three.Append("!");
	EXPECT_FALSE(three.GetNextLine(line));
}

TEST(TVyString, GetLineWithStringUnfoldsHeaderContinuations)
{
	TVyString headers("HTTP/1.1 200 OK\r\nSet-Cookie: a=1;\r\n\tpath=/\r\nX-Other: y\r\n");
	TVyString line;
	EXPECT_TRUE(headers.GetLineWithString(line, "set-cookie:", false, false));
	EXPECT_EQ(Text(line), "Set-Cookie: a=1;");
	EXPECT_TRUE(headers.GetLineWithString(line, "set-cookie: ", true, true));
	EXPECT_EQ(Text(line), "a=1;path=/");
	EXPECT_TRUE(headers.GetLineWithString(line, "200", false, true));
	EXPECT_EQ(Text(line), "HTTP/1.1 200 OK");
	EXPECT_TRUE(headers.GetLineWithString(line, "X-Other: y", true, false));
	EXPECT_EQ(line.Length(), 0u);
	EXPECT_FALSE(headers.GetLineWithString(line, "Location", false, false));
	EXPECT_FALSE(headers.GetLineWithString(line, "", false, false));
}

TEST(TVyString, RecordWalk)
{
	TVyString s("x<R>1</R>y<r>2</R>");
	s.SetRecordDelimiters("<R>", "</R>");
	EXPECT_EQ(Records(s, false), (std::vector<std::string>{"1", "2"}));
	EXPECT_EQ(Records(s, true), (std::vector<std::string>{"<R>1</R>", "<r>2</R>"}));

	TVyString single("|a|b|");
	single.SetRecordDelimiter("|");
	EXPECT_EQ(Records(single, false), (std::vector<std::string>{"a", "b", ""}));
	TVyString record;
	EXPECT_TRUE(single.GetRecordWithIndex(record, 2, true));
	EXPECT_EQ(Text(record), "|b|");
	EXPECT_FALSE(single.GetRecordWithIndex(record, 4, true));

	TVyString open("<R>a</R><R>tail");
	open.SetRecordDelimiters("<R>", "</R>");
	EXPECT_EQ(Records(open, false), (std::vector<std::string>{"a", "tail"}));

	TVyString field("name=<b>value</b>;");
	EXPECT_TRUE(field.GetField("<B>", "</b>", record));
	EXPECT_EQ(Text(record), "value");
	EXPECT_FALSE(field.GetField("<i>", "</i>", record));
}

TEST(TVyString, AddRecordSetsDefaultDelimitersAndWalksBack)
{
	TVyString headers;
	headers.SetTextMode(TVyString::textModePC);
	headers.AddRecord("Accept: */*");
	headers.AddRecord(TVyString("X-A: 1"));
	EXPECT_EQ(Text(headers), "<CUSTOM_HEADER_RECORD_START>Accept: */*<CUSTOM_HEADER_RECORD_END>\r\n"
	                         "<CUSTOM_HEADER_RECORD_START>X-A: 1<CUSTOM_HEADER_RECORD_END>\r\n");
	EXPECT_EQ(Records(headers, false), (std::vector<std::string>{"Accept: */*", "X-A: 1"}));
}

TEST(TVyString, ParseArguments)
{
	TVyString s("a\t\tb\tc\t");
	EXPECT_EQ(s.ParseArguments("\t", false), 3u);
	EXPECT_EQ(Arguments(s), (std::vector<std::string>{"a", "b", "c"}));

	TVyString quoted("x \"y z\" w");
	EXPECT_EQ(quoted.ParseArguments(" ", true), 3u);
	EXPECT_EQ(Arguments(quoted), (std::vector<std::string>{"x", "\"y z\"", "w"}));
	EXPECT_EQ(quoted.ParseArguments(" ", false), 4u);

	// A line end ends the scan, also inside quotes.
	TVyString lines("p q\rr s");
	EXPECT_EQ(lines.ParseArguments(TVyString(" "), true), 2u);
	TVyString unclosed("p \"q r\nlater");
	EXPECT_EQ(unclosed.ParseArguments(" ", true), 2u);
	EXPECT_EQ(Arguments(unclosed), (std::vector<std::string>{"p", "\"q r"}));

	std::string wide;
	for (int i = 0; i < 300; ++i)
		wide += std::to_string(i) + "\t";
	TVyString many(wide.c_str());
	EXPECT_EQ(many.ParseArguments("\t", false), 256u);
	TVyString argument;
	EXPECT_TRUE(many.GetArgument(255, argument));
	EXPECT_EQ(Text(argument), "255");
	EXPECT_FALSE(many.GetArgument(256, argument));
	EXPECT_EQ(argument.Length(), 0u);

	// An empty text leaves the previous arguments in place.
	many = "";
	EXPECT_EQ(many.ParseArguments("\t", false), 0u);
	EXPECT_EQ(many.ArgumentCount(), 256u);
	many.ClearArguments(true);
	EXPECT_EQ(many.ArgumentCount(), 0u);
	EXPECT_FALSE(many.GetArgument(0, argument));
}

TEST(TVyString, LineSplitInsertsAtTheWidth)
{
	TVyString s("abcdefg");
	EXPECT_EQ(s.LineSplit(2, "\n"), 3u);
	EXPECT_EQ(Text(s), "ab\ncd\nef\ng");
	// The indent after the break counts towards the next line.
	s = "abcdefgh";
	EXPECT_EQ(s.LineSplit(4, "\n  "), 2u);
	EXPECT_EQ(Text(s), "abcd\n  ef\n  gh");
	s = "abcd";
	EXPECT_EQ(s.LineSplit(4, "\n"), 0u);
	EXPECT_EQ(s.LineSplit(2), 0u);
	EXPECT_EQ(Text(s), "abcd");
}

TEST(TVyString, GetUnicodeConvertsEachForm)
{
	TVyString s("\x8E"
	            "A");
	auto bytes = [&](TVyString::unicodeMode mode, bool mark) {
		unsigned long size = 0;
		char* buffer = s.GetUnicode(size, mode, mark);
		std::string result(buffer, size);
		delete[] buffer;
		return result;
	};
	EXPECT_EQ(bytes(TVyString::unicodeUTF8, false), "\xC3\xA9"
	                                                "A");
	EXPECT_EQ(bytes(TVyString::unicodeUTF8, true), "\xEF\xBB\xBF\xC3\xA9"
	                                               "A");
	EXPECT_EQ(bytes(TVyString::unicodeUTF16BE, true), std::string("\xFE\xFF\x00\xE9\x00"
	                                                              "A",
	                                                              6));
	EXPECT_EQ(bytes(TVyString::unicodeUTF16LE, false), std::string("\xE9\x00"
	                                                               "A\x00",
	                                                               4));
	EXPECT_EQ(bytes(TVyString::unicodeUTF32LE, true), std::string("\xFF\xFE\x00\x00\xE9\x00\x00\x00"
	                                                              "A\x00\x00\x00",
	                                                              12));
	EXPECT_EQ(bytes(TVyString::unicodeUTF32BE, false), std::string("\x00\x00\x00\xE9\x00\x00\x00"
	                                                               "A",
	                                                               8));
	unsigned long size = 7;
	EXPECT_EQ(TVyString().GetUnicode(size, TVyString::unicodeUTF8, true), nullptr);
	EXPECT_EQ(size, 0u);
}

TEST(TVyString, CaseMappingAndFill)
{
	TVyString s("Caf\x8E \x80");
	s.ToUpper();
	EXPECT_EQ(Text(s), "CAF\x83 \x80");
	s.ToLower();
	EXPECT_EQ(Text(s), "caf\x8E \x8A");
	s.Fill('-', 3);
	EXPECT_EQ(Text(s), "---");
	char* copy = s.GetCStringCopy();
	EXPECT_STREQ(copy, "---");
	EXPECT_NE(copy, s.GetCString());
	delete[] copy;
}

} // namespace
