#include "platform/framework/LRadioSet.h"

#include "platform/framework/LRadioButton.h"

#include <algorithm>

void LRadioSet::AddRadio(LRadioButton* inRadio)
{
	if (!inRadio || std::find(mRadios.begin(), mRadios.end(), inRadio) != mRadios.end())
		return;
	mRadios.push_back(inRadio);
	inRadio->AddListener(this);
	if (inRadio->GetValue() != 0)
		ListenToMessage(msg_ControlClicked, inRadio);
}

PaneIDT LRadioSet::GetCurrentRadioID() const
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetValue() != 0)
			return radio->GetPaneID();
	return 0;
}

void LRadioSet::SetCurrentRadioID(PaneIDT inRadioID)
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetPaneID() == inRadioID)
			radio->SetValue(1);
}

void LRadioSet::ListenToMessage(MessageT inMessage, void* ioParam)
{
	if (inMessage != msg_ControlClicked)
		return;
	auto* on = static_cast<LRadioButton*>(ioParam);
	for (LRadioButton* radio : mRadios)
		if (radio != on && radio->GetValue() != 0)
			radio->SetValue(0);
}
