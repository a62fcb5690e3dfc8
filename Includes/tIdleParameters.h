#pragma once
// Idle (stale quote) detection, one set for all securities.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tIdleParameters {
	static constexpr std::size_t kStoredSize = 36;

	UInt8 enabled = 0;
	UInt8 kind = 0; // 10 by last update, 11 by last trade
	UInt8 reserved2[2] = {};
	SInt32 threshold = 0; // minutes; -1 a date of today suffices, -2 idle unless parsed since start-up
	UInt8 useColour = 0;
	UInt8 reserved9 = 0;
	RGBColor colour;
	UInt8 flash = 0;
	UInt8 bold = 0;
	UInt8 italic = 0;
	UInt8 underline = 0;
	UInt8 reserved20[16] = {};
};

inline constexpr tStoredField kIdleParametersLayout[] = {
    STORED_FIELD(tIdleParameters, enabled, 0, kByte),
    STORED_FIELD(tIdleParameters, kind, 1, kByte),
    STORED_FIELD(tIdleParameters, reserved2, 2, kReserved),
    STORED_FIELD(tIdleParameters, threshold, 4, kI32),
    STORED_FIELD(tIdleParameters, useColour, 8, kByte),
    STORED_FIELD(tIdleParameters, reserved9, 9, kReserved),
    STORED_FIELD(tIdleParameters, colour, 10, kRGB),
    STORED_FIELD(tIdleParameters, flash, 16, kByte),
    STORED_FIELD(tIdleParameters, bold, 17, kByte),
    STORED_FIELD(tIdleParameters, italic, 18, kByte),
    STORED_FIELD(tIdleParameters, underline, 19, kByte),
    STORED_FIELD(tIdleParameters, reserved20, 20, kReserved),
};
static_assert(sizeof(tIdleParameters) == tIdleParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kIdleParametersLayout, tIdleParameters::kStoredSize));
