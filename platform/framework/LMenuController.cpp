#include "platform/framework/LMenuController.h"

#include "platform/framework/LControl.h"
#include "platform/toolbox/PascalStrings.h"

#include <algorithm>
#include <string>

LMenuController::LMenuController(LControl* inControl, ResIDT inMenuID) : mMenuControl(inControl)
{
	if (inMenuID != 0)
		mMenuH = new LMenu(inMenuID);
	else
		mMenuH = new LMenu(0, reinterpret_cast<const unsigned char*>("\0"));
	mMenuH->SetUsesCommandStatus(false);
	mSeenSeed = mMenuH->GetSeed();
}

LMenuController::~LMenuController()
{
	if (mOwnsMenu)
		delete mMenuH;
}

void LMenuController::SetMacMenuH(MenuHandle inMenu, Boolean inOwnsMenu)
{
	if (inMenu == mMenuH)
		return;
	if (mOwnsMenu)
		delete mMenuH;
	mMenuH = inMenu;
	mOwnsMenu = inOwnsMenu;
	MenuChanged();
}

void LMenuController::InsertMenuItem(ConstStr255Param inItemText, SInt16 inAfterItem,
                                     Boolean inIgnoreMetachars)
{
	if (!mMenuH)
		return;
	const std::string text = PascalStrings::ToString(inItemText);
	SInt16 after = std::min<SInt16>(inAfterItem, mMenuH->CountItems());
	if (inIgnoreMetachars) {
		Str255 item;
		PascalStrings::FromString(text, item);
		mMenuH->InsertCommand(item, cmd_Nothing, after);
		MenuChanged();
		return;
	}
	size_t start = 0;
	while (start <= text.size()) {
		const size_t end = std::min(text.find(';', start), text.size());
		std::string part = text.substr(start, end - start);
		start = end + 1;
		Boolean enabled = true;
		char key = 0;
		UInt16 mark = noMark;
		if (!part.empty() && part[0] == '(') {
			enabled = false;
			part.erase(0, 1);
		}
		std::string shown;
		for (size_t i = 0; i < part.size(); ++i) {
			const char c = part[i];
			if ((c == '/' || c == '!' || c == '<' || c == '^') && i + 1 < part.size()) {
				if (c == '/')
					key = part[i + 1];
				else if (c == '!')
					mark = UInt8(part[i + 1]);
				++i;
			} else {
				shown += c;
			}
		}
		Str255 item;
		PascalStrings::FromString(shown, item);
		mMenuH->InsertCommand(item, cmd_Nothing, after);
		++after;
		if (!mMenuH->IsSeparator(after)) {
			mMenuH->SetItemEnabled(after, enabled);
			if (key)
				mMenuH->SetItemKey(after, key);
			mMenuH->SetItemMark(after, mark);
		}
		if (end >= text.size())
			break;
	}
	MenuChanged();
}

void LMenuController::AppendMenu(ConstStr255Param inItemText, Boolean inIgnoreMetachars)
{
	InsertMenuItem(inItemText, 32767, inIgnoreMetachars);
}

void LMenuController::DeleteMenuItem(SInt16 inItem)
{
	if (!mMenuH || inItem < 1 || inItem > mMenuH->CountItems())
		return;
	mMenuH->RemoveItem(inItem);
	MenuChanged();
}

void LMenuController::DeleteAllMenuItems()
{
	if (!mMenuH)
		return;
	while (mMenuH->CountItems() > 0)
		mMenuH->RemoveItem(mMenuH->CountItems());
	MenuChanged();
}

void LMenuController::SetMenuItemText(SInt16 inItem, ConstStr255Param inText)
{
	if (!mMenuH)
		return;
	mMenuH->SetItemText(inItem, inText);
	MenuChanged();
}

void LMenuController::GetMenuItemText(SInt16 inItem, Str255 outText) const
{
	outText[0] = 0;
	if (mMenuH && inItem >= 1 && inItem <= mMenuH->CountItems())
		mMenuH->GetItemText(inItem, outText);
}

void LMenuController::EnableItem(SInt16 inItem, Boolean inEnable)
{
	if (!mMenuH)
		return;
	mMenuH->SetItemEnabled(inItem, inEnable);
	MenuChanged();
}

void LMenuController::SetMenuMinMax()
{
	if (mMenuControl)
		mMenuControl->SetMaxValue(CountMenuItems());
}

Boolean LMenuController::MenuChangedSinceLastLook()
{
	const UInt32 seed = mMenuH ? mMenuH->GetSeed() : 0;
	if (seed == mSeenSeed)
		return false;
	mSeenSeed = seed;
	return true;
}

void LMenuController::MenuChanged()
{
	mSeenSeed = mMenuH ? mMenuH->GetSeed() : 0;
	SetMenuMinMax();
}
