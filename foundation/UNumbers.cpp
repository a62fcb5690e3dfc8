#include "foundation/UNumbers.h"

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
