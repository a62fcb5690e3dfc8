#pragma once
// Text that the user cannot edit, drawn through the port in its text traits and wrapped to the frame.
// Its text may be longer than 255 characters; the descriptor gives the first 255.

#include "platform/framework/LPane.h"

#include <string>

class LStaticText : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stxt") };

	LStaticText(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID);
	// Reads the pane's data, then: text (length-prefixed), text traits (16).
	explicit LStaticText(LStream* inStream);

	void SetText(const char* inText); // a C string; null empties
	void SetText(const void* inText, Size inLength);
	// Copies at most inBufferSize - 1 characters and a terminating zero; outLength (when given) is the
	// whole text's length.
	void GetText(char* outBuffer, Size inBufferSize, Size* outLength = nullptr) const;
	const std::string& GetTextString() const { return mText; }

	void SetDescriptor(ConstStr255Param inDescriptor) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override;
	ResIDT GetTextTraitsID() const { return mTxtrID; }
	void SetTextTraitsID(ResIDT inTextTraitsID);

protected:
	void DrawSelf() override;

	std::string mText; // Mac Roman
	ResIDT mTxtrID = 0;
};
