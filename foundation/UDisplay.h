#pragma once
// The moments at which blinking displays turn on and off: on at each whole second, off 40 ticks past it.

#include "platform/toolbox/MacTypes.h"

class UDisplay
{
public:
	// The tick count of the next whole second.
	static UInt32 FlashTickOn();
	// The next tick count, strictly after now, that lies 40 ticks past a whole second.
	static UInt32 FlashTickOff();
};
