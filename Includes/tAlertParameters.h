#pragma once
// The settings of one alert (losing or gaining): a security's own, the plug-in's global pair and a
// portfolio's pair.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tAlertParameters {
	static constexpr std::size_t kStoredSize = 120;
	static constexpr std::size_t kReservedOffset = 31;
	static constexpr std::size_t kReservedSize = kStoredSize - kReservedOffset;

	UInt8 enabled = 0;
	UInt8 condition = 0; // alert condition code, 40-45
	float limit = 0;
	UInt8 useColour = 0;
	RGBColor colour;
	UInt8 flash = 0;
	UInt8 bold = 0;
	UInt8 italic = 0;
	UInt8 underline = 0;
	UInt8 playSound = 0;
	SInt32 soundID = 0;
	UInt8 soundAlways = 0; // on every update while alerting, not only when the alert starts
	UInt8 emailNotice = 0;
	UInt8 displayFlag = 0;
	// No meaning is known; kept and stored as they are.
	UInt8 reserved[kReservedSize] = {};
};
