#pragma once
// A portfolio's settings record.

#include "Includes/tAlertParameters.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tPortfolioParameters {
	static constexpr std::size_t kStoredSize = 696;
	static constexpr std::size_t kFontNameSize = 32;
	static constexpr std::size_t kPasswordSize = 31;

	UInt8 carried0 = 0;
	SInt32 windowTop = 0;
	SInt32 windowLeft = 0;
	SInt32 windowHeight = 0;
	SInt32 windowWidth = 0;
	UInt8 sortKey = 0;
	UInt8 sortDescending = 0;
	UInt8 view = 0;
	SInt16 baseCurrency = 0;
	SInt16 carried32 = 0;
	UInt8 allDates = 0;
	tVyDateOld rangeStart;
	tVyDateOld rangeEnd;
	char fontName[kFontNameSize] = {};
	SInt32 fontNumber = 0;
	SInt32 fontSize = 0;
	UInt8 carried104 = 0;
	SInt32 carried108 = 0;
	SInt32 carried112 = 0;
	RGBColor rowColour;
	RGBColor gainColour;
	RGBColor lossColour;
	RGBColor unchangedColour;
	UInt8 alternateRows = 0;
	RGBColor firstRowColour;
	RGBColor secondRowColour;
	UInt8 referencePrice = 0;
	UInt8 holdingName = 0;
	UInt8 groupByCategory = 0;
	tAlertParameters losingAlert;
	tAlertParameters gainingAlert;
	UInt8 passwordSet = 0;
	char password[kPasswordSize] = {}; // scrambled while stored
	UInt8 passwordSwitch = 0;
	UInt8 carried433 = 0;
	UInt8 showZeroHoldings = 0;
};
