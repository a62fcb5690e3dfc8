#include "platform/framework/LDialogBox.h"

#include "platform/framework/LPushButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UKeyFilters.h"

LDialogBox::LDialogBox(LStream* inStream) : LWindow(inStream)
{
	*inStream >> mDefaultButtonID >> mCancelButtonID;
}

void LDialogBox::FinishCreateSelf()
{
	LWindow::FinishCreateSelf();
	SetDefaultButton(mDefaultButtonID);
	SetCancelButton(mCancelButtonID);
}

void LDialogBox::SetDefaultButton(PaneIDT inButtonID)
{
	if (LPushButton* old = GetDefaultButton())
		old->SetDefaultButton(false);
	mDefaultButtonID = inButtonID;
	if (LPushButton* button = GetDefaultButton()) {
		button->SetDefaultButton(true);
		button->AddListener(this);
	}
}

void LDialogBox::SetCancelButton(PaneIDT inButtonID)
{
	mCancelButtonID = inButtonID;
	if (LPushButton* button = GetCancelButton()) {
		button->SetCancelButton(true);
		button->AddListener(this);
	}
}

LPushButton* LDialogBox::GetDefaultButton() const
{
	return mDefaultButtonID
	           ? dynamic_cast<LPushButton*>(const_cast<LDialogBox*>(this)->FindPaneByID(mDefaultButtonID))
	           : nullptr;
}

LPushButton* LDialogBox::GetCancelButton() const
{
	return mCancelButtonID
	           ? dynamic_cast<LPushButton*>(const_cast<LDialogBox*>(this)->FindPaneByID(mCancelButtonID))
	           : nullptr;
}

Boolean LDialogBox::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt16 ch = UInt16(inKeyEvent.message & charCodeMask);
	LPushButton* button = nullptr;
	if ((ch == char_Return || ch == char_Enter) && !(inKeyEvent.modifiers & cmdKey))
		button = GetDefaultButton();
	else if ((ch == char_Escape && !(inKeyEvent.modifiers & cmdKey)) ||
	         UKeyFilters::IsCmdPeriod(inKeyEvent))
		button = GetCancelButton();
	if (button && button->IsEnabled()) {
		button->SimulateHotSpotClick(kControlButtonPart);
		return true;
	}
	return LWindow::HandleKeyPress(inKeyEvent);
}

Boolean LDialogBox::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (inCommand == msg_Cancel) {
		AttemptClose();
		return true;
	}
	return LWindow::ObeyCommand(inCommand, ioParam);
}

void LDialogBox::ListenToMessage(MessageT inMessage, void* ioParam)
{
	ObeyCommand(inMessage, ioParam);
}
