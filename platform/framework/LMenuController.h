#pragma once
// The menu of a control that pops one up (pop-up buttons, bevel buttons with a menu). The menu comes from
// the resources or is built at run time; the control's maximum follows its item count.

#include "platform/framework/LMenu.h"

class LControl;

class LMenuController
{
public:
	// inMenuID 0 starts with an empty menu.
	LMenuController(LControl* inControl, ResIDT inMenuID);
	virtual ~LMenuController();
	LMenuController(const LMenuController&) = delete;
	LMenuController& operator=(const LMenuController&) = delete;

	MenuHandle GetMacMenuH() const { return mMenuH; }
	void SetMacMenuH(MenuHandle inMenu, Boolean inOwnsMenu = true);
	ResIDT GetMenuID() const { return mMenuH ? mMenuH->GetMenuID() : 0; }

	virtual SInt16 GetCurrentMenuItem() const = 0;
	virtual void SetCurrentMenuItem(SInt16 inItem) = 0;

	// Appends one item, or with metacharacters honoured, the items of a list separated by ';': "-" is a
	// separator, a leading '(' disables the item, "/x" gives a key, "!x" a mark, "<x" and "^x" are
	// dropped.
	void AppendMenu(ConstStr255Param inItemText, Boolean inIgnoreMetachars = false);
	void InsertMenuItem(ConstStr255Param inItemText, SInt16 inAfterItem,
	                    Boolean inIgnoreMetachars = false);
	void DeleteMenuItem(SInt16 inItem);
	void DeleteAllMenuItems();
	void SetMenuItemText(SInt16 inItem, ConstStr255Param inText);
	void GetMenuItemText(SInt16 inItem, Str255 outText) const;
	SInt16 CountMenuItems() const { return mMenuH ? mMenuH->CountItems() : 0; }
	void EnableItem(SInt16 inItem, Boolean inEnable);

	// Sets the control's maximum to the item count.
	void SetMenuMinMax();

protected:
	// Notes changes made to the menu directly; true when it changed since the last call.
	Boolean MenuChangedSinceLastLook();
	virtual void MenuChanged();

	LControl* mMenuControl;
	MenuHandle mMenuH = nullptr;
	Boolean mOwnsMenu = true;

private:
	UInt32 mSeenSeed = 0;
};
