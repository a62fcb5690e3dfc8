#include "platform/framework/LPlacard.h"

#include "platform/toolbox/gui/StColorPenState.h"

void LPlacard::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	PenNormal();
	const RGBColor fill{0xEEEE, 0xEEEE, 0xEEEE};
	const RGBColor edge{0xAAAA, 0xAAAA, 0xAAAA};
	RGBForeColor(&fill);
	PaintRect(&frame);
	RGBForeColor(&edge);
	FrameRect(&frame);
}
