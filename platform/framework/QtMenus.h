#pragma once
// Qt views of the menu model (included by .cpp files of the stand-in only).

#include "platform/toolbox/MacTypes.h"

#include <QMenu>
#include <QString>

class LMenu;

namespace QtMenus
{
// Fills a Qt menu from the menu of that id in the current menu bar (or from inMenu when given), after the
// commander chain has decided its items' status. With inRunCommands, choosing an item runs its command
// through the target; otherwise each action carries its item number as data.
void Fill(QMenu* ioQMenu, SInt16 inMenuID, LMenu* inMenu, bool inRunCommands);
// The key equivalent as shown ("Ctrl+O").
QString ShortcutText(char inKey);
// While no standard window shows the menu bar, a system-tray icon (where the desktop has a tray) offers its
// menus, so that the application's commands stay reachable.
void SyncTray(bool inMenuBarShown);
} // namespace QtMenus
