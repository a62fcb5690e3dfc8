#pragma once
// The application's globals: the application itself, its tickers, its start tick and its string tables
// (string lists 1000 and 1001). gAppPreferences lives with the plug-in's globals (model/StockGlobals.h).

#include "platform/toolbox/MacTypes.h"

class LCommander;
class TTicker;
class kestrunApp;
template <class T> class TList;

constexpr int kAppStringCount = 8;
constexpr int kAppCStringCount = 14;
enum : SInt16 { kAppStringsID = 1000, kAppCStringsID = 1001 };

// Entries of gAppCStrings that the application reads.
enum : int {
	kMainTickerNameString = 2,
	kNewTickerNameString = 3,
	kNewTickerPrefixString = 4,
	kHomePageString = 6,
};

extern kestrunApp* gApplication;
extern LCommander* gCommander;
extern TList<TTicker>* gTickers;
extern UInt8 gInittingTicker;
extern UInt32 gAppStartTick;
extern unsigned char* gAppStrings[kAppStringCount];
extern char* gAppCStrings[kAppCStringCount];

// Loads both tables; an entry that cannot be loaded is an empty text, never null.
void LoadLocalStrings();
void DisposeLocalStrings();
// Entry i of gAppCStrings, or an empty text outside the table.
const char* GetAppCString(int index);
