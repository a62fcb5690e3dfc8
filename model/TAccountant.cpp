#include "model/TAccountant.h"

#include "Includes/NoValue.h"
#include "foundation/TVyString.h"
#include "foundation/VyStrings.h"
#include "model/TCurrencyConversion.h"
#include "model/TSecurity.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

TAccountant::tSecurityFinder TAccountant::sSecurityFinder = nullptr;

tPortfolioItem::~tPortfolioItem()
{
	delete currencyItem;
	delete children;
	// A twin shares its row's entry list.
	if (!isCurrencyItem)
		delete entries;
}

namespace
{

bool IsBuy(UInt8 type)
{
	return type == kStockBuy || type == kFundBuy;
}

bool IsSplit(UInt8 type)
{
	return type == kStockSplit || type == kFundSplit;
}

// The twin counts an entry kept in the base currency at its face value.
float TwinRate(const tLedgerEntry* entry)
{
	return entry->foreign ? entry->rate : 1.0f;
}

// Units held after the split for each unit held before; 1 for a split without units.
float SplitFactor(const tLedgerEntry* entry)
{
	return entry->splitFrom > 0 && entry->splitTo > 0 ? entry->splitTo / entry->splitFrom : 1.0f;
}

// The shares, cost and buy prices of one entry; a twin converts the cost at the entry's rate.
void ApplyFigures(tPortfolioItem* item, const tLedgerEntry* entry, float rate)
{
	switch (entry->type) {
	case kStockBuy:
	case kFundBuy:
		item->shares += entry->units;
		item->cost += rate * entry->units * entry->price;
		if (item->firstBuyPrice == 0)
			item->firstBuyPrice = entry->price;
		item->lastBuyPrice = entry->price;
		break;
	case kStockSell:
	case kFundSell:
		item->shares -= entry->units;
		item->sold = 1;
		break;
	case kStockSplit:
	case kFundSplit:
		item->shares *= SplitFactor(entry);
		if (entry->splitFrom > entry->splitTo)
			item->consolidated = 1;
		else
			item->split = 1;
		break;
	case kOtherTransaction:
		item->shares += entry->amount;
		break;
	default:
		break;
	}
}

using tSymbol = std::array<char, tLedgerEntry::kSymbolSize>;

// FNV-1a over the symbol's bytes, each passed through fold; symbols that ksstrcmpi finds equal fold to the
// same bytes under the lower-case table.
template <class Fold> std::size_t CopySymbol(const char* symbol, tSymbol& out, Fold fold)
{
	std::size_t hash = 14695981039346656037ull;
	for (std::size_t i = 0; i + 1 < out.size() && symbol[i] != 0; ++i) {
		out[i] = char(fold(static_cast<unsigned char>(symbol[i])));
		hash = (hash ^ static_cast<unsigned char>(out[i])) * 1099511628211ull;
	}
	return hash;
}

std::size_t FoldSymbol(const char* symbol, tSymbol& out)
{
	return CopySymbol(symbol, out, [](unsigned char c) { return TVyString::sLowerCaseTable[c]; });
}

// Rows found by symbol alone sit under an exchange no entry has.
constexpr SInt32 kAnyExchange = 0x10000;

tPortfolioItem* Shown(tPortfolioItem* row)
{
	return row->currencyItem != nullptr ? row->currencyItem : row;
}

using tCompare = bool (*)(tPortfolioItem*, tPortfolioItem*);

template <float tPortfolioItem::*Field> bool Greater(tPortfolioItem* a, tPortfolioItem* b)
{
	return Shown(a)->*Field > Shown(b)->*Field;
}

const tCompare kComparisons[] = {
    [](tPortfolioItem* a, tPortfolioItem* b) { return std::strcmp(Shown(a)->name, Shown(b)->name) > 0; },
    [](tPortfolioItem* a, tPortfolioItem* b) { return a->shares > b->shares; },
    &Greater<&tPortfolioItem::averageCost>,
    &Greater<&tPortfolioItem::originalTotal>,
    &Greater<&tPortfolioItem::yesterdaysPrice>,
    &Greater<&tPortfolioItem::yesterdaysTotal>,
    &Greater<&tPortfolioItem::currentPrice>,
    &Greater<&tPortfolioItem::currentTotal>,
    &Greater<&tPortfolioItem::originalChange>,
    &Greater<&tPortfolioItem::yesterdaysChange>,
    // A twin does not follow its row's check box.
    [](tPortfolioItem* a, tPortfolioItem*) { return a->enabled != 0; },
};

} // namespace

