#include "platform/framework/LPushButton.h"

#include "platform/framework/LStream.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QPushButton>
#include <cstring>

LPushButton::LPushButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage, ConstStr255Param inTitle)
    : LControl(inPaneInfo, inValueMessage, 0, 0, 0)
{
	std::memcpy(mTitle, inTitle, size_t(inTitle[0]) + 1);
	MakeNative();
}

LPushButton::LPushButton(LStream* inStream) : LControl(inStream)
{
	UInt8 kind = kind_Plain;
	inStream->ReadPString(mTitle);
	*inStream >> mTextTraitsID >> kind;
	mIsDefault = kind == kind_Default;
	mIsCancel = kind == kind_Cancel;
	MakeNative();
}

void LPushButton::MakeNative()
{
	auto* button = new QPushButton(QStringFromPascal(mTitle));
	button->setFocusPolicy(Qt::NoFocus);
	button->setAutoDefault(false);
	button->setDefault(mIsDefault);
	SetNative(new QtPaneWidget(this, button));
}

void LPushButton::SetDefaultButton(Boolean inDefault)
{
	mIsDefault = inDefault;
	mNative->As<QPushButton>()->setDefault(inDefault);
	Refresh();
}

void LPushButton::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mNative->As<QPushButton>()->setDown(inCurrInside);
}

void LPushButton::HotSpotResult(SInt16)
{
	mNative->As<QPushButton>()->setDown(false);
	BroadcastValueMessage();
}

void LPushButton::TitleChanged()
{
	mNative->As<QPushButton>()->setText(QStringFromPascal(mTitle));
}
