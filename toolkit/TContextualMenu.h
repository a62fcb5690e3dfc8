#pragma once
// A contextual menu made from a menu resource for one pop-up: ShowMenu shows it at a point and tells
// which item, if any, was chosen.

#include "platform/toolbox/MacTypes.h"

class TContextualMenu
{
public:
	enum : unsigned long { kCMNothingSelected = 0, kCMMenuItemSelected = 1 };

	TContextualMenu(SInt16 inMenuID, bool inFirstItemEnabled);

	// Shows the menu with item 1 under the point (global coordinates), its top one pixel below it;
	// item 1 is enabled only when the first-item flag is set. A choice gives selection kind 1, the menu
	// number and the item, and 0; otherwise kind, menu and item are 0 and the answer is -128 (also when
	// the menu resource does not exist).
	OSStatus ShowMenu(Point inGlobalPoint, unsigned long& outSelectionType, SInt16& outMenuID,
	                  UInt16& outMenuItem);

	static bool HaveCMM() { return sHaveCMM != 0; }

protected:
	SInt16 mMenuID;
	UInt8 mFirstItemEnabled;

	static UInt8 sHaveCMM;
};
