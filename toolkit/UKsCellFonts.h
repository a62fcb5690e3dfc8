#pragma once
// Where table cells place their text for a font size: row height, ascent, descent, leading, baseline and
// centre line, in pixels.

#include "platform/toolbox/MacTypes.h"

class UKsCellFonts
{
public:
	// Half as much again as the size, at least the minimum; a minimum below 1 stands for 19.
	static SInt32 CellHeight(SInt32 inSize, SInt32 inMinimum = 0);
	static void CellFontInfo(SInt32 inSize, SInt32& outAscent, SInt32& outDescent, SInt32& outLeading);
	// Within a row of that height (below 1: the size's own cell height).
	static SInt32 CellBaseLine(SInt32 inSize, SInt32 inHeight);
	static SInt32 CellCentreLine(SInt32 inSize, SInt32 inHeight);
};
