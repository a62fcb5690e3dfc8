#include "platform/framework/LAttachment.h"

#include "platform/framework/LAttachable.h"

LAttachment::LAttachment(MessageT inMessage, Boolean inExecuteHost)
    : mMessage(inMessage), mExecuteHost(inExecuteHost)
{
}

LAttachment::~LAttachment()
{
	if (mOwnerHost)
		mOwnerHost->RemoveAttachment(this);
}

Boolean LAttachment::Execute(MessageT inMessage, void* ioParam)
{
	if (mMessage == msg_AnyMessage || mMessage == inMessage) {
		ExecuteSelf(inMessage, ioParam);
		return mExecuteHost;
	}
	return true;
}

void LAttachment::ExecuteSelf(MessageT, void*) {}
