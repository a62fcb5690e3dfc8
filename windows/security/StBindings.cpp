#include "windows/security/StBindings.h"

StBindings::StBindings(LPane* inPane) : mPane(inPane)
{
	if (mPane != nullptr) {
		mPane->GetFrameBinding(mSaved);
		TurnOffAll();
	}
}

StBindings::~StBindings()
{
	Restore();
}

void StBindings::Restore()
{
	if (mPane != nullptr)
		mPane->SetFrameBinding(mSaved);
}

void StBindings::TurnOffAll()
{
	if (mPane != nullptr)
		mPane->SetFrameBinding(SBooleanRect{false, false, false, false});
}

void StBindings::TurnOnAll()
{
	mSaved = SBooleanRect{true, true, true, true};
}

void StBindings::Bindings(bool inTop, bool inLeft, bool inBottom, bool inRight)
{
	mSaved.top = inTop;
	mSaved.left = inLeft;
	mSaved.bottom = inBottom;
	mSaved.right = inRight;
}
