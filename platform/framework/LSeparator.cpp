#include "platform/framework/LSeparator.h"

#include "platform/toolbox/gui/StColorPenState.h"

void LSeparator::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	PenNormal();
	const RGBColor grey{0x9999, 0x9999, 0x9999};
	RGBForeColor(&grey);
	if (frame.right - frame.left >= frame.bottom - frame.top) {
		const SInt16 v = SInt16((frame.top + frame.bottom) / 2);
		MoveTo(frame.left, v);
		LineTo(SInt16(frame.right - 1), v);
	} else {
		const SInt16 h = SInt16((frame.left + frame.right) / 2);
		MoveTo(h, frame.top);
		LineTo(h, SInt16(frame.bottom - 1));
	}
}
