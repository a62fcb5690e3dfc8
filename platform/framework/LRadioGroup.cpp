#include "platform/framework/LRadioGroup.h"

#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"

#include <algorithm>

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

void LRadioGroup::AddRadio(LRadioButton* inRadio)
{
	if (!inRadio || std::find(mRadios.begin(), mRadios.end(), inRadio) != mRadios.end())
		return;
	mRadios.push_back(inRadio);
	inRadio->AddListener(this);
	if (inRadio->GetValue() != 0)
		ListenToMessage(msg_ControlClicked, inRadio);
}

PaneIDT LRadioGroup::GetCurrentRadioID() const
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetValue() != 0)
			return radio->GetPaneID();
	return 0;
}

void LRadioGroup::SetCurrentRadioID(PaneIDT inRadioID)
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetPaneID() == inRadioID)
			radio->SetValue(1);
}

void LRadioGroup::ListenToMessage(MessageT inMessage, void* ioParam)
{
	if (inMessage != msg_ControlClicked)
		return;
	auto* on = static_cast<LRadioButton*>(ioParam);
	for (LRadioButton* radio : mRadios)
		if (radio != on && radio->GetValue() != 0)
			radio->SetValue(0);
}