std::size_t TAccountant::tKeyHash::operator()(const tRowKey& key) const
{
	return key.symbolHash ^ (std::hash<const void*>{}(key.list) * 31) ^ std::size_t(key.exchange) << 7;
}

std::size_t TAccountant::tKeyHash::operator()(const tSecurityKey& key) const
{
	tSymbol symbol{};
	const std::size_t hash = CopySymbol(key.symbol.data(), symbol, [](unsigned char c) { return c; });
	return hash ^ std::size_t(key.type) << 3 ^ std::size_t(UInt16(key.exchange)) << 11;
}

TAccountant::TAccountant()
{
	mIsPortfolio = 1;
}

TAccountant::~TAccountant()
{
	delete mDisplayList;
	mDisplayList = nullptr;
	for (TSecurity* security : mWatched)
		security->RemoveWatcher(this);
	mWatched.clear();
	if (mWatchingCurrency)
		TCurrencyConversion::ClearCurrencyWatchers(this);
	delete mItemList;
}

bool TAccountant::IsStockTransaction(UInt8 type)
{
	return type == kStockBuy || type == kStockSell || type == kStockSplit;
}

bool TAccountant::NamesASecurity(UInt8 type)
{
	switch (type) {
	case kStockBuy:
	case kStockSell:
	case kStockSplit:
	case kFundSplit:
	case kFundBuy:
	case kFundSell:
		return true;
	default:
		return false;
	}
}

float TAccountant::PercentChange(float change, float reference)
{
	return reference != 0 ? 100.0f * change / reference : 0.0f;
}

void TAccountant::UpdateBegins(TSecurity*) {}

void TAccountant::UpdateEnds(TSecurity* security)
{
	if (RecalculateRows(security, false)) {
		RecalculateTotals();
		RedrawList();
	}
}

void TAccountant::Remove(TSecurity* security)
{
	mWatched.erase(security);
	if (RecalculateRows(security, true)) {
		RecalculateTotals();
		RedrawList();
	}
}

void TAccountant::UpdateCurrency()
{
	if (RecalculateRows(nullptr, false)) {
		RecalculateTotals();
		RedrawList();
	}
}

void TAccountant::SetLists(TList<tCategory>* categories, TList<tLedgerEntry>* ledger,
                           tPortfolioParameters* parameters)
{
	mCategories = categories;
	mLedger = ledger;
	mParameters = parameters;
	mSortKey = kSortName;
	mDescending = 0;
	UpdateLists(true, false);
}

void TAccountant::SetCallback(tCallback callback, void* data)
{
	mCallback = callback;
	mCallbackData = data;
}

void TAccountant::SortDirection(bool descending)
{
	mDescending = descending ? 1 : 0;
}

tPortfolioItem* TAccountant::GetNth(long n)
{
	if (mDisplayList == nullptr || n < 1)
		return nullptr;
	return mDisplayList->GetNth(n);
}

void TAccountant::UpdateLists(bool redraw, bool sortByDate)
{
	if (mItemList == nullptr) {
		mItemList = new TList<tPortfolioItem>(false, true);
		mDisplayList = new TList<tPortfolioItem>(false, false);
	} else {
		mDisplayList->Clear();
		mItemList->Clear();
	}
	mCategoryIndex.clear();
	mRowIndex.clear();
	// Securities may have come or gone since the last rebuild.
	mSecurities.clear();

	if (mParameters != nullptr && mParameters->groupByCategory && mCategories != nullptr) {
		TList<tCategory> walk(mCategories);
		for (tCategory* category = walk.GetFirst(); category != nullptr; category = walk.GetNext()) {
			auto* row = new tPortfolioItem;
			strmemcpyn(row->name, category->name,
			           long(strnlen(category->name, sizeof(category->name))),
			           long(sizeof(row->name)) - 1);
			row->isCategory = 1;
			row->open = category->open;
			row->enabled = category->enabled;
			row->pCategory = category;
			row->categorySignature = category->signature;
			row->children = new TList<tPortfolioItem>(false, true);
			mItemList->Append(row);
			mCategoryIndex.emplace(row->categorySignature, row);
		}
	}

	if (mLedger != nullptr) {
		if (sortByDate)
			mLedger->BubbleSort(
			    [](tLedgerEntry* a, tLedgerEntry* b) { return a->date > b->date; }, false);
		const bool allDates = mParameters == nullptr || mParameters->allDates == 1;
		TList<tLedgerEntry> walk(mLedger);
		for (tLedgerEntry* entry = walk.GetFirst(); entry != nullptr; entry = walk.GetNext()) {
			if (allDates || (!(entry->date > mParameters->rangeEnd) &&
			                 !(entry->date < mParameters->rangeStart)))
				AddEntry(entry);
		}
	}

	ForEachHolding([this](tPortfolioItem* row) { CalculateItem(row); });
	UnwatchUnused();
	RecalculateTotals();
	if (redraw)
		RedrawList();
}

