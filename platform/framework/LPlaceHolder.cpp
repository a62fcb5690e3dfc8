#include "platform/framework/LPlaceHolder.h"

#include <algorithm>

LPlaceHolder::LPlaceHolder(LStream* inStream) : LView(inStream) {}

LPlaceHolder::~LPlaceHolder()
{
	RemoveOccupant();
}

void LPlaceHolder::InstallOccupant(LPane* inOccupant, SInt16 inAlignment)
{
	if (!inOccupant || inOccupant == mOccupant)
		return;
	RemoveOccupant();
	mOccupant = inOccupant;
	mFormerView = inOccupant->GetSuperView();
	inOccupant->GetFrameLocation(mFormerLocation);
	inOccupant->GetFrameSize(mFormerSize);
	mFormerVisible = inOccupant->IsVisibleSelf();
	inOccupant->PutInside(this);
	inOccupant->MoveBy(mFrameLocation.h - mFormerLocation.h, mFrameLocation.v - mFormerLocation.v, false);
	if (inAlignment != -1)
		inOccupant->ResizeFrameTo(mFrameSize.width, mFrameSize.height, false);
	inOccupant->Show();
	Refresh();
}

LPane* LPlaceHolder::RemoveOccupant()
{
	LPane* occupant = mOccupant;
	if (!occupant)
		return nullptr;
	mOccupant = nullptr;
	occupant->PutInside(mFormerView);
	occupant->ResizeFrameTo(mFormerSize.width, mFormerSize.height, false);
	SPoint32 now;
	occupant->GetFrameLocation(now);
	occupant->MoveBy(mFormerLocation.h - now.h, mFormerLocation.v - now.v, false);
	if (!mFormerVisible)
		occupant->Hide();
	Refresh();
	return occupant;
}

void LPlaceHolder::CountPanels(UInt32& outHorizPanels, UInt32& outVertPanels) const
{
	outHorizPanels = outVertPanels = 1;
	auto* view = dynamic_cast<LView*>(mOccupant);
	if (!view)
		return;
	SDimension32 image;
	SDimension16 frame;
	view->GetImageSize(image);
	view->GetFrameSize(frame);
	if (frame.width > 0)
		outHorizPanels = std::max<UInt32>(1, UInt32((image.width + frame.width - 1) / frame.width));
	if (frame.height > 0)
		outVertPanels = std::max<UInt32>(1, UInt32((image.height + frame.height - 1) / frame.height));
}

void LPlaceHolder::ScrollToPanel(UInt32 inHorizIndex, UInt32 inVertIndex)
{
	auto* view = dynamic_cast<LView*>(mOccupant);
	if (!view || inHorizIndex < 1 || inVertIndex < 1)
		return;
	SDimension16 frame;
	view->GetFrameSize(frame);
	view->ScrollImageTo(SInt32(inHorizIndex - 1) * frame.width, SInt32(inVertIndex - 1) * frame.height,
	                    false);
}
