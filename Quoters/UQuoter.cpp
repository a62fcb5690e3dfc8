#include "Quoters/UQuoter.h"

#include "Quoters/UQuoterExtras.h"
#include "Quoters/UScanText.h"
#include "foundation/VyStrings.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

using namespace UScanText;

namespace
{

constexpr long kParseLength = 50;
constexpr long kArgumentQuoteLength = 30;

// Past a line end at p (CR LF counts as one); p must be a CR or LF inside the range.
char* PastLineEnd(char* p, char* end)
{
	if (*p == '\r' && p + 1 < end && p[1] == '\n')
		return p + 2;
	return p + 1;
}

// Copies a run into an output buffer of outLength bytes; outLength becomes the number copied.
bool CopyRun(const char* run, long runLength, char* out, long& outLength)
{
	if (out == nullptr || outLength <= 0) {
		outLength = 0;
		return false;
	}
	const long n = runLength < outLength - 1 ? runLength : outLength - 1;
	if (n > 0)
		std::memcpy(out, run, size_t(n));
	out[n > 0 ? n : 0] = '\0';
	outLength = n > 0 ? n : 0;
	return true;
}

void Fail(char* out, long& outLength)
{
	if (out != nullptr && outLength > 0)
		out[0] = '\0';
	outLength = 0;
}

} // namespace

char* UQuoter::GotoString(char* text, long length, const char* label)
{
	return UQuoterExtras::GotoString(text, length, label, true);
}

char* UQuoter::GotoLine(char* text, long length, int line)
{
	if (text == nullptr || length <= 0)
		return nullptr;
	if (line <= 0)
		return text;
	char* end = text + length;
	int count = 0;
	for (char* p = text; p < end;) {
		if (IsLineEnd(*p)) {
			p = PastLineEnd(p, end);
			if (++count == line)
				return p;
		} else {
			p++;
		}
	}
	return nullptr;
}

bool UQuoter::IsQuote(char* text, long& length)
{
	const long range = length;
	length = 0;
	if (text == nullptr || range <= 0)
		return false;
	// started governs blanks and fractions as a number's first sign or digit does; a number also needs a
	// digit, so that a lone dash (a common "no value" mark) does not read as 0.
	bool started = false;
	bool digits = false;
	long i = 0;
	while (i < range) {
		const char c = text[i];
		const long rest = range - i;
		if (c == '\t' || c == ' ') {
			if (!started)
				break;
			i++;
		} else if (c == '&') {
			if (MatchesAt(text + i, rest, "&nbsp;"))
				i += 6;
			else if (MatchesAt(text + i, rest, "&nbsp"))
				i += 5;
			else
				break;
		} else if (c == '+' || c == '-') {
			if (rest < 2)
				break;
			started = true;
			i++;
		} else if (c == ',' || c == '.') {
			if (rest < 2 || !IsDigit(text[i + 1]))
				break;
			started = true;
			i++;
		} else if (c == '/') {
			if (!started || rest < 2)
				break;
			const char next = text[i + 1];
			if (next == ' ') {
				if (rest < 3 || !IsDigit(text[i + 2]))
					break;
				i += 2;
			} else if (IsDigit(next) || next == '<') {
				i++;
			} else {
				break;
			}
		} else if (IsDigit(c)) {
			started = digits = true;
			i++;
		} else if (c == '<') {
			if (rest < 6 || std::strchr("/sSfF", text[i + 1]) == nullptr)
				break;
			long tag = 0;
			for (const char* whole : {"<sup>", "</sup>", "<sub>", "</sub>"})
				if (MatchesAt(text + i, rest, whole))
					tag = long(std::strlen(whole));
			if (tag == 0 &&
			    (MatchesAt(text + i, rest, "<font size") || MatchesAt(text + i, rest, "<span"))) {
				const char* close =
				    static_cast<const char*>(std::memchr(text + i, '>', size_t(rest)));
				if (close != nullptr)
					tag = close - (text + i) + 1;
			}
			if (tag == 0)
				break;
			i += tag;
		} else {
			break;
		}
	}
	if (!(started && digits))
		return false;
	while (i > 0 && IsBlank(text[i - 1]))
		i--;
	length = i;
	return true;
}

float UQuoter::ParseQuote(char* text, long length)
{
	return float(ParseQuoteExact(text, length));
}

