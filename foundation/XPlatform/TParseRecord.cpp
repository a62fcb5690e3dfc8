#include "foundation/XPlatform/TParseRecord.h"

#include "foundation/UDate.h"
#include "foundation/VyStrings.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr unsigned long kNone = ~0UL;

bool IsLineEndByte(char c)
{
	return c == '\r' || c == '\n';
}

bool IsBlank(char c)
{
	return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

bool IsCapital(char c)
{
	return c >= 'A' && c <= 'Z';
}

bool IsSmall(char c)
{
	return c >= 'a' && c <= 'z';
}

bool IsLetter(char c)
{
	return IsCapital(c) || IsSmall(c);
}

// A view of the record text with the line-end arithmetic the rules need. CR LF counts as one line end.
class Text
{
public:
	Text(const char* buffer, unsigned long length) : mBuffer(buffer), mLength(length) {}

	unsigned long Length() const { return mLength; }
	char At(unsigned long p) const { return mBuffer[p]; }

	unsigned long LineEndLength(unsigned long p) const
	{
		if (p >= mLength || !IsLineEndByte(mBuffer[p]))
			return 0;
		if (mBuffer[p] == '\r' && p + 1 < mLength && mBuffer[p + 1] == '\n')
			return 2;
		return 1;
	}

	unsigned long NextLineEnd(unsigned long from) const
	{
		for (unsigned long p = from; p < mLength; p++)
			if (IsLineEndByte(mBuffer[p]))
				return p;
		return kNone;
	}

	unsigned long LineStart(unsigned long p) const
	{
		while (p > 0 && !IsLineEndByte(mBuffer[p - 1]))
			p--;
		return p;
	}

	// Start of the line before the one that holds p, or kNone on the first line.
	unsigned long PreviousLineStart(unsigned long p) const
	{
		unsigned long start = LineStart(p);
		if (start == 0)
			return kNone;
		unsigned long end = start - 1;
		if (mBuffer[end] == '\n' && end > 0 && mBuffer[end - 1] == '\r')
			end--;
		return LineStart(end);
	}

	// The first blank line at or after from: a line end that directly follows another (or opens the
	// text). Gives the position of the line end before it and the position after it.
	bool FindBlankLine(unsigned long from, unsigned long& before, unsigned long& after) const
	{
		unsigned long p = from;
		if (p > 0 && p < mLength && mBuffer[p] == '\n' && mBuffer[p - 1] == '\r')
			p++;
		while (p < mLength) {
			unsigned long n = LineEndLength(p);
			if (n == 0) {
				p++;
				continue;
			}
			if (p == 0 || IsLineEndByte(mBuffer[p - 1])) {
				before = p;
				if (p > 0) {
					before = p - 1;
					if (mBuffer[before] == '\n' && before > 0 &&
					    mBuffer[before - 1] == '\r')
						before--;
				}
				after = p + n;
				return true;
			}
			p += n;
		}
		return false;
	}

	unsigned long Find(unsigned long from, const char* find, unsigned long findLength,
	                   bool caseSensitive) const
	{
		if (findLength == 0 || findLength > mLength)
			return kNone;
		for (unsigned long p = from; p + findLength <= mLength; p++) {
			if (ksmemcmp(mBuffer + p, find, long(findLength), !caseSensitive) == 0)
				return p;
		}
		return kNone;
	}

private:
	const char* mBuffer;
	unsigned long mLength;
};

struct Match {
	unsigned long start = 0;
	unsigned long end = 0;
};

bool IsEmailStop(char c)
{
	return IsBlank(c) || std::strchr("()<>{}", c) != nullptr;
}

bool FindEmail(const std::string& s, Match& m)
{
	std::size_t at = s.find('@');
	if (at == std::string::npos)
		return false;
	std::size_t start = at;
	while (start > 0 && !IsEmailStop(s[start - 1]))
		start--;
	std::size_t end = at + 1;
	while (end < s.size() && !IsEmailStop(s[end]))
		end++;
	if (start == at || end == at + 1)
		return false;
	m = {start, end};
	return true;
}

bool FindPhone(const std::string& s, Match& m)
{
	std::size_t p = 0;
	while (p < s.size()) {
		char c = s[p];
		if (!IsDigit(c) && c != '(' && c != '+') {
			p++;
			continue;
		}
		std::size_t q = p;
		int digits = 0;
		bool opened = false, closed = false;
		std::size_t lastGood = p;
		while (q < s.size()) {
			char d = s[q];
			if (IsDigit(d)) {
				digits++;
				lastGood = q + 1;
			} else if (d == '(' && !opened) {
				opened = true;
			} else if (d == ')' && opened && !closed) {
				closed = true;
				lastGood = q + 1;
			} else if (d != ' ' && d != '+' && d != '-' && d != '.') {
				break;
			}
			q++;
		}
		if (digits >= 5) {
			m = {p, lastGood};
			return true;
		}
		p = q > p ? q : p + 1;
	}
	return false;
}

// Digits with thousands groups of three after commas and an optional decimal part; returns its end.
std::size_t AmountEnd(const std::string& s, std::size_t p)
{
	std::size_t q = p;
	while (q < s.size() && IsDigit(s[q]))
		q++;
	if (q == p)
		return p;
	while (q + 3 < s.size() && s[q] == ',' && IsDigit(s[q + 1]) && IsDigit(s[q + 2]) &&
	       IsDigit(s[q + 3]) && (q + 4 >= s.size() || !IsDigit(s[q + 4])))
		q += 4;
	if (q + 1 < s.size() && s[q] == '.' && IsDigit(s[q + 1])) {
		q++;
		while (q < s.size() && IsDigit(s[q]))
			q++;
	}
	return q;
}

bool FindAmount(const std::string& s, bool withDollar, Match& m)
{
	for (std::size_t p = 0; p < s.size(); p++) {
		if (s[p] != '$')
			continue;
		std::size_t end = AmountEnd(s, p + 1);
		if (end > p + 1) {
			m = {withDollar ? p : p + 1, end};
			return true;
		}
	}
	return false;
}

bool FindRun(const std::string& s, bool (*accept)(char), Match& m)
{
	for (std::size_t p = 0; p < s.size(); p++) {
		if (!accept(s[p]))
			continue;
		std::size_t q = p;
		while (q < s.size() && accept(s[q]))
			q++;
		m = {p, q};
		return true;
	}
	return false;
}

bool FindNumber(const std::string& s, Match& m)
{
	for (std::size_t p = 0; p < s.size(); p++) {
		if (!IsDigit(s[p]))
			continue;
		std::size_t q = p;
		while (q < s.size() && IsDigit(s[q]))
			q++;
		if (q + 1 < s.size() && s[q] == '.' && IsDigit(s[q + 1])) {
			q++;
			while (q < s.size() && IsDigit(s[q]))
				q++;
		}
		m = {p, q};
		return true;
	}
	return false;
}

bool FindWebAddress(const std::string& s, Match& m)
{
	static const char* const kPrefixes[] = {"http:", "ftp:", "rtp:", "www", "mailto:"};
	for (std::size_t p = 0; p < s.size(); p++) {
		for (const char* prefix : kPrefixes) {
			std::size_t n = std::strlen(prefix);
			if (p + n > s.size() || strncmpi(s.c_str() + p, prefix, long(n)) != 0)
				continue;
			std::size_t q = p + n;
			while (q < s.size() && !IsBlank(s[q]) && std::strchr("<>\"'", s[q]) == nullptr)
				q++;
			while (q > p + n && std::strchr(".,;", s[q - 1]) != nullptr)
				q--;
			m = {p, q};
			return true;
		}
	}
	return false;
}

bool WordStart(const std::string& s, std::size_t p)
{
	return p == 0 || IsBlank(s[p - 1]) || !(IsLetter(s[p - 1]) || IsDigit(s[p - 1]));
}

bool FindDate(std::string& s, Match& m)
{
	for (std::size_t p = 0; p < s.size(); p++) {
		if (!WordStart(s, p))
			continue;
		int year = 0, month = 0, day = 0;
		long length = 0;
		if (IsDigit(s[p]) && UDate::IsDate(s.data() + p, year, month, day, length, false) &&
		    length > 0) {
			m = {p, p + std::size_t(length)};
			return true;
		}
		if (IsLetter(s[p]) && UDate::IsWordDate(s.data() + p, year, month, day, length) &&
		    length > 0) {
			m = {p, p + std::size_t(length)};
			return true;
		}
	}
	return false;
}

bool FindTime(std::string& s, Match& m)
{
	for (std::size_t p = 0; p < s.size(); p++) {
		if (!IsDigit(s[p]) || !WordStart(s, p))
			continue;
		int hour = 0, minute = 0, second = 0, millisecond = 0;
		long length = 0;
		if (UDate::IsTime(s.data() + p, hour, minute, second, millisecond, length, false) &&
		    length > 0) {
			m = {p, p + std::size_t(length)};
			return true;
		}
	}
	return false;
}

} // namespace

