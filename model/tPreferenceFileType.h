#pragma once
// The kinds of the plug-in's stored files.

#include "platform/toolbox/MacTypes.h"

typedef UInt8 tPreferenceFileType;
enum : tPreferenceFileType {
	prefsSettings = 100,
	prefsStocks = 101,
	prefsFunds = 102,
	prefsIndexes = 103,
	prefsCurrencies = 105,
};
