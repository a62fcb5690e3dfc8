#include "platform/framework/LCheckBox.h"

#include "platform/framework/LStream.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QCheckBox>
#include <cstring>

LCheckBox::LCheckBox(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue,
                     ConstStr255Param inTitle)
    : LControl(inPaneInfo, inValueMessage, inValue, 0, 1)
{
	std::memcpy(mTitle, inTitle, size_t(inTitle[0]) + 1);
	MakeNative();
}

LCheckBox::LCheckBox(LStream* inStream) : LControl(inStream)
{
	inStream->ReadPString(mTitle);
	*inStream >> mTextTraitsID;
	MakeNative();
}

void LCheckBox::MakeNative()
{
	auto* box = new QCheckBox(QStringFromPascal(mTitle));
	box->setFocusPolicy(Qt::NoFocus);
	box->setTristate(mMaxValue > 1);
	SetNative(new QtPaneWidget(this, box));
	ValueChanged();
}

void LCheckBox::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mNative->As<QCheckBox>()->setDown(inCurrInside);
}

void LCheckBox::HotSpotResult(SInt16)
{
	mNative->As<QCheckBox>()->setDown(false);
	SetValue(mValue == 0 ? 1 : 0);
}

void LCheckBox::ValueChanged()
{
	const Qt::CheckState state = mValue == 0   ? Qt::Unchecked
	                             : mValue == 1 ? Qt::Checked
	                                           : Qt::PartiallyChecked;
	mNative->As<QCheckBox>()->setCheckState(state);
}

void LCheckBox::TitleChanged()
{
	mNative->As<QCheckBox>()->setText(QStringFromPascal(mTitle));
}
