#include "platform/framework/QtMenus.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QSystemTrayIcon>

namespace
{
PopUpMenuChooser sChooser;

QString ItemText(LMenu* inMenu, SInt16 inItem)
{
	Str255 text;
	inMenu->GetItemText(inItem, text);
	QString s = QStringFromPascal(text);
	s.replace('&', "&&");
	if (const char key = inMenu->GetItemKey(inItem))
		s += '\t' + QtMenus::ShortcutText(key);
	return s;
}
} // namespace

namespace QtMenus
{

QString ShortcutText(char inKey)
{
	return QStringLiteral("Ctrl+") + QChar(inKey);
}

void Fill(QMenu* ioQMenu, SInt16 inMenuID, LMenu* inMenu, bool inRunCommands)
{
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	LMenu* menu = inMenu ? inMenu : (bar ? bar->FetchMenu(inMenuID) : nullptr);
	ioQMenu->clear();
	if (!menu)
		return;
	if (inRunCommands && bar)
		UDispatch::Run([&] { bar->UpdateMenu(menu); });
	for (SInt16 i = 1; i <= menu->CountItems(); ++i) {
		if (menu->IsSeparator(i)) {
			ioQMenu->addSeparator();
			continue;
		}
		const ResIDT subID = menu->GetSubmenuID(i);
		if (subID > 0) {
			QMenu* sub = ioQMenu->addMenu(ItemText(menu, i));
			LMenu* subModel = bar ? bar->FetchMenu(subID) : nullptr;
			sub->setEnabled(menu->IsItemEnabled(i) && subModel);
			QPointer<QMenu> guard(sub);
			QObject::connect(sub, &QMenu::aboutToShow, sub, [guard, subID, inRunCommands] {
				if (guard)
					Fill(guard, subID, nullptr, inRunCommands);
			});
			continue;
		}
		QAction* action = ioQMenu->addAction(ItemText(menu, i));
		action->setEnabled(menu->IsItemEnabled(i));
		if (menu->GetItemMark(i) != noMark) {
			action->setCheckable(true);
			action->setChecked(true);
		}
		action->setData(int(i));
		if (inRunCommands) {
			const CommandT command = menu->CommandFromIndex(i);
			QObject::connect(action, &QAction::triggered, action,
			                 [command] { LApplication::DispatchCommand(command); });
		}
	}
}

void SyncTray(bool inMenuBarShown)
{
	static QPointer<QSystemTrayIcon> tray;
	static QMenu* trayMenu = nullptr;
	static UInt32 traySeed = 0;
	static const void* trayBar = nullptr;
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	// Called after every dispatch: the tray is looked at only when something changed.
	static bool lastShown = true;
	static const void* lastBar = nullptr;
	static UInt32 lastSeed = 0;
	const UInt32 seed = bar ? bar->GetSeed() : 0;
	if (inMenuBarShown == lastShown && bar == lastBar && seed == lastSeed)
		return;
	lastShown = inMenuBarShown;
	lastBar = bar;
	lastSeed = seed;
	const bool wanted = !inMenuBarShown && bar && QSystemTrayIcon::isSystemTrayAvailable();
	if (!wanted) {
		if (tray)
			tray->hide();
		return;
	}
	if (!tray) {
		tray = new QSystemTrayIcon(qApp);
		QIcon icon = QApplication::windowIcon();
		if (icon.isNull())
			icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
		tray->setIcon(icon);
		trayMenu = new QMenu;
		QObject::connect(tray, &QObject::destroyed, [] {
			delete trayMenu;
			trayMenu = nullptr;
		});
		tray->setContextMenu(trayMenu);
		trayBar = nullptr;
	}
	if (bar != trayBar || bar->GetSeed() != traySeed) {
		trayBar = bar;
		traySeed = bar->GetSeed();
		for (QAction* action : trayMenu->actions())
			if (QMenu* old = action->menu())
				old->deleteLater();
		trayMenu->clear();
		for (LMenu* menu : bar->GetBarMenus()) {
			Str255 title;
			menu->GetTitle(title);
			QMenu* sub = trayMenu->addMenu(QStringFromPascal(title));
			const SInt16 id = menu->GetMenuID();
			QPointer<QMenu> guard(sub);
			QObject::connect(sub, &QMenu::aboutToShow, sub, [guard, id] {
				if (guard)
					Fill(guard, id, nullptr, true);
			});
		}
	}
	tray->show();
}

} // namespace QtMenus

SInt32 PopUpMenuSelect(MenuHandle inMenu, SInt16 inTop, SInt16 inLeft, SInt16 inPopUpItem)
{
	if (!inMenu)
		return 0;
	Point where;
	where.v = inTop;
	where.h = inLeft;
	if (sChooser)
		return sChooser(inMenu, where, inPopUpItem);
	QMenu qmenu;
	QtMenus::Fill(&qmenu, inMenu->GetMenuID(), inMenu, false);
	QAction* at = nullptr;
	if (inPopUpItem >= 1 && inPopUpItem <= qmenu.actions().size())
		at = qmenu.actions().at(inPopUpItem - 1);
	QAction* chosen = nullptr;
	QObject::connect(&qmenu, &QMenu::triggered, [&chosen](QAction* action) { chosen = action; });
	StModalLoop::Run([&qmenu] { qmenu.close(); }, [&] { qmenu.exec(QPoint(inLeft, inTop), at); });
	if (!chosen)
		return 0;
	return (SInt32(inMenu->GetMenuID()) << 16) | SInt32(chosen->data().toInt());
}

PopUpMenuChooser SetPopUpMenuChooser(PopUpMenuChooser inChooser)
{
	PopUpMenuChooser previous = std::move(sChooser);
	sChooser = std::move(inChooser);
	return previous;
}