void TParseRecord::SetBuffer(char* buffer, unsigned long length)
{
	mBuffer = buffer;
	mLength = buffer != nullptr ? length : 0;
	mStartOffset = 0;
	mEndOffset = 0;
}

void TParseRecord::SetParameters(tParseVariable* variable)
{
	SignalIf_(variable == nullptr);
	if (variable == nullptr)
		return;
	mVariable = *variable;
	mVariable.name[sizeof mVariable.name - 1] = 0;
	mVariable.startString[sizeof mVariable.startString - 1] = 0;
	mVariable.endString[sizeof mVariable.endString - 1] = 0;
}

int TParseRecord::ParseOffsets(unsigned long& start, unsigned long& end)
{
	start = 0;
	end = 0;
	if (mBuffer == nullptr || mLength == 0)
		return 0;
	Text text(mBuffer, mLength);

	unsigned long base = 0;
	if (mVariable.blankLines != 0) {
		long n = mVariable.blankLines < 0 ? -long(mVariable.blankLines) : long(mVariable.blankLines);
		for (long i = 0; i < n; i++) {
			unsigned long before = 0, after = 0;
			if (!text.FindBlankLine(base, before, after))
				return 0;
			base = after;
		}
	}
	if (mVariable.lineNumber > 0) {
		for (SInt32 line = 1; line < mVariable.lineNumber; line++) {
			unsigned long e = text.NextLineEnd(base);
			if (e == kNone)
				return 0;
			base = e + text.LineEndLength(e);
		}
	}
	if (base >= mLength)
		return 0;

	const bool hasStart = mVariable.startString[0] != 0;
	unsigned long searchFrom = base;
	for (;;) {
		unsigned long foundAt = kNone;
		mStartOffset = base;
		mEndOffset = mLength;
		if (FindField(searchFrom, foundAt)) {
			start = mStartOffset;
			end = mEndOffset;
			return 1;
		}
		if (!hasStart || foundAt == kNone)
			return 0;
		searchFrom = foundAt + 1;
	}
}

