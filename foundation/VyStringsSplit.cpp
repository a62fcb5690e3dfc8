// The splitting and replacing functions of VyStrings.h.

#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <new>

namespace
{

const char kVerticalTab = 11;

inline bool IsLineEnd(char c)
{
	return c == 0 || c == '\r' || c == '\n';
}

inline bool IsSeparator(const char* seps, char c)
{
	return c != 0 && std::strchr(seps, c) != nullptr;
}

} // namespace

long strparse(char* str, char** argv, const char* seps, long maxargs)
{
	Assert_(str != NULL);
	Assert_(argv != NULL);
	Assert_(seps != NULL);
	Assert_(maxargs > 0);

	if (*str == 0) {
		argv[0] = nullptr;
		return 0;
	}
	bool inField = false;
	bool inQuotes = false;
	long count = 0;
	char* p = str;
	while (!IsLineEnd(*p)) {
		if (*p == '\\') {
			for (char* q = p; (*q = q[1]) != 0; ++q) {
			}
			// The escaped byte is text, but a line end after the backslash still ends the line.
			if (IsLineEnd(*p))
				break;
			++p;
			continue;
		}
		if (*p == '"' && !inField) {
			*p = 0;
			if (inQuotes) {
				inQuotes = false;
				++p;
				continue;
			}
			if (p[1] == '"') {
				p += 2;
				continue;
			}
			++p;
			if (IsLineEnd(*p))
				break;
			if (count == maxargs - 1)
				break;
			argv[count++] = p;
			inQuotes = true;
			continue;
		}
		if (!inQuotes && IsSeparator(seps, *p)) {
			*p = 0;
			inField = false;
		} else if (!inField && !inQuotes) {
			if (count == maxargs - 1)
				break;
			argv[count++] = p;
			inField = true;
		}
		++p;
	}
	*p = 0;
	argv[count] = nullptr;
	return count;
}

long strparse(char* str, char** argv, char c, long maxargs)
{
	Assert_(str != NULL);
	Assert_(argv != NULL);
	Assert_(maxargs > 0);

	long count = 0;
	argv[count++] = str;
	for (char* p = str; *p != 0; ++p) {
		if (*p != c)
			continue;
		*p = 0;
		if (count >= maxargs)
			break;
		argv[count++] = p + 1;
	}
	return count;
}

long strtabs(char* str, char** argv, long maxargs, bool quotes)
{
	Assert_(str != NULL);
	Assert_(argv != NULL);
	Assert_(maxargs > 0);

	long count = 0;
	argv[count++] = str;
	bool inQuotes = false;
	for (char* p = str; *p != 0; ++p) {
		if (*p == kVerticalTab)
			*p = '\r';
		else if (quotes && *p == '"')
			inQuotes = !inQuotes;
		else if (*p == '\t' && !inQuotes) {
			*p = 0;
			if (count >= maxargs)
				break;
			argv[count++] = p + 1;
		}
	}
	return count;
}

long strrecord(char* str, char** argv, const char* seps, long maxargs, bool quotes, bool collapse)
{
	Assert_(str != NULL);
	Assert_(argv != NULL);
	Assert_(seps != NULL);
	Assert_(maxargs > 0);

	long count = 0;
	char* p = str;
	while (count < maxargs) {
		argv[count++] = p;
		// Quoted text is unescaped in place, so the write position trails the read position.
		char* w = p;
		if (quotes && *p == '"') {
			++p;
			while (*p != 0) {
				if (*p == '"') {
					if (p[1] != '"') {
						++p;
						break;
					}
					++p;
				}
				*w++ = *p == kVerticalTab ? '\r' : *p;
				++p;
			}
		}
		while (*p != 0 && !IsSeparator(seps, *p)) {
			*w++ = *p == kVerticalTab ? '\r' : *p;
			++p;
		}
		const bool atEnd = *p == 0;
		*w = 0;
		if (atEnd)
			break;
		*p++ = 0;
		if (collapse)
			while (IsSeparator(seps, *p))
				++p;
	}
	return count;
}

long strmunge(char*& s, const char* find, const char* replacement, bool ignoreCase)
{
	if (s == nullptr || *s == 0 || find == nullptr || *find == 0 || replacement == nullptr)
		return 0;
	auto search = [ignoreCase](const char* text, const char* what) {
		return ignoreCase ? strstri(text, what) : std::strstr(text, what);
	};
	const size_t findLength = std::strlen(find);
	const size_t replacementLength = std::strlen(replacement);

	long count = 0;
	for (const char* p = search(s, find); p != nullptr; p = search(p + findLength, find))
		++count;
	if (count == 0)
		return 0;

	const size_t oldLength = std::strlen(s);
	const size_t newLength = oldLength - size_t(count) * findLength + size_t(count) * replacementLength;
	char* result = new (std::nothrow) char[newLength + 1];
	if (result == nullptr)
		return 0;
	char* out = result;
	const char* from = s;
	for (const char* p = search(s, find); p != nullptr; p = search(p + findLength, find)) {
		std::memcpy(out, from, size_t(p - from));
		out += p - from;
		std::memcpy(out, replacement, replacementLength);
		out += replacementLength;
		from = p + findLength;
	}
	std::strcpy(out, from);
	delete[] s;
	s = result;
	return count;
}
