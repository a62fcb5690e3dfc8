#include "windows/security/TIndexListWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TIndex.h"
#include "model/UZVUtils.h"
#include "platform/framework/LException.h"
#include "platform/framework/LWindow.h"
#include "windows/security/TLookupList.h"

#include <new>

namespace
{
constexpr tIndex kOtherIndex = 900;
} // namespace

IPluginWindow* TIndexListWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TIndexListWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TIndexListWindow::TIndexListWindow(LStream* inStream)
    : TListWindow(inStream, 5053, FOUR_CHAR_CODE("stIL"), false)
{
}

TSecurity* TIndexListWindow::GetNewSecurity()
{
	auto* index = new (std::nothrow) TIndex;
	if (index == nullptr)
		return nullptr;
	UZVUtils::DefaultSecurity(index, GetStockCString(7), GetStockCString(9),
	                          TQuoterManager::IndexQuoter());
	index->Index(kOtherIndex);
	index->MenuEnabled(true);
	index->SummaryEnabled(true);
	return index;
}

void TIndexListWindow::CreateLookupWindow()
{
	OpenLookupWindow(securityIndex);
}

long TIndexListWindow::AddLookups(TableIndexT inPosition)
{
	long added = 0;
	for (tLookupEntry* entry = mLookupList->GetFirst(); entry != nullptr;
	     entry = mLookupList->GetNext()) {
		if (!entry->marked || entry->added)
			continue;
		auto* index = new (std::nothrow) TIndex;
		ThrowIfNil_(index);
		index->Index(kOtherIndex);
		index->SecurityName(entry->name);
		index->SecuritySymbol(entry->symbol);
		index->OverrideQuoter(true);
		index->Quoter(entry->quoter);
		InsertNewEntry(index, inPosition);
		++added;
	}
	return added;
}
