#pragma once
// Turns the headline links that news parsers find into the items of a security's news list.

#include "Includes/TList.h"
#include "model/tNewsEntry.h"
#include "model/tNewsItem.h"

class UNews
{
public:
	// Adds nothing unless the list is given and the entry has a headline and a host, both non-empty.
	static void AddNewsItem(TList<tNewsItem>* list, tNewsEntry* entry);
	// Frees every item's strings, then empties the list.
	static void ClearNewsList(TList<tNewsItem>* list);

	// Cleans the headline in place and sets the kind from a leading "[audio]", "[video]" or "[external]".
	static void CleanupHeadlines(tNewsItem* item);
	// Line breaks and runs of spaces become one space; a few character entities are decoded.
	static void PurgeChars(char* s);
	// Removes every "<...>"; an unclosed "<" stays.
	static void PurgeTags(char* s);

	// A new[] string of the absolute URL, or null without a host or when memory runs out.
	static char* FormatURL(const char* host, long hostLength, const char* path, long pathLength);
	// Replaces *target (a new[] string or null) by a new one holding both strings. Returns the new
	// length; 0 when both are empty and -1 when memory runs out, *target being left as it was in both
	// cases.
	static long strappend(char** target, const char* s);
};
