#include "toolkit/TColourCaptions.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/DrawCaption.h"

#include <cstring>

TColourCaptions::TColourCaptions(LStream* inStream) : TColourCaption(inStream)
{
	*inStream >> mFirstTxtrID >> mSecondTxtrID;
}

void TColourCaptions::SetStrings(const char* inFirst, const char* inSecond)
{
	mFirst[0] = mSecond[0] = 0;
	if (inFirst != nullptr)
		strcpyn(mFirst, inFirst, sizeof(mFirst) - 1);
	if (inSecond != nullptr)
		strcpyn(mSecond, inSecond, sizeof(mSecond) - 1);
	Refresh();
}

void TColourCaptions::DrawPart(const char* inText, ResIDT inTxtrID, const RGBColor& inContextFore,
                               Rect& ioFrame)
{
	const SInt16 just = UTextTraits::SetPortTextTraits(inTxtrID);
	GrafPtr port;
	GetPort(&port);
	TextFace(StyleParameter(GetPortTextFace(port) | GetAddedFace()));
	ApplyForeAndBackColors();
	RGBForeColor(mUseColour ? &mColour : &inContextFore);
	const SInt16 length = SInt16(std::strlen(inText));
	DrawCaption(reinterpret_cast<const unsigned char*>(inText), length, ioFrame, just);
	ioFrame.left = SInt16(ioFrame.left + TextWidth(inText, 0, length));
}

void TColourCaptions::DrawSelf()
{
	StColorPenState penState;
	StTextState textState;
	Rect frame;
	CalcLocalFrameRect(frame);
	ApplyForeAndBackColors();
	RGBColor contextFore;
	GetForeColor(&contextFore);
	if (mFirst[0] != 0)
		DrawPart(mFirst, mFirstTxtrID, contextFore, frame);
	if (mSecond[0] != 0)
		DrawPart(mSecond, mSecondTxtrID, contextFore, frame);
}
