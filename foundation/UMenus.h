#pragma once
// Translation between menu item numbers and stored values, and the cleaning of menu item texts.

#include "platform/toolbox/MacTypes.h"

// One row of a translation table; a table ends with a row whose item is kEndOfMenuItems.
struct tMenuItems {
	SInt32 item;
	SInt32 value;
};

constexpr SInt32 kEndOfMenuItems = 999;

class UMenus
{
public:
	// toItem false: the stored value of menu item `value`; true: the menu item of stored value `value`.
	// Not found: the first row's value or item.
	static int TranslateMenu(bool toItem, const tMenuItems* table, int value);
	// Makes a name show in a menu as written (length-prefixed text): the bytes a menu would not show as
	// they are become spaces; everything else, metacharacters of other menus included, stays.
	static void FixupMenuItem(unsigned char* menuString);
};
