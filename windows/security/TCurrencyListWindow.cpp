#include "windows/security/TCurrencyListWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/UZVUtils.h"
#include "platform/framework/LWindow.h"
#include "toolkit/UKsStrings.h"

#include <new>

IPluginWindow* TCurrencyListWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TCurrencyListWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TCurrencyListWindow::TCurrencyListWindow(LStream* inStream)
    : TListWindow(inStream, 5054, FOUR_CHAR_CODE("stCL"), false)
{
}

TSecurity* TCurrencyListWindow::GetNewSecurity()
{
	auto* pair = new (std::nothrow) TCurrency;
	if (pair != nullptr)
		UZVUtils::DefaultSecurity(pair, GetStockCString(8), GetStockCString(9),
		                          TQuoterManager::CurrencyQuoter());
	return pair;
}

void TCurrencyListWindow::DrawNames(const Rect& inNameRect, const Rect& inSymbolRect, TSecurity* inSecurity)
{
	const Rect both{inNameRect.top, inNameRect.left, inSymbolRect.bottom, inSymbolRect.right};
	UKsStrings::DrawString(inSecurity->SecurityName(), both.left, both.bottom, &both, 0);
}
