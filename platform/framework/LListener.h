#pragma once
// Hears the messages of the broadcasters it was added to. Destroying either side unlinks the pair.

#include "platform/framework/FrameworkTypes.h"

#include <vector>

class LBroadcaster;

class LListener
{
public:
	LListener() = default;
	virtual ~LListener();
	LListener(const LListener&) = delete;
	LListener& operator=(const LListener&) = delete;

	virtual void ListenToMessage(MessageT inMessage, void* ioParam) = 0;

	void StartListening() { mIsListening = true; }
	void StopListening() { mIsListening = false; }
	Boolean IsListening() const { return mIsListening; }
	Boolean HasBroadcaster(const LBroadcaster* inBroadcaster) const;

private:
	friend class LBroadcaster;
	std::vector<LBroadcaster*> mBroadcasters;
	Boolean mIsListening = true;
};
