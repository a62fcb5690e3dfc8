#include "foundation/VyStrings.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> Fields(char** argv, long count)
{
	return std::vector<std::string>(argv, argv + count);
}

using Strings = std::vector<std::string>;

} // namespace

TEST(VyStrings, StrcpynStopsAtTheBoundAndTerminates)
{
	char field[16];
	std::memset(field, 'z', sizeof(field));
	char* end = strcpyn(field, "abcdefghijklmnopqrst", sizeof(field) - 1);
	EXPECT_STREQ(field, "abcdefghijklmno");
	EXPECT_EQ(end, field + 15);

	std::memset(field, 'z', sizeof(field));
	EXPECT_EQ(strcpyn(field, "abc", 0), nullptr);
	EXPECT_EQ(field[0], 'z');

	strcpyn(field, nullptr, 5);
	EXPECT_STREQ(field, "");
	EXPECT_EQ(strcpyn(field, "ab", 5), field + 2);
}

TEST(VyStrings, StrcatnKeepsWithinTheWholeSize)
{
	char buffer[10] = "abcde";
	buffer[8] = 'z';
	buffer[9] = 'z';
	strcatn(buffer, "xyz", 8);
	EXPECT_STREQ(buffer, "abcdexy");
	EXPECT_EQ(buffer[8], 'z');

	strcatn(buffer, "q", 8); // already full
	EXPECT_STREQ(buffer, "abcdexy");
	strcatn(buffer, nullptr, 10);
	EXPECT_STREQ(buffer, "abcdexy");
	strcatn(buffer, "q", 10);
	EXPECT_STREQ(buffer, "abcdexyq");
}

TEST(VyStrings, CopiesFromLengthPrefixedAndByteRanges)
{
	const unsigned char pascal[] = {5, 'h', 'e', 'l', 'l', 'o'};
	char out[16];
	strcpyp(out, pascal);
	EXPECT_STREQ(out, "hello");
	strcpyp(out, nullptr);
	EXPECT_STREQ(out, "");
	EXPECT_EQ(strcpypn(out, pascal, 3), out + 3);
	EXPECT_STREQ(out, "hel");

	strmemcpyn(out, "abcdef", 4, 10);
	EXPECT_STREQ(out, "abcd");
	strmemcpyn(out, "abcdef", 6, 2);
	EXPECT_STREQ(out, "ab");
	strmemcatn(out, "xyzw", 4, 5);
	EXPECT_STREQ(out, "abxy");
	strmemcpyn(out, nullptr, 3, 3);
	EXPECT_STREQ(out, "");
}

TEST(VyStrings, LengthPrefixedCopiesAndAppends)
{
	std::string longText(300, 'q');
	unsigned char p[256];
	pstrcpycn(p, longText.c_str(), 400);
	EXPECT_EQ(p[0], 255);
	EXPECT_EQ(p[255], 'q');
	pstrcpycn(p, "abc", 2);
	EXPECT_EQ(p[0], 2);
	EXPECT_EQ(std::memcmp(p + 1, "ab", 2), 0);
	pstrcpycn(p, nullptr, 5);
	EXPECT_EQ(p[0], 0);

	const unsigned char src[] = {4, 'w', 'x', 'y', 'z'};
	unsigned char q[16];
	pstrcpyn(q, src, 2);
	EXPECT_EQ(q[0], 2);
	pstrcatn(q, src, 5);
	EXPECT_EQ(q[0], 5);
	EXPECT_EQ(std::memcmp(q + 1, "wxwxy", 5), 0);
	pstrcatn(q, src, 5); // already at the limit
	EXPECT_EQ(q[0], 5);

	unsigned char r[16];
	pstrcpy(r, src);
	EXPECT_TRUE(pstrcmp(r, src));
	r[4] = 'Z';
	EXPECT_FALSE(pstrcmp(r, src));
}

