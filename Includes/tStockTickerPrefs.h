#pragma once
// The securities plug-in's settings record.

#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tRelayParameters.h"
#include "Includes/tStoredField.h"
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
	UInt8 reserved7 = 0;
	RGBColor normalColour;
	RGBColor upColour;
	RGBColor downColour;
	RGBColor unchangedColour;
	UInt8 useColourGradient = 0;
	UInt8 reserved33 = 0;
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
	UInt8 reserved361[3] = {};
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
	UInt8 reserved735 = 0;
	SInt32 stockQQTop = 0;
	SInt32 stockQQLeft = 0;
	UInt8 reserved744[12] = {};
	SInt16 stockQQExchange = 0;
	UInt8 reserved758[2] = {};
	OSType stockQQQuoter = 0;
	UInt8 currencyQQOpenAtQuit = 0;
	UInt8 reserved765[3] = {};
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

inline constexpr tStoredField kStockTickerPrefsLayout[] = {
    STORED_FIELD(tStockTickerPrefs, showSymbol, 0, kByte),
    STORED_FIELD(tStockTickerPrefs, showName, 1, kByte),
    STORED_FIELD(tStockTickerPrefs, showPrice, 2, kByte),
    STORED_FIELD(tStockTickerPrefs, showPercentChange, 3, kByte),
    STORED_FIELD(tStockTickerPrefs, showChange, 4, kByte),
    STORED_FIELD(tStockTickerPrefs, showVolume, 5, kByte),
    STORED_FIELD(tStockTickerPrefs, fractionMode, 6, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved7, 7, kReserved),
    STORED_FIELD(tStockTickerPrefs, normalColour, 8, kRGB),
    STORED_FIELD(tStockTickerPrefs, upColour, 14, kRGB),
    STORED_FIELD(tStockTickerPrefs, downColour, 20, kRGB),
    STORED_FIELD(tStockTickerPrefs, unchangedColour, 26, kRGB),
    STORED_FIELD(tStockTickerPrefs, useColourGradient, 32, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved33, 33, kReserved),
    STORED_FIELD(tStockTickerPrefs, gradientMiddleColour, 34, kRGB),
    STORED_FIELD(tStockTickerPrefs, useTickletFont, 40, kByte),
    STORED_FIELD(tStockTickerPrefs, tickletFontName, 41, kText),
    STORED_FIELD(tStockTickerPrefs, tickletFontNumber, 72, kI32),
    STORED_FIELD(tStockTickerPrefs, tickletFontSize, 76, kI32),
    STORED_BLOCK(tStockTickerPrefs, losingAlert, 80, kAlertParametersLayout),
    STORED_BLOCK(tStockTickerPrefs, gainingAlert, 200, kAlertParametersLayout),
    STORED_BLOCK(tStockTickerPrefs, idling, 320, kIdleParametersLayout),
    STORED_FIELD(tStockTickerPrefs, stocksOn, 356, kByte),
    STORED_FIELD(tStockTickerPrefs, fundsOn, 357, kByte),
    STORED_FIELD(tStockTickerPrefs, indexesOn, 358, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved359, 359, kReserved),
    STORED_FIELD(tStockTickerPrefs, currenciesOn, 360, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved361, 361, kReserved),
    STORED_FIELD(tStockTickerPrefs, americanQuoter, 364, kU32),
    STORED_FIELD(tStockTickerPrefs, canadianQuoter, 368, kU32),
    STORED_FIELD(tStockTickerPrefs, europeanQuoter, 372, kU32),
    STORED_FIELD(tStockTickerPrefs, australianQuoter, 376, kU32),
    STORED_FIELD(tStockTickerPrefs, currencyQuoter, 380, kU32),
    STORED_FIELD(tStockTickerPrefs, stockMinutes, 384, kI32),
    STORED_FIELD(tStockTickerPrefs, fundMinutes, 388, kI32),
    STORED_FIELD(tStockTickerPrefs, indexMinutes, 392, kI32),
    STORED_FIELD(tStockTickerPrefs, reserved396, 396, kI32),
    STORED_FIELD(tStockTickerPrefs, currencyMinutes, 400, kI32),
    STORED_FIELD(tStockTickerPrefs, hideDetailWindowsInBackground, 404, kByte),
    STORED_FIELD(tStockTickerPrefs, detailUpdate, 405, kByte),
    STORED_FIELD(tStockTickerPrefs, useTradeURL, 406, kByte),
    STORED_FIELD(tStockTickerPrefs, tradeURL, 407, kText),
    STORED_FIELD(tStockTickerPrefs, stockViewType, 663, kByte),
    STORED_FIELD(tStockTickerPrefs, fundViewType, 664, kByte),
    STORED_FIELD(tStockTickerPrefs, indexViewType, 665, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved666, 666, kReserved),
    STORED_FIELD(tStockTickerPrefs, currencyViewType, 667, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved668, 668, kReserved),
    STORED_FIELD(tStockTickerPrefs, reserved669, 669, kReserved),
    STORED_FIELD(tStockTickerPrefs, reserved670, 670, kReserved),
    STORED_FIELD(tStockTickerPrefs, stockQQOpenAtQuit, 734, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved735, 735, kReserved),
    STORED_FIELD(tStockTickerPrefs, stockQQTop, 736, kI32),
    STORED_FIELD(tStockTickerPrefs, stockQQLeft, 740, kI32),
    STORED_FIELD(tStockTickerPrefs, reserved744, 744, kReserved),
    STORED_FIELD(tStockTickerPrefs, stockQQExchange, 756, kI16),
    STORED_FIELD(tStockTickerPrefs, reserved758, 758, kReserved),
    STORED_FIELD(tStockTickerPrefs, stockQQQuoter, 760, kU32),
    STORED_FIELD(tStockTickerPrefs, currencyQQOpenAtQuit, 764, kByte),
    STORED_FIELD(tStockTickerPrefs, reserved765, 765, kReserved),
    STORED_FIELD(tStockTickerPrefs, currencyQQTop, 768, kI32),
    STORED_FIELD(tStockTickerPrefs, currencyQQLeft, 772, kI32),
    STORED_FIELD(tStockTickerPrefs, currencyQQFrom, 776, kI16),
    STORED_FIELD(tStockTickerPrefs, currencyQQTo, 778, kI16),
    STORED_FIELD(tStockTickerPrefs, currencyQQAmount, 780, kF32),
    STORED_FIELD(tStockTickerPrefs, currencyQQAdjustment, 784, kI32),
    STORED_BLOCK(tStockTickerPrefs, summary, 788, kSummaryParametersLayout),
    STORED_BLOCK(tStockTickerPrefs, relay, 1316, kRelayParametersLayout),
    STORED_FIELD(tStockTickerPrefs, stockQQSymbol, 1825, kText),
    STORED_FIELD(tStockTickerPrefs, reserved1953, 1953, kReserved),
};
static_assert(sizeof(tStockTickerPrefs) == tStockTickerPrefs::kStoredSize);
static_assert(StoredLayoutIsExact(kStockTickerPrefsLayout, tStockTickerPrefs::kStoredSize));
