#include "toolkit/UKsDialogs.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/StKsDialog.h"

MessageT UKsDialogs::Dialog(ResIDT inLayoutID)
{
	StKsDialog dialog(inLayoutID);
	return dialog.Run();
}

MessageT UKsDialogs::DoDialog(ResIDT inLayoutID, SInt16 inMessage)
{
	StKsDialog dialog(inLayoutID);
	LPane* text = dialog.FindPane(kKsDialogTextPane);
	SignalIf_(dialog.GetDialog() != nullptr && text == nullptr);
	if (text && inMessage > 0) {
		Str255 message;
		GetIndString(message, kKsMessageStringsID, inMessage);
		text->SetDescriptor(message);
		text->Refresh();
	}
	return dialog.Run();
}

MessageT UKsDialogs::ErrorDialog(SInt16 inMessage)
{
	return DoDialog(kKsErrorDialogID, inMessage);
}

bool UKsDialogs::QueryDialog(SInt16 inMessage)
{
	return DoDialog(kKsQueryDialogID, inMessage) == msg_OK;
}

bool UKsDialogs::YesNoDialog(SInt16 inMessage)
{
	return DoDialog(kKsYesNoDialogID, inMessage) == msg_OK;
}

MessageT UKsDialogs::StringDialog(ResIDT inLayoutID, PaneIDT inFieldID, Str255 outText)
{
	outText[0] = 0;
	StKsDialog dialog(inLayoutID);
	LEditText* field = inFieldID > 0 ? dialog.FindEditField(inFieldID) : nullptr;
	dialog.Show(field);
	const MessageT message = dialog.Run();
	// The field is gone when the dialog was closed rather than answered.
	field = inFieldID > 0 ? dialog.FindEditField(inFieldID) : nullptr;
	if (field)
		field->GetDescriptor(outText);
	return message;
}

MessageT UKsDialogs::NumberDialog(ResIDT inLayoutID, PaneIDT inFieldID, long* outValue)
{
	SignalIf_(outValue == nullptr);
	StKsDialog dialog(inLayoutID);
	LEditText* field = inFieldID > 0 ? dialog.FindEditField(inFieldID) : nullptr;
	dialog.Show(field);
	const MessageT message = dialog.Run();
	field = inFieldID > 0 ? dialog.FindEditField(inFieldID) : nullptr;
	if (outValue)
		*outValue = field ? field->GetValue() : 0;
	return message;
}
