#include "toolkit/TFontMenu.h"

#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Fonts.h"

#include <cstring>
#include <string>

TFontMenu::TFontMenu(LStream* inStream) : LPopupButton(inStream)
{
	if (CountMenuItems() > 0)
		return;
	for (const std::string& name : GetFontFamilyNames()) {
		Str255 item;
		pstrcpycn(item, name.c_str(), 255);
		AppendMenu(item, true);
	}
}

char* TFontMenu::GetFont(char* outName, long inSize) const
{
	SignalIf_(outName == nullptr || inSize < 1);
	if (outName == nullptr || inSize < 1)
		return outName;
	Str255 text;
	GetMenuItemText(SInt16(GetValue()), text);
	strcpypn(outName, text, inSize - 1);
	return outName;
}

void TFontMenu::SetFont(const char* inName)
{
	SInt16 found = 0;
	for (SInt16 item = CountMenuItems(); item >= 1 && inName != nullptr; --item) {
		Str255 text;
		GetMenuItemText(item, text);
		char name[256];
		strcpyp(name, text);
		if (ksstrcmpi(name, inName) == 0) {
			found = item;
			break;
		}
	}
	// A stored font this machine lacks is still what the setting says: offer it rather than show nothing.
	if (found == 0 && inName != nullptr && inName[0] != 0) {
		Str255 text;
		PascalStrings::FromString(inName, text);
		AppendMenu(text, true);
		found = CountMenuItems();
		SetMaxValue(found);
	}
	if (found == 0 && GetMinValue() > 0)
		SetMinValue(0);
	SetValue(found);
}

SInt16 TFontMenu::GetFontNumber() const
{
	Str255 text;
	GetMenuItemText(SInt16(GetValue()), text);
	SInt16 number = 0;
	if (text[0] != 0)
		GetFNum(text, &number);
	return number;
}
