#include "platform/framework/LCicnButton.h"

#include "platform/framework/LStream.h"
#include "platform/toolbox/Debugging.h"

LCicnButton::LCicnButton(LStream* inStream) : LControl(inStream)
{
	ResIDT normalID = 0, pushedID = 0;
	*inStream >> normalID >> pushedID;
	SetCicns(normalID, pushedID);
}

LCicnButton::~LCicnButton()
{
	DisposeCicns();
}

void LCicnButton::DisposeCicns()
{
	DisposeCIcon(mNormalH);
	DisposeCIcon(mPushedH);
	mNormalH = mPushedH = nullptr;
}

void LCicnButton::SetCicns(ResIDT inNormalID, ResIDT inPushedID)
{
	DisposeCicns();
	mNormalID = inNormalID;
	mPushedID = inPushedID;
	mNormalH = GetCIcon(inNormalID);
	mPushedH = GetCIcon(inPushedID);
	SignalIf_(mNormalH == nullptr || mPushedH == nullptr);
	Refresh();
}

void LCicnButton::DrawSelf()
{
	Rect frame;
	if (!CalcLocalFrameRect(frame))
		return;
	PlotCIcon(&frame, mPushed && mPushedH ? mPushedH : mNormalH);
}

void LCicnButton::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mPushed = inCurrInside;
	Refresh();
	UpdatePort();
}

void LCicnButton::HotSpotResult(SInt16)
{
	mPushed = false;
	Refresh();
	UpdatePort();
	BroadcastValueMessage();
}
