#pragma once
// Currency names and symbols, the names of currency pairs, conversion at the rates of the user's currency
// pairs, and the watchers told when those rates change.

#include "Includes/TList.h"
#include "model/MarketCodes.h"

class TCurrency;
class TCurrencyWatcher;
class TSecurity;

struct tCurrencyEntry {
	const char* symbol;
	const char* name;
	tCurrency id;
	// The currency's name in dragged or scripted data.
	const char* dragName;
};

class TCurrencyConversion
{
public:
	// One row per currency, ended by a row of code kCurrencyUnknown without symbol or name.
	static const tCurrencyEntry sCurrencies[];

	// Null for a code that is not in the table.
	static const char* GetCurrencySymbol(tCurrency currency);
	static const char* GetCurrencyName(tCurrency currency);
	// Copies into a buffer of size bytes; "currencyUnknown" for a code that is not in the table.
	static void GetCurrencyDragName(tCurrency currency, char* name, unsigned long size);

	// Names a pair "From name -> To name" and gives it the symbol "FROM,TO".
	static void SetCurrencyTitles(TCurrency* pair);

	// The rate of the first pair in the list from one currency to the other; 1 when there is none, when
	// it has no price, or when the two are the same.
	static float GetConversion(tCurrency from, tCurrency to);
	// The plug-in's list of currency pairs; not owned.
	static void SetConversionList(TList<TSecurity>* list);

	// Watchers are not owned; each one is kept once.
	static void AddCurrencyWatcher(TCurrencyWatcher* watcher);
	static void ClearCurrencyWatchers(TCurrencyWatcher* watcher);
	static void UpdateWatchers();

private:
	static TList<TSecurity>* sCurrencyList;
	static TList<TCurrencyWatcher>* sWatchers;
};
