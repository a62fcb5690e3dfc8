#pragma once
// One row of the portfolio table: a holding, a category, or the base-currency twin of a holding kept in
// another currency.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "platform/toolbox/MacTypes.h"

class TSecurity;

// Transaction kinds of a ledger entry.
enum tTransactionType : UInt8 {
	kStockBuy = 100,
	kStockSell = 101,
	kStockSplit = 102,
	kFundSplit = 103,
	kFundBuy = 120,
	kFundSell = 121,
	kOtherTransaction = 191
};

// The accountant's callback codes: 0 rows rebuilt (with their count), 2 totals recalculated.
enum tPortfolioAction : UInt8 { kPortfolioRowsChanged = 0, kPortfolioTotalsChanged = 2, kPortfolioAlert = 3 };

enum tPortfolioSort : UInt8 {
	kSortName = 0,
	kSortShares,
	kSortPurchasePrice,
	kSortPurchaseTotal,
	kSortYesterdaysPrice,
	kSortYesterdaysTotal,
	kSortCurrentPrice,
	kSortCurrentTotal,
	kSortOriginalChange,
	kSortYesterdaysChange,
	kSortEnabled
};

struct tPortfolioItem {
	static constexpr std::size_t kNameSize = 256;

	tPortfolioItem() = default;
	~tPortfolioItem();
	tPortfolioItem(const tPortfolioItem&) = delete;
	tPortfolioItem& operator=(const tPortfolioItem&) = delete;

	char name[kNameSize] = {};
	float shares = 0;
	float cost = 0; // paid for the units held, in the row's currency
	float firstBuyPrice = 0;
	float lastBuyPrice = 0;
	float currentPrice = 0;
	float currentTotal = 0;
	float averageCost = 0;   // purchase price per share
	float originalTotal = 0; // purchase total
	float originalChange = 0;
	float yesterdaysPrice = 0;
	float yesterdaysTotal = 0;
	float yesterdaysChange = 0;
	UInt8 isCategory = 0;
	UInt8 enabled = 1;
	char symbol[tLedgerEntry::kSymbolSize] = {};
	SInt16 exchange = 900;
	TSecurity* security = nullptr;
	UInt8 inCategory = 0;
	UInt32 categorySignature = 0;
	// The holding's ledger entries in ledger order; not owned. A twin shares its row's list.
	TList<tLedgerEntry>* entries = nullptr;
	UInt8 sold = 0;
	UInt8 split = 0;
	UInt8 consolidated = 0;
	UInt8 open = 0;
	tCategory* pCategory = nullptr;            // category rows
	TList<tPortfolioItem>* children = nullptr; // category rows; owned
	UInt8 hasCurrencyItem = 0;
	tPortfolioItem* currencyItem = nullptr; // owned
	UInt8 isCurrencyItem = 0;               // this row is a twin
	SInt16 currency = 900;
};
