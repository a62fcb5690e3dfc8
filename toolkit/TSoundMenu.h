#pragma once
// A pop-up menu of the alert sounds: the sounds are appended to the layout's menu, so that with an empty
// menu in the layout item n is sound number n, and 0 (no item) is no sound.
// Layout stream: the pop-up button's data.

#include "platform/framework/LPopupButton.h"

class TSoundMenu : public LPopupButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("mnuD") };

	explicit TSoundMenu(LStream* inStream);

	SInt32 GetSoundID() const { return GetValue(); }
	void SetSoundID(SInt32 inSoundID) { SetValue(inSoundID); }
};
