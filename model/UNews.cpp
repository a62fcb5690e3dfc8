#include "model/UNews.h"

#include "foundation/VyStrings.h"

#include <cstring>
#include <new>

namespace
{

struct tEntity {
	const char* text;
	char replacement;
};

// Tried in this order; the forms without the semicolon are what some pages send.
const tEntity kEntities[] = {
    {"&#34;", '"'}, {"&#34", '"'},   {"&#38;", '&'}, {"&#38", '&'},  {"&nbsp;", ' '},
    {"&nbsp", ' '}, {"&#160;", ' '}, {"&#160", ' '}, {"&amp;", '&'}, {"&amp", '&'},
};

struct tMarker {
	const char* text;
	UInt16 kind;
};

const tMarker kMarkers[] = {
    {"[external]", kNewsExternal},
    {"[audio]", kNewsAudio},
    {"[video]", kNewsVideo},
};

bool IsLineSpace(char c)
{
	return c == ' ' || c == '\r' || c == '\n';
}

bool IsAsciiLetter(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSchemeChar(char c)
{
	return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Length of a leading "scheme://", or 0.
long SchemeLength(const char* s, long length)
{
	if (length < 1 || !IsAsciiLetter(s[0]))
		return 0;
	long i = 1;
	while (i < length && IsSchemeChar(s[i]))
		i++;
	if (i + 3 <= length && std::memcmp(s + i, "://", 3) == 0)
		return i + 3;
	return 0;
}

char* NewCopy(const char* s, long length)
{
	char* copy = new (std::nothrow) char[length + 1];
	if (copy == nullptr)
		return nullptr;
	std::memcpy(copy, s, size_t(length));
	copy[length] = 0;
	return copy;
}

} // namespace

void UNews::AddNewsItem(TList<tNewsItem>* list, tNewsEntry* entry)
{
	if (list == nullptr || entry == nullptr)
		return;
	if (entry->headline == nullptr || entry->headlineLength == 0 || entry->host == nullptr ||
	    entry->hostLength == 0)
		return;

	tNewsItem* item = new (std::nothrow) tNewsItem;
	if (item == nullptr)
		return;
	item->headline = NewCopy(entry->headline, long(entry->headlineLength));
	if (item->headline == nullptr) {
		delete item;
		return;
	}
	CleanupHeadlines(item);
	item->url = FormatURL(entry->host, long(entry->hostLength), entry->path, long(entry->pathLength));

	// A copy-on-add list keeps its own copy of the item (and takes over the strings); any other list
	// keeps this one.
	const SInt32 before = list->Count();
	list->Append(item);
	if (list->Count() == before) {
		delete[] item->headline;
		delete[] item->url;
		delete item;
	} else if (list->GetLast() != item) {
		delete item;
	}
}

void UNews::ClearNewsList(TList<tNewsItem>* list)
{
	if (list == nullptr)
		return;
	for (tNewsItem* item = list->GetFirst(); item != nullptr; item = list->GetNext()) {
		delete[] item->headline;
		item->headline = nullptr;
		delete[] item->url;
		item->url = nullptr;
	}
	list->Clear();
}

void UNews::CleanupHeadlines(tNewsItem* item)
{
	SignalIf_(item == nullptr);
	if (item == nullptr)
		return;
	item->kind = kNewsPlain;
	char* s = item->headline;
	if (s == nullptr)
		return;
	PurgeChars(s);
	PurgeTags(s);
	if (s[0] != '[')
		return;

	for (const tMarker& marker : kMarkers) {
		if (strsubi(s, marker.text)) {
			item->kind = marker.kind;
			const size_t length = std::strlen(marker.text);
			std::memmove(s, s + length, std::strlen(s + length) + 1);
			break;
		}
	}
	size_t spaces = 0;
	while (s[spaces] == ' ')
		spaces++;
	if (spaces > 0)
		std::memmove(s, s + spaces, std::strlen(s + spaces) + 1);
}

void UNews::PurgeChars(char* s)
{
	if (s == nullptr)
		return;
	char* out = s;
	const char* in = s;
	while (*in != 0) {
		if (IsLineSpace(*in)) {
			*out++ = ' ';
			while (IsLineSpace(*++in))
				;
			continue;
		}
		if (*in == '&') {
			bool replaced = false;
			for (const tEntity& entity : kEntities) {
				if (strsubi(in, entity.text)) {
					*out++ = entity.replacement;
					in += std::strlen(entity.text);
					replaced = true;
					break;
				}
			}
			if (replaced)
				continue;
		}
		*out++ = *in++;
	}
	*out = 0;
}

void UNews::PurgeTags(char* s)
{
	if (s == nullptr)
		return;
	char* out = s;
	const char* in = s;
	while (*in != 0) {
		if (*in == '<') {
			const char* close = std::strchr(in + 1, '>');
			if (close == nullptr)
				break;
			in = close + 1;
			continue;
		}
		*out++ = *in++;
	}
	if (out != in)
		std::memmove(out, in, std::strlen(in) + 1);
}

char* UNews::FormatURL(const char* host, long hostLength, const char* path, long pathLength)
{
	if (host == nullptr || hostLength <= 0)
		return nullptr;
	const bool slash = host[hostLength - 1] != '/';
	if (path == nullptr || pathLength < 1) {
		path = "";
		pathLength = 0;
	} else if (path[0] == '/') {
		path++;
		pathLength--;
	}
	// A host that names its own scheme keeps it; one that starts with "//" only lacks the scheme.
	const char* scheme = "http://";
	if (SchemeLength(host, hostLength) > 0)
		scheme = "";
	else if (hostLength >= 2 && host[0] == '/' && host[1] == '/')
		scheme = "http:";
	const long schemeLength = long(std::strlen(scheme));

	const long length = schemeLength + hostLength + (slash ? 1 : 0) + pathLength;
	char* url = new (std::nothrow) char[length + 1];
	if (url == nullptr)
		return nullptr;
	char* p = url;
	std::memcpy(p, scheme, size_t(schemeLength));
	p += schemeLength;
	std::memcpy(p, host, size_t(hostLength));
	p += hostLength;
	if (slash)
		*p++ = '/';
	std::memcpy(p, path, size_t(pathLength));
	p += pathLength;
	*p = 0;
	return url;
}

long UNews::strappend(char** target, const char* s)
{
	SignalIf_(target == nullptr);
	if (target == nullptr)
		return -1;
	const long oldLength = *target != nullptr ? long(std::strlen(*target)) : 0;
	const long addLength = s != nullptr ? long(std::strlen(s)) : 0;
	if (oldLength + addLength == 0)
		return 0;
	char* joined = new (std::nothrow) char[oldLength + addLength + 1];
	if (joined == nullptr)
		return -1;
	if (oldLength > 0)
		std::memcpy(joined, *target, size_t(oldLength));
	if (addLength > 0)
		std::memcpy(joined + oldLength, s, size_t(addLength));
	joined[oldLength + addLength] = 0;
	delete[] * target;
	*target = joined;
	return oldLength + addLength;
}
