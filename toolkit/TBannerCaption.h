#pragma once
// A caption on a banner that picks its text colour by the banner's brightness: the light-background
// colour on a banner whose three components are all above 52427, else (a darker banner, or none) the
// dark-background colour.
// Layout stream: the caption's data, then the dark- and the light-background colour (three 16-bit
// components each, dark first).

#include "platform/framework/LCaption.h"

class TBannerCaption : public LCaption
{
public:
	enum { class_ID = FOUR_CHAR_CODE("bnrC") };

	explicit TBannerCaption(LStream* inStream);

	// The colour the text is drawn in where the caption now is.
	void GetTextColour(RGBColor& outColour) const;

protected:
	void DrawSelf() override;

	RGBColor mDarkColour;
	RGBColor mLightColour;
};
