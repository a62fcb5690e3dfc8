#include "toolkit/UKsCellFonts.h"

#include <algorithm>

namespace
{
constexpr SInt32 kDefaultMinimum = 19;
}

SInt32 UKsCellFonts::CellHeight(SInt32 inSize, SInt32 inMinimum)
{
	return std::max((inSize * 3) >> 1, inMinimum < 1 ? kDefaultMinimum : inMinimum);
}

void UKsCellFonts::CellFontInfo(SInt32 inSize, SInt32& outAscent, SInt32& outDescent, SInt32& outLeading)
{
	outDescent = inSize >> 2;
	outAscent = inSize - outDescent;
	outLeading = (CellHeight(inSize) - inSize) >> 1;
}

SInt32 UKsCellFonts::CellBaseLine(SInt32 inSize, SInt32 inHeight)
{
	SInt32 ascent, descent, leading;
	CellFontInfo(inSize, ascent, descent, leading);
	const SInt32 height = inHeight < 1 ? CellHeight(inSize) : inHeight;
	return height - leading - descent;
}

SInt32 UKsCellFonts::CellCentreLine(SInt32 inSize, SInt32 inHeight)
{
	SInt32 ascent, descent, leading;
	CellFontInfo(inSize, ascent, descent, leading);
	return CellBaseLine(inSize, inHeight) - (ascent >> 1);
}
