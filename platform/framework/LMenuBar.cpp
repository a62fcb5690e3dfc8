#include "platform/framework/LMenuBar.h"

#include "platform/framework/LCommander.h"
#include "platform/framework/LMenu.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <algorithm>
#include <cctype>
#include <cstring>

LMenuBar* LMenuBar::sMenuBar = nullptr;

namespace
{
bool IsHelpMenu(const LMenu* inMenu)
{
	Str255 title;
	inMenu->GetTitle(title);
	return title[0] == 4 && std::memcmp(title + 1, "Help", 4) == 0;
}
} // namespace

LMenuBar::LMenuBar(ResIDT inMenuBarID)
{
	sMenuBar = this;
	const std::vector<SInt16>* ids = ResourceStore::Get().GetMenuBar(inMenuBarID);
	if (!ids)
		return;
	for (SInt16 id : *ids) {
		auto* menu = new LMenu(id);
		InstallMenu(menu, InstallMenu_AtEnd);
		// Submenus named by the resource items come along.
		for (SInt16 i = 1; i <= menu->CountItems(); ++i) {
			const ResIDT sub = menu->GetSubmenuID(i);
			if (sub > 0 && !FetchMenu(sub) && ResourceStore::Get().GetMenu(sub))
				InstallMenu(new LMenu(sub), hierMenu);
		}
	}
}

LMenuBar::~LMenuBar()
{
	for (LMenu* m : mBarMenus)
		delete m;
	for (LMenu* m : mSubmenus)
		delete m;
	if (sMenuBar == this)
		sMenuBar = nullptr;
}

void LMenuBar::InstallMenu(LMenu* inMenu, ResIDT inBeforeID)
{
	if (!inMenu || FetchMenu(inMenu->GetMenuID()) == inMenu)
		return;
	if (inBeforeID == hierMenu) {
		mSubmenus.push_back(inMenu);
	} else {
		auto at = std::find_if(mBarMenus.begin(), mBarMenus.end(), [&](LMenu* m) {
			return inBeforeID != 0 && m->GetMenuID() == inBeforeID;
		});
		// Help stays the last menu of the bar, as on every desktop.
		if (at == mBarMenus.end() && !mBarMenus.empty() && IsHelpMenu(mBarMenus.back()))
			--at;
		mBarMenus.insert(at, inMenu);
	}
	++mSeed;
}

void LMenuBar::RemoveMenu(LMenu* inMenu)
{
	const size_t before = mBarMenus.size() + mSubmenus.size();
	std::erase(mBarMenus, inMenu);
	std::erase(mSubmenus, inMenu);
	if (mBarMenus.size() + mSubmenus.size() != before)
		++mSeed;
}

LMenu* LMenuBar::FetchMenu(ResIDT inMenuID) const
{
	for (const auto* list : {&mBarMenus, &mSubmenus})
		for (LMenu* m : *list)
			if (m->GetMenuID() == inMenuID)
				return m;
	return nullptr;
}

CommandT LMenuBar::FindKeyCommand(const EventRecord& inKeyEvent) const
{
	const char key = char(std::toupper(int(inKeyEvent.message & charCodeMask)));
	if (key == 0)
		return cmd_Nothing;
	for (const auto* list : {&mBarMenus, &mSubmenus})
		for (LMenu* m : *list)
			for (SInt16 i = 1; i <= m->CountItems(); ++i)
				if (m->GetItemKey(i) == key)
					return m->CommandFromIndex(i);
	return cmd_Nothing;
}

void LMenuBar::UpdateMenus()
{
	for (const auto* list : {&mBarMenus, &mSubmenus})
		for (LMenu* m : *list)
			UpdateMenu(m);
	LCommander::SetUpdateCommandStatus(false);
}

void LMenuBar::UpdateMenu(LMenu* inMenu)
{
	if (!inMenu || !inMenu->UsesCommandStatus())
		return;
	LCommander* target = LCommander::GetTarget();
	if (!target)
		target = LCommander::GetDefaultCommander();
	for (SInt16 i = 1; i <= inMenu->CountItems(); ++i) {
		if (inMenu->IsSeparator(i))
			continue;
		if (inMenu->GetSubmenuID(i) > 0) {
			inMenu->SetItemEnabled(i, FetchMenu(inMenu->GetSubmenuID(i)) != nullptr);
			continue;
		}
		Boolean enabled = false, usesMark = false;
		UInt16 mark = noMark;
		Str255 name;
		name[0] = 0;
		if (target)
			target->ProcessCommandStatus(inMenu->CommandFromIndex(i), enabled, usesMark, mark,
			                             name);
		inMenu->SetItemEnabled(i, enabled);
		inMenu->SetItemMark(i, usesMark ? mark : UInt16(noMark));
		if (name[0] > 0)
			inMenu->SetItemText(i, name);
	}
}
