#pragma once
// The application's own settings record.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tKestrunPrefs {
	static constexpr std::size_t kStoredSize = 76;
	static constexpr std::size_t kTextSize = 33;

	// Filled only when the former product's settings are converted; carried unchanged.
	char carriedText1[kTextSize] = {};
	char carriedText2[kTextSize] = {};
	UInt8 carriedFlag = 0;
	UInt8 hideTickersInBackground = 0;
	UInt8 ignoreNewVersions = 0;
	UInt8 reserved69[3] = {};
	float carriedValue = 0;
};

inline constexpr tStoredField kKestrunPrefsLayout[] = {
    STORED_FIELD(tKestrunPrefs, carriedText1, 0, kText),
    STORED_FIELD(tKestrunPrefs, carriedText2, 33, kText),
    STORED_FIELD(tKestrunPrefs, carriedFlag, 66, kByte),
    STORED_FIELD(tKestrunPrefs, hideTickersInBackground, 67, kByte),
    STORED_FIELD(tKestrunPrefs, ignoreNewVersions, 68, kByte),
    STORED_FIELD(tKestrunPrefs, reserved69, 69, kReserved),
    STORED_FIELD(tKestrunPrefs, carriedValue, 72, kF32),
};
static_assert(sizeof(tKestrunPrefs) == tKestrunPrefs::kStoredSize);
static_assert(StoredLayoutIsExact(kKestrunPrefsLayout, tKestrunPrefs::kStoredSize));
