#include "platform/framework/LRadioGroupView.h"

#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStream.h"

LRadioGroupView::LRadioGroupView(LStream* inStream) : LView(inStream)
{
	*inStream >> mInitialRadioID;
}

void LRadioGroupView::FinishCreateSelf()
{
	CollectRadios(this);
	if (mInitialRadioID != 0)
		SetCurrentRadioID(mInitialRadioID);
}

void LRadioGroupView::CollectRadios(LView* inView)
{
	for (LPane* sub : inView->GetSubPanes()) {
		if (auto* radio = dynamic_cast<LRadioButton*>(sub))
			AddRadio(radio);
		else if (auto* view = dynamic_cast<LView*>(sub))
			CollectRadios(view);
	}
}
