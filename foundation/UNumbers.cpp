#include "foundation/UNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

bool UNumbers::AddCommas(char* s, long size)
{
	if (s == nullptr)
		return false;
	const long length = long(std::strlen(s));
	if (length <= 3)
		return true;
	const long start = s[0] == '-' ? 1 : 0;
	const char* point = std::strchr(s + start, '.');
	const long digits = (point != nullptr ? long(point - s) : length) - start;
	const long commas = digits > 0 ? (digits - 1) / 3 : 0;
	if (commas == 0)
		return true;
	if (length + commas + 1 > size)
		return false;
	// Move from the end backwards, so that every byte is read before it is overwritten.
	const long integerEnd = start + digits;
	std::memmove(s + integerEnd + commas, s + integerEnd, size_t(length - integerEnd) + 1);
	long to = integerEnd + commas - 1;
	for (long from = integerEnd - 1, count = 0; from >= start; --from) {
		s[to--] = s[from];
		if (++count % 3 == 0 && from > start)
			s[to--] = ',';
	}
	return true;
}

namespace
{
constexpr int kMaxDecimals = 64;
// The integer digits of the largest double, the decimals, and a place for a carry.
constexpr int kDigitsSize = 1 + 310 + kMaxDecimals;

template <class T> int FormatFixedFrom(char* s, long size, T value, int decimals)
{
	if (s == nullptr || size < 1)
		return 0;
	decimals = std::clamp(decimals, 0, kMaxDecimals);
	if (!std::isfinite(value)) {
		const int written = std::snprintf(s, size_t(size), "%.*f", decimals, double(value));
		return std::clamp(written, 0, int(size - 1));
	}
	// The same shortest form the scripting answers read back: plain or with an exponent.
	char shortest[64];
	const char* end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
	const char* p = shortest;
	const bool negative = *p == '-';
	if (negative)
		++p;
	const char* mantissaEnd = std::find(p, end, 'e');
	char mantissa[40];
	int count = 0;
	int point = -1; // digits before the decimal point
	for (; p < mantissaEnd; ++p) {
		if (*p == '.')
			point = count;
		else
			mantissa[count++] = *p;
	}
	if (point < 0)
		point = count;
	if (mantissaEnd != end) {
		int exponent = 0;
		const char* e = mantissaEnd + 1;
		if (*e == '+')
			++e;
		std::from_chars(e, end, exponent);
		point += exponent;
	}
	auto digitAt = [&](int inIndex) { return inIndex >= 0 && inIndex < count ? mantissa[inIndex] : '0'; };

	// Integer digits and kept decimals, one spare place in front for a carry.
	char digits[kDigitsSize];
	int n = 0;
	digits[n++] = '0';
	if (point <= 0)
		digits[n++] = '0';
	for (int i = 0; i < point; ++i)
		digits[n++] = digitAt(i);
	const int integerEnd = n;
	for (int i = 0; i < decimals; ++i)
		digits[n++] = digitAt(point + i);
	if (digitAt(point + decimals) >= '5') {
		int i = n - 1;
		while (digits[i] == '9')
			digits[i--] = '0';
		++digits[i];
	}

	long length = 0;
	auto put = [&](char c) {
		if (length < size - 1)
			s[length++] = c;
	};
	if (negative)
		put('-');
	for (int i = digits[0] == '0' ? 1 : 0; i < integerEnd; ++i)
		put(digits[i]);
	if (decimals > 0) {
		put('.');
		for (int i = integerEnd; i < n; ++i)
			put(digits[i]);
	}
	s[length] = 0;
	return int(length);
}
} // namespace

int UNumbers::FormatFixed(char* s, long size, float value, int decimals)
{
	return FormatFixedFrom(s, size, value, decimals);
}

int UNumbers::FormatFixed(char* s, long size, double value, int decimals)
{
	return FormatFixedFrom(s, size, value, decimals);
}

double UNumbers::ShortestDouble(float value)
{
	char text[64];
	const auto written = std::to_chars(text, text + sizeof text, value);
	double nearest = value;
	if (written.ec == std::errc())
		std::from_chars(text, written.ptr, nearest);
	return nearest;
}

bool UNumbers::ReadNumber(const char* s, float& value)
{
	if (s == nullptr)
		return false;
	const char* end = s + std::strlen(s);
	long digits = 0, points = 0;
	for (const char* p = *s == '-' ? s + 1 : s; p < end; ++p) {
		if (*p >= '0' && *p <= '9')
			++digits;
		else if (*p == '.')
			++points;
		else
			return false;
	}
	if (digits == 0 || points > 1)
		return false;
	float read = 0;
	const auto parsed = std::from_chars(s, end, read, std::chars_format::fixed);
	if (parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(read))
		return false;
	value = read;
	return true;
}
