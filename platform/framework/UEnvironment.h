#pragma once
// Facts about the system the program runs on.

#include "platform/toolbox/MacTypes.h"

class UEnvironment
{
public:
	// The system version in the toolbox's packed decimal form (0x1040 for 10.4.0), which the program
	// compares to choose between the classic look and the current one. Any system the stand-in runs on
	// has the current look: the first two digits are 10, the last two the running kernel's major and
	// minor version (each at most 9), so Linux 6.1 gives 0x1061.
	static SInt32 GetOSVersion();
};
