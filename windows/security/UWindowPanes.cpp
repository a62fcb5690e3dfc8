#include "windows/security/UWindowPanes.h"

#include "Internet/UApplicationNotices.h"
#include "foundation/UNumbers.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LEditText.h"

namespace UWindowPanes
{
void SetEnabled(LPane* inPane, bool inEnabled)
{
	if (inPane == nullptr)
		return;
	if (inEnabled)
		inPane->Enable();
	else
		inPane->Disable();
}

void SetShown(LPane* inPane, bool inShown)
{
	if (inPane == nullptr)
		return;
	SetEnabled(inPane, inShown);
	if (inShown)
		inPane->Show();
	else
		inPane->Hide();
}

void SetIcon(LBevelButton* inButton, SInt16 inIconID)
{
	if (inButton == nullptr)
		return;
	ControlButtonContentInfo info;
	info.contentType = kControlContentCIconRes;
	info.u.resID = inIconID;
	inButton->SetContentInfo(info);
}

bool ReadNumber(const LEditText* inField, float& outValue)
{
	char text[256] = {};
	if (inField != nullptr)
		inField->GetText(text, sizeof text);
	return UNumbers::ReadNumber(text, outValue);
}

bool IsNumber(const LEditText* inField)
{
	float value = 0;
	return inField == nullptr || ReadNumber(inField, value);
}

void RefuseField(LEditText* inField)
{
	UApplicationNotices::SysBeep();
	if (inField == nullptr)
		return;
	LCommander::SwitchTarget(inField);
	inField->SelectAll();
}
} // namespace UWindowPanes
