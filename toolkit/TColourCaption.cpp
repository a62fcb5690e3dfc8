#include "toolkit/TColourCaption.h"

#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/DrawCaption.h"

TColourCaption::TColourCaption(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID)
    : LCaption(inPaneInfo, inText, inTextTraitsID)
{
}

TColourCaption::TColourCaption(LStream* inStream) : LCaption(inStream) {}

void TColourCaption::SetColour(const RGBColor* inColour)
{
	SignalIf_(inColour == nullptr);
	if (inColour == nullptr)
		return;
	mColour = *inColour;
	mUseColour = 1;
}

void TColourCaption::ResetFaceStyle()
{
	mBold = mItalic = mUnderline = 0;
}

Style TColourCaption::GetAddedFace() const
{
	Style face = normal;
	if (mBold)
		face |= bold;
	if (mItalic)
		face |= italic;
	if (mUnderline)
		face |= underline;
	return face;
}

void TColourCaption::DrawSelf()
{
	StColorPenState penState;
	StTextState textState;
	Rect frame;
	CalcLocalFrameRect(frame);
	ApplyForeAndBackColors();
	const SInt16 just = UTextTraits::SetPortTextTraits(mTxtrID);
	GrafPtr port;
	GetPort(&port);
	TextFace(StyleParameter(GetPortTextFace(port) | GetAddedFace()));
	if (mUseColour)
		RGBForeColor(&mColour);
	DrawCaption(mText + 1, mText[0], frame, just);
}
