#include "Quoters/TQuoter.h"

void TQuoter::GetExchanges(const tStockExchange**, short*) {}

void TQuoter::GetURL(tURLType, TSecurity*, char*, long, char*, long) {}

const char* TQuoter::GetDomain(tSecurityType)
{
	return nullptr;
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
