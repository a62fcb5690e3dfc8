#include "windows/security/TStockListWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LException.h"
#include "platform/framework/LWindow.h"
#include "windows/security/TLookupList.h"

#include <new>

namespace
{
constexpr tStockExchange kNasdaq = 101;
} // namespace

IPluginWindow* TStockListWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TStockListWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TStockListWindow::TStockListWindow(LStream* inStream)
    : TListWindow(inStream, 5051, FOUR_CHAR_CODE("stSL"), true)
{
}

TSecurity* TStockListWindow::GetNewSecurity()
{
	auto* stock = new (std::nothrow) TStock;
	if (stock != nullptr)
		UZVUtils::DefaultStock(stock, GetStockCString(5), GetStockCString(9), kNasdaq);
	return stock;
}

void TStockListWindow::CreateLookupWindow()
{
	OpenLookupWindow(securityStock);
}

long TStockListWindow::AddLookups(TableIndexT inPosition)
{
	long added = 0;
	for (tLookupEntry* entry = mLookupList->GetFirst(); entry != nullptr;
	     entry = mLookupList->GetNext()) {
		if (!entry->marked || entry->added)
			continue;
		auto* stock = new (std::nothrow) TStock;
		ThrowIfNil_(stock);
		UZVUtils::DefaultStock(stock, GetStockCString(5), GetStockCString(9), kNasdaq);
		stock->SecurityName(entry->name);
		stock->SecuritySymbol(entry->symbol);
		stock->Exchange(entry->exchange);
		if (entry->quoter != TQuoterManager::GetQuoterSig(stock)) {
			stock->OverrideQuoter(true);
			stock->Quoter(entry->quoter);
		}
		InsertNewEntry(stock, inPosition);
		++added;
	}
	return added;
}
