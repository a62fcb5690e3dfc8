#pragma once
// An attachment of the application that keeps the modifier keys of the last mouse-down, mouse-up, key-down
// or key-up event, so that any code can ask for them without an event at hand. It installs itself as the
// model's source of modifier keys.

#include "platform/framework/LAttachment.h"

class TEventWatcher : public LAttachment
{
public:
	TEventWatcher(); // message 810, the host still handles every event

	static bool ShiftKey() { return sShiftKey != 0; }
	static bool CommandKey() { return sCommandKey != 0; }
	static bool OptionKey() { return sOptionKey != 0; }
	static bool ControlKey() { return sControlKey != 0; }

	// Back to no key held; for tests.
	static void Reset();

protected:
	void ExecuteSelf(MessageT inMessage, void* ioParam) override;

private:
	static UInt8 sShiftKey;
	static UInt8 sCommandKey;
	static UInt8 sOptionKey;
	static UInt8 sControlKey;
};
