#pragma once
// The summary window's settings, kept inside the plug-in settings.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tSummaryColumn {
	SInt16 flag = 0;
	UInt32 width = 0;
};

struct tSummaryParameters {
	static constexpr std::size_t kStoredSize = 528;
	static constexpr std::size_t kColumnCount = 20;
	static constexpr std::size_t kFontNameSize = 32;

	UInt8 openAtQuit = 0;
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
};
