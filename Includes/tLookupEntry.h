#pragma once
// One result row of a symbol search, as a quote source fills it from a result page.

#include "platform/toolbox/MacTypes.h"

struct tLookupEntry {
	static constexpr int kNameLength = 64;
	static constexpr int kSymbolLength = 28;
	static constexpr int kExchangeTextLength = 64;

	char name[kNameLength + 1] = {};
	char symbol[kSymbolLength + 1] = {};
	// The exchange as the site shows it; only used to guess the exchange code.
	char exchangeText[kExchangeTextLength + 1] = {};
	UInt16 exchange = 0; // tStockExchange
	OSType quoter = 0;   // signature of the source that filled the row
	// The lookup window's own marks; a source leaves them clear.
	UInt8 marked = 0;
	UInt8 added = 0;
};
