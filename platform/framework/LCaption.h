#pragma once
// A line of text drawn through the port in its text traits (font, size, style, colour, justification).

#include "platform/framework/LPane.h"

class LCaption : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("capt") };

	LCaption(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID);
	// Reads the pane's data, then: text (length-prefixed), text traits (16).
	explicit LCaption(LStream* inStream);

	void SetDescriptor(ConstStr255Param inDescriptor) override; // redraws
	StringPtr GetDescriptor(Str255 outDescriptor) const override;
	ResIDT GetTextTraitsID() const { return mTxtrID; }
	void SetTextTraitsID(ResIDT inTextTraitsID);

protected:
	void DrawSelf() override;

	Str255 mText = {0};
	ResIDT mTxtrID = 0;
};