bool TParseRecord::FindField(unsigned long searchFrom, unsigned long& foundAt)
{
	Text text(mBuffer, mLength);
	if (mVariable.startString[0] != 0) {
		const unsigned long n = std::strlen(mVariable.startString);
		foundAt = text.Find(searchFrom, mVariable.startString, n, mVariable.caseSensitive != 0);
		if (foundAt == kNone)
			return false;
		unsigned long s = kNone;
		switch (mVariable.startRule) {
		case kStartAfterString:
		case kStartAfterString2:
			s = foundAt + n;
			break;
		case kStartNextLine: {
			unsigned long e = text.NextLineEnd(foundAt + n);
			if (e != kNone)
				s = e + text.LineEndLength(e);
			break;
		}
		case kStartPreviousLine:
		case kStartPreviousLine2:
			s = text.PreviousLineStart(foundAt);
			break;
		case kStartStringLine:
			s = text.LineStart(foundAt);
			break;
		case kStartAtString:
			s = foundAt;
			break;
		case kStartAfterBlankLine: {
			unsigned long before = 0, after = 0;
			if (text.FindBlankLine(foundAt + n, before, after))
				s = after;
			break;
		}
		default:
			break;
		}
		if (s == kNone || s > mLength)
			return false;
		mStartOffset = s;
		mEndOffset = mLength;
	}

	if (mVariable.endRule == kEndAlternatives) {
		// Parts separated by "|", each a 1-based rule number followed by that rule's end text.
		char parts[sizeof mVariable.endString];
		std::memcpy(parts, mVariable.endString, sizeof parts);
		char* argv[10];
		long count = strparse(parts, argv, '|', 10);
		bool ended = false;
		for (long i = 0; i < count && !ended; i++) {
			char* part = argv[i];
			long number = 0;
			for (; IsDigit(*part); part++) {
				// Past the last rule's number it names no rule; stop before it overflows.
				if (number <= kEndAlternatives)
					number = number * 10 + (*part - '0');
			}
			if (number < 1 || number > kEndAlternatives)
				continue;
			ended = ApplyEndRule(SInt32(number - 1), part, std::strlen(part));
		}
		if (!ended)
			return false;
	} else if (!ApplyEndRule(mVariable.endRule, mVariable.endString, std::strlen(mVariable.endString))) {
		return false;
	}

	if (mVariable.trim) {
		while (mStartOffset < mEndOffset && IsBlank(mBuffer[mStartOffset]))
			mStartOffset++;
		while (mEndOffset > mStartOffset && IsBlank(mBuffer[mEndOffset - 1]))
			mEndOffset--;
	}
	if (mVariable.argumentNumber != 0 && !ApplyArgument())
		return false;
	if (mVariable.filterKind != kFilterNone && !ApplyFilter())
		return false;
	return mEndOffset > mStartOffset;
}

