#pragma once
// One ticker's settings.

#include "Includes/TKsFont.h"
#include "Includes/TKsRGBColor.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tTickerPrefs {
	static constexpr std::size_t kStoredSize = 108;

	SInt16 left = 0;
	SInt16 top = 0;
	UInt16 height = 0;
	UInt16 width = 0;
	TKsRGBColor background;
	TKsRGBColor foreground;
	TKsFont font;
	UInt8 floating = 0;
	UInt8 anchor = 0;
	UInt8 speed = 0;
	UInt8 direction = 0;
	UInt8 border = 0;
};
