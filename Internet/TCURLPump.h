#pragma once
// The HTTP transfer pump: one pass for every event the loop hands out advances the open transfers a little,
// so that no transfer ever blocks the loop. The application's attachment calls Execute; the request routing
// switches the pump on and off.

#include "platform/toolbox/MacTypes.h"

class TCURLPump
{
public:
	using PerformFunction = bool (*)();

	static constexpr long kMaxPerformsPerPass = 3;

	// perform is the layer's TURLRequest::Perform; tests pass their own.
	TCURLPump();
	explicit TCURLPump(PerformFunction perform);
	virtual ~TCURLPump() = default;

	// One pass: Perform again while it answers that libcurl asked to be called again, at most three calls
	// in all. Returns the number of calls made (0 while switched off).
	long Execute();

	static void TurnOn() { sRun = 1; }
	static void TurnOff() { sRun = 0; }
	static bool IsOn() { return sRun != 0; }

private:
	static UInt8 sRun;
	PerformFunction mPerform;
};
