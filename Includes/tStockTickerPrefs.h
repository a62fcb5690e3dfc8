#pragma once
// The securities plug-in's settings record.

#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tRelayParameters.h"
#include "Includes/tSummaryParameters.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tStockTickerPrefs {
	static constexpr std::size_t kStoredSize = 2084;
	static constexpr std::size_t kTickletFontNameSize = 31;
	static constexpr std::size_t kTradeURLSize = 256;
	static constexpr std::size_t kStockQQSymbolSize = 128;

	UInt8 showSymbol = 0;
	UInt8 showName = 0;
	UInt8 showPrice = 0;
	UInt8 showPercentChange = 0;
	UInt8 showChange = 0;
	UInt8 showVolume = 0;
	UInt8 fractionMode = 0;
	RGBColor normalColour;
	RGBColor upColour;
	RGBColor downColour;
	RGBColor unchangedColour;
	UInt8 useColourGradient = 0;
	RGBColor gradientMiddleColour;
	UInt8 useTickletFont = 0;
	char tickletFontName[kTickletFontNameSize] = {};
	SInt32 tickletFontNumber = 0;
	SInt32 tickletFontSize = 0;
	tAlertParameters losingAlert;
	tAlertParameters gainingAlert;
	tIdleParameters idling;
	UInt8 stocksOn = 0;
	UInt8 fundsOn = 0;
	UInt8 indexesOn = 0;
	UInt8 reserved359 = 0;
	UInt8 currenciesOn = 0;
	OSType americanQuoter = 0;
	OSType canadianQuoter = 0;
	OSType europeanQuoter = 0;
	OSType australianQuoter = 0;
	OSType currencyQuoter = 0;
	SInt32 stockMinutes = 0;
	SInt32 fundMinutes = 0;
	SInt32 indexMinutes = 0;
	SInt32 reserved396 = 0;
	SInt32 currencyMinutes = 0;
	UInt8 hideDetailWindowsInBackground = 0;
	UInt8 detailUpdate = 0;
	UInt8 useTradeURL = 0;
	char tradeURL[kTradeURLSize] = {};
	UInt8 stockViewType = 0;
	UInt8 fundViewType = 0;
	UInt8 indexViewType = 0;
	UInt8 reserved666 = 0;
	UInt8 currencyViewType = 0;
	UInt8 reserved668 = 0;
	UInt8 reserved669 = 0;
	UInt8 reserved670[64] = {};
	UInt8 stockQQOpenAtQuit = 0;
	SInt32 stockQQTop = 0;
	SInt32 stockQQLeft = 0;
	UInt8 reserved744[12] = {};
	SInt16 stockQQExchange = 0;
	OSType stockQQQuoter = 0;
	UInt8 currencyQQOpenAtQuit = 0;
	SInt32 currencyQQTop = 0;
	SInt32 currencyQQLeft = 0;
	SInt16 currencyQQFrom = 0;
	SInt16 currencyQQTo = 0;
	float currencyQQAmount = 0;
	SInt32 currencyQQAdjustment = 0;
	tSummaryParameters summary;
	tRelayParameters relay;
	char stockQQSymbol[kStockQQSymbolSize] = {};
	UInt8 reserved1953[131] = {};
};
