#pragma once
// One result row of a symbol search, as a quote source fills it.

#include "model/MarketCodes.h"
#include "platform/toolbox/MacTypes.h"

struct tLookupEntry {
	static constexpr int kNameSize = 65;
	static constexpr int kSymbolSize = 29;
	static constexpr int kExchangeTextSize = 65;

	char name[kNameSize] = {};
	char symbol[kSymbolSize] = {};
	// The exchange as the site shows it; only used to guess the exchange.
	char exchangeText[kExchangeTextSize] = {};
	tStockExchange exchange = 0;
	OSType quoter = 0;
	// Belong to the lookup window; a source starts each row with both clear and leaves them alone.
	UInt8 marked = 0;
	UInt8 added = 0;
};
