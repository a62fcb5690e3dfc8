#include "Quoters/Currency/UCurrencyPage.h"

#include "Quoters/UQuoter.h"
#include "foundation/VyStrings.h"
#include "model/TCurrency.h"
#include "model/TCurrencyManager.h"
#include "platform/toolbox/Debugging.h"

#include <cstdio>
#include <cstring>

void UCurrencyPage::GetPairPath(char* path, int pathLen, TSecurity* security, const char* format)
{
	SignalIf_(path == nullptr || security == nullptr);
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr || security->Type() != securityCurrency)
		return;
	auto* pair = static_cast<TCurrency*>(security);
	const char* from = TCurrencyManager::GetCurrencySymbol(pair->CurrencyFrom());
	const char* to = TCurrencyManager::GetCurrencySymbol(pair->CurrencyTo());
	char built[256];
	std::snprintf(built, sizeof built, format, from ? from : "", to ? to : "");
	strcpyn(path, built, pathLen - 1);
}

char* UCurrencyPage::SecondMarker(char* page, long length, const char* marker)
{
	char* first = UQuoter::GotoString(page, length, marker);
	if (first == nullptr)
		return nullptr;
	char* afterFirst = first + std::strlen(marker);
	return UQuoter::GotoString(afterFirst, page + length - afterFirst, marker);
}

void UCurrencyPage::NoExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = nullptr;
	if (count != nullptr)
		*count = 0;
}
