#pragma once
// A user-defined category of a portfolio.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tCategory {
	static constexpr std::size_t kStoredSize = 52;
	static constexpr std::size_t kNameSize = 32;
	static constexpr std::size_t kCarriedCount = 3;

	char name[kNameSize] = {};
	UInt32 signature = 0; // the code ledger entries refer to; 0 until assigned
	UInt8 enabled = 0;
	UInt8 open = 0;
	float carried[kCarriedCount] = {};
};
