#pragma once
// Character tests and small walks shared by the scanning functions.

#include "platform/toolbox/MacTypes.h"

namespace UScanText
{

inline bool IsLineEnd(char c)
{
	return c == '\n' || c == '\r';
}
// Tab, LF, CR and space.
inline bool IsBlank(char c)
{
	return c == '\t' || c == ' ' || IsLineEnd(c);
}
inline bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

// Whether the literal lies at p, within rest characters, in any letter case.
bool MatchesAt(const char* p, long rest, const char* literal);
// "N/A" or "NA" as a whole word at p; start is where the range begins (nothing before it is read).
bool IsNotAvailable(const char* start, const char* p, const char* end);
// The column-th text run of the first open ... close element; next is just after its close.
bool ExtractCell(char* text, long length, const char* open, const char* close, char* out, long& outLength,
                 int column, char** next);

} // namespace UScanText
