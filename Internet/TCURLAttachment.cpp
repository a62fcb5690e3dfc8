#include "Internet/TCURLAttachment.h"

#include "Internet/TURLRequest.h"

UInt8 TCURLAttachment::sRun = 0;

TCURLAttachment::TCURLAttachment() : mPerform(&TURLRequest::Perform) {}

TCURLAttachment::TCURLAttachment(PerformFunction perform)
    : mPerform(perform != nullptr ? perform : &TURLRequest::Perform)
{
}

long TCURLAttachment::Execute()
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
