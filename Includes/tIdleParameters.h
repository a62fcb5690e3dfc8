#pragma once
// Idle (stale quote) detection, one set for all securities.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tIdleParameters {
	static constexpr std::size_t kStoredSize = 36;

	UInt8 enabled = 0;
	UInt8 kind = 0;       // 10 by last update, 11 by last trade
	SInt32 threshold = 0; // minutes; -1 a date of today suffices, -2 idle unless parsed since start-up
	UInt8 useColour = 0;
	RGBColor colour;
	UInt8 flash = 0;
	UInt8 bold = 0;
	UInt8 italic = 0;
	UInt8 underline = 0;
};
