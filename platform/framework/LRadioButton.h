#pragma once
// A radio button: a click turns it on (never off). A button that turns on, by a click or by SetValue,
// first tells its listeners with msg_ControlClicked (the button as parameter), so that its group turns
// the others off, then broadcasts its value message.

#include "platform/framework/LControl.h"

enum : MessageT { msg_ControlClicked = FOUR_CHAR_CODE("ccls") };

class LRadioButton : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("rdbt") };

	LRadioButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue,
	             ConstStr255Param inTitle);
	// Reads the control's data, then: title (length-prefixed), text traits (16).
	explicit LRadioButton(LStream* inStream);

	void SetValue(SInt32 inValue) override;

protected:
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
	void TitleChanged() override;

private:
	void MakeNative();
	ResIDT mTextTraitsID = 0;
};
