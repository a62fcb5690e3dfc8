#include "model/StockGlobals.h"

tStockTickerPrefs* gPreferences = nullptr;
tKestrunPrefs* gAppPreferences = nullptr;
const unsigned char* gStockStrings[kStockStringCount] = {};
const char* gStockCStrings[kStockCStringCount] = {};

const unsigned char* GetStockString(int index)
{
	static const unsigned char kEmpty[1] = {0};
	if (index < 0 || index >= kStockStringCount || gStockStrings[index] == nullptr)
		return kEmpty;
	return gStockStrings[index];
}

const char* GetStockCString(int index)
{
	if (index < 0 || index >= kStockCStringCount || gStockCStrings[index] == nullptr)
		return "";
	return gStockCStrings[index];
}