bool TParseRecord::ApplyEndRule(SInt32 rule, const char* endText, unsigned long endTextLength)
{
	Text text(mBuffer, mLength);
	const unsigned long from = mStartOffset;
	unsigned long e = kNone;
	if (rule >= kEndBeforeString && rule <= kEndStringLineEnd) {
		unsigned long at = text.Find(from, endText, endTextLength, mVariable.caseSensitive != 0);
		if (at == kNone)
			return false;
		switch (rule) {
		case kEndBeforeString:
			e = at;
			break;
		case kEndAfterString:
			e = at + endTextLength;
			break;
		case kEndLastLineEndBefore: {
			unsigned long lineStart = text.LineStart(at);
			if (lineStart > from) {
				e = lineStart - 1;
				if (mBuffer[e] == '\n' && e > from && mBuffer[e - 1] == '\r')
					e--;
			}
			break;
		}
		case kEndNextLineEnd: {
			unsigned long e1 = text.NextLineEnd(at + endTextLength);
			if (e1 != kNone) {
				e = text.NextLineEnd(e1 + text.LineEndLength(e1));
				if (e == kNone)
					e = mLength;
			}
			break;
		}
		case kEndStringLineEnd:
			e = text.NextLineEnd(at + endTextLength);
			if (e == kNone)
				e = mLength;
			break;
		}
	} else if (rule == kEndFirstLineEnd) {
		e = text.NextLineEnd(from);
		if (e == kNone)
			e = mLength;
	} else if (rule == kEndFirstBlankLine) {
		unsigned long before = 0, after = 0;
		e = text.FindBlankLine(from, before, after) ? before : mLength;
	} else if (rule == kEndBufferEnd) {
		e = mLength;
	}
	if (e == kNone || e < from)
		return false;
	mEndOffset = e;
	return true;
}

bool TParseRecord::ApplyArgument()
{
	std::vector<Match> words;
	unsigned long p = mStartOffset;
	while (p < mEndOffset) {
		while (p < mEndOffset && IsBlank(mBuffer[p]))
			p++;
		if (p >= mEndOffset)
			break;
		unsigned long q = p;
		while (q < mEndOffset && !IsBlank(mBuffer[q]))
			q++;
		words.push_back({p, q});
		p = q;
	}
	const long n = mVariable.argumentNumber;
	const long count = long(words.size());
	const long index = n > 0 ? n - 1 : count + n;
	if (index < 0 || index >= count)
		return false;
	mStartOffset = words[std::size_t(index)].start;
	mEndOffset = words[std::size_t(index)].end;
	return true;
}

