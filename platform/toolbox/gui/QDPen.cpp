#include "platform/toolbox/gui/GrafPort.h"

namespace
{
Pattern* TwoRowPattern(Pattern* result, UInt8 even, UInt8 odd)
{
	if (result)
		for (int row = 0; row < 8; ++row)
			result->pat[row] = row % 2 ? odd : even;
	return result;
}
} // namespace

void MoveTo(SInt16 h, SInt16 v)
{
	if (GrafPort* port = QD::CurrentPort())
		port->pnLoc = Point{v, h};
}

void Move(SInt16 dh, SInt16 dv)
{
	if (GrafPort* port = QD::CurrentPort())
		MoveTo(SInt16(port->pnLoc.h + dh), SInt16(port->pnLoc.v + dv));
}

void Line(SInt16 dh, SInt16 dv)
{
	if (GrafPort* port = QD::CurrentPort())
		LineTo(SInt16(port->pnLoc.h + dh), SInt16(port->pnLoc.v + dv));
}

void GetPen(Point* pt)
{
	GrafPort* port = QD::CurrentPort();
	if (port && pt)
		*pt = port->pnLoc;
}

void PenSize(SInt16 width, SInt16 height)
{
	if (GrafPort* port = QD::CurrentPort())
		port->pnSize = Point{height, width};
}

void PenMode(SInt16 mode)
{
	if (GrafPort* port = QD::CurrentPort())
		port->pnMode = mode;
}

void PenPat(const Pattern* pattern)
{
	GrafPort* port = QD::CurrentPort();
	if (port && pattern)
		port->pnPat = *pattern;
}

void PenNormal()
{
	if (GrafPort* port = QD::CurrentPort()) {
		port->pnSize = Point{1, 1};
		port->pnMode = patCopy;
		port->pnPat = Pattern{};
	}
}

void GetPenState(PenState* state)
{
	GrafPort* port = QD::CurrentPort();
	if (port && state)
		*state = PenState{port->pnLoc, port->pnSize, port->pnMode, port->pnPat};
}

void SetPenState(const PenState* state)
{
	GrafPort* port = QD::CurrentPort();
	if (port && state) {
		port->pnLoc = state->pnLoc;
		port->pnSize = state->pnSize;
		port->pnMode = state->pnMode;
		port->pnPat = state->pnPat;
	}
}

Pattern* GetQDGlobalsBlack(Pattern* result)
{
	return TwoRowPattern(result, 0xFF, 0xFF);
}

Pattern* GetQDGlobalsDarkGray(Pattern* result)
{
	return TwoRowPattern(result, 0x77, 0xDD);
}

Pattern* GetQDGlobalsGray(Pattern* result)
{
	return TwoRowPattern(result, 0xAA, 0x55);
}

Pattern* GetQDGlobalsLightGray(Pattern* result)
{
	return TwoRowPattern(result, 0x88, 0x22);
}

Pattern* GetQDGlobalsWhite(Pattern* result)
{
	return TwoRowPattern(result, 0x00, 0x00);
}
