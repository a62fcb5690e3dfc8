#pragma once
// A pop-up menu button: its value is the chosen item (0: none). A click pops the menu up with the current
// item under the mouse; choosing another item sets the value, which is broadcast. An optional title is
// drawn through the port to the left of the button.

#include "platform/framework/LControl.h"
#include "platform/framework/LMenuController.h"

class LPopupButton : public LControl, public LMenuController
{
public:
	enum { class_ID = FOUR_CHAR_CODE("popb") };

	// Reads the control's data (the value is the first item chosen), then: title (length-prefixed), title
	// width (16), menu resource id (16; 0 for a menu built at run time), text traits (16).
	explicit LPopupButton(LStream* inStream);

	void SetValue(SInt32 inValue) override;
	SInt16 GetCurrentMenuItem() const override { return SInt16(mValue); }
	void SetCurrentMenuItem(SInt16 inItem) override { SetValue(inItem); }

protected:
	void CalcNativeFrame(Rect& outPortRect) const override;
	Boolean TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
	void MenuChanged() override;
	void DrawSelf() override;

private:
	void ShowCurrentItem();
	SInt16 mTitleWidth = 0;
	ResIDT mTextTraitsID = 0;
	SInt16 mChoice = 0;
};
