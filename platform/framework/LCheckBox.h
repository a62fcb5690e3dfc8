#pragma once
// A check box: value 0 (off) or 1 (on); a click flips it and the change is broadcast.

#include "platform/framework/LControl.h"

class LCheckBox : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("chbx") };

	LCheckBox(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue,
	          ConstStr255Param inTitle);
	// Reads the control's data, then: title (length-prefixed), text traits (16).
	explicit LCheckBox(LStream* inStream);

protected:
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
	void TitleChanged() override;

	ResIDT mTextTraitsID = 0;

private:
	void MakeNative();
};
