#include "platform/toolbox/MacRoman.h"

#include <cstdio>

namespace
{

// Bytes 0x80-0xFF; the lower half is ASCII. 0xDB is the euro sign and 0xF0 the maker's logo in the
// private use area, as the later system versions have them.
constexpr char16_t kUpperHalf[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // F8
};

void AppendUTF8(std::string& out, char32_t c)
{
	if (c < 0x80) {
		out += char(c);
	} else if (c < 0x800) {
		out += char(0xC0 | (c >> 6));
		out += char(0x80 | (c & 0x3F));
	} else if (c < 0x10000) {
		out += char(0xE0 | (c >> 12));
		out += char(0x80 | ((c >> 6) & 0x3F));
		out += char(0x80 | (c & 0x3F));
	} else {
		out += char(0xF0 | (c >> 18));
		out += char(0x80 | ((c >> 12) & 0x3F));
		out += char(0x80 | ((c >> 6) & 0x3F));
		out += char(0x80 | (c & 0x3F));
	}
}

// Decodes one sequence at text[i], advancing i past it; a malformed sequence yields U+FFFD and advances
// past its longest valid beginning (at least one byte).
char32_t DecodeUTF8(std::string_view text, size_t& i)
{
	constexpr char32_t kBad = 0xFFFD;
	unsigned char lead = text[i++];
	if (lead < 0x80)
		return lead;
	int more;
	char32_t c;
	char32_t min;
	if (lead >= 0xC2 && lead <= 0xDF) {
		more = 1;
		c = lead & 0x1F;
		min = 0x80;
	} else if (lead >= 0xE0 && lead <= 0xEF) {
		more = 2;
		c = lead & 0x0F;
		min = 0x800;
	} else if (lead >= 0xF0 && lead <= 0xF4) {
		more = 3;
		c = lead & 0x07;
		min = 0x10000;
	} else {
		return kBad;
	}
	for (int k = 0; k < more; ++k) {
		if (i >= text.size())
			return kBad;
		unsigned char next = text[i];
		if ((next & 0xC0) != 0x80)
			return kBad;
		char32_t extended = (c << 6) | (next & 0x3F);
		// Overlong forms, surrogates and code points past U+10FFFF show at the second byte, which
		// then starts the next sequence.
		if (k == 0) {
			char32_t least = extended << (6 * (more - 1));
			if (least < min || (least >= 0xD800 && least <= 0xDFFF) || least > 0x10FFFF)
				return kBad;
		}
		c = extended;
		++i;
	}
	return c;
}

} // namespace

namespace MacRoman
{

char32_t ToUnicode(unsigned char c)
{
	return c < 0x80 ? char32_t(c) : char32_t(kUpperHalf[c - 0x80]);
}

unsigned char FromUnicode(char32_t codePoint)
{
	if (codePoint < 0x80)
		return static_cast<unsigned char>(codePoint);
	for (int i = 0; i < 128; ++i)
		if (kUpperHalf[i] == codePoint)
			return static_cast<unsigned char>(0x80 + i);
	return '?';
}

std::string ToUTF8(std::string_view macRoman)
{
	std::string out;
	out.reserve(macRoman.size());
	for (unsigned char c : macRoman)
		AppendUTF8(out, ToUnicode(c));
	return out;
}

std::string FromUTF8(std::string_view utf8)
{
	std::string out;
	out.reserve(utf8.size());
	size_t i = 0;
	while (i < utf8.size())
		out += char(FromUnicode(DecodeUTF8(utf8, i)));
	return out;
}

std::string FromUTF8Spelled(std::string_view utf8)
{
	std::string out;
	out.reserve(utf8.size());
	size_t i = 0;
	while (i < utf8.size()) {
		const char32_t c = DecodeUTF8(utf8, i);
		const unsigned char b = FromUnicode(c);
		if ((b == '?' && c != U'?') || c < 0x20 || c == 0x7F) {
			char spelled[16];
			std::snprintf(spelled, sizeof spelled, "<U+%04X>", unsigned(c));
			out += spelled;
		} else {
			out += char(b);
		}
	}
	return out;
}

std::u16string ToUTF16(std::string_view macRoman)
{
	std::u16string out;
	out.reserve(macRoman.size());
	for (unsigned char c : macRoman)
		out += char16_t(ToUnicode(c));
	return out;
}

std::string FromUTF16(std::u16string_view utf16)
{
	std::string out;
	out.reserve(utf16.size());
	for (size_t i = 0; i < utf16.size(); ++i) {
		char16_t u = utf16[i];
		if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
		    utf16[i + 1] <= 0xDFFF)
			++i;
		out += char(FromUnicode(u >= 0xD800 && u <= 0xDFFF ? char32_t(0xFFFD) : char32_t(u)));
	}
	return out;
}

std::u32string ToUTF32(std::string_view macRoman)
{
	std::u32string out;
	out.reserve(macRoman.size());
	for (unsigned char c : macRoman)
		out += ToUnicode(c);
	return out;
}

std::string FromUTF32(std::u32string_view utf32)
{
	std::string out;
	out.reserve(utf32.size());
	for (char32_t c : utf32)
		out += char(FromUnicode(c));
	return out;
}

} // namespace MacRoman
