#include "platform/framework/LTabsControl.h"

#include "platform/framework/LStream.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QTabBar>
#include <algorithm>

LTabsControl::LTabsControl(LStream* inStream) : LControl(inStream)
{
	SInt16 count = 0;
	*inStream >> count;
	auto* bar = new QTabBar;
	bar->setFocusPolicy(Qt::NoFocus);
	bar->setDrawBase(false);
	bar->setExpanding(false);
	for (SInt16 i = 0; i < count; ++i) {
		Str255 title;
		inStream->ReadPString(title);
		bar->addTab(QStringFromPascal(title));
	}
	SetNative(new QtPaneWidget(this, bar));
	mMinValue = count > 0 ? 1 : 0;
	mMaxValue = count;
	mValue = std::clamp(mValue, mMinValue, mMaxValue);
	ValueChanged();
}

SInt16 LTabsControl::CountTabs() const
{
	return SInt16(mNative->As<QTabBar>()->count());
}

void LTabsControl::SetTabTitle(SInt16 inTab, ConstStr255Param inTitle)
{
	mNative->As<QTabBar>()->setTabText(inTab - 1, QStringFromPascal(inTitle));
}

void LTabsControl::GetTabTitle(SInt16 inTab, Str255 outTitle) const
{
	PascalStrings::FromString(MacRomanFromQString(mNative->As<QTabBar>()->tabText(inTab - 1)), outTitle);
}

SInt16 LTabsControl::FindHotSpot(Point inPoint) const
{
	Rect frame;
	CalcLocalFrameRect(frame);
	const int index =
	    mNative->As<QTabBar>()->tabAt(QPoint(inPoint.h - frame.left, inPoint.v - frame.top));
	return SInt16(index + 1); // 0: between tabs
}

Boolean LTabsControl::PointInHotSpot(Point inPoint, SInt16 inHotSpot) const
{
	return FindHotSpot(inPoint) == inHotSpot;
}

void LTabsControl::HotSpotResult(SInt16 inHotSpot)
{
	SetValue(inHotSpot);
}

void LTabsControl::ValueChanged()
{
	auto* bar = mNative->As<QTabBar>();
	const QSignalBlocker block(bar);
	bar->setCurrentIndex(mValue - 1);
}
