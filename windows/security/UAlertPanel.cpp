#include "windows/security/UAlertPanel.h"

#include "Includes/tAlertParameters.h"
#include "foundation/UNumbers.h"
#include "model/UAlertSound.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TSoundMenu.h"
#include "toolkit/UKsKeyFilters.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cstring>

namespace
{
template <class T> T* Find(LView* inView, char inPrefix, const char* inRest)
{
	const PaneIDT id = PaneIDT((UInt32(UInt8(inPrefix)) << 24) | (UInt32(UInt8(inRest[0])) << 16) |
	                           (UInt32(UInt8(inRest[1])) << 8) | UInt32(UInt8(inRest[2])));
	T* pane = inView != nullptr ? dynamic_cast<T*>(inView->FindPaneByID(id)) : nullptr;
	SignalIfNot_(pane);
	return pane;
}
} // namespace

void UAlertPanel::FindControls(LView* inView, char inPrefix, tControls& outControls)
{
	outControls.override = Find<LCheckBoxGroupBox>(inView, inPrefix, "Ovr");
	outControls.condition = Find<LPopupButton>(inView, inPrefix, "Con");
	outControls.value = Find<LEditText>(inView, inPrefix, "Val");
	if (outControls.value != nullptr)
		outControls.value->SetKeyFilter(UKsKeyFilters::FloatField);
	outControls.useColour = Find<LCheckBox>(inView, inPrefix, "Col");
	outControls.colour = Find<LColorWell>(inView, inPrefix, "Clr");
	outControls.blink = Find<LCheckBox>(inView, inPrefix, "Bln");
	outControls.bold = Find<LCheckBox>(inView, inPrefix, "Bld");
	outControls.italic = Find<LCheckBox>(inView, inPrefix, "Ita");
	outControls.underline = Find<LCheckBox>(inView, inPrefix, "Und");
	outControls.useSound = Find<LCheckBox>(inView, inPrefix, "Snd");
	outControls.sound = Find<TSoundMenu>(inView, inPrefix, "Sou");
	outControls.repeatSound = Find<LCheckBox>(inView, inPrefix, "Rpt");
}

void UAlertPanel::Redo(const tControls& inControls, const tAlertParameters* inAlert, bool inOn,
                       const tMenuItems* inTable)
{
	if (inControls.override != nullptr) {
		// Twice, so that the box's enable broadcast always fires.
		inControls.override->SetValue(999);
		inControls.override->SetValue(inOn ? 1 : 0);
	}
	if (inControls.condition != nullptr)
		inControls.condition->SetValue(UMenus::TranslateMenu(true, inTable, inAlert->condition));
	if (inControls.value != nullptr) {
		char text[32];
		UNumbers::FormatFixed(text, sizeof text, inAlert->limit, 2);
		SetFieldText(inControls.value, text);
	}
	auto setCheck = [](LCheckBox* inBox, UInt8 inOn) {
		if (inBox != nullptr)
			inBox->SetValue(inOn != 0 ? 1 : 0);
	};
	setCheck(inControls.useColour, inAlert->useColour);
	if (inControls.colour != nullptr)
		inControls.colour->SetSwatchColor(inAlert->colour);
	setCheck(inControls.blink, inAlert->flash);
	setCheck(inControls.bold, inAlert->bold);
	setCheck(inControls.italic, inAlert->italic);
	setCheck(inControls.underline, inAlert->underline);
	setCheck(inControls.useSound, inAlert->playSound);
	if (inControls.sound != nullptr)
		inControls.sound->SetSoundID(inAlert->soundID);
	setCheck(inControls.repeatSound, inAlert->soundAlways);
}

bool UAlertPanel::Save(const tControls& inControls, tAlertParameters* ioAlert, const tMenuItems* inTable)
{
	auto checked = [](LCheckBox* inBox, UInt8 inWas) -> UInt8 {
		return inBox != nullptr ? UInt8(inBox->GetValue() != 0) : inWas;
	};
	if (inControls.condition != nullptr)
		ioAlert->condition =
		    UInt8(UMenus::TranslateMenu(false, inTable, inControls.condition->GetValue()));
	if (inControls.value != nullptr)
		UWindowPanes::ReadNumber(inControls.value, ioAlert->limit);
	ioAlert->useColour = checked(inControls.useColour, ioAlert->useColour);
	if (inControls.colour != nullptr)
		inControls.colour->GetSwatchColor(ioAlert->colour);
	ioAlert->flash = checked(inControls.blink, ioAlert->flash);
	ioAlert->bold = checked(inControls.bold, ioAlert->bold);
	ioAlert->italic = checked(inControls.italic, ioAlert->italic);
	ioAlert->underline = checked(inControls.underline, ioAlert->underline);
	ioAlert->playSound = checked(inControls.useSound, ioAlert->playSound);
	if (inControls.sound != nullptr)
		ioAlert->soundID = inControls.sound->GetSoundID();
	ioAlert->soundAlways = checked(inControls.repeatSound, ioAlert->soundAlways);
	const bool on = inControls.override != nullptr && inControls.override->GetValue() != 0;
	ioAlert->enabled = on;
	return on;
}

void UAlertPanel::PlaySound(const tControls& inControls)
{
	if (inControls.sound != nullptr)
		UAlertSound::PlaySound(inControls.sound->GetSoundID());
}

void UAlertPanel::GetFieldText(LEditText* inField, char* outText)
{
	outText[0] = 0;
	if (inField == nullptr)
		return;
	Size length = 0;
	inField->GetText(outText, 256, &length);
	outText[std::min<Size>(std::max<Size>(length, 0), 255)] = 0;
}

void UAlertPanel::SetFieldText(LEditText* inField, const char* inText)
{
	if (inField != nullptr)
		inField->SetText(inText, Size(std::strlen(inText)));
}
