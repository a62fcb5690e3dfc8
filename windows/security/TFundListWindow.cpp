#include "windows/security/TFundListWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TFund.h"
#include "model/UZVUtils.h"
#include "platform/framework/LException.h"
#include "platform/framework/LWindow.h"
#include "windows/security/TLookupList.h"

#include <new>

IPluginWindow* TFundListWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TFundListWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TFundListWindow::TFundListWindow(LStream* inStream)
    : TListWindow(inStream, 5052, FOUR_CHAR_CODE("stFL"), true)
{
}

TSecurity* TFundListWindow::GetNewSecurity()
{
	auto* fund = new (std::nothrow) TFund;
	if (fund != nullptr)
		UZVUtils::DefaultSecurity(fund, GetStockCString(6), GetStockCString(9),
		                          TQuoterManager::FundQuoter());
	return fund;
}

void TFundListWindow::CreateLookupWindow()
{
	OpenLookupWindow(securityFund);
}

long TFundListWindow::AddLookups(TableIndexT inPosition)
{
	long added = 0;
	for (tLookupEntry* entry = mLookupList->GetFirst(); entry != nullptr;
	     entry = mLookupList->GetNext()) {
		if (!entry->marked || entry->added)
			continue;
		auto* fund = new (std::nothrow) TFund;
		ThrowIfNil_(fund);
		UZVUtils::DefaultSecurity(fund, GetStockCString(6), GetStockCString(9),
		                          TQuoterManager::AmericanQuoter());
		fund->SecurityName(entry->name);
		fund->SecuritySymbol(entry->symbol);
		fund->OverrideQuoter(true);
		fund->Quoter(entry->quoter);
		InsertNewEntry(fund, inPosition);
		++added;
	}
	return added;
}
