#include "foundation/UDisplay.h"

#include "platform/toolbox/TickCount.h"

namespace
{
const UInt32 kTicksPerSecond = 60;
const UInt32 kShownTicks = 40;
} // namespace

UInt32 UDisplay::FlashTickOn()
{
	return (TickCount() / kTicksPerSecond + 1) * kTicksPerSecond;
}

UInt32 UDisplay::FlashTickOff()
{
	const UInt32 now = TickCount();
	const UInt32 off = now / kTicksPerSecond * kTicksPerSecond + kShownTicks;
	return off > now ? off : off + kTicksPerSecond;
}
