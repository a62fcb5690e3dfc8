#pragma once
// A view that paints its background in one colour, on which its sub panes draw: they take the banner's
// colour as their context's. A banner of the system look (style flag set, pure white) draws nothing of
// its own and leaves the port's colours alone.
// Layout stream: the view's data, then red, green, blue of the back colour (16 each), the style flag (8).

#include "platform/framework/LView.h"

class TBanner : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("Bnnr") };

	explicit TBanner(LStream* inStream);

	// Redraws.
	void SetBackground(const RGBColor& inColour);
	void GetBackground(RGBColor& outColour) const { outColour = mBackColour; }
	Boolean HasSystemLook() const { return mSystemLook != 0; }

	void GetForeAndBackColors(RGBColor* outForeColor, RGBColor* outBackColor) const override;
	void ApplyForeAndBackColors() const override;

protected:
	void DrawSelf() override;

	RGBColor mBackColour;
	UInt8 mStyle = 0;
	UInt8 mSystemLook = 0;

private:
	void CalcSystemLook();
};
