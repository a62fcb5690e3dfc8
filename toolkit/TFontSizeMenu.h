#pragma once
// A pop-up menu of font sizes, whose items (from the layout's menu) are sizes in decimal.
// Layout stream: the pop-up button's data.

#include "platform/framework/LPopupButton.h"

class TFontSizeMenu : public LPopupButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("mnuS") };

	explicit TFontSizeMenu(LStream* inStream);

	// The chosen item's text read as a number; 0 when nothing is chosen.
	SInt32 GetSize() const;
	// Chooses the last item that reads as the size; none chosen when no item does. Sizes below 1 change
	// nothing.
	void SetSize(SInt32 inSize);
};
