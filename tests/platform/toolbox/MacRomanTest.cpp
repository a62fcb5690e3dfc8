#include "platform/toolbox/MacRoman.h"

#include <gtest/gtest.h>
#include <set>

namespace
{

std::string AllBytes()
{
	std::string bytes;
	for (int i = 0; i < 256; ++i)
		bytes += char(i);
	return bytes;
}

TEST(MacRoman, EveryByteHasItsOwnCodePointAndSurvivesEachForm)
{
	std::set<char32_t> seen;
	for (int i = 0; i < 256; ++i)
		seen.insert(MacRoman::ToUnicode((unsigned char)i));
	EXPECT_EQ(seen.size(), 256u);

	std::string bytes = AllBytes();
	EXPECT_EQ(MacRoman::FromUTF8(MacRoman::ToUTF8(bytes)), bytes);
	EXPECT_EQ(MacRoman::FromUTF16(MacRoman::ToUTF16(bytes)), bytes);
	EXPECT_EQ(MacRoman::FromUTF32(MacRoman::ToUTF32(bytes)), bytes);
}

TEST(MacRoman, KnownCharacters)
{
	EXPECT_EQ(MacRoman::ToUTF8("caf\x8E"), "caf\u00E9");
	EXPECT_EQ(MacRoman::ToUTF8("\xC4older"), "\u0192older");
	EXPECT_EQ(MacRoman::ToUnicode(0xA5), U'\u2022');
	EXPECT_EQ(MacRoman::ToUnicode(0xCA), U'\u00A0');
	EXPECT_EQ(MacRoman::ToUnicode(0xDB), U'\u20AC');
	EXPECT_EQ(MacRoman::ToUnicode(0xD9), U'\u0178');
	EXPECT_EQ(MacRoman::ToUnicode(0xF0), U'\uF8FF');
	EXPECT_EQ(MacRoman::ToUnicode(0xFF), U'\u02C7');
	EXPECT_EQ(MacRoman::FromUTF8("\u2264 \u00FC \u2122"), "\xB2 \x9F \xAA");
	EXPECT_EQ(MacRoman::ToUTF16("\xD2q\xD3"), u"\u201Cq\u201D");
}

TEST(MacRoman, CharactersOutsideMacRomanBecomeQuestionMarks)
{
	EXPECT_EQ(MacRoman::FromUnicode(U'\u00A4'), '?');
	EXPECT_EQ(MacRoman::FromUTF8("a\u65E5\u672Cb"), "a??b");
	EXPECT_EQ(MacRoman::FromUTF8("x\U0001F600y"), "x?y");
	EXPECT_EQ(MacRoman::FromUTF16(u"x\U0001F600y"), "x?y");
	EXPECT_EQ(MacRoman::FromUTF32(U"\u0416z"), "?z");
}

TEST(MacRoman, MessagesSpellWhatMacRomanCannotHold)
{
	EXPECT_EQ(MacRoman::FromUTF8Spelled("/d/\u682A.pf"), "/d/<U+682A>.pf");
	EXPECT_EQ(MacRoman::FromUTF8Spelled("\U0001F4C8?\u00FC"), "<U+1F4C8>?\x9F");
	EXPECT_EQ(MacRoman::FromUTF8Spelled(std::string("a\0b\nc", 5)), "a<U+0000>b<U+000A>c");
	EXPECT_EQ(MacRoman::FromUTF8Spelled("a\x80z"), "a<U+FFFD>z");
}

TEST(MacRoman, MalformedUTF8GivesOneQuestionMarkAndKeepsWhatFollows)
{
	EXPECT_EQ(MacRoman::FromUTF8("a\x80z"), "a?z");           // stray continuation byte
	EXPECT_EQ(MacRoman::FromUTF8("a\xC3z"), "a?z");           // cut sequence
	EXPECT_EQ(MacRoman::FromUTF8("a\xE2\x82z"), "a?z");       // cut three-byte sequence
	EXPECT_EQ(MacRoman::FromUTF8("a\xC0\xAFz"), "a??z");      // overlong '/'
	EXPECT_EQ(MacRoman::FromUTF8("a\xED\xA0\x80z"), "a???z"); // encoded surrogate
	EXPECT_EQ(MacRoman::FromUTF8("a\xF4\x90\x80\x80z"), "a????z");
	EXPECT_EQ(MacRoman::FromUTF8("\xC3"), "?");
	EXPECT_EQ(MacRoman::FromUTF16(std::u16string(u"a") + char16_t(0xDC00) + u"b"), "a?b");
	EXPECT_EQ(MacRoman::FromUTF16(std::u16string(u"a") + char16_t(0xD800)), "a?");
}

} // namespace
