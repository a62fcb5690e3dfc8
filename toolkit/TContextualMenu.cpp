#include "toolkit/TContextualMenu.h"

#include "platform/framework/LMenu.h"
#include "platform/toolbox/Debugging.h"

#include <memory>

namespace
{
constexpr OSStatus kUserCanceled = -128;
}

// Pop-up menus are always available here.
UInt8 TContextualMenu::sHaveCMM = 1;

TContextualMenu::TContextualMenu(SInt16 inMenuID, bool inFirstItemEnabled)
    : mMenuID(inMenuID), mFirstItemEnabled(inFirstItemEnabled ? 1 : 0)
{
}

OSStatus TContextualMenu::ShowMenu(Point inGlobalPoint, unsigned long& outSelectionType, SInt16& outMenuID,
                                   UInt16& outMenuItem)
{
	outSelectionType = kCMNothingSelected;
	outMenuID = 0;
	outMenuItem = 0;
	auto menu = std::make_unique<LMenu>(mMenuID);
	SignalIf_(menu->CountItems() == 0);
	if (menu->CountItems() == 0)
		return kUserCanceled;
	menu->SetUsesCommandStatus(false);
	menu->SetItemEnabled(1, mFirstItemEnabled != 0);
	const SInt32 choice = PopUpMenuSelect(menu.get(), SInt16(inGlobalPoint.v + 1), inGlobalPoint.h, 1);
	const UInt16 item = UInt16(choice & 0xFFFF);
	if (item == 0)
		return kUserCanceled;
	outSelectionType = kCMMenuItemSelected;
	outMenuID = SInt16(choice >> 16);
	outMenuItem = item;
	return noErr;
}
