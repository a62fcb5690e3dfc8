#pragma once
// A one-line edit field: a native line edit on the pane's frame that takes part in the commander chain.
// Every key, typed into the field or handed to it as the target, goes through its key filter; the field
// keeps at most its maximum number of characters. Its text is Mac Roman. A change made by the user is
// broadcast with the value message (the field as parameter).

#include "platform/framework/LBroadcaster.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LControlPane.h"
#include "platform/framework/UKeyFilters.h"

#include <string>

class LEditText : public LControlPane, public LCommander, public LBroadcaster
{
public:
	enum { class_ID = FOUR_CHAR_CODE("etxt") };
	enum : UInt8 { editAttr_Password = 0x01 };
	// Key filters a layout can name.
	enum : UInt8 {
		filter_PrintingChar = 0,
		filter_Integer = 1,
		filter_NegativeInteger = 2,
		filter_AlphaNumeric = 3
	};

	// Reads the pane's data, then: value message (32), text (length-prefixed), text traits (16), maximum
	// number of characters (16), attributes (8), key filter (8).
	explicit LEditText(LStream* inStream);
	~LEditText() override;

	void SetDescriptor(ConstStr255Param inDescriptor) override; // cut to the maximum
	StringPtr GetDescriptor(Str255 outDescriptor) const override;
	void SetText(const char* inText, Size inLength);
	void GetText(char* outBuffer, Size inBufferSize, Size* outLength = nullptr) const;
	// The number the text starts with (0 for none); SetValue writes a number.
	SInt32 GetValue() const override;
	void SetValue(SInt32 inValue) override;

	void SetKeyFilter(TEKeyFilterFunc inFilter);
	void SetKeyFilter(KeyFilterFunc inFilter);
	SInt16 GetMaxChars() const { return mMaxChars; }
	void SetMaxChars(SInt16 inMaxChars); // the text is cut when longer
	MessageT GetValueMessage() const { return mValueMessage; }
	void SetValueMessage(MessageT inMessage) { mValueMessage = inMessage; }

	void SelectAll();
	void SetSelection(SInt16 inStart, SInt16 inEnd); // character offsets
	void GetSelection(SInt16& outStart, SInt16& outEnd) const;

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void HideSelf() override;
	void DisableSelf() override;
	Boolean AllowBeTarget(LCommander* inNewTarget) override;
	void BeTarget() override;
	void DontBeTarget() override;
	virtual void UserChangedText();

	// Inserts characters that pass the filter, as many as fit; true when any was inserted.
	Boolean InsertFiltered(const std::string& inMacRoman);
	// The key judged against the field's text and selection, or against the text given.
	EKeyStatus FilterKey(const EventRecord& inKeyEvent, UInt16& ioChar) const;
	EKeyStatus FilterKey(const EventRecord& inKeyEvent, UInt16& ioChar, const std::string& inText,
	                     SInt16 inSelStart, SInt16 inSelEnd) const;

	MessageT mValueMessage = msg_Nothing;
	ResIDT mTxtrID = 0;
	SInt16 mMaxChars = 255;
	TEKeyFilterFunc mTEKeyFilter = UKeyFilters::PrintingCharField;
	KeyFilterFunc mKeyFilter = nullptr;
	// The selection when the field stopped being the target, given back when it is again (-1: none).
	SInt16 mKeptSelStart = -1;
	SInt16 mKeptSelEnd = -1;
};
