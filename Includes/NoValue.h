#pragma once
// The marker of a quote value that is not known. Stored and compared exactly, never with a tolerance.

#include "platform/toolbox/MacTypes.h"

#include <bit>

constexpr float kNoValue = -9999.99f;
static_assert(std::bit_cast<UInt32>(kNoValue) == 0xC61C3FF6u);
