#pragma once
// A bevel button that acts as a plain push button on a quick click: released within 9 ticks it only
// broadcasts its value message; held longer it behaves as the framework's bevel button (its menu pops up,
// a toggle flips). Each click is judged afresh.
// Layout stream: the bevel button's data.

#include "platform/framework/LBevelButton.h"

class TBevelButton : public LBevelButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("bvlT") };

	explicit TBevelButton(LStream* inStream);

	Boolean WasQuickClick() const { return mQuickClick != 0; }

protected:
	Boolean TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers) override;
	void HotSpotResult(SInt16 inHotSpot) override;

	// Whether the mouse button is still held (waits for input, at most about a tick).
	virtual Boolean StillDown() const;

	UInt8 mQuickClick = 0;
};
