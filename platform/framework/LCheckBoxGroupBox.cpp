#include "platform/framework/LCheckBoxGroupBox.h"

#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/gui/StColorPenState.h"

#include <QWidget>
#include <algorithm>

namespace
{
constexpr SInt16 kTitleHeight = 18;
constexpr SInt16 kTitleInset = 8;
} // namespace

LCheckBoxGroupBox::LCheckBoxGroupBox(LStream* inStream) : LCheckBox(inStream)
{
	SyncNative();
}

void LCheckBoxGroupBox::CalcNativeFrame(Rect& outPortRect) const
{
	CalcPortFrameRect(outPortRect);
	const int titleWidth = mNative ? mNative->Widget()->sizeHint().width() : 0;
	outPortRect.left = SInt16(outPortRect.left + kTitleInset);
	outPortRect.right = SInt16(std::max<int>(
	    outPortRect.left, std::min<int>(outPortRect.right - kTitleInset, outPortRect.left + titleWidth)));
	outPortRect.bottom = SInt16(std::min<int>(outPortRect.bottom, outPortRect.top + kTitleHeight));
}

Boolean LCheckBoxGroupBox::PointInHotSpot(Point inPoint, SInt16) const
{
	Rect frame;
	CalcLocalFrameRect(frame);
	frame.left = SInt16(frame.left + kTitleInset);
	frame.right = SInt16(frame.right - kTitleInset);
	frame.bottom = SInt16(std::min<int>(frame.bottom, frame.top + kTitleHeight));
	return PtInRect(inPoint, &frame);
}

void LCheckBoxGroupBox::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	Rect title;
	CalcNativeFrame(title);
	const SInt16 titleWidth = SInt16(title.right - title.left);
	const SInt16 top = SInt16(frame.top + kTitleHeight / 2);
	const SInt16 right = SInt16(frame.right - 1), bottom = SInt16(frame.bottom - 1);
	StColorPenState penState;
	const RGBColor grey{0x9999, 0x9999, 0x9999};
	RGBForeColor(&grey);
	PenNormal();
	// The top edge leaves a gap for the title.
	MoveTo(SInt16(frame.left + kTitleInset - 2), top);
	LineTo(frame.left, top);
	LineTo(frame.left, bottom);
	LineTo(right, bottom);
	LineTo(right, top);
	LineTo(SInt16(std::min<int>(right, frame.left + kTitleInset + titleWidth + 2)), top);
}
