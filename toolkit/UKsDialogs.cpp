#include "toolkit/UKsDialogs.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/StKsDialog.h"

namespace
{

// The message pane's ^0 to ^3 take the parameter texts, as an alert's do.
void FillText(LPane* inText)
{
	if (inText == nullptr)
		return;
	Str255 text;
	inText->GetDescriptor(text);
	Str255 filled;
	PascalStrings::FromString(UModalAlerts::FillParameters(PascalStrings::ToString(text)).c_str(),
	                          filled);
	inText->SetDescriptor(filled);
}

} // namespace

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
		FillText(text);
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
	FillText(dialog.FindPane(kKsDialogTextPane));
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
