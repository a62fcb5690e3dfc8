#pragma once
// A button drawn as a colour icon: the normal icon, or the pushed one while the mouse is held inside it.
// A click released inside broadcasts the value message.

#include "platform/framework/LControl.h"
#include "platform/toolbox/gui/Icons.h"

class LCicnButton : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("cicn") };

	// Reads the control's data, then the normal and the pushed icon's resource ids (16 each).
	explicit LCicnButton(LStream* inStream);
	~LCicnButton() override;

	void SetCicns(ResIDT inNormalID, ResIDT inPushedID);

protected:
	void DrawSelf() override;
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;

private:
	void DisposeCicns();

	ResIDT mNormalID = 0;
	ResIDT mPushedID = 0;
	CIconHandle mNormalH = nullptr;
	CIconHandle mPushedH = nullptr;
	Boolean mPushed = false;
};
