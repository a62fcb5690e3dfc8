#include "Includes/TTicklet.h"

#include "Includes/ITicker.h"

TTicklet::~TTicklet()
{
	if (mOwner != nullptr) {
		ITicker* owner = mOwner;
		mOwner = nullptr;
		owner->RemoveTicklet(this);
	}
}

void TTicklet::DoubleClick(short, short, unsigned long) {}

void TTicklet::DrawUpdate(unsigned long) {}

void TTicklet::Redraw()
{
	mWidth = 0;
}

void TTicklet::RefreshData() {}

void TTicklet::TickerClosing() {}

bool TTicklet::IsBlinking()
{
	return mFlags[kBlinkingFlag] != 0;
}

UInt16 TTicklet::GetWidth()
{
	return mWidth;
}

bool TTicklet::OnStageSnap()
{
	return false;
}

void TTicklet::OnStage() {}

void TTicklet::OffStage() {}
