#include "Quoters/UQuoterExtras.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UScanText.h"
#include "foundation/TVyString.h"
#include "foundation/VyStrings.h"

#include <cstring>

using namespace UScanText;

namespace
{

char Fold(char c, bool ignoreCase)
{
	return ignoreCase ? char(TVyString::sLowerCaseTable[static_cast<unsigned char>(c)]) : c;
}

// The first of '"' or '>' from p, or end.
char* LinkEnd(char* p, char* end)
{
	while (p < end && *p != '"' && *p != '>')
		p++;
	return p;
}

} // namespace

char* UQuoterExtras::StrFirstChar(char* s, char c)
{
	if (s == nullptr || c == '\0')
		return nullptr;
	for (; *s != '\0'; s++)
		if (*s == c)
			return s;
	return nullptr;
}

char* UQuoterExtras::StrLastChar(char* s, char c)
{
	if (s == nullptr || c == '\0')
		return nullptr;
	char* last = nullptr;
	for (; *s != '\0'; s++)
		if (*s == c)
			last = s;
	return last;
}

char* UQuoterExtras::GotoString(char* text, long length, const char* label, bool ignoreCase)
{
	if (text == nullptr || length <= 0 || label == nullptr || label[0] == '\0')
		return nullptr;
	const long n = long(std::strlen(label));
	const char first = Fold(label[0], ignoreCase);
	for (char* p = text; p + n <= text + length; p++)
		if (Fold(*p, ignoreCase) == first && ksmemcmp(p, label, n, ignoreCase) == 0)
			return p;
	return nullptr;
}

char* UQuoterExtras::SkipString(char* text, long length, const char* label, long count, bool ignoreCase)
{
	if (count <= 0)
		return text;
	char* end = text + length;
	char* p = text;
	for (long k = 0; k < count; k++) {
		char* found = GotoString(p, end - p, label, ignoreCase);
		if (found == nullptr)
			return nullptr;
		p = found + std::strlen(label);
	}
	return p;
}

char* UQuoterExtras::GoBackLine(char* position, char* limit, int lines)
{
	if (position == nullptr || limit == nullptr)
		return nullptr;
	int met = 0;
	for (char* q = position - 1; q > limit; q--) {
		if (!IsLineEnd(*q))
			continue;
		char* lineStart = q + 1;
		if (*q == '\n' && q - 1 > limit && q[-1] == '\r')
			q--;
		if (++met == lines + 1)
			return lineStart;
	}
	return nullptr;
}

bool UQuoterExtras::ExtractDefinitionRow(char* text, long length, char* out, long& outLength, int column,
                                         char** next)
{
	return ExtractCell(text, length, "<td", "</td>", out, outLength, column, next);
}

bool UQuoterExtras::FindQuoteRange(char* text, long length, const char* label, const char* separator,
                                   float& low, float& high, int lines)
{
	low = high = kNoValue;
	if (text == nullptr || length <= 0 || separator == nullptr)
		return false;
	char* end = text + length;
	char* from = text;
	if (label != nullptr) {
		from = GotoString(text, length, label, true);
		if (from == nullptr)
			return false;
		from += std::strlen(label);
	}
	char* middle = GotoString(from, end - from, separator, true);
	if (middle == nullptr)
		return false;
	char* after = middle + std::strlen(separator);
	float lowValue = kNoValue, highValue = kNoValue;
	if (!UQuoter::ExtractQuote(from, middle - from, lowValue, lines) ||
	    !UQuoter::ExtractQuote(after, end - after, highValue, lines))
		return false;
	low = lowValue;
	high = highValue;
	return true;
}

