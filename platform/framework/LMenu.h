#pragma once
// One menu of the menu bar model: items with texts (Mac Roman), command numbers, key equivalents, marks and
// enabling. Items are counted from 1. Items without a command number act as synthetic commands that carry
// the menu id and the item (see SyntheticCommand).

#include "platform/framework/FrameworkTypes.h"

#include <functional>
#include <string>
#include <vector>

class LMenu;
typedef LMenu* MenuRef;
typedef MenuRef MenuHandle;

class LMenu
{
public:
	LMenu(ResIDT inMenuID, ConstStr255Param inTitle);
	// Built from the menu resource of that number (empty when there is none).
	explicit LMenu(ResIDT inMenuID);

	ResIDT GetMenuID() const { return mMenuID; }
	void GetTitle(Str255 outTitle) const;
	SInt16 CountItems() const { return SInt16(mItems.size()); }

	// Inserts after inAfterItem (0: at the top; past the end: at the end); "-" is a separator line.
	void InsertCommand(ConstStr255Param inText, CommandT inCommand, SInt16 inAfterItem);
	void AppendCommand(ConstStr255Param inText, CommandT inCommand)
	{
		InsertCommand(inText, inCommand, 32767);
	}
	void RemoveItem(SInt16 inItem);
	void RemoveCommand(CommandT inCommand);

	CommandT CommandFromIndex(SInt16 inItem) const;    // the synthetic command when the item has none
	SInt16 IndexFromCommand(CommandT inCommand) const; // 0 when no item has it
	void SetCommand(SInt16 inItem, CommandT inCommand);

	void GetItemText(SInt16 inItem, Str255 outText) const;
	void SetItemText(SInt16 inItem, ConstStr255Param inText);
	Boolean IsSeparator(SInt16 inItem) const;
	Boolean IsItemEnabled(SInt16 inItem) const;
	void SetItemEnabled(SInt16 inItem, Boolean inEnabled);
	UInt16 GetItemMark(SInt16 inItem) const;
	void SetItemMark(SInt16 inItem, UInt16 inMark);
	char GetItemKey(SInt16 inItem) const; // upper case; 0 for none
	void SetItemKey(SInt16 inItem, char inKey);
	ResIDT GetSubmenuID(SInt16 inItem) const;
	void SetSubmenuID(SInt16 inItem, ResIDT inSubmenuID);

	// Whether enabling and marks come from FindCommandStatus (the default) or stay as set.
	void SetUsesCommandStatus(Boolean inUses) { mUsesCommandStatus = inUses; }
	Boolean UsesCommandStatus() const { return mUsesCommandStatus; }

	// Bumped on every change, so that views of the menu know to rebuild.
	UInt32 GetSeed() const { return mSeed; }

	static CommandT SyntheticCommand(ResIDT inMenuID, SInt16 inItem);
	static Boolean IsSyntheticCommand(CommandT inCommand, ResIDT& outMenuID, SInt16& outItem);

private:
	struct Item {
		std::string text;
		CommandT command = cmd_Nothing;
		char key = 0;
		ResIDT submenuID = 0;
		Boolean enabled = true;
		UInt16 mark = noMark;
	};
	Item* At(SInt16 inItem);
	const Item* At(SInt16 inItem) const;

	ResIDT mMenuID;
	std::string mTitle;
	std::vector<Item> mItems;
	Boolean mUsesCommandStatus = true;
	UInt32 mSeed = 1;
};

// The toolbox's pop-up menu: shows the menu with item inPopUpItem under the point (global coordinates) and
// returns the menu id in the high 16 bits and the chosen item in the low ones; 0 when nothing was chosen.
// The items' enabling and marks are the menu's own.
SInt32 PopUpMenuSelect(MenuHandle inMenu, SInt16 inTop, SInt16 inLeft, SInt16 inPopUpItem);

// Replaces the user's choice (tests); the chooser gets the menu, the point and the pop-up item and returns
// what PopUpMenuSelect returns. Null restores the real menu. Returns the chooser it replaces.
typedef std::function<SInt32(MenuHandle, Point, SInt16)> PopUpMenuChooser;
PopUpMenuChooser SetPopUpMenuChooser(PopUpMenuChooser inChooser);
