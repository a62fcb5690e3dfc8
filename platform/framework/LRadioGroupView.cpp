#include "platform/framework/LRadioGroupView.h"

#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStream.h"

#include <algorithm>

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

void LRadioGroupView::AddRadio(LRadioButton* inRadio)
{
	if (!inRadio || std::find(mRadios.begin(), mRadios.end(), inRadio) != mRadios.end())
		return;
	mRadios.push_back(inRadio);
	inRadio->AddListener(this);
	if (inRadio->GetValue() != 0)
		ListenToMessage(msg_ControlClicked, inRadio);
}

PaneIDT LRadioGroupView::GetCurrentRadioID() const
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetValue() != 0)
			return radio->GetPaneID();
	return 0;
}

void LRadioGroupView::SetCurrentRadioID(PaneIDT inRadioID)
{
	for (LRadioButton* radio : mRadios)
		if (radio->GetPaneID() == inRadioID)
			radio->SetValue(1);
}

void LRadioGroupView::ListenToMessage(MessageT inMessage, void* ioParam)
{
	if (inMessage != msg_ControlClicked)
		return;
	auto* on = static_cast<LRadioButton*>(ioParam);
	for (LRadioButton* radio : mRadios)
		if (radio != on && radio->GetValue() != 0)
			radio->SetValue(0);
}
