#include "toolkit/TBevelButton.h"

#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"

namespace
{
constexpr UInt32 kHoldTicks = 10;      // held longer: the framework's tracking takes over
constexpr UInt32 kQuickClickTicks = 9; // released within this: a quick click
} // namespace

TBevelButton::TBevelButton(LStream* inStream) : LBevelButton(inStream) {}

Boolean TBevelButton::StillDown() const
{
	return ::StillDown();
}

Boolean TBevelButton::TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers)
{
	mQuickClick = 0;
	const UInt32 start = TickCount();
	while (StillDown()) {
		if (TickCount() - start > kHoldTicks)
			return LBevelButton::TrackHotSpot(inHotSpot, inPoint, inModifiers);
	}
	if (TickCount() - start > kQuickClickTicks)
		return LBevelButton::TrackHotSpot(inHotSpot, inPoint, inModifiers);
	mQuickClick = 1;
	// The button is up already: plain control tracking only tells whether it was released inside,
	// without popping up the menu.
	return LControl::TrackHotSpot(inHotSpot, inPoint, inModifiers);
}

void TBevelButton::HotSpotResult(SInt16 inHotSpot)
{
	if (mQuickClick == 0) {
		LBevelButton::HotSpotResult(inHotSpot);
		return;
	}
	HotSpotAction(inHotSpot, false, true);
	BroadcastValueMessage();
}
