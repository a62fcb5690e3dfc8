#include "Internet/TCURLPump.h"

#include "Internet/TURLRequest.h"

UInt8 TCURLPump::sRun = 0;

TCURLPump::TCURLPump() : mPerform(&TURLRequest::Perform) {}

TCURLPump::TCURLPump(PerformFunction perform) : mPerform(perform != nullptr ? perform : &TURLRequest::Perform)
{
}

long TCURLPump::Execute()
{
	if (sRun == 0)
		return 0;
	long calls = 0;
	while (calls < kMaxPerformsPerPass) {
		++calls;
		if (!mPerform())
			break;
	}
	return calls;
}
