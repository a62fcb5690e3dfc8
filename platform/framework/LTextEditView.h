#pragma once
// A text of several lines that the user edits in place: a native text editor on the pane's frame, part
// of the commander chain. Its text is Mac Roman with returns between lines. A change made by the user is
// broadcast with the value message (the view as parameter).

#include "platform/framework/LBroadcaster.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LControlPane.h"

#include <string>

class LTextEditView : public LControlPane, public LCommander, public LBroadcaster
{
public:
	enum { class_ID = FOUR_CHAR_CODE("txtv") };

	// Reads the pane's data, then: value message (32), text (length-prefixed), text traits (16), read
	// only (8).
	explicit LTextEditView(LStream* inStream);

	void SetTextPtr(const void* inTextP, SInt32 inTextLength);
	std::string GetText() const;
	void SetDescriptor(ConstStr255Param inDescriptor) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override; // the first 255 characters
	void SelectAll();

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	Boolean AllowBeTarget(LCommander* inNewTarget) override;
	void BeTarget() override;
	void DontBeTarget() override;

private:
	MessageT mValueMessage = msg_Nothing;
	ResIDT mTxtrID = 0;
	Boolean mSetting = false;
};
