#include "toolkit/StKsDialog.h"

#include "platform/framework/LCommander.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"

StKsDialog::StKsDialog(ResIDT inLayoutID) : mHandler(inLayoutID, LCommander::GetDefaultCommander())
{
	SignalIf_(mHandler.GetDialog() == nullptr);
}

LPane* StKsDialog::FindPane(PaneIDT inPaneID) const
{
	LWindow* dialog = GetDialog();
	return dialog ? dialog->FindPaneByID(inPaneID) : nullptr;
}

LEditText* StKsDialog::FindEditField(PaneIDT inPaneID) const
{
	return dynamic_cast<LEditText*>(FindPane(inPaneID));
}

void StKsDialog::Show(LPane* inTarget)
{
	LWindow* dialog = GetDialog();
	if (!dialog)
		return;
	dialog->Show(); // a modal window takes the keys as it comes up
	mShown = true;
	if (auto* field = dynamic_cast<LCommander*>(inTarget))
		LCommander::SwitchTarget(field);
}

MessageT StKsDialog::Run(UInt32 inTimeoutTicks)
{
	if (!GetDialog())
		return msg_Cancel;
	if (!mShown)
		Show();
	const UInt32 start = TickCount();
	MessageT message = msg_Nothing;
	while (message == msg_Nothing) {
		message = mHandler.DoDialog();
		if (message == msg_Nothing && !GetDialog())
			return msg_Cancel;
		if (message == msg_Nothing && inTimeoutTicks > 0 && TickCount() - start >= inTimeoutTicks)
			break;
	}
	return message;
}
