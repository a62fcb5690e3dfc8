#include "platform/framework/LMenu.h"

#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <algorithm>
#include <cctype>

LMenu::LMenu(ResIDT inMenuID, ConstStr255Param inTitle)
    : mMenuID(inMenuID), mTitle(PascalStrings::ToString(inTitle))
{
}

LMenu::LMenu(ResIDT inMenuID) : mMenuID(inMenuID)
{
	const SResMenu* res = ResourceStore::Get().GetMenu(inMenuID);
	if (!res)
		return;
	mTitle = res->title;
	for (const SResMenuItem& r : res->items) {
		Item item;
		item.text = r.text;
		item.command = r.command;
		item.key = r.key;
		item.submenuID = r.submenuID;
		item.enabled = r.enabled && r.text != "-";
		item.mark = r.checked ? checkMark : noMark;
		mItems.push_back(item);
	}
}

void LMenu::GetTitle(Str255 outTitle) const
{
	PascalStrings::FromString(mTitle, outTitle);
}

LMenu::Item* LMenu::At(SInt16 inItem)
{
	return (inItem >= 1 && inItem <= CountItems()) ? &mItems[size_t(inItem - 1)] : nullptr;
}

const LMenu::Item* LMenu::At(SInt16 inItem) const
{
	return (inItem >= 1 && inItem <= CountItems()) ? &mItems[size_t(inItem - 1)] : nullptr;
}

void LMenu::InsertCommand(ConstStr255Param inText, CommandT inCommand, SInt16 inAfterItem)
{
	Item item;
	item.text = PascalStrings::ToString(inText);
	item.command = inCommand;
	item.enabled = item.text != "-";
	const SInt16 after = std::clamp<SInt16>(inAfterItem, 0, CountItems());
	mItems.insert(mItems.begin() + after, item);
	++mSeed;
}

void LMenu::RemoveItem(SInt16 inItem)
{
	if (At(inItem)) {
		mItems.erase(mItems.begin() + (inItem - 1));
		++mSeed;
	}
}

void LMenu::RemoveCommand(CommandT inCommand)
{
	RemoveItem(IndexFromCommand(inCommand));
}

CommandT LMenu::CommandFromIndex(SInt16 inItem) const
{
	const Item* item = At(inItem);
	if (!item)
		return cmd_Nothing;
	return item->command != cmd_Nothing ? item->command : SyntheticCommand(mMenuID, inItem);
}

SInt16 LMenu::IndexFromCommand(CommandT inCommand) const
{
	if (inCommand == cmd_Nothing)
		return 0;
	for (SInt16 i = 1; i <= CountItems(); ++i)
		if (CommandFromIndex(i) == inCommand)
			return i;
	return 0;
}

void LMenu::SetCommand(SInt16 inItem, CommandT inCommand)
{
	if (Item* item = At(inItem)) {
		item->command = inCommand;
		++mSeed;
	}
}

void LMenu::GetItemText(SInt16 inItem, Str255 outText) const
{
	const Item* item = At(inItem);
	PascalStrings::FromString(item ? item->text : std::string(), outText);
}

void LMenu::SetItemText(SInt16 inItem, ConstStr255Param inText)
{
	if (Item* item = At(inItem)) {
		std::string text = PascalStrings::ToString(inText);
		if (text != item->text) {
			item->text = std::move(text);
			++mSeed;
		}
	}
}

Boolean LMenu::IsSeparator(SInt16 inItem) const
{
	const Item* item = At(inItem);
	return item && item->text == "-";
}

Boolean LMenu::IsItemEnabled(SInt16 inItem) const
{
	const Item* item = At(inItem);
	return item && item->enabled;
}

void LMenu::SetItemEnabled(SInt16 inItem, Boolean inEnabled)
{
	Item* item = At(inItem);
	if (item && item->enabled != inEnabled) {
		item->enabled = inEnabled;
		++mSeed;
	}
}

UInt16 LMenu::GetItemMark(SInt16 inItem) const
{
	const Item* item = At(inItem);
	return item ? item->mark : UInt16(noMark);
}

void LMenu::SetItemMark(SInt16 inItem, UInt16 inMark)
{
	Item* item = At(inItem);
	if (item && item->mark != inMark) {
		item->mark = inMark;
		++mSeed;
	}
}

char LMenu::GetItemKey(SInt16 inItem) const
{
	const Item* item = At(inItem);
	return item ? item->key : 0;
}

void LMenu::SetItemKey(SInt16 inItem, char inKey)
{
	if (Item* item = At(inItem)) {
		item->key = char(std::toupper(UInt8(inKey)));
		++mSeed;
	}
}

ResIDT LMenu::GetSubmenuID(SInt16 inItem) const
{
	const Item* item = At(inItem);
	return item ? item->submenuID : 0;
}

void LMenu::SetSubmenuID(SInt16 inItem, ResIDT inSubmenuID)
{
	if (Item* item = At(inItem)) {
		item->submenuID = inSubmenuID;
		++mSeed;
	}
}

// Synthetic commands are negative: -(menu id * 65536 + item).
CommandT LMenu::SyntheticCommand(ResIDT inMenuID, SInt16 inItem)
{
	return -((CommandT(inMenuID) << 16) | CommandT(UInt16(inItem)));
}

Boolean LMenu::IsSyntheticCommand(CommandT inCommand, ResIDT& outMenuID, SInt16& outItem)
{
	if (inCommand >= 0)
		return false;
	const CommandT value = -inCommand;
	outMenuID = ResIDT(value >> 16);
	outItem = SInt16(value & 0xFFFF);
	return outMenuID > 0;
}
