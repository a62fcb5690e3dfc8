#include "foundation/USystem.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"

UInt32 USystem::TickCount()
{
	return ::TickCount();
}

void USystem::MakeRGB(RGBColor* color, UInt16 red, UInt16 green, UInt16 blue)
{
	SignalIfNot_(color != nullptr);
	if (color == nullptr)
		return;
	color->red = red;
	color->green = green;
	color->blue = blue;
}
