#include "toolkit/TBanner.h"

#include "platform/framework/LStream.h"
#include "platform/toolbox/gui/StColorPenState.h"

TBanner::TBanner(LStream* inStream) : LView(inStream)
{
	*inStream >> mBackColour >> mStyle;
	CalcSystemLook();
}

void TBanner::CalcSystemLook()
{
	// Only systems with the theme look exist here, so the version test is always passed.
	const bool white =
	    mBackColour.red == 0xFFFF && mBackColour.green == 0xFFFF && mBackColour.blue == 0xFFFF;
	mSystemLook = mStyle != 0 && white ? 1 : 0;
}

void TBanner::SetBackground(const RGBColor& inColour)
{
	mBackColour = inColour;
	CalcSystemLook();
	Refresh();
}

void TBanner::GetForeAndBackColors(RGBColor* outForeColor, RGBColor* outBackColor) const
{
	if (outForeColor)
		*outForeColor = mBackColour;
	if (outBackColor)
		*outBackColor = mBackColour;
}

void TBanner::ApplyForeAndBackColors() const
{
	if (mSystemLook)
		return;
	RGBForeColor(&mBackColour);
	RGBBackColor(&mBackColour);
}

void TBanner::DrawSelf()
{
	if (mSystemLook)
		return;
	StColorPenState penState;
	Rect frame;
	CalcLocalFrameRect(frame);
	PenNormal();
	RGBForeColor(&mBackColour);
	PaintRect(&frame);
}
