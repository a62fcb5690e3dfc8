#pragma once
// The HTTP transfer pump as an attachment of the application: every event the loop hands out, the null
// event included, gets one pass of the pump (TCURLPump), which the request routing switches on and
// off.

#include "Internet/TCURLPump.h"
#include "platform/framework/LAttachment.h"

class TCURLAttachment : public LAttachment
{
public:
	TCURLAttachment(); // message 810, the host still handles every event
	// The pump's perform step replaced (tests count the calls).
	explicit TCURLAttachment(TCURLPump::PerformFunction inPerform);

	// The request routing switches the pump on at its start and off at its end.
	static void TurnOn() { TCURLPump::TurnOn(); }
	static void TurnOff() { TCURLPump::TurnOff(); }

	// Perform calls made for the last event.
	long GetLastPassCalls() const { return mLastPassCalls; }

protected:
	void ExecuteSelf(MessageT inMessage, void* ioParam) override;

private:
	TCURLPump mPump;
	long mLastPassCalls = 0;
};
