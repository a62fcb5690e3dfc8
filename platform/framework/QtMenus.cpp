#include "platform/framework/QtMenus.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QSystemTrayIcon>

namespace
{
PopUpMenuChooser sChooser;

// A menu longer than the screen (a kind's menu with every security in it) scrolls, with arrows at both
// ends, instead of flowing into columns past the screen's edge. Otherwise the application's style draws it.
class ScrollingMenuStyle : public QProxyStyle
{
public:
	ScrollingMenuStyle() : QProxyStyle(QApplication::style()->name()) {}

	int styleHint(StyleHint inHint, const QStyleOption* inOption, const QWidget* inWidget,
	              QStyleHintReturn* outReturn) const override
	{
		if (inHint == SH_Menu_Scrollable)
			return 1;
		return QProxyStyle::styleHint(inHint, inOption, inWidget, outReturn);
	}
};

// Typing the start of an item's text goes to the first item that begins so; after a pause, or in another
// menu, the typing starts afresh. The menus' texts carry no mnemonics, so Qt's own typing finds nothing in
// them.
class MenuTypeSelect : public QObject
{
public:
	explicit MenuTypeSelect(QObject* inParent) : QObject(inParent) {}

	bool eventFilter(QObject* inWatched, QEvent* inEvent) override
	{
		auto* menu = qobject_cast<QMenu*>(inWatched);
		if (!menu || inEvent->type() != QEvent::KeyPress)
			return false;
		const auto* key = static_cast<QKeyEvent*>(inEvent);
		const QString text = key->text();
		if (text.size() != 1 || !text[0].isPrint() || (key->modifiers() & ~Qt::ShiftModifier))
			return false;
		const UInt32 now = TickCount();
		if (menu != mMenu || now - mLastTick >= kPause)
			mTyped.clear();
		// Alone, a space is the key that chooses the item.
		if (mTyped.isEmpty() && text == QStringLiteral(" "))
			return false;
		mMenu = menu;
		mLastTick = now;
		mTyped += text;
		for (QAction* action : menu->actions()) {
			const QString shown =
			    action->text().section('\t', 0, 0).replace(QStringLiteral("&&"), "&");
			if (!action->isSeparator() && action->isVisible() && action->isEnabled() &&
			    shown.startsWith(mTyped, Qt::CaseInsensitive)) {
				menu->setActiveAction(action);
				break;
			}
		}
		return true;
	}

private:
	static constexpr UInt32 kPause = 60; // ticks, as in the tables' typing
	QPointer<QMenu> mMenu;
	QString mTyped;
	UInt32 mLastTick = 0;
};

void PrepareMenu(QMenu* ioQMenu)
{
	static QPointer<QStyle> style;
	static QPointer<MenuTypeSelect> typeSelect;
	if (!style) {
		style = new ScrollingMenuStyle;
		style->setParent(qApp);
	}
	if (!typeSelect)
		typeSelect = new MenuTypeSelect(qApp);
	if (ioQMenu->style() != style) {
		ioQMenu->setStyle(style);
		ioQMenu->installEventFilter(typeSelect);
	}
}

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
	PrepareMenu(ioQMenu);
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

Boolean LMenuBar::ReachableWithoutWindows()
{
	return QSystemTrayIcon::isSystemTrayAvailable();
}
