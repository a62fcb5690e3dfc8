#include "Quoters/Currency/UCurrencyPage.h"

#include "Quoters/TQuoterHosts.h"
#include "foundation/VyStrings.h"
#include "model/TCurrency.h"
#include "model/TCurrencyManager.h"
#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <cstdio>

void UCurrencyPage::GetURL(TQuoter* quoter, tURLType type, TSecurity* security, char* host, long hostLen,
                           char* path, long pathLen)
{
	if (host != nullptr && hostLen > 0)
		host[0] = 0;
	if (path != nullptr && pathLen > 0)
		path[0] = 0;
	if (quoter == nullptr || host == nullptr || hostLen <= 0)
		return;
	const OSType signature = quoter->GetSig();
	if (type == urlHomePage) {
		std::snprintf(host, size_t(hostLen), "http://%s",
		              TQuoterHosts::GetHost(signature, TQuoterHosts::hostHome));
	} else if (type == urlQuotePage) {
		strcpyn(host, TQuoterHosts::GetHost(signature, TQuoterHosts::hostQuote), hostLen - 1);
		if (path != nullptr && pathLen > 0)
			quoter->GetPageDetailed(path, int(std::min<long>(pathLen, 0x7FFFFFFF)), security);
	}
}

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

void UCurrencyPage::NoExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = nullptr;
	if (count != nullptr)
		*count = 0;
}
