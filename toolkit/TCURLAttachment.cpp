#include "toolkit/TCURLAttachment.h"

TCURLAttachment::TCURLAttachment() : LAttachment(msg_Event, true) {}

TCURLAttachment::TCURLAttachment(TCURLPump::PerformFunction inPerform)
    : LAttachment(msg_Event, true), mPump(inPerform)
{
}

void TCURLAttachment::ExecuteSelf(MessageT inMessage, void*)
{
	if (inMessage == msg_Event)
		mLastPassCalls = mPump.Execute();
}
