#pragma once
// A bevel button. Without a menu it either acts on a click (broadcasting its value message) or, as a
// toggle, flips its value 0/1. With a menu a click pops the menu up; the chosen item becomes the current
// item and is broadcast with the value message (a pointer to the SInt32 item as parameter). It may show a
// colour icon, beside its title or alone.

#include "platform/framework/LControl.h"
#include "platform/framework/LMenuController.h"
#include "platform/toolbox/gui/Controls.h"

class LBevelButton : public LControl, public LMenuController
{
public:
	enum { class_ID = FOUR_CHAR_CODE("bbut") };
	enum : SInt16 { behavior_Push = 0, behavior_Toggle = 1 };

	// Reads the control's data, then: title (length-prefixed), behaviour (16: 0 push, 1 toggle), menu
	// resource id (16; 0 for none), text traits (16).
	explicit LBevelButton(LStream* inStream);

	SInt16 GetCurrentMenuItem() const override { return mCurrentItem; }
	void SetCurrentMenuItem(SInt16 inItem) override; // marks it; nothing is broadcast
	Boolean HasMenu() const { return mHasMenu; }
	SInt16 GetBehavior() const { return mBehavior; }

	// Text only, or a colour icon by resource id or handle; other kinds show the title alone.
	void SetContentInfo(const ControlButtonContentInfo& inContentInfo);
	void GetContentInfo(ControlButtonContentInfo& outContentInfo) const { outContentInfo = mContentInfo; }

protected:
	Boolean TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers) override;
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
	void TitleChanged() override;
	void MenuChanged() override;

private:
	SInt16 mBehavior = behavior_Push;
	ResIDT mTextTraitsID = 0;
	SInt16 mCurrentItem = 0;
	SInt16 mChoice = 0;
	Boolean mHasMenu = false;
	ControlButtonContentInfo mContentInfo;
};
