#pragma once
// A pop-up menu of font names. Its items come from the layout's menu; a layout menu without items is
// filled with the installed font families.
// Layout stream: the pop-up button's data.

#include "platform/framework/LPopupButton.h"

class TFontMenu : public LPopupButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("mnuF") };

	explicit TFontMenu(LStream* inStream);

	// The chosen item's text in a buffer of inSize bytes (at most inSize - 1 characters and the
	// terminator); empty when nothing is chosen.
	char* GetFont(char* outName, long inSize) const;
	// Chooses the last item whose text is the name, ignoring case; a name no item has is added as the
	// last item. An empty name chooses none.
	void SetFont(const char* inName);
	// The chosen font's number (0 when nothing is chosen or the font is unknown).
	SInt16 GetFontNumber() const;
};