bool TParseRecord::ApplyFilter()
{
	std::string span(mBuffer + mStartOffset, mEndOffset - mStartOffset);
	Match m;
	bool ok = false;
	switch (mVariable.filterKind) {
	case kFilterEmail:
		ok = FindEmail(span, m);
		break;
	case kFilterPhone:
		ok = FindPhone(span, m);
		break;
	case kFilterDate:
		ok = FindDate(span, m);
		break;
	case kFilterTime:
		ok = FindTime(span, m);
		break;
	case kFilterDollarAmount:
	case kFilterAmount:
		ok = FindAmount(span, mVariable.filterKind == kFilterDollarAmount, m);
		break;
	case kFilterLetters:
		ok = FindRun(span, IsLetter, m);
		break;
	case kFilterCapitals:
		ok = FindRun(span, IsCapital, m);
		break;
	case kFilterSmallLetters:
		ok = FindRun(span, IsSmall, m);
		break;
	case kFilterDigits:
		ok = FindRun(span, IsDigit, m);
		break;
	case kFilterNumber:
		ok = FindNumber(span, m);
		break;
	case kFilterWebAddress:
		ok = FindWebAddress(span, m);
		break;
	default:
		m = {0, span.size()};
		ok = true;
		break;
	}
	if (!ok)
		return false;
	const unsigned long base = mStartOffset;
	mStartOffset = base + m.start;
	mEndOffset = base + m.end;
	return true;
}

bool GuessAtLine(char* line, tParseVariable* variable)
{
	SignalIf_(variable == nullptr);
	if (variable == nullptr)
		return false;
	*variable = tParseVariable();
	if (line == nullptr)
		return false;
	const char* p = line;
	while (*p == ' ' || *p == '\t')
		p++;
	if (!IsLetter(*p) && !IsDigit(*p))
		return false;
	const char* lineEnd = p;
	while (*lineEnd != 0 && !IsLineEndByte(*lineEnd))
		lineEnd++;
	const char* sign = static_cast<const char*>(std::memchr(p, ':', std::size_t(lineEnd - p)));
	if (sign == nullptr)
		sign = static_cast<const char*>(std::memchr(p, '=', std::size_t(lineEnd - p)));
	if (sign == nullptr || IsLetter(sign[1]))
		return false;
	// Three spaces before the sign mark a column of text rather than a label.
	for (const char* q = p; q + 2 < sign; q++)
		if (q[0] == ' ' && q[1] == ' ' && q[2] == ' ')
			return false;

	const char* nameEnd = sign;
	while (nameEnd > p && (nameEnd[-1] == ' ' || nameEnd[-1] == '\t'))
		nameEnd--;
	variable->defined = 1;
	strmemcpyn(variable->name, p, long(nameEnd - p), long(sizeof variable->name) - 1);
	strmemcpyn(variable->startString, p, long(sign - p + 1), long(sizeof variable->startString) - 1);
	variable->startRule = kStartAfterString;
	variable->endRule = kEndFirstLineEnd;
	variable->trim = 1;
	variable->filterKind =
	    std::memchr(sign, '@', std::size_t(lineEnd - sign)) != nullptr ? kFilterEmail : kFilterNone;
	return true;
}

bool AlreadyInList(TList<tParseVariable>* list, tParseVariable* variable)
{
	SignalIf_(list == nullptr || variable == nullptr);
	if (list == nullptr || variable == nullptr)
		return false;
	TList<tParseVariable> view(list);
	for (tParseVariable* item = view.GetFirst(); item != nullptr; item = view.GetNext())
		if (ksstrcmpi(item->name, variable->name) == 0)
			return true;
	return false;
}

int GuessAtVariables(TList<tParseVariable>* list, char* sample, long length)
{
	SignalIf_(list == nullptr);
	if (list == nullptr || sample == nullptr || length < 1)
		return 0;
	int added = 0;
	long p = 0;
	while (p < length) {
		long q = p;
		while (q < length && sample[q] != 0 && !IsLineEndByte(sample[q]))
			q++;
		std::string line(sample + p, std::size_t(q - p));
		tParseVariable variable;
		if (GuessAtLine(line.data(), &variable) && !AlreadyInList(list, &variable)) {
			// The list either copies what it is given or keeps our pointer; give it a heap copy
			// and take it back when it made its own.
			tParseVariable* item = new tParseVariable(variable);
			list->Append(item);
			if (list->GetLast() != item)
				delete item;
			added++;
		}
		if (q < length && sample[q] == 0)
			break;
		p = q + 1;
	}
	return added;
}
