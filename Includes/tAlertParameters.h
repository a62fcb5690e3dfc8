#pragma once
// The settings of one alert (losing or gaining): a security's own, the plug-in's global pair and a
// portfolio's pair.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tAlertParameters {
	static constexpr std::size_t kStoredSize = 120;
	static constexpr std::size_t kReservedOffset = 31;
	static constexpr std::size_t kReservedSize = kStoredSize - kReservedOffset;

	UInt8 enabled = 0;
	UInt8 condition = 0; // alert condition code, 40-45
	UInt8 reserved2[2] = {};
	float limit = 0;
	UInt8 useColour = 0;
	UInt8 reserved9 = 0;
	RGBColor colour;
	UInt8 flash = 0;
	UInt8 bold = 0;
	UInt8 italic = 0;
	UInt8 underline = 0;
	UInt8 playSound = 0;
	UInt8 reserved21[3] = {};
	SInt32 soundID = 0;
	UInt8 soundAlways = 0; // on every update while alerting, not only when the alert starts
	UInt8 emailNotice = 0;
	UInt8 displayFlag = 0;
	// No meaning is known; kept and stored as they are.
	UInt8 reserved[kReservedSize] = {};
};

inline constexpr tStoredField kAlertParametersLayout[] = {
    STORED_FIELD(tAlertParameters, enabled, 0, kByte),
    STORED_FIELD(tAlertParameters, condition, 1, kByte),
    STORED_FIELD(tAlertParameters, reserved2, 2, kReserved),
    STORED_FIELD(tAlertParameters, limit, 4, kF32),
    STORED_FIELD(tAlertParameters, useColour, 8, kByte),
    STORED_FIELD(tAlertParameters, reserved9, 9, kReserved),
    STORED_FIELD(tAlertParameters, colour, 10, kRGB),
    STORED_FIELD(tAlertParameters, flash, 16, kByte),
    STORED_FIELD(tAlertParameters, bold, 17, kByte),
    STORED_FIELD(tAlertParameters, italic, 18, kByte),
    STORED_FIELD(tAlertParameters, underline, 19, kByte),
    STORED_FIELD(tAlertParameters, playSound, 20, kByte),
    STORED_FIELD(tAlertParameters, reserved21, 21, kReserved),
    STORED_FIELD(tAlertParameters, soundID, 24, kI32),
    STORED_FIELD(tAlertParameters, soundAlways, 28, kByte),
    STORED_FIELD(tAlertParameters, emailNotice, 29, kByte),
    STORED_FIELD(tAlertParameters, displayFlag, 30, kByte),
    STORED_FIELD(tAlertParameters, reserved, tAlertParameters::kReservedOffset, kReserved),
};
static_assert(sizeof(tAlertParameters) == tAlertParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kAlertParametersLayout, tAlertParameters::kStoredSize));
