#include "platform/framework/LRadioGroup.h"

#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"

LRadioGroup::LRadioGroup(LStream* inStream) : LPane(inStream)
{
	SInt16 count = 0;
	*inStream >> count;
	for (SInt16 i = 0; i < count; ++i) {
		PaneIDT id = 0;
		*inStream >> id;
		mRadioIDs.push_back(id);
	}
	mVisible = false;
}

void LRadioGroup::FinishCreateSelf()
{
	LPane* top = this;
	while (top->GetSuperView())
		top = top->GetSuperView();
	for (PaneIDT id : mRadioIDs) {
		auto* radio = dynamic_cast<LRadioButton*>(top->FindPaneByID(id));
		SignalIf_(radio == nullptr);
		AddRadio(radio);
	}
}
