#pragma once
// What the currency converter sources share: their addresses and a path that names a pair's currencies.

#include "Quoters/TQuoter.h"

class UCurrencyPage
{
      public:
	// Both outputs emptied; the home page in the host output, or the quote host and the source's path.
	static void GetURL(TQuoter* quoter, tURLType type, TSecurity* security, char* host, long hostLen,
	                   char* path, long pathLen);
	// format takes the symbols of the pair's first and second currencies; empty for any other security.
	static void GetPairPath(char* path, int pathLen, TSecurity* security, const char* format);
	static void NoExchanges(const tStockExchange** list, short* count);
};
