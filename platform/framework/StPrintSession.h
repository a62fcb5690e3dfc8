#pragma once
// Keeps the printing session open for its lifetime; sessions nest.

#include "platform/toolbox/MacTypes.h"

class LPrintSettings;

class StPrintSession
{
public:
	explicit StPrintSession(LPrintSettings& inPrintSpec);
	~StPrintSession();
	StPrintSession(const StPrintSession&) = delete;
	StPrintSession& operator=(const StPrintSession&) = delete;

	static Boolean IsOpen() { return sDepth > 0; }

private:
	static int sDepth;
};
