#pragma once
// One dragged security as the 'zvDF' flavour carries it. Within the drag the entries travel by value, each
// record in its fixed stored form, so that no address ever leaves the sender.

#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

struct tDragEntry {
	static constexpr int kSymbolSize = 21;
	static constexpr int kNameSize = 51;
	// kind (2), symbol, name, exchange (2); big-endian.
	static constexpr int kStoredSize = 2 + kSymbolSize + kNameSize + 2;

	tSecurityType kind = 0;
	char symbol[kSymbolSize] = {};
	char name[kNameSize] = {};
	tStockExchange exchange = 0;
};
