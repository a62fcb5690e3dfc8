#pragma once
// Factory defaults of the plug-in settings and of the blocks they nest. The conversion of the former
// product's files starts from the same defaults.

#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tRelayParameters.h"
#include "Includes/tStockTickerPrefs.h"
#include "Includes/tSummaryParameters.h"
#include "platform/toolbox/MacTypes.h"

class UConversion
{
public:
	static constexpr RGBColor BlackColour{0, 0, 0};
	static constexpr RGBColor WhiteColour{0xFFFF, 0xFFFF, 0xFFFF};
	static constexpr RGBColor GrayColour{0xCCCC, 0xCCCC, 0xCCCC};
	static constexpr RGBColor RedColour{0xFFFF, 0x32D9, 0};
	static constexpr RGBColor GreenColour{0x32D9, 0xCCCC, 0};
	static constexpr RGBColor BlueColour{0, 0x65B2, 0xCCCC};
	static constexpr RGBColor OrangeColour{0xFFFF, 0x9999, 0};
	static constexpr RGBColor YellowColour{0xFFFF, 0xFFFF, 0};

	// Each fills the whole record: what it does not set is zero.
	static void DefaultPrefs(tStockTickerPrefs* prefs);
	static void DefaultAlert(tAlertParameters* alert, bool losing);
	static void DefaultIdling(tIdleParameters* idling);
	static void DefaultRelay(tRelayParameters* relay);
	static void DefaultSummary(tSummaryParameters* summary);
};
