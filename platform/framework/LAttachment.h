#pragma once
// An attachment adds behaviour to a host (an LAttachable) from outside: the host offers it every message it
// handles, and the attachment's execute-host flag decides whether the host then does its own work too.

#include "platform/framework/FrameworkTypes.h"

class LAttachable;

class LAttachment
{
public:
	explicit LAttachment(MessageT inMessage = msg_AnyMessage, Boolean inExecuteHost = true);
	virtual ~LAttachment(); // leaves its host
	LAttachment(const LAttachment&) = delete;
	LAttachment& operator=(const LAttachment&) = delete;

	// Runs ExecuteSelf when inMessage is this attachment's message (or it takes any message); returns
	// whether the host should go on with its own handling.
	Boolean Execute(MessageT inMessage, void* ioParam);

	MessageT GetMessage() const { return mMessage; }
	void SetMessage(MessageT inMessage) { mMessage = inMessage; }
	Boolean GetExecuteHost() const { return mExecuteHost; }
	void SetExecuteHost(Boolean inExecute) { mExecuteHost = inExecute; }
	LAttachable* GetOwnerHost() const { return mOwnerHost; }

protected:
	virtual void ExecuteSelf(MessageT inMessage, void* ioParam);

	MessageT mMessage;
	Boolean mExecuteHost;

private:
	friend class LAttachable;
	LAttachable* mOwnerHost = nullptr;
};