TEST(VyStrings, ComparisonsFoldMacRomanCase)
{
	EXPECT_EQ(ksstrcmpi("Hello", "hELLO"), 0);
	EXPECT_LT(ksstrcmpi("abc", "abd"), 0);
	EXPECT_GT(ksstrcmpi("abcd", "ABC"), 0);
	EXPECT_EQ(ksstrcmpi(nullptr, nullptr), 0);
	EXPECT_EQ(ksstrcmpi(nullptr, "a"), -1);
	EXPECT_EQ(ksstrcmpi("a", nullptr), 1);
	// Capital and small A with grave accent in Mac Roman.
	EXPECT_EQ(ksstrcmpi("\xCB", "\x88"), 0);

	EXPECT_EQ(ksmemcmp("abc", "ABC", 0, true), -1);
	EXPECT_EQ(ksmemcmp("abc", "ABC", 3, true), 0);
	EXPECT_NE(ksmemcmp("abc", "ABC", 3, false), 0);

	EXPECT_EQ(strncmpi("HELLO world", "hello WORLD!", 11), 0);
	EXPECT_EQ(strncmpi("abc", "abd", 3), -1);
	EXPECT_EQ(strncmpi("abd", "abc", 3), 1);
	EXPECT_EQ(strncmpi("ab", "abc", 5), -1);

	EXPECT_LT(ksstrcmp("a", "b"), 0);
	// Bytes compare as signed: 0x80 is below 'a'.
	EXPECT_LT(ksstrcmp("\x80", "a"), 0);

	EXPECT_TRUE(strsubi("Content-Type: x", "content-type"));
	EXPECT_FALSE(strsubi("Cont", "content"));
	EXPECT_TRUE(strsubn("abcdef", "abcX", 3));
	EXPECT_FALSE(strsubn("abcdef", "abcX", 4));
	EXPECT_FALSE(strsubn(nullptr, "a", 1));
}

TEST(VyStrings, SearchesIgnoringCase)
{
	const char* text = "One two ONE two";
	EXPECT_EQ(strstri(text, "one"), text);
	EXPECT_EQ(strstri(text, "TWO"), text + 4);
	EXPECT_EQ(strstri(text, "three"), nullptr);
	EXPECT_EQ(strstri(text, ""), nullptr);
	EXPECT_EQ(strstri(static_cast<const char*>(nullptr), "a"), nullptr);

	EXPECT_EQ(strrstri(text, "one", 15), text + 8);
	// The last occurrence must lie wholly within the length.
	EXPECT_EQ(strrstri(text, "one", 10), text);
	EXPECT_EQ(strrstri(text, "xyz", 15), nullptr);
}

TEST(VyStrings, CaseMappingAndByteReplacement)
{
	char s[] = "Ab\x80\x8A";
	strlower(s);
	EXPECT_STREQ(s, "ab\x8A\x8A");
	strupper(s);
	EXPECT_STREQ(s, "AB\x80\x80");
	EXPECT_EQ(charlower('Q'), 'q');
	EXPECT_EQ(charupper('\x8A'), '\x80');

	char m[] = {'a', 'B', 0, 'c'};
	memupper(m, 4);
	EXPECT_EQ(std::memcmp(m, "AB\0C", 4), 0);

	char c[] = "a.b.c";
	creplace(c, '.', '/');
	EXPECT_STREQ(c, "a/b/c");
	unsigned char p[] = {3, 'x', '-', 'x'};
	preplace(p, 'x', 'y');
	EXPECT_EQ(std::memcmp(p, "\3y-y", 4), 0);
}

TEST(VyStrings, SeverCutsAtACharacter)
{
	char s[] = "key=value";
	char* at = csever(s, '=');
	EXPECT_STREQ(s, "key");
	EXPECT_STREQ(at + 1, "value");
	char t[] = "novalue";
	EXPECT_EQ(csever(t, '='), t + 7);

	unsigned char p[] = {7, 'a', ':', 'b', ':', 'c', 'd', 'e'};
	unsigned char* tail = psever(p, ':');
	ASSERT_NE(tail, nullptr);
	EXPECT_EQ(p[0], 3);
	EXPECT_EQ(std::memcmp(p + 1, "a:b", 3), 0);
	EXPECT_EQ(tail[0], 3);
	EXPECT_EQ(std::memcmp(tail + 1, "cde", 3), 0);
	unsigned char q[] = {2, 'a', 'b'};
	EXPECT_EQ(psever(q, ':'), nullptr);
}

TEST(VyStrings, NumbersToText)
{
	char s[32];
	EXPECT_EQ(ksltoa(0, s), 1);
	EXPECT_STREQ(s, "0");
	EXPECT_EQ(ksltoa(-1234, s), 5);
	EXPECT_STREQ(s, "-1234");
	ksltoa(LONG_MIN, s);
	EXPECT_EQ(std::to_string(LONG_MIN), s);

	EXPECT_EQ(ksftoa(1.5, s, sizeof(s)), 8);
	EXPECT_STREQ(s, "1.500000");
	char small[5];
	small[4] = 'z';
	EXPECT_EQ(ksftoa(12345.25, small, 4), 3);
	EXPECT_STREQ(small, "123");
}

