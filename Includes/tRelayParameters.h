#pragma once
// The relay settings block of the plug-in settings; it is always stored and read back as zeros.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tRelayParameters {
	static constexpr std::size_t kStoredSize = 509;

	UInt8 data[kStoredSize] = {};
};
