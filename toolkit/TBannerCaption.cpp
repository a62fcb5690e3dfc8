#include "toolkit/TBannerCaption.h"

#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/DrawCaption.h"
#include "toolkit/TBanner.h"

TBannerCaption::TBannerCaption(LStream* inStream) : LCaption(inStream)
{
	*inStream >> mDarkColour >> mLightColour;
}

void TBannerCaption::GetTextColour(RGBColor& outColour) const
{
	constexpr UInt16 kLightAbove = 52427;
	const auto* banner = dynamic_cast<const TBanner*>(GetSuperView());
	RGBColor back;
	if (banner != nullptr)
		banner->GetBackground(back);
	const bool light = banner != nullptr && back.red > kLightAbove && back.green > kLightAbove &&
	                   back.blue > kLightAbove;
	outColour = light ? mLightColour : mDarkColour;
}

void TBannerCaption::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	StTextState textState;
	const SInt16 just = UTextTraits::SetPortTextTraits(mTxtrID);
	ApplyForeAndBackColors();
	RGBColor colour;
	GetTextColour(colour);
	RGBForeColor(&colour);
	DrawCaption(mText + 1, mText[0], frame, just);
}
