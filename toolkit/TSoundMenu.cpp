#include "toolkit/TSoundMenu.h"

#include "toolkit/USound.h"

TSoundMenu::TSoundMenu(LStream* inStream) : LPopupButton(inStream)
{
	USound::PopulateMenu(GetMacMenuH());
	MenuChanged();
	// 0 is "no sound", the factory value: it must come back unchanged from a dialog left alone.
	SetMinValue(0);
}
