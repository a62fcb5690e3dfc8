#pragma once
// The application's own settings record.

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
	float carriedValue = 0;
};
