#pragma once
// The relay settings block of the plug-in settings; it is always stored and read back as zeros.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tRelayParameters {
	static constexpr std::size_t kStoredSize = 509;

	UInt8 data[kStoredSize] = {};
};

inline constexpr tStoredField kRelayParametersLayout[] = {
    STORED_FIELD(tRelayParameters, data, 0, kZero),
};
static_assert(sizeof(tRelayParameters) == tRelayParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kRelayParametersLayout, tRelayParameters::kStoredSize));
