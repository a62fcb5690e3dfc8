#pragma once
// A user-defined category of a portfolio.

#include "Includes/tStoredField.h"
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
	UInt8 reserved38[2] = {};
	float carried[kCarriedCount] = {};
};

inline constexpr tStoredField kCategoryLayout[] = {
    STORED_FIELD(tCategory, name, 0, kText),
    STORED_FIELD(tCategory, signature, 32, kU32),
    STORED_FIELD(tCategory, enabled, 36, kByte),
    STORED_FIELD(tCategory, open, 37, kByte),
    STORED_FIELD(tCategory, reserved38, 38, kReserved),
    STORED_FIELD(tCategory, carried, 40, kF32),
};
static_assert(sizeof(tCategory) == tCategory::kStoredSize);
static_assert(StoredLayoutIsExact(kCategoryLayout, tCategory::kStoredSize));
