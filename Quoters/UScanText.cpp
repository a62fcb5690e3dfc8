#include "Quoters/UScanText.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "foundation/VyStrings.h"

#include <cstring>
#include <initializer_list>

namespace
{

// Letters (Mac Roman letters above 127 included) and digits.
bool IsWordChar(char c)
{
	const unsigned char u = static_cast<unsigned char>(c);
	return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

} // namespace

bool UScanText::MatchesAt(const char* p, long rest, const char* literal)
{
	const long n = long(std::strlen(literal));
	return n <= rest && ksmemcmp(p, literal, n, true) == 0;
}

bool UScanText::IsNotAvailable(const char* start, const char* p, const char* end)
{
	// Only a whole word: "Name", "Nasdaq" or "NAV" before a number must not hide it.
	if (p > start && IsWordChar(p[-1]))
		return false;
	for (const char* word : {"N/A", "NA"}) {
		const long n = long(std::strlen(word));
		if (MatchesAt(p, end - p, word) && (p + n == end || !IsWordChar(p[n])))
			return true;
	}
	return false;
}

bool UScanText::ExtractCell(char* text, long length, const char* open, const char* close, char* out,
                            long& outLength, int column, char** next)
{
	auto fail = [&] {
		if (out != nullptr && outLength > 0)
			out[0] = '\0';
		outLength = 0;
		return false;
	};
	if (next != nullptr)
		*next = nullptr;
	char* row = UQuoterExtras::GotoString(text, length, open, true);
	if (row == nullptr)
		return fail();
	char* rowEnd = UQuoterExtras::GotoString(row, text + length - row, close, true);
	if (rowEnd == nullptr)
		return fail();
	if (next != nullptr)
		*next = rowEnd + std::strlen(close);
	char* p = row;
	long runLength = 0;
	for (int k = 1; k <= column; k++) {
		long offset = rowEnd - p;
		if (!UQuoter::SkipPastHTML(p, offset, runLength, false, true))
			return fail();
		p += offset;
		if (k < column)
			p += runLength;
	}
	if (out == nullptr || outLength <= 0) {
		outLength = 0;
		return false;
	}
	const long n = runLength < outLength - 1 ? runLength : outLength - 1;
	std::memcpy(out, p, size_t(n));
	out[n] = '\0';
	outLength = n;
	return true;
}
