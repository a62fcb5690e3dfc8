#pragma once
// What a security's raw quote turns into: its ticker strings, price direction, alerts and idle state, its
// display colour and styles, the alert sound; the number-to-text rules of prices, changes and percentages
// with their stock-fraction form; the default settings of new securities; the one-line export.

#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

#include <functional>

class TCurrency;
class TSecurity;
class TStock;
class TVyDate;

class UZVUtils
{
public:
	// Size of the number and fraction buffers that QuoteString and QuoteChange fill.
	static constexpr int kQuoteTextSize = 256;
	// The last field code of FormatExport's list.
	static constexpr int kExportEnd = 999;

	enum : UInt8 {
		alertPercentGain = 40,
		alertPercentLoss = 41,
		alertGainByAmount = 42,
		alertLossByAmount = 43,
		alertPriceAtOrAbove = 44,
		alertPriceAtOrBelow = 45
	};
	enum : UInt8 { idleByLastUpdate = 10, idleByLastTrade = 11 };
	enum : SInt32 { idleSameDay = -1, idleUntilParsed = -2 };
	enum : UInt8 { fractionsAlways = 1, fractionsNever = 2, fractionsByExchange = 3 };

	// Rebuilds the ticker strings, alerts and idle state, refreshes everything that shows the security
	// and plays the alert sound when an alert starts. The security's own alerts replace the given ones
	// where it overrides them.
	static void UpdateSecurity(TSecurity* security, tAlertParameters* losing, tAlertParameters* gaining,
	                           tIdleParameters* idling);
	static void UpdateTickerStrings(TSecurity* security);
	static void UpdateAlerts(TSecurity* security, tAlertParameters* losing, tAlertParameters* gaining);
	// With notify, a change of the idle flag refreshes the ticklets, detail window and watchers.
	static void CheckIdleSecurity(TSecurity* security, tIdleParameters* idling, TVyDate* now,
	                              bool notify);

	// The alert in force (the security's own record where it overrides, else the plug-in's); all false
	// and 0 for an idle security or one without an alert.
	static void GetAlertSpecs(TSecurity* security, bool& sound, int& soundID, bool& soundAlways,
	                          bool& email, bool& flag);
	// Colour, sound, flash and styles for tickers and windows: the idle look, else the alert's, else the
	// colour of the price direction. The last two results are both the alert's further display flag.
	static void GetDisplaySpecs(TSecurity* security, RGBColor& colour, bool& sound, int& soundID,
	                            bool& flash, bool& bold, bool& italic, bool& underline, bool& flag1,
	                            bool& flag2);
	static void GetColourGradiant(double value, double lowerRange, double upperRange,
	                              const RGBColor* base, const RGBColor* lower, const RGBColor* upper,
	                              RGBColor* result);
	// The plug-in's up, down or unchanged colour for a change from previous to current; unchanged when
	// either value is missing. Colour left as it is without plug-in settings.
	static void GetChangeColour(float previous, float current, RGBColor& colour);

	// Number and fraction each get kQuoteTextSize bytes; either may come back empty.
	static void QuoteString(char* number, char* fraction, float value, bool fractions, int decimals);
	static void QuoteChange(char* number, char* fraction, float previous, float current, bool fractions,
	                        int decimals);
	// At most size characters (and the terminator).
	static void QuotePercent(char* result, int size, float previous, float current);
	// The fraction text of the value's fractional part, or null.
	static const char* StockFraction(float value);
	static int Stock64ths(float value);
	static bool UsesFractions(TSecurity* security);

	static void DefaultAlert(tAlertParameters* alert, bool losing);
	static void DefaultIdling(tIdleParameters* idling);
	static void DefaultSecurity(TSecurity* security, const char* name, const char* symbol,
	                            unsigned long quoter);
	static void DefaultStock(TStock* stock, const char* name, const char* symbol,
	                         tStockExchange exchange);
	static void DefaultCurrency(TCurrency* currency, tCurrency from, tCurrency to);

	// The field codes follow the separator and end with kExportEnd. A new[] line that the caller deletes,
	// or null when it is empty or memory runs out.
	static char* FormatExport(TSecurity* security, const char* separator, ...);
	static UInt32 GetCategorySignature(const char* name);
	static void SendEmailAlert(TSecurity* security);

	// The quoter manager installs the lookup of the source that serves a security; without it new stocks
	// get 'qNON'. Returns the hook it replaces; an empty hook restores the default.
	using QuoterSigHook = std::function<OSType(TSecurity* security)>;
	static QuoterSigHook SetQuoterSigHook(QuoterSigHook hook);
};
