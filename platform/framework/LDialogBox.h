#pragma once
// A window with a default and a cancel button: Return and Enter click the default button, Escape and
// Command-period the cancel button. The window hears its buttons: their messages become its commands,
// and Cancel closes it unless a subclass takes the command.

#include "platform/framework/LListener.h"
#include "platform/framework/LWindow.h"

class LPushButton;

class LDialogBox : public LWindow, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("dlog") };

	// Reads the window's data, then the ids of the default and the cancel button (32 each; 0 for none).
	explicit LDialogBox(LStream* inStream);

	void SetDefaultButton(PaneIDT inButtonID);
	void SetCancelButton(PaneIDT inButtonID);
	LPushButton* GetDefaultButton() const;
	LPushButton* GetCancelButton() const;

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void ListenToMessage(MessageT inMessage, void* ioParam) override;

protected:
	void FinishCreateSelf() override;

private:
	PaneIDT mDefaultButtonID = 0;
	PaneIDT mCancelButtonID = 0;
};
