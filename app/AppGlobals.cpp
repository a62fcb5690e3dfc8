#include "app/AppGlobals.h"

#include "toolkit/UKsStrings.h"

#include <cstdio>

kestrunApp* gApplication = nullptr;
LCommander* gCommander = nullptr;
TList<TTicker>* gTickers = nullptr;
UInt8 gInittingTicker = 1;
UInt32 gAppStartTick = 0;
unsigned char* gAppStrings[kAppStringCount] = {};
char* gAppCStrings[kAppCStringCount] = {};

void LoadLocalStrings()
{
	int i = 0;
	try {
		for (; i < kAppStringCount; ++i)
			gAppStrings[i] = UKsStrings::LoadStringP(kAppStringsID, SInt16(i + 1));
		for (i = 0; i < kAppCStringCount; ++i)
			gAppCStrings[i] = UKsStrings::LoadStringC(kAppCStringsID, SInt16(i + 1));
	} catch (...) {
		std::printf("Caught Exception LoadLocalStrings %d\n", i);
	}
	// Entries are used as names, addresses and formats: one that failed is an empty text.
	for (auto& entry : gAppStrings)
		if (!entry)
			entry = new unsigned char[1]{0};
	for (auto& entry : gAppCStrings)
		if (!entry)
			entry = new char[1]{0};
}

void DisposeLocalStrings()
{
	for (auto& entry : gAppStrings) {
		delete[] entry;
		entry = nullptr;
	}
	for (auto& entry : gAppCStrings) {
		delete[] entry;
		entry = nullptr;
	}
}

const char* GetAppCString(int index)
{
	if (index < 0 || index >= kAppCStringCount || !gAppCStrings[index])
		return "";
	return gAppCStrings[index];
}
