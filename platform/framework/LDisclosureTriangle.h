#pragma once
// A disclosure triangle: value 0 (closed, pointing right) or 1 (open, pointing down); a click flips it.

#include "platform/framework/LControl.h"

class LDisclosureTriangle : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("dtri") };

	// Reads the control's data.
	explicit LDisclosureTriangle(LStream* inStream);

protected:
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
};
