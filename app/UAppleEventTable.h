#pragma once
// The application's Apple-event table: which event class and id stand for which event number.
//
//   quote values, per kind (class 'zvST' stocks, 'zvFD' funds, 'zvIX' indexes, 'zvCU' currency pairs):
//     'last' 'open' 'prev' 'chng' 'pcnt' 'bid ' 'ask ' 'high' 'low ' 'yrhi' 'yrlo' answer a value,
//     'rfsh' asks for a fresh quote;
//   'zVRN' 'detl': the detail window of a symbol searched in every kind;
//   the core events 'aevt' 'oapp', 'odoc', 'pdoc', 'quit'.

#include "platform/framework/UAppleEventService.h"

#include <vector>

enum : AEEventClass { kCoreEventClass = FOUR_CHAR_CODE("aevt") };
enum : AEEventID {
	kAEOpenApplication = FOUR_CHAR_CODE("oapp"),
	kAEOpenDocuments = FOUR_CHAR_CODE("odoc"),
	kAEPrintDocuments = FOUR_CHAR_CODE("pdoc"),
	kAEQuitApplication = FOUR_CHAR_CODE("quit"),
};

enum : long {
	ae_OpenApp = 1001,
	ae_OpenDoc = 1002,
	ae_PrintDoc = 1003,
	ae_Quit = 1004,
	ae_StockBase = 7000,
	ae_FundBase = 7100,
	ae_IndexBase = 7200,
	ae_CurrencyBase = 7300,
	ae_ShowDetail = 7500,
};

class UAppleEventTable
{
public:
	struct tEntry {
		AEEventClass eventClass;
		AEEventID eventID;
		long number;
	};

	// 0 when the table has no such event.
	static long NumberOf(AEEventClass inClass, AEEventID inID);
	static const std::vector<tEntry>& Entries();
};
