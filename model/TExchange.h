#pragma once
// Names of the stock exchanges and of the predefined market indexes.

#include "model/MarketCodes.h"

struct tExchangeEntry {
	tStockExchange id;
	// Prices on this exchange are shown as fractions.
	UInt8 fractions;
	const char* name;
	// The exchange's name in dragged or scripted data.
	const char* dragName;
};

struct tIndexEntry {
	tIndex id;
	const char* name;
};

struct tIndexDefinition {
	tIndex id;
	const char* symbol;
	const char* shortName;
};

// Each table ends with a row of code kEndOfTable.
extern const tExchangeEntry ExchangeTable[];
extern const tIndexEntry IndexTable[];
extern const tIndexDefinition IndexDefinitions[];

class TExchange
{
public:
	static bool ExchangeUsesFractions(tStockExchange exchange);
	// Each name is copied into a buffer of size bytes, emptied first and left empty for an unknown code.
	static void GetExchangeName(tStockExchange exchange, char* name, int size);
	static void GetExchangeDragName(tStockExchange exchange, char* name, int size);
	static void GetIndexName(tIndex index, char* name, int size);
	static void GetIndexDefinition(tIndex index, char* name, int nameSize, char* symbol, int symbolSize);
};
