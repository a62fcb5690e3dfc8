#include "Includes/TKsRGBColor.h"

TKsRGBColor::TKsRGBColor(UInt16 inRed, UInt16 inGreen, UInt16 inBlue, UInt16 inExtra)
    : red(inRed), green(inGreen), blue(inBlue), extra(inExtra)
{
}

RGBColor TKsRGBColor::GetRGB() const
{
	RGBColor colour;
	colour.red = red;
	colour.green = green;
	colour.blue = blue;
	return colour;
}

void TKsRGBColor::SetRGB(const RGBColor& colour)
{
	red = colour.red;
	green = colour.green;
	blue = colour.blue;
}
