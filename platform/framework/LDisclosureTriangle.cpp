#include "platform/framework/LDisclosureTriangle.h"

#include "platform/framework/QtPaneWidget.h"

#include <QToolButton>
#include <algorithm>

LDisclosureTriangle::LDisclosureTriangle(LStream* inStream) : LControl(inStream)
{
	mMinValue = 0;
	mMaxValue = 1;
	mValue = std::clamp<SInt32>(mValue, 0, 1);
	auto* button = new QToolButton;
	button->setFocusPolicy(Qt::NoFocus);
	button->setAutoRaise(true);
	SetNative(new QtPaneWidget(this, button));
	ValueChanged();
}

void LDisclosureTriangle::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	mNative->As<QToolButton>()->setDown(inCurrInside);
}

void LDisclosureTriangle::HotSpotResult(SInt16)
{
	mNative->As<QToolButton>()->setDown(false);
	SetValue(mValue == 0 ? 1 : 0);
}

void LDisclosureTriangle::ValueChanged()
{
	mNative->As<QToolButton>()->setArrowType(mValue != 0 ? Qt::DownArrow : Qt::RightArrow);
}