TEST(VyStrings, StrparseSkipsEmptyFieldsAndHonoursQuotes)
{
	char* argv[8];
	char a[] = "a,,b";
	ASSERT_EQ(strparse(a, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));
	EXPECT_EQ(argv[2], nullptr);

	char b[] = "x;\"p;q\";y";
	ASSERT_EQ(strparse(b, argv, ";", 8), 3);
	EXPECT_EQ(Fields(argv, 3), (Strings{"x", "p;q", "y"}));

	char c[] = "a b c d";
	ASSERT_EQ(strparse(c, argv, " ", 3), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));

	char d[] = "one\"two\" three";
	ASSERT_EQ(strparse(d, argv, " ", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"one\"two\"", "three"}));

	char e[] = "a,\"\",b";
	ASSERT_EQ(strparse(e, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));

	char empty[] = "";
	argv[0] = empty;
	EXPECT_EQ(strparse(empty, argv, ",", 8), 0);
	EXPECT_EQ(argv[0], nullptr);
}

TEST(VyStrings, StrparseEndsAtTheLineEnd)
{
	char* argv[8];
	char a[] = "a,b\r\nc,d";
	ASSERT_EQ(strparse(a, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));

	char b[] = "a,b,\"";
	ASSERT_EQ(strparse(b, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));

	// A backslash escapes a separator, but not the end of the line.
	char c[] = "a\\,b,c";
	ASSERT_EQ(strparse(c, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a,b", "c"}));

	char d[] = "a,b\\\0zz,yy";
	ASSERT_EQ(strparse(d, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));

	char e[] = "a,b\\\nc,d";
	ASSERT_EQ(strparse(e, argv, ",", 8), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"a", "b"}));
}

TEST(VyStrings, SplittersThatKeepEmptyFields)
{
	char* argv[8];
	char a[] = "a,,b,";
	ASSERT_EQ(strparse(a, argv, ',', 8), 4);
	EXPECT_EQ(Fields(argv, 4), (Strings{"a", "", "b", ""}));

	char b[] = "1,2,3,4";
	ASSERT_EQ(strparse(b, argv, ',', 2), 2);
	EXPECT_EQ(Fields(argv, 2), (Strings{"1", "2"}));

	char c[] = "a\t\"b\tc\"\t\x0B"
	           "d";
	ASSERT_EQ(strtabs(c, argv, 8, true), 3);
	EXPECT_EQ(Fields(argv, 3), (Strings{"a", "\"b\tc\"", "\rd"}));
	char c2[] = "a\t\"b\tc\"";
	EXPECT_EQ(strtabs(c2, argv, 8, false), 3);
}

TEST(VyStrings, StrrecordUnquotesAndCollapses)
{
	char* argv[8];
	char a[] = "1,\"say \"\"hi\"\", you\",,x\x0By";
	ASSERT_EQ(strrecord(a, argv, ",", 8, true), 4);
	EXPECT_EQ(Fields(argv, 4), (Strings{"1", "say \"hi\", you", "", "x\ry"}));

	char b[] = "a  b ,c";
	ASSERT_EQ(strrecord(b, argv, " ,", 8, false, true), 3);
	EXPECT_EQ(Fields(argv, 3), (Strings{"a", "b", "c"}));

	char c[] = "a,b,c,d";
	ASSERT_EQ(strrecord(c, argv, ",", 3, false), 3);
	EXPECT_EQ(Fields(argv, 3), (Strings{"a", "b", "c"}));

	char d[] = "\"open,ended";
	ASSERT_EQ(strrecord(d, argv, ",", 8, true), 1);
	EXPECT_STREQ(argv[0], "open,ended");
}

TEST(VyStrings, StrmungeReplacesEveryOccurrence)
{
	auto make = [](const char* text) {
		char* s = new char[std::strlen(text) + 1];
		std::strcpy(s, text);
		return s;
	};
	char* s = make("aaaa");
	EXPECT_EQ(strmunge(s, "aa", "b", false), 2);
	EXPECT_STREQ(s, "bb");

	EXPECT_EQ(strmunge(s, "B", "xyz", true), 2);
	EXPECT_STREQ(s, "xyzxyz");
	EXPECT_EQ(strmunge(s, "B", "q", false), 0);
	EXPECT_STREQ(s, "xyzxyz");

	// An empty replacement deletes; an empty find does nothing.
	EXPECT_EQ(strmunge(s, "y", "", false), 2);
	EXPECT_STREQ(s, "xzxz");
	EXPECT_EQ(strmunge(s, "", "q", false), 0);
	EXPECT_EQ(strmunge(s, "x", nullptr, false), 0);
	EXPECT_STREQ(s, "xzxz");
	delete[] s;

	char* none = nullptr;
	EXPECT_EQ(strmunge(none, "a", "b", false), 0);
	EXPECT_EQ(none, nullptr);
}
