#pragma once
// One ticker's settings.

#include "Includes/TKsFont.h"
#include "Includes/TKsRGBColor.h"
#include "Includes/tStoredField.h"
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
	UInt8 reserved105[3] = {};
};

inline constexpr tStoredField kTickerPrefsLayout[] = {
    STORED_FIELD(tTickerPrefs, left, 0, kI16),
    STORED_FIELD(tTickerPrefs, top, 2, kI16),
    STORED_FIELD(tTickerPrefs, height, 4, kU16),
    STORED_FIELD(tTickerPrefs, width, 6, kU16),
    STORED_FIELD(tTickerPrefs, background, 8, kKsRGB),
    STORED_FIELD(tTickerPrefs, foreground, 16, kKsRGB),
    STORED_BLOCK(tTickerPrefs, font, 24, TKsFont::kStoredLayout),
    STORED_FIELD(tTickerPrefs, floating, 100, kByte),
    STORED_FIELD(tTickerPrefs, anchor, 101, kByte),
    STORED_FIELD(tTickerPrefs, speed, 102, kByte),
    STORED_FIELD(tTickerPrefs, direction, 103, kByte),
    STORED_FIELD(tTickerPrefs, border, 104, kByte),
    STORED_FIELD(tTickerPrefs, reserved105, 105, kReserved),
};
static_assert(sizeof(tTickerPrefs) == tTickerPrefs::kStoredSize);
static_assert(StoredLayoutIsExact(kTickerPrefsLayout, tTickerPrefs::kStoredSize));

// The settings' enumerations, one byte each in the record.
using tTickerSpeed = UInt8;
enum : tTickerSpeed {
	kTickerStopped = 0,
	kTickerSlowest = 10,
	kTickerSpeedNew = 12,
	kTickerSpeedMain = 13,
	kTickerFastest = 14
};
using tTickerDirection = UInt8;
enum : tTickerDirection { kTickerRightToLeft = 20, kTickerLeftToRight = 21 };
using tTickerAnchor = UInt8;
enum : tTickerAnchor {
	kTickerAnchorTopFull = 30,
	kTickerAnchorBottomFull = 31,
	kTickerAnchorTopLeft = 32,
	kTickerAnchorBottomLeft = 33,
	kTickerAnchorTopRight = 34,
	kTickerAnchorBottomRight = 35,
	kTickerAnchorFree = 36
};
using tTickerBorder = UInt8;
enum : tTickerBorder { kTickerBorderDefault = 40, kTickerBorderOther = 41 };
