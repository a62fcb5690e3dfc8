#include "platform/framework/LListener.h"

#include "platform/framework/LBroadcaster.h"

#include <algorithm>

LListener::~LListener()
{
	// RemoveListener edits mBroadcasters, so walk a copy.
	const std::vector<LBroadcaster*> broadcasters = mBroadcasters;
	for (LBroadcaster* b : broadcasters)
		b->RemoveListener(this);
}

Boolean LListener::HasBroadcaster(const LBroadcaster* inBroadcaster) const
{
	return std::find(mBroadcasters.begin(), mBroadcasters.end(), inBroadcaster) != mBroadcasters.end();
}
