#pragma once
// The codes of exchanges, currencies and predefined indexes. Each is grouped by region in hundreds.

#include "platform/toolbox/MacTypes.h"

typedef UInt16 tStockExchange;
typedef UInt16 tCurrency;
typedef UInt16 tIndex;

// Any exchange not in the table.
constexpr tStockExchange kExchangeUnknown = 900;
// Ends the exchange and index tables.
constexpr UInt16 kEndOfTable = 999;
// Ends the currency table.
constexpr tCurrency kCurrencyUnknown = 900;
// An index symbol of the user's own.
constexpr tIndex kIndexCustom = 900;
