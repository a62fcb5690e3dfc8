#include "toolkit/UKsDialogs.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/StKsDialog.h"

namespace
{

// A message longer than its pane has room for grows the pane and the dialog, moving what is below it down,
// so that it is never cut off.
void FitText(LWindow* inDialog, LStaticText* inText)
{
	Str255 text;
	inText->GetDescriptor(text);
	SDimension16 size;
	inText->GetFrameSize(size);
	Point bounds = {0, size.width};
	{
		inText->FocusDraw();
		StTextState textState;
		UTextTraits::SetPortTextTraits(inText->GetTextTraitsID());
		if (GetThemeTextDimensions(reinterpret_cast<const char*>(text + 1), text[0],
		                           kThemeCurrentPortFont, kThemeStateActive, true, &bounds,
		                           nullptr) != noErr)
			return;
	}
	const SInt16 grow = bounds.v - size.height;
	if (grow <= 0)
		return;
	SPoint32 textAt;
	inText->GetFrameLocation(textAt);
	for (LPane* pane : inDialog->GetSubPanes()) {
		SPoint32 at;
		pane->GetFrameLocation(at);
		if (pane != inText && at.v >= textAt.v + size.height)
			pane->MoveBy(0, grow, false);
	}
	inText->ResizeFrameBy(0, grow, false);
	SDimension16 window;
	inDialog->GetFrameSize(window);
	inDialog->ResizeWindowTo(window.width, SInt16(window.height + grow));
}

// The message pane's ^0 to ^3 take the parameter texts, as an alert's do.
void FillText(LWindow* inDialog, LPane* inText)
{
	if (inText == nullptr)
		return;
	Str255 text;
	inText->GetDescriptor(text);
	Str255 filled;
	PascalStrings::FromString(UModalAlerts::FillParameters(PascalStrings::ToString(text)).c_str(),
	                          filled);
	inText->SetDescriptor(filled);
	// Only where the pane lies in the dialog itself, as in the message dialogs.
	if (auto* staticText = dynamic_cast<LStaticText*>(inText);
	    staticText && inDialog && inText->GetSuperView() == inDialog)
		FitText(inDialog, staticText);
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
		FillText(dialog.GetDialog(), text);
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
	FillText(dialog.GetDialog(), dialog.FindPane(kKsDialogTextPane));
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
