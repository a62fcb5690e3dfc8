#pragma once
// A portfolio's settings record.

#include "Includes/tAlertParameters.h"
#include "Includes/tStoredField.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tPortfolioParameters {
	static constexpr std::size_t kStoredSize = 696;
	static constexpr std::size_t kFontNameSize = 32;
	static constexpr std::size_t kPasswordSize = 31;

	UInt8 carried0 = 0;
	UInt8 reserved1[3] = {};
	SInt32 windowTop = 0;
	SInt32 windowLeft = 0;
	SInt32 windowHeight = 0;
	SInt32 windowWidth = 0;
	UInt8 sortKey = 0;
	UInt8 sortDescending = 0;
	UInt8 view = 0;
	UInt8 reserved23[7] = {};
	SInt16 baseCurrency = 0;
	SInt16 carried32 = 0;
	UInt8 allDates = 0;
	UInt8 reserved35 = 0;
	tVyDateOld rangeStart;
	tVyDateOld rangeEnd;
	char fontName[kFontNameSize] = {};
	SInt32 fontNumber = 0;
	SInt32 fontSize = 0;
	UInt8 carried104 = 0;
	UInt8 reserved105[3] = {};
	SInt32 carried108 = 0;
	SInt32 carried112 = 0;
	RGBColor rowColour;
	RGBColor gainColour;
	RGBColor lossColour;
	RGBColor unchangedColour;
	UInt8 alternateRows = 0;
	UInt8 reserved141 = 0;
	RGBColor firstRowColour;
	RGBColor secondRowColour;
	UInt8 referencePrice = 0;
	UInt8 holdingName = 0;
	UInt8 groupByCategory = 0;
	UInt8 reserved157[3] = {};
	tAlertParameters losingAlert;
	tAlertParameters gainingAlert;
	UInt8 passwordSet = 0;
	char password[kPasswordSize] = {}; // scrambled while stored
	UInt8 passwordSwitch = 0;
	UInt8 carried433 = 0;
	UInt8 reserved434[3] = {};
	UInt8 showZeroHoldings = 0;
	UInt8 reserved438[258] = {};
};

inline constexpr tStoredField kPortfolioParametersLayout[] = {
    STORED_FIELD(tPortfolioParameters, carried0, 0, kByte),
    STORED_FIELD(tPortfolioParameters, reserved1, 1, kReserved),
    STORED_FIELD(tPortfolioParameters, windowTop, 4, kI32),
    STORED_FIELD(tPortfolioParameters, windowLeft, 8, kI32),
    STORED_FIELD(tPortfolioParameters, windowHeight, 12, kI32),
    STORED_FIELD(tPortfolioParameters, windowWidth, 16, kI32),
    STORED_FIELD(tPortfolioParameters, sortKey, 20, kByte),
    STORED_FIELD(tPortfolioParameters, sortDescending, 21, kByte),
    STORED_FIELD(tPortfolioParameters, view, 22, kByte),
    STORED_FIELD(tPortfolioParameters, reserved23, 23, kReserved),
    STORED_FIELD(tPortfolioParameters, baseCurrency, 30, kI16),
    STORED_FIELD(tPortfolioParameters, carried32, 32, kI16),
    STORED_FIELD(tPortfolioParameters, allDates, 34, kByte),
    STORED_FIELD(tPortfolioParameters, reserved35, 35, kReserved),
    STORED_FIELD(tPortfolioParameters, rangeStart, 36, kDate),
    STORED_FIELD(tPortfolioParameters, rangeEnd, 50, kDate),
    STORED_FIELD(tPortfolioParameters, fontName, 64, kText),
    STORED_FIELD(tPortfolioParameters, fontNumber, 96, kI32),
    STORED_FIELD(tPortfolioParameters, fontSize, 100, kI32),
    STORED_FIELD(tPortfolioParameters, carried104, 104, kByte),
    STORED_FIELD(tPortfolioParameters, reserved105, 105, kReserved),
    STORED_FIELD(tPortfolioParameters, carried108, 108, kI32),
    STORED_FIELD(tPortfolioParameters, carried112, 112, kI32),
    STORED_FIELD(tPortfolioParameters, rowColour, 116, kRGB),
    STORED_FIELD(tPortfolioParameters, gainColour, 122, kRGB),
    STORED_FIELD(tPortfolioParameters, lossColour, 128, kRGB),
    STORED_FIELD(tPortfolioParameters, unchangedColour, 134, kRGB),
    STORED_FIELD(tPortfolioParameters, alternateRows, 140, kByte),
    STORED_FIELD(tPortfolioParameters, reserved141, 141, kReserved),
    STORED_FIELD(tPortfolioParameters, firstRowColour, 142, kRGB),
    STORED_FIELD(tPortfolioParameters, secondRowColour, 148, kRGB),
    STORED_FIELD(tPortfolioParameters, referencePrice, 154, kByte),
    STORED_FIELD(tPortfolioParameters, holdingName, 155, kByte),
    STORED_FIELD(tPortfolioParameters, groupByCategory, 156, kByte),
    STORED_FIELD(tPortfolioParameters, reserved157, 157, kReserved),
    STORED_BLOCK(tPortfolioParameters, losingAlert, 160, kAlertParametersLayout),
    STORED_BLOCK(tPortfolioParameters, gainingAlert, 280, kAlertParametersLayout),
    STORED_FIELD(tPortfolioParameters, passwordSet, 400, kByte),
    STORED_FIELD(tPortfolioParameters, password, 401, kText),
    STORED_FIELD(tPortfolioParameters, passwordSwitch, 432, kByte),
    STORED_FIELD(tPortfolioParameters, carried433, 433, kByte),
    STORED_FIELD(tPortfolioParameters, reserved434, 434, kReserved),
    STORED_FIELD(tPortfolioParameters, showZeroHoldings, 437, kByte),
    STORED_FIELD(tPortfolioParameters, reserved438, 438, kReserved),
};
static_assert(sizeof(tPortfolioParameters) == tPortfolioParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kPortfolioParametersLayout, tPortfolioParameters::kStoredSize));