void TAccountant::AddEntry(tLedgerEntry* entry)
{
	TList<tPortfolioItem>* target = mItemList;
	UInt8 inCategory = 0;
	if (entry->category != 0) {
		auto category = mCategoryIndex.find(entry->category);
		if (category != mCategoryIndex.end()) {
			target = category->second->children;
			inCategory = 1;
		}
	}

	// Stock entries match a row of their own exchange; the others the first row of their symbol.
	tRowKey key{target, IsStockTransaction(entry->type) ? entry->exchange : kAnyExchange, 0, {}};
	key.symbolHash = FoldSymbol(entry->symbol, key.symbol);
	if (auto found = mRowIndex.find(key); found != mRowIndex.end()) {
		ApplyEntry(found->second, entry);
		found->second->entries->Append(entry);
		return;
	}

	auto* row = new tPortfolioItem;
	strmemcpyn(row->symbol, entry->symbol, long(strnlen(entry->symbol, sizeof(entry->symbol))),
	           long(sizeof(row->symbol)) - 1);
	row->exchange = entry->exchange;
	row->categorySignature = entry->category;
	row->inCategory = inCategory;
	row->enabled = entry->enabled;
	row->entries = new TList<tLedgerEntry>(false, false);
	target->Append(row);
	key.exchange = row->exchange;
	mRowIndex.emplace(key, row);
	key.exchange = kAnyExchange;
	mRowIndex.emplace(key, row);
	ApplyEntry(row, entry);
	row->entries->Append(entry);
}

void TAccountant::ApplyEntry(tPortfolioItem* row, tLedgerEntry* entry)
{
	if (row->currencyItem == nullptr && entry->foreign) {
		auto* twin = new tPortfolioItem;
		twin->isCurrencyItem = 1;
		twin->entries = row->entries;
		twin->enabled = row->enabled;
		twin->inCategory = row->inCategory;
		std::memcpy(twin->symbol, row->symbol, sizeof(twin->symbol));
		row->currencyItem = twin;
		row->hasCurrencyItem = 1;
		row->currency = entry->currency;
		// The twin starts from the entries the row already holds, so its totals cover the whole
		// holding.
		TList<tLedgerEntry> earlier(row->entries);
		for (tLedgerEntry* e = earlier.GetFirst(); e != nullptr; e = earlier.GetNext())
			ApplyFigures(twin, e, TwinRate(e));
	}

	ApplyFigures(row, entry, 1.0f);
	if (row->currencyItem != nullptr)
		ApplyFigures(row->currencyItem, entry, TwinRate(entry));

	if (row->security == nullptr)
		row->security = FindSecurity(entry, mSecurities);
	if (row->currencyItem != nullptr)
		row->currencyItem->security = row->security;
}

TSecurity* TAccountant::FindSecurity(const tLedgerEntry* entry, tSecurityMemo& memo)
{
	if (sSecurityFinder == nullptr)
		return nullptr;
	tSecurityKey key{entry->type, entry->exchange, {}};
	std::memcpy(key.symbol.data(), entry->symbol, key.symbol.size() - 1);
	auto [found, added] = memo.try_emplace(key, nullptr);
	if (added)
		found->second = sSecurityFinder(entry);
	return found->second;
}

std::vector<tLedgerEntry*> TAccountant::UnknownEntries()
{
	std::vector<tLedgerEntry*> unknown;
	if (mLedger == nullptr)
		return unknown;
	tSecurityMemo memo;
	for (tListNode<tLedgerEntry>* node = mLedger->GetEntryHead(); node != nullptr; node = node->mNext) {
		tLedgerEntry* entry = node->mItem;
		if (NamesASecurity(entry->type) && FindSecurity(entry, memo) == nullptr)
			unknown.push_back(entry);
	}
	return unknown;
}

