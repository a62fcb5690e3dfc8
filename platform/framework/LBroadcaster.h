#pragma once
// Sends messages to its listeners, in the order they were added. Listeners added during a broadcast hear
// the next one; listeners removed or destroyed during a broadcast hear no more of it.

#include "platform/framework/FrameworkTypes.h"

#include <vector>

class LListener;

class LBroadcaster
{
public:
	LBroadcaster() = default;
	virtual ~LBroadcaster();
	LBroadcaster(const LBroadcaster&) = delete;
	LBroadcaster& operator=(const LBroadcaster&) = delete;

	void AddListener(LListener* inListener); // a listener is added once
	void RemoveListener(LListener* inListener);
	Boolean HasListener(const LListener* inListener) const;
	SInt32 CountListeners() const;

	void BroadcastMessage(MessageT inMessage, void* ioParam = nullptr);

	void StartBroadcasting() { mIsBroadcasting = true; }
	void StopBroadcasting() { mIsBroadcasting = false; }
	Boolean IsBroadcasting() const { return mIsBroadcasting; }

private:
	std::vector<LListener*> mListeners; // null entries are removals made during a broadcast
	int mBroadcasting = 0;
	Boolean mIsBroadcasting = true;
	Boolean* mDestroyed = nullptr; // set when the broadcaster dies inside its own broadcast
};
