#pragma once
// More of the scanning vocabulary: searches with a choice of case folding, walking back over lines, table
// cells, headline anchors and the clean-up of entities, tags and blanks. Range and output-buffer rules are
// those of UQuoter.

#include "Includes/NoValue.h"
#include "model/tNewsEntry.h"
#include "platform/toolbox/MacTypes.h"

class UQuoterExtras
{
public:
	// First / last c in a zero-terminated string; null when none.
	static char* StrFirstChar(char* s, char c);
	static char* StrLastChar(char* s, char c);
	static char* GotoString(char* text, long length, const char* label, bool ignoreCase);
	// Just after the count-th occurrence of label; text when count is 0; null when there are fewer.
	static char* SkipString(char* text, long length, const char* label, long count, bool ignoreCase);
	// Walking back from position to just above limit: the start of the line after the (lines+1)-th line
	// end met (0: the start of the current line); null when limit is reached first.
	static char* GoBackLine(char* position, char* limit, int lines);
	// As UQuoter::ExtractTableRow, for the first "<td" ... "</td>" cell.
	static bool ExtractDefinitionRow(char* text, long length, char* out, long& outLength, int column,
	                                 char** next);
	static bool FindQuoteRange(char* text, long length, const char* label, const char* separator,
	                           float& low, float& high, int lines);
	// The next headline anchor: entry gets the anchor text and the link's host and path as pointers into
	// the page; consumed is the distance from page to just after the closing "</a".
	static bool ExtractHeadline(char* page, long length, tNewsEntry* entry, long& consumed,
	                            bool quotedAnchors, bool newlineAnchors, bool starPaths);
	// Entity clean-up of PurgeHTMLChars within a range, in place; newLength is the shortened length.
	static void ReplaceHTMLChars(char* text, long length, long& newLength);
	// Removes every complete tag; an unclosed '<' stays.
	static void PurgeHTML(char* s);
	// Line ends become spaces, runs of spaces one space, a few escapes and entities are decoded.
	static void PurgeHTMLChars(char* s);
	// Removes leading and trailing tabs, LFs, CRs and spaces.
	static void PurgeSpaceChars(char* s);
};