template <class F> void TAccountant::ForEachHolding(F&& f)
{
	if (mItemList == nullptr)
		return;
	TList<tPortfolioItem> walk(mItemList);
	for (tPortfolioItem* row = walk.GetFirst(); row != nullptr; row = walk.GetNext()) {
		if (!row->isCategory) {
			f(row);
			continue;
		}
		TList<tPortfolioItem> children(row->children);
		for (tPortfolioItem* child = children.GetFirst(); child != nullptr;
		     child = children.GetNext())
			f(child);
	}
}

bool TAccountant::RecalculateRows(TSecurity* security, bool forget)
{
	bool any = false;
	ForEachHolding([&](tPortfolioItem* row) {
		if (security != nullptr ? row->security != security : row->currencyItem == nullptr)
			return;
		if (forget) {
			row->security = nullptr;
			if (row->currencyItem != nullptr)
				row->currencyItem->security = nullptr;
		}
		CalculateItem(row);
		any = true;
	});
	return any;
}

void TAccountant::CalculateItem(tPortfolioItem* row)
{
	if (row->sold)
		RebuildCostAfterSale(row);
	ValueItem(row, 1.0f);
}

// The units held after sales are taken to be the most recently bought ones. Units are counted in today's
// terms: a unit bought before a split stands for as many units as the split made of it.
void TAccountant::RebuildCostAfterSale(tPortfolioItem* row)
{
	tPortfolioItem* twin = row->currencyItem;
	const float held = row->shares;
	float units = 0, cost = 0, twinCost = 0, factor = 1.0f;
	if (held > 0) {
		TList<tLedgerEntry> walk(row->entries);
		for (tLedgerEntry* e = walk.GetLast(); e != nullptr; e = walk.GetPrevious()) {
			if (IsSplit(e->type)) {
				factor *= SplitFactor(e);
				continue;
			}
			if (!IsBuy(e->type))
				continue;
			const float bought = e->units * factor;
			const float part = units + bought >= held ? (held - units) / factor : e->units;
			cost += e->price * part;
			twinCost += e->price * part * TwinRate(e);
			units += part * factor;
			if (units >= held)
				break;
		}
	}
	row->cost = cost;
	if (twin != nullptr)
		twin->cost = twinCost;
}

void TAccountant::ValueItem(tPortfolioItem* row, float rate)
{
	if (row->shares > 0)
		row->averageCost = row->cost / row->shares;
	row->originalTotal = row->cost;

	TSecurity* security = row->security;
	if (security == nullptr) {
		row->yesterdaysPrice = row->currentPrice = row->averageCost;
		row->yesterdaysTotal = row->currentTotal = row->originalTotal;
		row->originalChange = row->yesterdaysChange = 0;
	} else {
		Watch(security);
		const char* name = security->SecurityName();
		const char* symbol = security->SecuritySymbol();
		switch (mParameters != nullptr ? mParameters->holdingName : 103) {
		case 102:
			strcpyn(row->name, symbol, long(sizeof(row->name)) - 1);
			break;
		case 103:
			std::snprintf(row->name, sizeof(row->name), "%s (%s)", name, symbol);
			break;
		case 101:
			strcpyn(row->name, name, long(sizeof(row->name)) - 1);
			break;
		default:
			break;
		}
		const float close = security->YesterdayClose();
		row->yesterdaysPrice = close != kNoValue ? close * rate : row->averageCost;
		row->yesterdaysTotal = row->yesterdaysPrice * row->shares;
		const float last = security->CurrentTradePrice();
		row->currentPrice = last != kNoValue ? last * rate : row->averageCost;
		row->currentTotal = row->currentPrice * row->shares;
		row->originalChange = row->currentTotal - row->originalTotal;
		row->yesterdaysChange = row->currentTotal - row->yesterdaysTotal;
	}

	tPortfolioItem* twin = row->currencyItem;
	if (twin == nullptr)
		return;
	if (!mWatchingCurrency) {
		TCurrencyConversion::AddCurrencyWatcher(this);
		mWatchingCurrency = true;
	}
	const tCurrency base =
	    mParameters != nullptr ? tCurrency(mParameters->baseCurrency) : kCurrencyUnknown;
	ValueItem(twin, TCurrencyConversion::GetConversion(tCurrency(row->currency), base));
	auto appendCurrency = [](tPortfolioItem* item, tCurrency currency) {
		const char* currencyName = TCurrencyConversion::GetCurrencyName(currency);
		const std::size_t length = std::strlen(item->name);
		std::snprintf(item->name + length, sizeof(item->name) - length, " - %s",
		              currencyName != nullptr ? currencyName : "");
	};
	if (security != nullptr) {
		appendCurrency(row, tCurrency(row->currency));
		appendCurrency(twin, base);
	}
}

