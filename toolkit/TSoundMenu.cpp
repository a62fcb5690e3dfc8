#include "toolkit/TSoundMenu.h"

#include "toolkit/USound.h"

TSoundMenu::TSoundMenu(LStream* inStream) : LPopupButton(inStream)
{
	USound::PopulateMenu(GetMacMenuH());
	MenuChanged();
	SetMinValue(CountMenuItems() > 0 ? 1 : 0);
}
