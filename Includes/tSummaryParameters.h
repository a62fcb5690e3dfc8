#pragma once
// The summary window's settings, kept inside the plug-in settings.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tSummaryColumn {
	SInt16 flag = 0;
	UInt8 reserved2[2] = {};
	UInt32 width = 0;
};

inline constexpr tStoredField kSummaryColumnLayout[] = {
    STORED_FIELD(tSummaryColumn, flag, 0, kI16),
    STORED_FIELD(tSummaryColumn, reserved2, 2, kReserved),
    STORED_FIELD(tSummaryColumn, width, 4, kU32),
};
static_assert(StoredLayoutIsExact(kSummaryColumnLayout, sizeof(tSummaryColumn)));

struct tSummaryParameters {
	static constexpr std::size_t kStoredSize = 528;
	static constexpr std::size_t kColumnCount = 20;
	static constexpr std::size_t kFontNameSize = 32;

	UInt8 openAtQuit = 0;
	UInt8 reserved1[3] = {};
	SInt32 windowTop = 0;
	SInt32 windowLeft = 0;
	SInt32 windowHeight = 0;
	SInt32 windowWidth = 0;
	tSummaryColumn columns[kColumnCount];
	char fontName[kFontNameSize] = {};
	SInt32 fontNumber = 0;
	SInt32 fontSize = 0;
	SInt32 layoutNumber = 0;
	SInt32 layoutNumber2 = 0;
	RGBColor backgroundColour;
	RGBColor textColour1;
	RGBColor textColour2;
	RGBColor textColour3;
	UInt8 grid = 0;
	UInt8 reserved253 = 0;
	RGBColor evenRowColour;
	RGBColor oddRowColour;
	UInt8 showStocks = 0;
	UInt8 showFunds = 0;
	UInt8 showIndexes = 0;
	UInt8 showCurrencies = 0;
	UInt8 sortKey = 0;
	UInt8 descending = 0;
	UInt8 updateIndicator = 0;
	UInt8 indicatorAsDot = 0;
	UInt8 indicatorAsInvertedRow = 0;
	UInt8 antiAliased = 0;
	SInt32 selectedRow = 0;
	UInt8 viewMode = 0;
	UInt8 reserved281[247] = {};
};

inline constexpr tStoredField kSummaryParametersLayout[] = {
    STORED_FIELD(tSummaryParameters, openAtQuit, 0, kByte),
    STORED_FIELD(tSummaryParameters, reserved1, 1, kReserved),
    STORED_FIELD(tSummaryParameters, windowTop, 4, kI32),
    STORED_FIELD(tSummaryParameters, windowLeft, 8, kI32),
    STORED_FIELD(tSummaryParameters, windowHeight, 12, kI32),
    STORED_FIELD(tSummaryParameters, windowWidth, 16, kI32),
    STORED_BLOCK(tSummaryParameters, columns, 20, kSummaryColumnLayout),
    STORED_FIELD(tSummaryParameters, fontName, 180, kText),
    STORED_FIELD(tSummaryParameters, fontNumber, 212, kI32),
    STORED_FIELD(tSummaryParameters, fontSize, 216, kI32),
    STORED_FIELD(tSummaryParameters, layoutNumber, 220, kI32),
    STORED_FIELD(tSummaryParameters, layoutNumber2, 224, kI32),
    STORED_FIELD(tSummaryParameters, backgroundColour, 228, kRGB),
    STORED_FIELD(tSummaryParameters, textColour1, 234, kRGB),
    STORED_FIELD(tSummaryParameters, textColour2, 240, kRGB),
    STORED_FIELD(tSummaryParameters, textColour3, 246, kRGB),
    STORED_FIELD(tSummaryParameters, grid, 252, kByte),
    STORED_FIELD(tSummaryParameters, reserved253, 253, kReserved),
    STORED_FIELD(tSummaryParameters, evenRowColour, 254, kRGB),
    STORED_FIELD(tSummaryParameters, oddRowColour, 260, kRGB),
    STORED_FIELD(tSummaryParameters, showStocks, 266, kByte),
    STORED_FIELD(tSummaryParameters, showFunds, 267, kByte),
    STORED_FIELD(tSummaryParameters, showIndexes, 268, kByte),
    STORED_FIELD(tSummaryParameters, showCurrencies, 269, kByte),
    STORED_FIELD(tSummaryParameters, sortKey, 270, kByte),
    STORED_FIELD(tSummaryParameters, descending, 271, kByte),
    STORED_FIELD(tSummaryParameters, updateIndicator, 272, kByte),
    STORED_FIELD(tSummaryParameters, indicatorAsDot, 273, kByte),
    STORED_FIELD(tSummaryParameters, indicatorAsInvertedRow, 274, kByte),
    STORED_FIELD(tSummaryParameters, antiAliased, 275, kByte),
    STORED_FIELD(tSummaryParameters, selectedRow, 276, kI32),
    STORED_FIELD(tSummaryParameters, viewMode, 280, kByte),
    STORED_FIELD(tSummaryParameters, reserved281, 281, kReserved),
};
static_assert(sizeof(tSummaryParameters) == tSummaryParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kSummaryParametersLayout, tSummaryParameters::kStoredSize));
