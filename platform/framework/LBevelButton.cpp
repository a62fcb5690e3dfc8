#include "platform/framework/LBevelButton.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/QDImageHandles.h"

#include <QIcon>
#include <QPixmap>
#include <QToolButton>

LBevelButton::LBevelButton(LStream* inStream) : LControl(inStream), LMenuController(this, 0)
{
	ResIDT menuID = 0;
	inStream->ReadPString(mTitle);
	*inStream >> mBehavior >> menuID >> mTextTraitsID;
	mHasMenu = menuID != 0;
	if (mHasMenu) {
		auto* menu = new LMenu(menuID);
		menu->SetUsesCommandStatus(false);
		SetMacMenuH(menu);
	}
	auto* button = new QToolButton;
	button->setFocusPolicy(Qt::NoFocus);
	button->setText(QStringFromPascal(mTitle));
	button->setCheckable(mBehavior == behavior_Toggle && !mHasMenu);
	button->setChecked(mValue != 0);
	if (mHasMenu)
		button->setPopupMode(QToolButton::InstantPopup);
	SetNative(new QtPaneWidget(this, button));
}

void LBevelButton::SetCurrentMenuItem(SInt16 inItem)
{
	if (!mMenuH)
		return;
	mCurrentItem = inItem;
	for (SInt16 item = 1; item <= mMenuH->CountItems(); ++item)
		if (!mMenuH->IsSeparator(item))
			mMenuH->SetItemMark(item, item == inItem ? checkMark : noMark);
	MenuChangedSinceLastLook();
}

Boolean LBevelButton::TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers)
{
	if (!mHasMenu)
		return LControl::TrackHotSpot(inHotSpot, inPoint, inModifiers);
	mChoice = 0;
	LWindow* window = GetWindow();
	if (!window)
		return false;
	Rect frame;
	CalcPortFrameRect(frame);
	Point corner{frame.bottom, frame.left};
	window->PortToGlobalPoint(corner);
	mChoice = SInt16(PopUpMenuSelect(mMenuH, corner.v, corner.h, 0) & 0xFFFF);
	return mChoice != 0;
}

void LBevelButton::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mNative->As<QToolButton>()->setDown(inCurrInside);
}

void LBevelButton::HotSpotResult(SInt16)
{
	mNative->As<QToolButton>()->setDown(false);
	if (mHasMenu) {
		if (mChoice == 0)
			return;
		SetCurrentMenuItem(mChoice);
		mChoice = 0;
		if (mValueMessage != msg_Nothing) {
			SInt32 item = mCurrentItem;
			BroadcastMessage(mValueMessage, &item);
		}
	} else if (mBehavior == behavior_Toggle) {
		SetValue(mValue == 0 ? 1 : 0);
	} else {
		BroadcastValueMessage();
	}
}

void LBevelButton::SetContentInfo(const ControlButtonContentInfo& inContentInfo)
{
	mContentInfo = inContentInfo;
	auto* button = mNative->As<QToolButton>();
	QImage image;
	if (inContentInfo.contentType == kControlContentCIconRes) {
		CIconHandle icon = GetCIcon(inContentInfo.u.resID);
		SignalIf_(icon == nullptr);
		if (icon)
			image = *QD::ImageOf(icon);
		DisposeCIcon(icon);
	} else if (inContentInfo.contentType == kControlContentCIconHandle && inContentInfo.u.cIconHandle) {
		image = *QD::ImageOf(inContentInfo.u.cIconHandle);
	}
	button->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
	if (!image.isNull())
		button->setIconSize(image.size());
	TitleChanged();
}

void LBevelButton::ValueChanged()
{
	mNative->As<QToolButton>()->setChecked(mValue != 0);
}

void LBevelButton::TitleChanged()
{
	auto* button = mNative->As<QToolButton>();
	button->setText(QStringFromPascal(mTitle));
	const bool icon = !button->icon().isNull();
	button->setToolButtonStyle(!icon            ? Qt::ToolButtonTextOnly
	                           : mTitle[0] == 0 ? Qt::ToolButtonIconOnly
	                                            : Qt::ToolButtonTextBesideIcon);
}

void LBevelButton::MenuChanged()
{
	// The value of a bevel button is not its menu item.
}
