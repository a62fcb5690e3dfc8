#include "platform/framework/LPopupButton.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QPushButton>
#include <algorithm>

LPopupButton::LPopupButton(LStream* inStream) : LControl(inStream), LMenuController(this, 0)
{
	ResIDT menuID = 0;
	inStream->ReadPString(mTitle);
	*inStream >> mTitleWidth >> menuID >> mTextTraitsID;
	auto* button = new QPushButton;
	button->setFocusPolicy(Qt::NoFocus);
	button->setStyleSheet("text-align: left; padding-left: 6px;");
	SetNative(new QtPaneWidget(this, button));
	if (menuID != 0) {
		auto* menu = new LMenu(menuID);
		menu->SetUsesCommandStatus(false);
		SetMacMenuH(menu);
	} else {
		MenuChanged();
	}
}

void LPopupButton::SetValue(SInt32 inValue)
{
	// Items may have been added to the menu directly.
	if (MenuChangedSinceLastLook())
		LMenuController::MenuChanged();
	LControl::SetValue(inValue);
}

void LPopupButton::CalcNativeFrame(Rect& outPortRect) const
{
	CalcPortFrameRect(outPortRect);
	outPortRect.left =
	    SInt16(std::min<int>(outPortRect.right, outPortRect.left + std::max<SInt16>(mTitleWidth, 0)));
}

Boolean LPopupButton::TrackHotSpot(SInt16, Point, SInt16)
{
	if (MenuChangedSinceLastLook())
		MenuChanged();
	mChoice = 0;
	LWindow* window = GetWindow();
	if (!window || !mMenuH)
		return false;
	for (SInt16 item = 1; item <= mMenuH->CountItems(); ++item)
		if (!mMenuH->IsSeparator(item))
			mMenuH->SetItemMark(item, item == mValue ? checkMark : noMark);
	Rect frame;
	CalcNativeFrame(frame);
	Point corner{frame.top, frame.left};
	window->PortToGlobalPoint(corner);
	const SInt32 result =
	    PopUpMenuSelect(mMenuH, corner.v, corner.h, SInt16(std::max<SInt32>(mValue, 1)));
	mChoice = SInt16(result & 0xFFFF);
	return mChoice != 0;
}

void LPopupButton::HotSpotResult(SInt16)
{
	if (mChoice != 0)
		SetValue(mChoice);
	mChoice = 0;
}

void LPopupButton::ValueChanged()
{
	ShowCurrentItem();
}

void LPopupButton::MenuChanged()
{
	LMenuController::MenuChanged();
	ShowCurrentItem();
}

void LPopupButton::ShowCurrentItem()
{
	Str255 text;
	GetMenuItemText(SInt16(mValue), text);
	// A button takes '&' for a shortcut mark: the item's own ampersands are doubled.
	QString shown = QStringFromPascal(text);
	shown.replace('&', "&&");
	mNative->As<QPushButton>()->setText(shown + QString::fromUtf8(" \u25BE"));
}

void LPopupButton::DrawSelf()
{
	if (mTitleWidth <= 0 || mTitle[0] == 0)
		return;
	Rect frame;
	CalcLocalFrameRect(frame);
	frame.right = SInt16(frame.left + mTitleWidth);
	UTextTraits::SetPortTextTraits(mTextTraitsID);
	FontInfo info;
	GetFontInfo(&info);
	MoveTo(frame.left, SInt16((frame.top + frame.bottom + info.ascent - info.descent) / 2));
	DrawString(mTitle);
}
