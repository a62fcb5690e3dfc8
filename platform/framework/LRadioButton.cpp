#include "platform/framework/LRadioButton.h"

#include "platform/framework/LStream.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QRadioButton>
#include <algorithm>
#include <cstring>

LRadioButton::LRadioButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue,
                           ConstStr255Param inTitle)
    : LControl(inPaneInfo, inValueMessage, inValue, 0, 1)
{
	std::memcpy(mTitle, inTitle, size_t(inTitle[0]) + 1);
	MakeNative();
}

LRadioButton::LRadioButton(LStream* inStream) : LControl(inStream)
{
	inStream->ReadPString(mTitle);
	*inStream >> mTextTraitsID;
	mMinValue = 0;
	mMaxValue = 1;
	mValue = std::clamp<SInt32>(mValue, 0, 1);
	MakeNative();
}

void LRadioButton::MakeNative()
{
	auto* button = new QRadioButton(QStringFromPascal(mTitle));
	button->setFocusPolicy(Qt::NoFocus);
	button->setAutoExclusive(false); // the group decides
	SetNative(new QtPaneWidget(this, button));
	ValueChanged();
}

void LRadioButton::SetValue(SInt32 inValue)
{
	inValue = inValue != 0 ? 1 : 0;
	if (inValue == mValue)
		return;
	mValue = inValue;
	ValueChanged();
	if (mValue == 1)
		BroadcastMessage(msg_ControlClicked, this);
	BroadcastValueMessage();
}

void LRadioButton::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mNative->As<QRadioButton>()->setDown(inCurrInside);
}

void LRadioButton::HotSpotResult(SInt16)
{
	mNative->As<QRadioButton>()->setDown(false);
	SetValue(1);
	ValueChanged();
}

void LRadioButton::ValueChanged()
{
	mNative->As<QRadioButton>()->setChecked(mValue != 0);
}

void LRadioButton::TitleChanged()
{
	mNative->As<QRadioButton>()->setText(QStringFromPascal(mTitle));
}
