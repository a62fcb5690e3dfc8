#pragma once
// Key tests shared by windows and fields.

#include "platform/toolbox/MacTypes.h"

class UKeyFilters {
public:
	// Command-period: the user's way of stopping what runs.
	static Boolean IsCmdPeriod(const EventRecord& inMacEvent);
};
