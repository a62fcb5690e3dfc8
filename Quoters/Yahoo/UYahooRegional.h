#pragma once
// What the regional Yahoo sources (international, Australian, Japanese) share beyond UYahoo: their
// addresses, the symbol search of the regional sites, the text of a trade time and the cells of a result row.

#include "Quoters/TQuoter.h"

class TSecurity;

class UYahooRegional
{
      public:
	// GetURL of a regional source: the home page ("http://" and the source's home host) or the quote page
	// (the source's GetDomain and GetPageDetailed). Lengths are the buffers' sizes.
	static void GetURL(TQuoter* quoter, tURLType type, TSecurity* security, char* host, long hostLen,
	                   char* path, long pathLen);
	// "http://host/l?s=TEXT", and from page 2 on "&m=" with the first row of the page: the regional sites
	// show 200 rows a page.
	static void GetLookup(OSType signature, const char* text, int page, char* url, long urlLen);
	// The first text run on the line-th line after label (0: the label's own line), within the page.
	static bool TextAfterLabel(char* page, long length, const char* label, int line, char* out,
	                           long size);
	// Hands every headline anchor between from and to to the security.
	static void CollectHeadlines(char* from, char* to, TSecurity* security);
	// A result cell as a row shows it: entities decoded, blanks around it gone.
	static void CleanCell(char* cell);
};