double UQuoter::ParseQuoteExact(char* text, long length)
{
	if (text == nullptr || length <= 0)
		return 0.0;
	const long n = length < kParseLength ? length : kParseLength;
	char work[kParseLength + 1];
	long w = 0;
	for (long r = 0; r < n;) {
		const char c = text[r];
		if (c == ',') {
			r++;
		} else if (c == '\t') {
			work[w++] = ' ';
			r++;
		} else if (c == '&') {
			work[w++] = ' ';
			if (MatchesAt(text + r, n - r, "&nbsp;"))
				r += 6;
			else if (MatchesAt(text + r, n - r, "&nbsp"))
				r += 5;
			else
				r++;
		} else if (c == '<') {
			// A superscript opens a fraction's numerator or a footnote mark: it must not join the
			// digits before it ("12<sup>1/2</sup>" is 12.5, not 121/2).
			if (MatchesAt(text + r, n - r, "<sup>"))
				work[w++] = ' ';
			while (r < n && text[r] != '>')
				r++;
			r++;
		} else {
			work[w++] = c;
			r++;
		}
	}
	work[w] = '\0';
	// Leading blanks (an entity before the number) must not be taken for the space of "1 1/2".
	char* s = work;
	while (*s == ' ')
		s++;

	double value = std::atof(s);
	if (std::strchr(s, '.') != nullptr)
		return value;
	char* slash = std::strrchr(s, '/');
	if (slash == nullptr)
		return value;
	if (slash[1] == ' ')
		std::memmove(slash + 1, slash + 2, std::strlen(slash + 2) + 1);
	char* space = std::strrchr(s, ' ');
	double whole = 0, numerator = 0, denominator = std::atof(slash + 1);
	if (space != nullptr && space > slash) {
		return value;
	} else if (space != nullptr) {
		whole = value;
		numerator = std::atof(space + 1);
	} else {
		numerator = std::atof(s);
	}
	if (numerator != 0 && denominator != 0)
		value = whole >= 0 ? whole + numerator / denominator : whole - numerator / denominator;
	return value;
}

bool UQuoter::ExtractQuote(char* text, long length, double& value, int lines)
{
	value = kNoValue;
	if (text == nullptr || length <= 0)
		return false;
	char* end = text + length;
	bool inTag = false;
	int count = 0;
	for (char* p = text; p < end;) {
		const char c = *p;
		if (inTag) {
			inTag = c != '>';
			p++;
		} else if (c == '<') {
			inTag = true;
			p++;
		} else if (c == '\t' || c == ' ' || c == '>') {
			p++;
		} else if (IsLineEnd(c)) {
			if (lines > 0 && ++count >= lines)
				return false;
			p = PastLineEnd(p, end);
		} else if (IsNotAvailable(text, p, end)) {
			return true;
		} else {
			long measured = end - p;
			if (IsQuote(p, measured)) {
				value = ParseQuoteExact(p, measured);
				return true;
			}
			p++;
		}
	}
	return false;
}

bool UQuoter::ExtractQuote(char* text, long length, float& value, int lines)
{
	double exact = 0;
	const bool found = ExtractQuote(text, length, exact, lines);
	value = float(exact);
	return found;
}

bool UQuoter::FindQuote(char* text, long length, const char* label, double& value, int lines)
{
	value = kNoValue;
	char* at = GotoString(text, length, label);
	if (at == nullptr)
		return false;
	char* start = at + std::strlen(label);
	return ExtractQuote(start, text + length - start, value, lines);
}

bool UQuoter::FindQuote(char* text, long length, const char* label, float& value, int lines)
{
	double exact = 0;
	const bool found = FindQuote(text, length, label, exact, lines);
	value = float(exact);
	return found;
}

bool UQuoter::FindQuoteRange(char* text, long length, const char* label, const char* separator, float& low,
                             float& high)
{
	return UQuoterExtras::FindQuoteRange(text, length, label, separator, low, high, 0);
}

bool UQuoter::ExtractQuoteAfterLine(char* text, long length, int line, float& value)
{
	char* start = GotoLine(text, length, line);
	if (start == nullptr)
		return false;
	return ExtractQuote(start, text + length - start, value, 0);
}

