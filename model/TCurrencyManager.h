#pragma once
// The currency names that the windows ask for.

#include "model/MarketCodes.h"

class TCurrencyManager
{
public:
	// Null for a code that is not in the table.
	static const char* GetCurrencySymbol(tCurrency currency);
	static const char* GetCurrencyName(tCurrency currency);
};
