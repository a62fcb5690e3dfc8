#include "platform/framework/LControlPane.h"

#include "platform/framework/QtPaneWidget.h"

LControlPane::~LControlPane()
{
	delete mNative;
}

void LControlPane::SetNative(QtPaneWidget* inNative)
{
	delete mNative;
	mNative = inNative;
	SyncNative();
}

void LControlPane::SyncNative()
{
	if (!mNative)
		return;
	Rect frame;
	CalcNativeFrame(frame);
	mNative->Sync(frame);
}

void LControlPane::CalcNativeFrame(Rect& outPortRect) const
{
	CalcPortFrameRect(outPortRect);
}

void LControlPane::PutInside(LView* inView, Boolean inOrient)
{
	LPane::PutInside(inView, inOrient);
	SyncNative();
}

void LControlPane::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LPane::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	SyncNative();
}

void LControlPane::MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh)
{
	LPane::MoveBy(inHorizDelta, inVertDelta, inRefresh);
	SyncNative();
}

void LControlPane::AdaptToNewSurroundings()
{
	LPane::AdaptToNewSurroundings();
	SyncNative();
}

void LControlPane::Draw(RgnHandle inSuperDrawRgnH)
{
	SyncNative();
	LPane::Draw(inSuperDrawRgnH);
}

void LControlPane::ShowSelf()
{
	SyncNative();
}

void LControlPane::HideSelf()
{
	SyncNative();
}

void LControlPane::EnableSelf()
{
	SyncNative();
	Refresh();
}

void LControlPane::DisableSelf()
{
	SyncNative();
	Refresh();
}

void LControlPane::ActivateSelf()
{
	SyncNative();
	Refresh();
}

void LControlPane::DeactivateSelf()
{
	SyncNative();
	Refresh();
}
