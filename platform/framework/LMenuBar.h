#pragma once
// The application's one menu bar model: the menus shown in the bar, left to right, and the submenus that
// their items open. Windows show it (see LWindow); before a menu opens, UpdateMenus lets the target's
// commander chain decide enabling, marks and texts through FindCommandStatus.

#include "platform/framework/FrameworkTypes.h"

#include <vector>

class LCommander;
class LMenu;

enum : ResIDT { InstallMenu_AtEnd = 0, hierMenu = -1 };

class LMenuBar
{
public:
	// Built from the menu bar resource of that number; becomes the current menu bar.
	explicit LMenuBar(ResIDT inMenuBarID);
	~LMenuBar(); // deletes the menus still installed
	LMenuBar(const LMenuBar&) = delete;
	LMenuBar& operator=(const LMenuBar&) = delete;

	static LMenuBar* GetCurrentMenuBar() { return sMenuBar; }
	// Whether the menus stay reachable without a standard window (from a system-tray icon, where the
	// desktop has a tray).
	static Boolean ReachableWithoutWindows();

	// Installs before the menu with id inBeforeID (InstallMenu_AtEnd, or an id not in the bar: at the
	// end, though before a last menu titled "Help"; hierMenu: as a submenu, not shown in the bar). The
	// bar owns it until it is removed.
	void InstallMenu(LMenu* inMenu, ResIDT inBeforeID);
	void RemoveMenu(LMenu* inMenu); // does not delete it
	LMenu* FetchMenu(ResIDT inMenuID) const;
	const std::vector<LMenu*>& GetBarMenus() const { return mBarMenus; }

	// The command of the item whose key equivalent the command-key event types; cmd_Nothing for none.
	CommandT FindKeyCommand(const EventRecord& inKeyEvent) const;

	// Asks the target (or the default commander when there is none) for the status of every item.
	void UpdateMenus();
	void UpdateMenu(LMenu* inMenu);

	// Changes whenever menus are installed or removed (item changes show when a menu opens).
	UInt32 GetSeed() const { return mSeed; }

private:
	std::vector<LMenu*> mBarMenus;
	std::vector<LMenu*> mSubmenus;
	UInt32 mSeed = 1;
	static LMenuBar* sMenuBar;
};
