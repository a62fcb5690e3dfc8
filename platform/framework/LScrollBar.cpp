#include "platform/framework/LScrollBar.h"

#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UDispatch.h"

#include <QScrollBar>
#include <algorithm>

LScrollBar::LScrollBar(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue,
                       SInt32 inMinValue, SInt32 inMaxValue)
    : LControl(inPaneInfo, inValueMessage, inValue, inMinValue, inMaxValue)
{
	MakeNative();
}

LScrollBar::LScrollBar(LStream* inStream) : LControl(inStream)
{
	MakeNative();
}

void LScrollBar::MakeNative()
{
	auto* bar = new QScrollBar(mFrameSize.width > mFrameSize.height ? Qt::Horizontal : Qt::Vertical);
	bar->setFocusPolicy(Qt::NoFocus);
	// The bar handles its own tracking; the framework hears of it through the value.
	auto* native = new QtPaneWidget(this, bar, true);
	QObject::connect(bar, &QScrollBar::valueChanged, native, [this](int inValue) {
		if (!mSyncing)
			UDispatch::Run([this, inValue] { LControl::SetValue(inValue); });
	});
	SetNative(native);
	SyncRange();
}

void LScrollBar::SyncRange()
{
	auto* bar = mNative->As<QScrollBar>();
	mSyncing = true;
	bar->setRange(mMinValue, std::max(mMinValue, mMaxValue));
	bar->setValue(mValue);
	mSyncing = false;
}

void LScrollBar::SetMinValue(SInt32 inMinValue)
{
	LControl::SetMinValue(inMinValue);
	SyncRange();
}

void LScrollBar::SetMaxValue(SInt32 inMaxValue)
{
	LControl::SetMaxValue(inMaxValue);
	SyncRange();
}

void LScrollBar::SetPageStep(SInt32 inStep)
{
	mNative->As<QScrollBar>()->setPageStep(std::max<SInt32>(inStep, 1));
}

void LScrollBar::ClickSelf(const SMouseDownEvent&) {}

void LScrollBar::HotSpotResult(SInt16 inHotSpot)
{
	auto* bar = mNative->As<QScrollBar>();
	switch (inHotSpot) {
	case kControlUpButtonPart:
		SetValue(mValue - bar->singleStep());
		break;
	case kControlDownButtonPart:
		SetValue(mValue + bar->singleStep());
		break;
	case kControlPageUpPart:
		SetValue(mValue - bar->pageStep());
		break;
	case kControlPageDownPart:
		SetValue(mValue + bar->pageStep());
		break;
	default:
		break;
	}
}

void LScrollBar::ValueChanged()
{
	SyncRange();
}
