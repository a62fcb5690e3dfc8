#pragma once
// Turns a portfolio's ledger into the rows of its table (holdings, optionally under categories) and the
// portfolio's totals, and recalculates them as the securities and currency rates it values change. It reads
// the document's lists and parameters without owning them; it only ever changes the ledger's order.

#include "Includes/TCurrencyWatcher.h"
#include "Includes/TList.h"
#include "Includes/TSecurityWatcher.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "model/tPortfolioItem.h"

#include <array>
#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TAccountant : public TSecurityWatcher, public TCurrencyWatcher
{
public:
	using tCallback = void (*)(tPortfolioAction, void*, int);
	// The security a ledger entry refers to, or null; installed by the application side.
	using tSecurityFinder = TSecurity* (*)(const tLedgerEntry*);

	TAccountant();
	~TAccountant() override;
	TAccountant(const TAccountant&) = delete;
	TAccountant& operator=(const TAccountant&) = delete;

	void UpdateBegins(TSecurity* security) override;
	void UpdateEnds(TSecurity* security) override;
	void Remove(TSecurity* security) override;

	virtual void SetLists(TList<tCategory>* categories, TList<tLedgerEntry>* ledger,
	                      tPortfolioParameters* parameters);
	virtual void SetCallback(tCallback callback, void* data);
	virtual void SortDirection(bool descending);
	// The n-th row of the table (from 1), or null.
	virtual tPortfolioItem* GetNth(long n);
	virtual void UpdateLists(bool redraw, bool sortByDate);
	virtual void RecalculateTotals();
	virtual void RedrawList();
	virtual void SortList(tPortfolioSort key);
	void UpdateCurrency() override;

	static bool IsStockTransaction(UInt8 type);
	// Stock and fund transactions name a security of the plug-in.
	static bool NamesASecurity(UInt8 type);
	// 100 x change / reference, 0 when the reference is 0.
	static float PercentChange(float change, float reference);
	static void SetSecurityFinder(tSecurityFinder finder) { sSecurityFinder = finder; }
	// The ledger's entries of a stock or fund kind whose security the finder does not know, in ledger
	// order, whatever the date range.
	std::vector<tLedgerEntry*> UnknownEntries();

	long CountRows() const { return mDisplayList != nullptr ? mDisplayList->Count() : 0; }
	tPortfolioSort GetSortKey() const { return tPortfolioSort(mSortKey); }
	bool GetSortDescending() const { return mDescending != 0; }

	float OriginalTotal() const { return mOriginalTotal; }
	float OriginalChange() const { return mOriginalChange; }
	float OriginalPercent() const { return mOriginalPercent; }
	float YesterdaysTotal() const { return mYesterdaysTotal; }
	float YesterdaysChange() const { return mYesterdaysChange; }
	float YesterdaysPercent() const { return mYesterdaysPercent; }
	float CurrentTotal() const { return mCurrentTotal; }

private:
	// A holding row of one list by its symbol (letter case folded) and exchange, or by its symbol alone.
	struct tRowKey {
		const TList<tPortfolioItem>* list = nullptr;
		SInt32 exchange = 0;
		std::size_t symbolHash = 0;
		std::array<char, tLedgerEntry::kSymbolSize> symbol{};
		bool operator==(const tRowKey&) const = default;
	};
	// What the finder reads of an entry.
	struct tSecurityKey {
		UInt8 type = 0;
		SInt16 exchange = 0;
		std::array<char, tLedgerEntry::kSymbolSize> symbol{};
		bool operator==(const tSecurityKey&) const = default;
	};
	struct tKeyHash {
		std::size_t operator()(const tRowKey& key) const;
		std::size_t operator()(const tSecurityKey& key) const;
	};
	using tSecurityMemo = std::unordered_map<tSecurityKey, TSecurity*, tKeyHash>;

	static TSecurity* FindSecurity(const tLedgerEntry* entry, tSecurityMemo& memo);
	void AddEntry(tLedgerEntry* entry);
	void ApplyEntry(tPortfolioItem* row, tLedgerEntry* entry);
	void CalculateItem(tPortfolioItem* row);
	void ValueItem(tPortfolioItem* row, float rate);
	void RebuildCostAfterSale(tPortfolioItem* row);
	// Every holding row, top level and inside categories.
	template <class F> void ForEachHolding(F&& f);
	// Recalculates the rows valued by security (all twins when null); true when there was one.
	bool RecalculateRows(TSecurity* security, bool forget);
	void Watch(TSecurity* security);
	// Stops watching the securities no row refers to any more.
	void UnwatchUnused();
	void AddToDisplay(TList<tPortfolioItem>* list);
	void SortRows(TList<tPortfolioItem>* list);
	void Notify(tPortfolioAction action, int count);

	TList<tPortfolioItem>* mItemList = nullptr;
	TList<tPortfolioItem>* mDisplayList = nullptr;
	TList<tLedgerEntry>* mLedger = nullptr;
	TList<tCategory>* mCategories = nullptr;
	tCallback mCallback = nullptr;
	void* mCallbackData = nullptr;
	UInt8 mSortKey = 0;
	UInt8 mDescending = 0;
	tPortfolioParameters* mParameters = nullptr;
	float mOriginalTotal = 0;
	float mOriginalChange = 0;
	float mOriginalPercent = 0;
	float mYesterdaysTotal = 0;
	float mYesterdaysChange = 0;
	float mYesterdaysPercent = 0;
	float mCurrentTotal = 0;
	std::unordered_set<TSecurity*> mWatched;
	// Kept with the rows and rebuilt with them.
	std::unordered_map<UInt32, tPortfolioItem*> mCategoryIndex;
	std::unordered_map<tRowKey, tPortfolioItem*, tKeyHash> mRowIndex;
	tSecurityMemo mSecurities;
	bool mWatchingCurrency = false;

	static tSecurityFinder sSecurityFinder;
};