UInt32 UQuoter::VolumeFromValue(double value)
{
	if (!(value > 0))
		return 0;
	if (value >= 4294967296.0)
		return 4294967295u;
	return UInt32(value);
}

bool UQuoter::ExtractVolume(char* text, long length, UInt32& volume, int lines)
{
	double exact = 0;
	const bool found = ExtractQuote(text, length, exact, lines);
	volume = VolumeFromValue(exact);
	return found;
}

bool UQuoter::FindVolume(char* text, long length, const char* label, UInt32& volume, int lines)
{
	double exact = 0;
	const bool found = FindQuote(text, length, label, exact, lines);
	volume = VolumeFromValue(exact);
	return found;
}

bool UQuoter::ExtractStringAfterLine(char* text, long length, int line, char* out, long& outLength)
{
	char* p = GotoLine(text, length, line);
	if (p == nullptr) {
		Fail(out, outLength);
		return false;
	}
	char* end = text + length;
	bool inTag = false;
	for (; p < end; p++) {
		const char c = *p;
		if (inTag) {
			inTag = c != '>';
		} else if (c == '<') {
			inTag = true;
		} else if (c == '\t' || c == ' ' || c == '>') {
		} else if (IsLineEnd(c)) {
			break;
		} else {
			char* run = p;
			while (p < end && !IsLineEnd(*p) && *p != '<')
				p++;
			return CopyRun(run, p - run, out, outLength);
		}
	}
	Fail(out, outLength);
	return false;
}

bool UQuoter::SkipPastHTML(char* text, long& offset, long& runLength, bool skipBlanks, bool crossLines)
{
	const long range = offset;
	runLength = 0;
	if (text == nullptr || range <= 0) {
		offset = 0;
		return false;
	}
	long i = 0;
	bool inTag = false;
	// Passes the blanks after an entity or a stray '>': spaces always, other blanks only across lines.
	auto passBlanks = [&] {
		while (i < range && (text[i] == ' ' || (crossLines && IsBlank(text[i]))))
			i++;
	};
	while (i < range) {
		const char c = text[i];
		if (inTag) {
			inTag = c != '>';
			i++;
		} else if (c == '\t' || c == ' ') {
			if (!skipBlanks)
				break;
			i++;
		} else if (IsLineEnd(c)) {
			if (!crossLines) {
				offset = i;
				return false;
			}
			i = PastLineEnd(text + i, text + range) - text;
		} else if (c == '&') {
			if (MatchesAt(text + i, range - i, "&nbsp;"))
				i += 6;
			else if (MatchesAt(text + i, range - i, "&nbsp"))
				i += 5;
			else
				i++;
			passBlanks();
		} else if (c == '>') {
			i++;
			passBlanks();
		} else if (c == '<') {
			inTag = true;
			i++;
		} else {
			break;
		}
	}
	offset = i;
	if (i >= range)
		return false;
	long j = i;
	while (j < range && !IsLineEnd(text[j]) && text[j] != '<')
		j++;
	runLength = j - i;
	return true;
}

bool UQuoter::ExtractStringAfterLineArgument(char* text, long length, int line, int argument, char* out,
                                             long& outLength)
{
	char* p = GotoLine(text, length, line);
	if (p == nullptr) {
		Fail(out, outLength);
		return false;
	}
	char* end = text + length;
	long runLength = 0;
	for (int k = 1; k <= argument; k++) {
		long offset = end - p;
		if (!SkipPastHTML(p, offset, runLength, false, false)) {
			Fail(out, outLength);
			return false;
		}
		p += offset;
		if (k < argument)
			p += runLength;
	}
	return CopyRun(p, runLength, out, outLength);
}

bool UQuoter::ExtractQuoteAfterLineArgument(char* text, long length, int line, int argument, float& value)
{
	char run[kArgumentQuoteLength + 1];
	long runLength = sizeof run;
	value = kNoValue;
	if (!ExtractStringAfterLineArgument(text, length, line, argument, run, runLength))
		return false;
	if (IsNotAvailable(run, run, run + runLength))
		return true;
	long measured = runLength;
	if (!IsQuote(run, measured))
		return false;
	value = ParseQuote(run, measured);
	return true;
}

bool UQuoter::ExtractTableRow(char* text, long length, char* out, long& outLength, int column, char** next)
{
	return ExtractCell(text, length, "<tr", "</tr>", out, outLength, column, next);
}
