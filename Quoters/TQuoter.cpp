#include "Quoters/TQuoter.h"

#include "Quoters/TQuoterHosts.h"
#include "foundation/VyStrings.h"
#include "model/TSecurity.h"
#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <climits>
#include <cstdio>

void TQuoter::GetExchanges(const tStockExchange**, short*) {}

const char* TQuoter::GetDomain(tSecurityType)
{
	return TQuoterHosts::GetHost(GetSig(), TQuoterHosts::hostQuote);
}

void TQuoter::GetPageDetailed(char*, int, TSecurity*) {}

void TQuoter::GetLookup(tSecurityType, char*, int, char*, long) {}

bool TQuoter::StockDetail(char*, long, TStock*)
{
	return false;
}

bool TQuoter::FundDetail(char*, long, TFund*)
{
	return false;
}

bool TQuoter::IndexDetail(char*, long, TIndex*)
{
	return false;
}

bool TQuoter::CurrencyDetail(char*, long, TCurrency*)
{
	return false;
}

bool TQuoter::Lookup(char*, long, ILookupList*, tSecurityType, bool&)
{
	return false;
}

bool TQuoter::News(char*, long, TSecurity*)
{
	return false;
}

bool TQuoter::ServesExchange(tStockExchange exchange)
{
	const tStockExchange* list = nullptr;
	short count = 0;
	GetExchanges(&list, &count);
	for (short i = 0; list != nullptr && i < count; i++)
		if (list[i] == exchange)
			return true;
	return false;
}

bool TQuoter::ServesStocks()
{
	const tStockExchange* list = nullptr;
	short count = 0;
	GetExchanges(&list, &count);
	return list != nullptr && count > 0;
}

void TQuoter::GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path, long pathLen)
{
	if (host != nullptr && hostLen > 0)
		host[0] = 0;
	if (path != nullptr && pathLen > 0)
		path[0] = 0;
	if (host == nullptr || hostLen <= 0)
		return;
	if (type == urlHomePage) {
		std::snprintf(host, size_t(hostLen), "http://%s",
		              TQuoterHosts::GetHost(GetSig(), TQuoterHosts::hostHome));
	} else if (type == urlQuotePage) {
		SignalIf_(security == nullptr);
		if (security == nullptr)
			return;
		const char* domain = GetDomain(security->Type());
		strcpyn(host, domain != nullptr ? domain : "", hostLen - 1);
		if (path != nullptr && pathLen > 0)
			GetPageDetailed(path, int(std::min<long>(pathLen, INT_MAX)), security);
	}
}
