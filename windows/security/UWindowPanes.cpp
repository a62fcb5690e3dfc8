#include "windows/security/UWindowPanes.h"

#include "platform/framework/LBevelButton.h"

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
} // namespace UWindowPanes
