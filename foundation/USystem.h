#pragma once
// The system's clock and colour helpers.

#include "platform/toolbox/MacTypes.h"

class USystem
{
public:
	static UInt32 TicksPerSecond() { return 60; }
	static UInt32 TickCount();
	static void MakeRGB(RGBColor* color, UInt16 red, UInt16 green, UInt16 blue);
};
