#include "foundation/UMenus.h"

#include "platform/toolbox/Debugging.h"

#include <cstring>

int UMenus::TranslateMenu(bool toItem, const tMenuItems* table, int value)
{
	SignalIfNot_(table != nullptr);
	if (table == nullptr || table[0].item == kEndOfMenuItems)
		return 0;
	for (const tMenuItems* row = table; row->item != kEndOfMenuItems; ++row)
		if ((toItem ? row->value : row->item) == value)
			return toItem ? row->item : row->value;
	return toItem ? table[0].item : table[0].value;
}

void UMenus::FixupMenuItem(unsigned char* menuString)
{
	SignalIfNot_(menuString != nullptr);
	if (menuString == nullptr)
		return;
	// Our menus show item texts as they are: only line breaks, a tab (which would start the shortcut
	// column) and a lone "-" (a separator line) would not show as written.
	static const char kMisread[] = "\n\r\t";
	const int length = menuString[0];
	for (int i = 1; i <= length; ++i)
		if (std::memchr(kMisread, menuString[i], sizeof(kMisread) - 1) != nullptr)
			menuString[i] = ' ';
	if (length == 1 && menuString[1] == '-')
		menuString[1] = ' ';
}
