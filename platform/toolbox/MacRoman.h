#pragma once
// Conversion between the system's Mac Roman bytes and Unicode, used where text leaves the system: the Qt
// boundary and file names on disk. Characters that Mac Roman cannot hold become '?'.

#include <string>
#include <string_view>

namespace MacRoman
{
char32_t ToUnicode(unsigned char c);
// '?' for a code point that Mac Roman cannot hold.
unsigned char FromUnicode(char32_t codePoint);

std::string ToUTF8(std::string_view macRoman);
// Each malformed UTF-8 sequence gives one '?'.
std::string FromUTF8(std::string_view utf8);
// For messages that name a file: a character Mac Roman cannot hold, and a control character, is spelled as
// its code point ("<U+682A>"), so that the text names that file and no other.
std::string FromUTF8Spelled(std::string_view utf8);
std::u16string ToUTF16(std::string_view macRoman);
// A surrogate pair gives one '?', as does a lone surrogate.
std::string FromUTF16(std::u16string_view utf16);
std::u32string ToUTF32(std::string_view macRoman);
std::string FromUTF32(std::u32string_view utf32);
} // namespace MacRoman