void TAccountant::Watch(TSecurity* security)
{
	if (mWatched.insert(security).second)
		security->AddWatcher(this);
}

void TAccountant::UnwatchUnused()
{
	std::unordered_set<TSecurity*> used;
	ForEachHolding([&](tPortfolioItem* row) {
		if (row->security != nullptr)
			used.insert(row->security);
	});
	std::erase_if(mWatched, [&](TSecurity* security) {
		if (used.contains(security))
			return false;
		security->RemoveWatcher(this);
		return true;
	});
}

void TAccountant::RecalculateTotals()
{
	float original = 0, yesterdays = 0, current = 0;
	if (mItemList != nullptr) {
		TList<tPortfolioItem> walk(mItemList);
		for (tPortfolioItem* row = walk.GetFirst(); row != nullptr; row = walk.GetNext()) {
			tPortfolioItem* counted = Shown(row);
			if (row->isCategory) {
				row->currentTotal = row->originalTotal = row->yesterdaysTotal = 0;
				TList<tPortfolioItem> children(row->children);
				for (tPortfolioItem* child = children.GetFirst(); child != nullptr;
				     child = children.GetNext()) {
					if (!child->enabled)
						continue;
					tPortfolioItem* shown = Shown(child);
					row->currentTotal += shown->currentTotal;
					row->originalTotal += shown->originalTotal;
					row->yesterdaysTotal += shown->yesterdaysTotal;
				}
				row->originalChange = row->currentTotal - row->originalTotal;
				row->yesterdaysChange = row->currentTotal - row->yesterdaysTotal;
			}
			if (!row->enabled)
				continue;
			current += counted->currentTotal;
			original += counted->originalTotal;
			yesterdays += counted->yesterdaysTotal;
		}
	}
	mOriginalTotal = original;
	mYesterdaysTotal = yesterdays;
	mCurrentTotal = current;
	mOriginalChange = current - original;
	mOriginalPercent = PercentChange(mOriginalChange, original);
	mYesterdaysChange = current - yesterdays;
	mYesterdaysPercent = PercentChange(mYesterdaysChange, yesterdays);
	Notify(kPortfolioTotalsChanged, 0);
}

void TAccountant::RedrawList()
{
	if (mDisplayList == nullptr)
		return;
	mDisplayList->Clear();
	AddToDisplay(mItemList);
	Notify(kPortfolioRowsChanged, int(mDisplayList->Count()));
}

void TAccountant::AddToDisplay(TList<tPortfolioItem>* list)
{
	const bool showEmpty = mParameters != nullptr && mParameters->showZeroHoldings == 1;
	TList<tPortfolioItem> walk(list);
	for (tPortfolioItem* row = walk.GetFirst(); row != nullptr; row = walk.GetNext()) {
		if (row->shares == 0 && !row->isCategory && !showEmpty)
			continue;
		if (row->currencyItem != nullptr)
			mDisplayList->Append(row->currencyItem);
		mDisplayList->Append(row);
		if (row->isCategory && row->open)
			AddToDisplay(row->children);
	}
}

void TAccountant::SortList(tPortfolioSort key)
{
	mSortKey = key;
	if (mItemList != nullptr)
		SortRows(mItemList);
	RedrawList();
}

void TAccountant::SortRows(TList<tPortfolioItem>* list)
{
	if (mSortKey < std::size(kComparisons))
		list->BubbleSort(kComparisons[mSortKey], mDescending != 0);
	TList<tPortfolioItem> walk(list);
	for (tPortfolioItem* row = walk.GetFirst(); row != nullptr; row = walk.GetNext())
		if (row->isCategory)
			SortRows(row->children);
}

void TAccountant::Notify(tPortfolioAction action, int count)
{
	if (mCallback != nullptr)
		mCallback(action, mCallbackData, count);
}
