#pragma once
// What the currency converter sources share: a path that names a pair's currencies
// and the second of a page's markers, near which the rate stands.

#include "Quoters/TQuoter.h"

class UCurrencyPage
{
public:
	// format takes the symbols of the pair's first and second currencies; empty for any other security.
	static void GetPairPath(char* path, int pathLen, TSecurity* security, const char* format);
	// The second occurrence of marker in the page (any case); null when there are fewer.
	static char* SecondMarker(char* page, long length, const char* marker);
	static void NoExchanges(const tStockExchange** list, short* count);
};