bool UQuoterExtras::ExtractHeadline(char* page, long length, tNewsEntry* entry, long& consumed,
                                    bool quotedAnchors, bool newlineAnchors, bool starPaths)
{
	consumed = 0;
	if (entry != nullptr)
		*entry = tNewsEntry();
	if (page == nullptr || length <= 0 || entry == nullptr)
		return false;
	char* end = page + length;
	// The anchor found and where its link starts: after the quote when there is one, else after the '='.
	auto findAnchor = [&](const char* opening, char*& link) {
		char* anchor = GotoString(page, length, opening, true);
		if (anchor == nullptr)
			return false;
		link = anchor + std::strlen(opening);
		if (link < end && *link == '"')
			link++;
		return true;
	};
	char* link = nullptr;
	bool found = quotedAnchors && findAnchor("<a href=", link);
	if (!quotedAnchors || (!found && newlineAnchors))
		found = findAnchor("<a\nhref=", link);
	if (!found)
		return false;

	while (link < end && *link == '.')
		link++;
	char* linkEnd = LinkEnd(link, end);
	if (linkEnd >= end)
		return false;
	if (starPaths) {
		char* star = GotoString(link, linkEnd - link, "/*", false);
		if (star != nullptr)
			link = star + 2;
	}

	char* pathStart = linkEnd;
	char* q = link < linkEnd && *link != '/' ? link + 1 : link;
	for (bool steppedOver = false; q < linkEnd; q++) {
		if (*q != '/')
			continue;
		if (!steppedOver && q + 1 < linkEnd && q[1] == '/') {
			steppedOver = true;
			q++;
			continue;
		}
		pathStart = q;
		break;
	}

	char* textStart = static_cast<char*>(std::memchr(linkEnd, '>', size_t(end - linkEnd)));
	if (textStart == nullptr)
		return false;
	textStart++;
	char* textEnd = GotoString(textStart, end - textStart, "</a", true);
	if (textEnd == nullptr)
		return false;

	long pathLength = linkEnd - pathStart;
	if (starPaths && pathLength > 0)
		ReplaceHTMLChars(pathStart, pathLength, pathLength);
	if (textEnd > textStart) {
		entry->headline = textStart;
		entry->headlineLength = UInt32(textEnd - textStart);
	}
	if (pathStart > link) {
		entry->host = link;
		entry->hostLength = UInt32(pathStart - link);
	}
	if (pathLength > 0) {
		entry->path = pathStart;
		entry->pathLength = UInt32(pathLength);
	}
	consumed = (textEnd + 3) - page;
	return true;
}

void UQuoterExtras::ReplaceHTMLChars(char* text, long length, long& newLength)
{
	newLength = 0;
	if (text == nullptr || length <= 0)
		return;
	struct tReplacement {
		const char* sequence;
		char replacement;
	};
	// The form with the semicolon comes first.
	static const tReplacement kReplacements[] = {
	    {"%7B", '{'},   {"%7D", '}'},   {"%2D", '-'},    {"&#34;", '"'}, {"&#34", '"'},
	    {"&#38;", '&'}, {"&#38", '&'},  {"&nbsp;", ' '}, {"&nbsp", ' '}, {"&#160;", ' '},
	    {"&#160", ' '}, {"&amp;", '&'}, {"&amp", '&'},
	};
	long w = 0;
	for (long r = 0; r < length;) {
		const char c = text[r];
		if (IsLineEnd(c)) {
			text[w++] = ' ';
			r++;
			continue;
		}
		if (c == ' ') {
			while (r + 1 < length && text[r + 1] == ' ')
				r++;
			text[w++] = ' ';
			r++;
			continue;
		}
		bool replaced = false;
		if (c == '%' || c == '&') {
			for (const tReplacement& entry : kReplacements) {
				if (MatchesAt(text + r, length - r, entry.sequence)) {
					text[w++] = entry.replacement;
					r += long(std::strlen(entry.sequence));
					replaced = true;
					break;
				}
			}
		}
		if (!replaced)
			text[w++] = text[r++];
	}
	newLength = w;
}

void UQuoterExtras::PurgeHTML(char* s)
{
	if (s == nullptr)
		return;
	char* w = s;
	for (char* r = s; *r != '\0';) {
		if (*r == '<') {
			char* close = std::strchr(r, '>');
			if (close != nullptr) {
				r = close + 1;
				continue;
			}
		}
		*w++ = *r++;
	}
	*w = '\0';
}

void UQuoterExtras::PurgeHTMLChars(char* s)
{
	if (s == nullptr)
		return;
	long newLength = 0;
	ReplaceHTMLChars(s, long(std::strlen(s)), newLength);
	s[newLength] = '\0';
}

void UQuoterExtras::PurgeSpaceChars(char* s)
{
	if (s == nullptr)
		return;
	char* start = s;
	while (IsBlank(*start))
		start++;
	long n = long(std::strlen(start));
	while (n > 0 && IsBlank(start[n - 1]))
		n--;
	std::memmove(s, start, size_t(n));
	s[n] = '\0';
}
