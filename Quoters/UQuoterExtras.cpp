#include "Quoters/UQuoterExtras.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UScanText.h"
#include "foundation/TVyString.h"
#include "foundation/VyStrings.h"

#include <cstring>
#include <string.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace UScanText;

namespace
{

char Fold(char c, bool ignoreCase)
{
	return ignoreCase ? char(TVyString::sLowerCaseTable[static_cast<unsigned char>(c)]) : c;
}

// Per byte: the other byte that folds to the same (itself when none; -1 when several do), and how common
// it is in pages (higher: more common), for the search to anchor on a label's two rarest bytes.
struct tByteTable {
	short partner[256];
	unsigned char commonness[256];
	tByteTable()
	{
		static const char kCommon[] = "\n\t0123456789_-;&#.:kvbywgpfmucdlhrsnioate/=\"<> ";
		for (int b = 0; b < 256; b++) {
			partner[b] = short(b);
			for (int other = 0; other < 256 && partner[b] >= 0; other++)
				if (other != b && Fold(char(other), true) == Fold(char(b), true))
					partner[b] = partner[b] == b ? short(other) : short(-1);
			const char* at = std::strchr(kCommon, char(Fold(char(b), true)));
			commonness[b] =
			    b != 0 && at != nullptr ? static_cast<unsigned char>(at - kCommon + 1) : 0;
		}
	}
};

const tByteTable& ByteTable()
{
	static const tByteTable table;
	return table;
}

// A label search: memmem when case does not matter for the label; otherwise candidates are the
// places where the label's two rarest bytes (in either case) sit at their distance, checked whole.
class tLabelSearch
{
	static unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

public:
	tLabelSearch(const char* label, long length, bool ignoreCase) : mLabel(label), mLength(length)
	{
		const tByteTable& bytes = ByteTable();
		mFolding = false;
		if (ignoreCase)
			for (long i = 0; i < length; i++)
				mFolding |= bytes.partner[Byte(label[i])] != Byte(label[i]);
		if (!mFolding)
			return;
		// Anchors must be bytes with at most one partner.
		long first = -1, second = -1;
		for (long i = 0; i < length; i++) {
			const unsigned char c = Byte(label[i]);
			if (bytes.partner[c] < 0)
				continue;
			if (first < 0 || bytes.commonness[c] < bytes.commonness[Byte(label[first])]) {
				second = first;
				first = i;
			} else if (second < 0 ||
			           bytes.commonness[c] < bytes.commonness[Byte(label[second])]) {
				second = i;
			}
		}
		if (first < 0) {
			mAnchored = false;
			return;
		}
		if (second < 0)
			second = first;
		mAnchored = true;
		mOffset[0] = first;
		mOffset[1] = second;
		for (int k = 0; k < 2; k++) {
			const unsigned char c = Byte(label[mOffset[k]]);
			mByte[k][0] = c;
			mByte[k][1] = static_cast<unsigned char>(bytes.partner[c]);
		}
	}

	char* Find(char* text, long length) const
	{
		if (length < mLength)
			return nullptr;
		if (!mFolding)
			return static_cast<char*>(memmem(text, size_t(length), mLabel, size_t(mLength)));
		const long candidates = length - mLength + 1;
		if (!mAnchored) {
			for (long i = 0; i < candidates; i++)
				if (Matches(text + i))
					return text + i;
			return nullptr;
		}
		const unsigned char* a = reinterpret_cast<const unsigned char*>(text) + mOffset[0];
		const unsigned char* b = reinterpret_cast<const unsigned char*>(text) + mOffset[1];
		long i = 0;
#if defined(__SSE2__)
		const __m128i a0 = _mm_set1_epi8(char(mByte[0][0])), a1 = _mm_set1_epi8(char(mByte[0][1]));
		const __m128i b0 = _mm_set1_epi8(char(mByte[1][0])), b1 = _mm_set1_epi8(char(mByte[1][1]));
		for (; i + 16 <= candidates; i += 16) {
			const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
			const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
			const __m128i hitA = _mm_or_si128(_mm_cmpeq_epi8(va, a0), _mm_cmpeq_epi8(va, a1));
			const __m128i hitB = _mm_or_si128(_mm_cmpeq_epi8(vb, b0), _mm_cmpeq_epi8(vb, b1));
			for (unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(hitA, hitB)));
			     mask != 0; mask &= mask - 1) {
				char* at = text + i + __builtin_ctz(mask);
				if (Matches(at))
					return at;
			}
		}
#endif
		for (; i < candidates; i++)
			if ((a[i] == mByte[0][0] || a[i] == mByte[0][1]) &&
			    (b[i] == mByte[1][0] || b[i] == mByte[1][1]) && Matches(text + i))
				return text + i;
		return nullptr;
	}

private:
	bool Matches(const char* at) const
	{
		return ksmemcmp(at, mLabel, mLength, true) == 0;
	}

	const char* mLabel;
	long mLength;
	bool mFolding = false;
	bool mAnchored = false;
	long mOffset[2] = {};
	unsigned char mByte[2][2] = {};
};

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
	return tLabelSearch(label, long(std::strlen(label)), ignoreCase).Find(text, length);
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
