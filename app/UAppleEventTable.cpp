#include "app/UAppleEventTable.h"

namespace
{

std::vector<UAppleEventTable::tEntry> Build()
{
	std::vector<UAppleEventTable::tEntry> entries = {
	    {kCoreEventClass, kAEOpenApplication, ae_OpenApp},
	    {kCoreEventClass, kAEOpenDocuments, ae_OpenDoc},
	    {kCoreEventClass, kAEPrintDocuments, ae_PrintDoc},
	    {kCoreEventClass, kAEQuitApplication, ae_Quit},
	    {FOUR_CHAR_CODE("zVRN"), FOUR_CHAR_CODE("detl"), ae_ShowDetail},
	};
	const std::pair<AEEventClass, long> kinds[] = {{FOUR_CHAR_CODE("zvST"), ae_StockBase},
	                                               {FOUR_CHAR_CODE("zvFD"), ae_FundBase},
	                                               {FOUR_CHAR_CODE("zvIX"), ae_IndexBase},
	                                               {FOUR_CHAR_CODE("zvCU"), ae_CurrencyBase}};
	// Request 5 has no event of its own.
	const std::pair<AEEventID, long> requests[] = {
	    {FOUR_CHAR_CODE("last"), 0},  {FOUR_CHAR_CODE("open"), 1},  {FOUR_CHAR_CODE("prev"), 2},
	    {FOUR_CHAR_CODE("chng"), 3},  {FOUR_CHAR_CODE("pcnt"), 4},  {FOUR_CHAR_CODE("bid "), 6},
	    {FOUR_CHAR_CODE("ask "), 7},  {FOUR_CHAR_CODE("high"), 8},  {FOUR_CHAR_CODE("low "), 9},
	    {FOUR_CHAR_CODE("yrhi"), 10}, {FOUR_CHAR_CODE("yrlo"), 11}, {FOUR_CHAR_CODE("rfsh"), 12}};
	for (const auto& [eventClass, base] : kinds)
		for (const auto& [eventID, request] : requests)
			entries.push_back({eventClass, eventID, base + request});
	return entries;
}

} // namespace

const std::vector<UAppleEventTable::tEntry>& UAppleEventTable::Entries()
{
	static const std::vector<tEntry> entries = Build();
	return entries;
}

long UAppleEventTable::NumberOf(AEEventClass inClass, AEEventID inID)
{
	for (const tEntry& entry : Entries())
		if (entry.eventClass == inClass && entry.eventID == inID)
			return entry.number;
	return 0;
}
