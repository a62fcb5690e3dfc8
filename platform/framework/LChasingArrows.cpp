#include "platform/framework/LChasingArrows.h"

#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/StColorPenState.h"

#include <cmath>

namespace
{
constexpr SInt16 kSteps = 8;
constexpr UInt32 kTicksPerStep = 5;
} // namespace

LChasingArrows::LChasingArrows(LStream* inStream) : LPane(inStream)
{
	if (IsVisible())
		StartRepeating();
}

void LChasingArrows::ShowSelf()
{
	StartRepeating();
}

void LChasingArrows::HideSelf()
{
	StopRepeating();
}

void LChasingArrows::SpendTime(const EventRecord&)
{
	const UInt32 now = TickCount();
	if (now - mLastTick < kTicksPerStep)
		return;
	mLastTick = now;
	mStep = SInt16((mStep + 1) % kSteps);
	Refresh();
}

void LChasingArrows::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	EraseRect(&frame);
	const double cx = (frame.left + frame.right) / 2.0, cy = (frame.top + frame.bottom) / 2.0;
	const double radius = std::min(frame.right - frame.left, frame.bottom - frame.top) / 2.0 - 2;
	for (SInt16 i = 0; i < kSteps; ++i) {
		const double angle = 2 * M_PI * i / kSteps;
		const SInt16 h = SInt16(std::lround(cx + radius * std::cos(angle)));
		const SInt16 v = SInt16(std::lround(cy + radius * std::sin(angle)));
		// The dot of the current step is darkest; the others fade behind it.
		const UInt16 shade = UInt16(0x2222 + ((mStep - i + kSteps) % kSteps) * 0x1B00);
		const RGBColor colour{shade, shade, shade};
		RGBForeColor(&colour);
		Rect dot{SInt16(v - 2), SInt16(h - 2), SInt16(v + 2), SInt16(h + 2)};
		PaintOval(&dot);
	}
}
