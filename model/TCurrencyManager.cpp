#include "model/TCurrencyManager.h"

#include "model/TCurrencyConversion.h"

const char* TCurrencyManager::GetCurrencySymbol(tCurrency currency)
{
	return TCurrencyConversion::GetCurrencySymbol(currency);
}

const char* TCurrencyManager::GetCurrencyName(tCurrency currency)
{
	return TCurrencyConversion::GetCurrencyName(currency);
}
