#include "platform/framework/LCheckBoxGroupBox.h"

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
	outPortRect.left = SInt16(outPortRect.left + kTitleInset);
	outPortRect.right = SInt16(std::max(outPortRect.left, SInt16(outPortRect.right - kTitleInset)));
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
	frame.top = SInt16(frame.top + kTitleHeight / 2);
	const RGBColor grey{0x9999, 0x9999, 0x9999};
	RGBForeColor(&grey);
	PenNormal();
	FrameRect(&frame);
}
