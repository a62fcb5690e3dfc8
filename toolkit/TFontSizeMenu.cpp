#include "toolkit/TFontSizeMenu.h"

#include "foundation/VyStrings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

TFontSizeMenu::TFontSizeMenu(LStream* inStream) : LPopupButton(inStream) {}

SInt32 TFontSizeMenu::GetSize() const
{
	Str255 text;
	GetMenuItemText(SInt16(GetValue()), text);
	char number[256];
	strcpyp(number, text);
	return SInt32(std::strtol(number, nullptr, 10));
}

void TFontSizeMenu::SetSize(SInt32 inSize)
{
	if (inSize < 1)
		return;
	char wanted[16];
	std::snprintf(wanted, sizeof(wanted), "%ld", long(inSize));
	SInt16 found = 0;
	for (SInt16 item = CountMenuItems(); item >= 1; --item) {
		Str255 text;
		GetMenuItemText(item, text);
		char itemText[256];
		strcpyp(itemText, text);
		if (std::strcmp(itemText, wanted) == 0) {
			found = item;
			break;
		}
	}
	if (found == 0 && GetMinValue() > 0)
		SetMinValue(0);
	SetValue(found);
}
