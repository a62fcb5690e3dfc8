#include "model/UZVUtils.h"

#include "Includes/NoValue.h"
#include "foundation/TVyDate.h"
#include "foundation/UNumbers.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TExchange.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "model/UAlertSound.h"
#include "model/UNews.h"
#include "platform/toolbox/Debugging.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace
{

struct tStockFraction {
	float value;
	const char* text;
	int sixtyFourths;
};

// Searched in order; the row without text ends it.
const tStockFraction sStockFractions[] = {
    {0.0f, "", 0},
    {1.0f / 4, "1/4", 16},
    {1.0f / 2, "1/2", 32},
    {3.0f / 4, "3/4", 48},
    {1.0f / 8, "1/8", 8},
    {3.0f / 8, "3/8", 24},
    {5.0f / 8, "5/8", 40},
    {7.0f / 8, "7/8", 56},
    {1.0f / 16, "1/16", 4},
    {3.0f / 16, "3/16", 12},
    {5.0f / 16, "5/16", 20},
    {7.0f / 16, "7/16", 28},
    {9.0f / 16, "9/16", 36},
    {11.0f / 16, "11/16", 44},
    {13.0f / 16, "13/16", 52},
    {15.0f / 16, "15/16", 60},
    {1.0f / 5, "1/5", 0},
    {2.0f / 5, "2/5", 0},
    {3.0f / 5, "3/5", 0},
    {4.0f / 5, "4/5", 0},
    {1.0f / 10, "1/10", 0},
    {3.0f / 10, "3/10", 0},
    {7.0f / 10, "7/10", 0},
    {9.0f / 10, "9/10", 0},
    {1.0f / 20, "1/20", 0},
    {3.0f / 20, "3/20", 0},
    {7.0f / 20, "7/20", 0},
    {9.0f / 20, "9/20", 0},
    {11.0f / 20, "11/20", 0},
    {13.0f / 20, "13/20", 0},
    {17.0f / 20, "17/20", 0},
    {19.0f / 20, "19/20", 0},
    {1.0f / 32, "1/32", 2},
    {3.0f / 32, "3/32", 6},
    {5.0f / 32, "5/32", 10},
    {7.0f / 32, "7/32", 14},
    {9.0f / 32, "9/32", 18},
    {11.0f / 32, "11/32", 22},
    {13.0f / 32, "13/32", 26},
    {15.0f / 32, "15/32", 30},
    {17.0f / 32, "17/32", 34},
    {19.0f / 32, "19/32", 38},
    {21.0f / 32, "21/32", 42},
    {23.0f / 32, "23/32", 46},
    {25.0f / 32, "25/32", 50},
    {27.0f / 32, "27/32", 54},
    {29.0f / 32, "29/32", 58},
    {31.0f / 32, "31/32", 62},
    {1.0f / 64, "1/64", 1},
    {3.0f / 64, "3/64", 3},
    {5.0f / 64, "5/64", 5},
    {7.0f / 64, "7/64", 7},
    {9.0f / 64, "9/64", 9},
    {11.0f / 64, "11/64", 11},
    {13.0f / 64, "13/64", 13},
    {15.0f / 64, "15/64", 15},
    {17.0f / 64, "17/64", 17},
    {19.0f / 64, "19/64", 19},
    {21.0f / 64, "21/64", 21},
    {23.0f / 64, "23/64", 23},
    {25.0f / 64, "25/64", 25},
    {27.0f / 64, "27/64", 27},
    {29.0f / 64, "29/64", 29},
    {31.0f / 64, "31/64", 31},
    {33.0f / 64, "33/64", 33},
    {35.0f / 64, "35/64", 35},
    {37.0f / 64, "37/64", 37},
    {39.0f / 64, "39/64", 39},
    {41.0f / 64, "41/64", 41},
    {43.0f / 64, "43/64", 43},
    {45.0f / 64, "45/64", 45},
    {47.0f / 64, "47/64", 47},
    {49.0f / 64, "49/64", 49},
    {51.0f / 64, "51/64", 51},
    {53.0f / 64, "53/64", 53},
    {55.0f / 64, "55/64", 55},
    {57.0f / 64, "57/64", 57},
    {59.0f / 64, "59/64", 59},
    {61.0f / 64, "61/64", 61},
    {63.0f / 64, "63/64", 63},
    {0.0f, nullptr, 0},
};

constexpr float kFractionTolerance = 0.00001f;

const tStockFraction* FindFraction(float value)
{
	if (!std::isfinite(value))
		return nullptr;
	const float f = std::fabs(value - std::trunc(value));
	for (const tStockFraction* row = sStockFractions; row->text != nullptr; ++row)
		if (row->value == f || std::fabs(row->value - f) < kFractionTolerance)
			return row;
	return nullptr;
}

// The whole part of a value, when it fits a long; a value beyond that range has no fraction to show.
bool WholePart(float value, long& whole)
{
	if (!(std::fabs(value) < 1e15f))
		return false;
	whole = long(std::trunc(value));
	return true;
}

bool HasFractionalPart(float value)
{
	return std::trunc(value) != value;
}

void SetText(char* target, const char* format, ...) __attribute__((format(printf, 2, 3)));

void SetText(char* target, const char* format, ...)
{
	va_list args;
	va_start(args, format);
	std::vsnprintf(target, UZVUtils::kQuoteTextSize, format, args);
	va_end(args);
}

} // namespace

void UZVUtils::QuoteString(char* number, char* fraction, float value, bool fractions, int decimals)
{
	SignalIf_(number == nullptr || fraction == nullptr);
	if (number == nullptr || fraction == nullptr)
		return;
	number[0] = 0;
	fraction[0] = 0;
	long whole = 0;
	if (!fractions || !WholePart(value, whole)) {
		UNumbers::FormatFixed(number, kQuoteTextSize, value, decimals);
		return;
	}
	const char* text = StockFraction(value);
	if (text != nullptr && text[0] == 0)
		text = nullptr;
	if (text != nullptr && whole != 0) {
		SetText(number, "%ld", whole);
		SetText(fraction, "%s", text);
	} else if (text != nullptr) {
		if (value > 0)
			SetText(fraction, "%s", text);
		else
			SetText(fraction, "%c%s", '-', text);
	} else if (HasFractionalPart(value)) {
		UNumbers::FormatFixed(number, kQuoteTextSize, value, decimals);
	} else {
		SetText(number, "%ld", whole);
	}
}

void UZVUtils::QuoteChange(char* number, char* fraction, float previous, float current, bool fractions,
                           int decimals)
{
	SignalIf_(number == nullptr || fraction == nullptr);
	if (number == nullptr || fraction == nullptr)
		return;
	number[0] = 0;
	fraction[0] = 0;
	// Adding zero turns a negative zero into zero, which would otherwise print as "+-0.00".
	const float change = (current - previous) + 0.0f;
	const bool positive = change > 0;
	// The decimals shown are those of the difference of the two prices as the user reads them.
	auto decimal = [&](bool inPlus) {
		const double exact =
		    UNumbers::ShortestDouble(current) - UNumbers::ShortestDouble(previous) + 0.0;
		char* at = number;
		if (inPlus)
			*at++ = '+';
		UNumbers::FormatFixed(at, long(kQuoteTextSize - (at - number)), exact, decimals);
	};
	long whole = 0;
	if (!fractions || !WholePart(change, whole)) {
		decimal(change >= 0);
		return;
	}
	const char* text = StockFraction(change);
	if (text != nullptr && text[0] == 0)
		text = nullptr;
	if (text == nullptr) {
		if (HasFractionalPart(change)) {
			decimal(positive);
		} else if (change >= 0) {
			SetText(number, "%c%ld", '+', whole);
		} else {
			SetText(number, "%ld", whole);
		}
	} else if (whole != 0) {
		SetText(fraction, "%s", text);
		if (positive)
			SetText(number, "%c%ld", '+', whole);
		else
			SetText(number, "%ld", whole);
	} else {
		SetText(fraction, "%c%s", positive ? '+' : '-', text);
	}
}

void UZVUtils::QuotePercent(char* result, int size, float previous, float current)
{
	SignalIf_(result == nullptr);
	if (result == nullptr)
		return;
	char text[kQuoteTextSize];
	const float percent = previous == 0 || current == 0 ? 0.0f : 100.0f * (current - previous) / previous;
	if (percent == 0)
		std::snprintf(text, sizeof text, "+0%%");
	else
		std::snprintf(text, sizeof text, "%c%.2f%%", percent > 0 ? '+' : '-',
		              double(std::fabs(percent)));
	strcpyn(result, text, size > 0 ? size : 0);
}

const char* UZVUtils::StockFraction(float value)
{
	if (const tStockFraction* row = FindFraction(value))
		return row->text;
	const float f = std::fabs(value - std::trunc(value));
	if (f == 1.0f / 3)
		return "1/3";
	if (f == 2.0f / 3)
		return "2/3";
	if (f == 1.0f / 6)
		return "1/6";
	if (f == 5.0f / 6)
		return "5/6";
	return nullptr;
}

int UZVUtils::Stock64ths(float value)
{
	const tStockFraction* row = FindFraction(value);
	return row != nullptr ? row->sixtyFourths : 0;
}

namespace
{

// A kind that none of this system's securities has; it is treated like a fund.
constexpr tSecurityType kStreamingKind = 200;

constexpr float kGradientRange = 5.0f;
constexpr const char* kNoPriceText = "N/A";
constexpr const char* kNoSymbolText = "????";
constexpr const char* kNoNameText = "Unknown Security";

UZVUtils::QuoterSigHook sQuoterSigHook;

bool IsKnown(float value)
{
	return value != kNoValue;
}

// A missing price or close counts as no change.
tSecurityState StateOf(float price, float previous)
{
	if (!IsKnown(price) || !IsKnown(previous))
		return stateUnchanged;
	const float change = price - previous;
	if (change > 0)
		return stateUp;
	if (change < 0)
		return stateDown;
	return stateUnchanged;
}

// The record of the alert that holds: the security's own where it overrides, else the fallback.
const tAlertParameters* AlertInForce(TSecurity* security, const tAlertParameters* losing,
                                     const tAlertParameters* gaining)
{
	if (security->Idle())
		return nullptr;
	if (security->AlertLosing())
		return security->OverrideLosingAlert() ? security->AlertLosingParameters() : losing;
	if (security->AlertGaining())
		return security->OverrideGainingAlert() ? security->AlertGainingParameters() : gaining;
	return nullptr;
}

const tAlertParameters* GlobalLosingAlert()
{
	return gPreferences != nullptr ? &gPreferences->losingAlert : nullptr;
}

const tAlertParameters* GlobalGainingAlert()
{
	return gPreferences != nullptr ? &gPreferences->gainingAlert : nullptr;
}

bool AlertHolds(const tAlertParameters* alert, bool losing, float price, float change, float percent)
{
	const float limit = std::fabs(alert->limit);
	switch (alert->condition) {
	case UZVUtils::alertPercentGain:
		return !losing && change > 0 && percent >= limit;
	case UZVUtils::alertPercentLoss:
		return losing && change < 0 && percent >= limit;
	case UZVUtils::alertGainByAmount:
		return !losing && change > 0 && change >= limit;
	case UZVUtils::alertLossByAmount:
		return losing && change < 0 && double(change) <= 0.001 - double(limit);
	// Without a price there is nothing to compare the limit with.
	case UZVUtils::alertPriceAtOrAbove:
		return !losing && IsKnown(price) && price >= limit;
	case UZVUtils::alertPriceAtOrBelow:
		return losing && IsKnown(price) && limit >= price;
	default:
		SignalIf_(true);
		return false;
	}
}

void NotifyUpdateEnded(TSecurity* security)
{
	security->RefreshTicklets();
	security->UpdateDetailWindow();
	security->EndUpdateWatchers();
}

bool JudgeIdle(TSecurity* security, const tIdleParameters* idling, const TVyDate& now)
{
	if (idling == nullptr || !idling->enabled)
		return false;
	if (idling->threshold == UZVUtils::idleUntilParsed)
		return !security->InitedToday();
	const TVyDate* date = nullptr;
	if (idling->kind == UZVUtils::idleByLastUpdate) {
		if (security->ErrorCode() != 0)
			return true;
		date = security->LastUpdate();
	} else if (idling->kind == UZVUtils::idleByLastTrade) {
		date = security->CurrentTradeUpdate();
	} else {
		SignalIf_(true);
	}
	if (date == nullptr || TVyDate::IsUndefinedDate(*date))
		return true;
	if (date->GetDay() != now.GetDay() || date->GetMonth() != now.GetMonth() ||
	    date->GetYear() != now.GetYear())
		return true;
	if (idling->threshold == UZVUtils::idleSameDay)
		return false;
	const long minutes =
	    (long(now.GetHour()) * 60 + now.GetMinute()) - (long(date->GetHour()) * 60 + date->GetMinute());
	return minutes >= idling->threshold;
}

int DecimalsOf(tSecurityType type)
{
	switch (type) {
	case securityFund:
		return 4;
	case securityCurrency:
		return 6;
	default:
		return 2;
	}
}

void FormatNumber(char* s, size_t size, float value, int decimals)
{
	UNumbers::FormatFixed(s, long(size), value, decimals);
}

} // namespace

UZVUtils::QuoterSigHook UZVUtils::SetQuoterSigHook(QuoterSigHook hook)
{
	QuoterSigHook previous = std::move(sQuoterSigHook);
	sQuoterSigHook = std::move(hook);
	return previous;
}

void UZVUtils::UpdateSecurity(TSecurity* security, tAlertParameters* losing, tAlertParameters* gaining,
                              tIdleParameters* idling)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	// An alert starts when the one in force now was not showing before, so a loss alert that comes on
	// while a gain alert holds still sounds.
	const bool wasLosing = !security->Idle() && security->AlertLosing();
	const bool wasGaining = !security->Idle() && security->AlertGaining();
	UpdateTickerStrings(security);
	tAlertParameters* losingInForce =
	    security->OverrideLosingAlert() ? security->AlertLosingParameters() : losing;
	tAlertParameters* gainingInForce =
	    security->OverrideGainingAlert() ? security->AlertGainingParameters() : gaining;
	UpdateAlerts(security, losingInForce, gainingInForce);
	TVyDate now;
	CheckIdleSecurity(security, idling, &now, false);

	// Sounded before the watchers hear of the update, as one of them may drop the security.
	if (const tAlertParameters* alert = AlertInForce(security, losing, gaining)) {
		const bool started = security->AlertLosing() ? !wasLosing : !wasGaining;
		if (alert->playSound && (alert->soundAlways || started))
			UAlertSound::PlaySound(alert->soundID);
		if (alert->emailNotice && started)
			SendEmailAlert(security);
	}
	NotifyUpdateEnded(security);
}

void UZVUtils::UpdateAlerts(TSecurity* security, tAlertParameters* losing, tAlertParameters* gaining)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	const float price = security->CurrentTradePrice();
	const float previous = security->YesterdayClose();
	const tSecurityState state = StateOf(price, previous);
	const bool known = IsKnown(price) && IsKnown(previous);
	const float change = known ? price - previous : 0.0f;
	// A close of 0 gives no percentage rather than an infinite one.
	const float percent = known && previous != 0 ? std::fabs(100.0f * change / previous) : 0.0f;
	security->State(state);
	security->AlertLosing(false);
	security->AlertGaining(false);

	SignalIf_(losing == nullptr);
	SignalIf_(gaining == nullptr);
	if (losing != nullptr && losing->enabled)
		security->AlertLosing(AlertHolds(losing, true, price, change, percent));
	if (gaining != nullptr && gaining->enabled)
		security->AlertGaining(AlertHolds(gaining, false, price, change, percent));
}

void UZVUtils::CheckIdleSecurity(TSecurity* security, tIdleParameters* idling, TVyDate* now, bool notify)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	SignalIf_(idling == nullptr);
	TVyDate current;
	if (now != nullptr)
		current = *now;
	bool idle = false;
	const tSecurityType type = security->Type();
	if (type != securityFund && type != securityCurrency && type != kStreamingKind) {
		SignalIf_(type != securityStock && type != securityIndex);
		idle = JudgeIdle(security, idling, current);
	}
	if (idle == security->Idle())
		return;
	security->Idle(idle);
	if (notify)
		NotifyUpdateEnded(security);
}

void UZVUtils::GetAlertSpecs(TSecurity* security, bool& sound, int& soundID, bool& soundAlways, bool& email,
                             bool& flag)
{
	sound = false;
	soundID = 0;
	soundAlways = false;
	email = false;
	flag = false;
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	const tAlertParameters* alert = AlertInForce(security, GlobalLosingAlert(), GlobalGainingAlert());
	if (alert == nullptr)
		return;
	if (alert->playSound) {
		sound = true;
		soundID = alert->soundID;
		soundAlways = alert->soundAlways != 0;
	}
	email = alert->emailNotice != 0;
	flag = alert->displayFlag != 0;
}

void UZVUtils::GetDisplaySpecs(TSecurity* security, RGBColor& colour, bool& sound, int& soundID, bool& flash,
                               bool& bold, bool& italic, bool& underline, bool& flag1, bool& flag2)
{
	sound = false;
	soundID = 0;
	flash = bold = italic = underline = false;
	flag1 = flag2 = false;
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	bool defaultColour = true;
	if (security->Idle()) {
		if (gPreferences != nullptr) {
			const tIdleParameters& idling = gPreferences->idling;
			if (idling.useColour) {
				colour = idling.colour;
				defaultColour = false;
			}
			flash = idling.flash != 0;
			bold = idling.bold != 0;
			italic = idling.italic != 0;
			underline = idling.underline != 0;
		}
	} else if (const tAlertParameters* alert =
	               AlertInForce(security, GlobalLosingAlert(), GlobalGainingAlert())) {
		flash = alert->flash != 0;
		bold = alert->bold != 0;
		italic = alert->italic != 0;
		underline = alert->underline != 0;
		if (alert->useColour) {
			colour = alert->colour;
			defaultColour = false;
		}
		if (alert->playSound) {
			sound = true;
			soundID = alert->soundID;
		}
		flag1 = flag2 = alert->displayFlag != 0;
	}
	if (!defaultColour || gPreferences == nullptr)
		return;

	const tSecurityState state = security->State();
	const float price = security->CurrentTradePrice();
	const float previous = security->YesterdayClose();
	const bool graded =
	    gPreferences->useColourGradient && IsKnown(price) && IsKnown(previous) && previous != 0;
	switch (state) {
	case stateUp:
	case stateDown:
		if (graded) {
			const float percent = 100.0f * (price - previous) / previous;
			GetColourGradiant(double(percent), kGradientRange, kGradientRange,
			                  &gPreferences->gradientMiddleColour, &gPreferences->downColour,
			                  &gPreferences->upColour, &colour);
		} else {
			colour = state == stateUp ? gPreferences->upColour : gPreferences->downColour;
		}
		break;
	case stateUnchanged:
		colour = gPreferences->unchangedColour;
		break;
	default:
		SignalIf_(true);
		break;
	}
}

void UZVUtils::GetChangeColour(float previous, float current, RGBColor& colour)
{
	if (gPreferences == nullptr)
		return;
	switch (StateOf(current, previous)) {
	case stateUp:
		colour = gPreferences->upColour;
		break;
	case stateDown:
		colour = gPreferences->downColour;
		break;
	default:
		colour = gPreferences->unchangedColour;
		break;
	}
}

void UZVUtils::GetColourGradiant(double value, double lowerRange, double upperRange, const RGBColor* base,
                                 const RGBColor* lower, const RGBColor* upper, RGBColor* result)
{
	SignalIf_(base == nullptr || lower == nullptr || upper == nullptr || result == nullptr);
	if (base == nullptr || lower == nullptr || upper == nullptr || result == nullptr)
		return;
	// Four fifths of the range already gives the full colour.
	const double span = 0.8 * (value > 0 ? upperRange : lowerRange);
	const RGBColor& target = value > 0 ? *upper : *lower;
	double t = span != 0 ? std::fabs(value / span) : (value != 0 ? 1.0 : 0.0);
	if (!(t >= 0))
		t = 0;
	if (t > 1)
		t = 1;
	auto mix = [t](UInt16 to, UInt16 from) { return UInt16(double(to) * t + double(from) * (1 - t)); };
	result->red = mix(target.red, base->red);
	result->green = mix(target.green, base->green);
	result->blue = mix(target.blue, base->blue);
}

void UZVUtils::UpdateTickerStrings(TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	security->TickerHeader("");
	security->PriceString("");
	security->PriceFraction("");
	security->ChangeString("");
	security->ChangeFraction("");
	security->TrailerString("");

	tStockTickerPrefs noPrefs;
	const tStockTickerPrefs& prefs = gPreferences != nullptr ? *gPreferences : noPrefs;
	const bool showPrice = prefs.showPrice != 0;
	const bool showChange = prefs.showChange != 0;
	const bool showPercent = prefs.showPercentChange != 0;
	const bool showVolume = prefs.showVolume != 0;

	const char* symbol = security->SecuritySymbol()[0] != 0 ? security->SecuritySymbol() : kNoSymbolText;
	const char* name = security->SecurityName()[0] != 0 ? security->SecurityName() : kNoNameText;
	if (prefs.showSymbol && prefs.showName)
		security->TickerHeader((std::string(name) + " (" + symbol + ")").c_str());
	else if (prefs.showName)
		security->TickerHeader(name);
	else
		security->TickerHeader(symbol);

	const tSecurityType type = security->Type();
	const bool fractions = UsesFractions(security);
	const int decimals = DecimalsOf(type);
	const float price = security->CurrentTradePrice();
	const float previous = security->YesterdayClose();
	if (!IsKnown(price)) {
		security->PriceString(kNoPriceText);
		return;
	}

	char number[kQuoteTextSize];
	char fraction[kQuoteTextSize];
	if (showPrice) {
		QuoteString(number, fraction, price, fractions, decimals);
		if (number[0] != 0)
			security->PriceString(number);
		if (fraction[0] != 0)
			security->PriceFraction(fraction);
	}
	if (type != securityStock && type != securityFund && type != securityIndex &&
	    type != securityCurrency)
		return;
	// Without yesterday's close there is no change and no percentage to show.
	const bool previousKnown = IsKnown(previous);
	if (showChange && previousKnown) {
		QuoteChange(number, fraction, previous, price, fractions, decimals);
		if (number[0] != 0)
			security->ChangeString(number);
		if (fraction[0] != 0)
			security->ChangeFraction(fraction);
	}

	char percent[kQuoteTextSize] = "";
	if (previousKnown)
		QuotePercent(percent, kQuoteTextSize - 1, previous, price);
	const bool withPercent = showPercent && previousKnown;
	const bool leading = showPrice || showChange;
	const std::string percentText = leading ? std::string("(") + percent + ")" : std::string(percent);
	std::string trailer;
	if (type == securityCurrency) {
		if (withPercent && leading)
			trailer = percentText;
	} else {
		char volume[kQuoteTextSize];
		std::snprintf(volume, sizeof volume, "%lu",
		              static_cast<unsigned long>(security->DayVolume()));
		UNumbers::AddCommas(volume, sizeof volume);
		if (withPercent && showVolume)
			trailer = percentText + " Vol: " + volume;
		else if (withPercent)
			trailer = percentText;
		else if (showVolume)
			trailer = std::string("Vol: ") + volume;
	}
	security->TrailerString(trailer.c_str());
}

bool UZVUtils::UsesFractions(TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (security == nullptr || gPreferences == nullptr)
		return false;
	switch (gPreferences->fractionMode) {
	case fractionsAlways:
		return true;
	case fractionsByExchange: {
		if (security->Type() != securityStock)
			return false;
		const TStock* stock = dynamic_cast<const TStock*>(security);
		SignalIf_(stock == nullptr);
		return stock != nullptr && TExchange::ExchangeUsesFractions(stock->Exchange());
	}
	default:
		return false;
	}
}

void UZVUtils::DefaultAlert(tAlertParameters* alert, bool losing)
{
	SignalIf_(alert == nullptr);
	if (alert == nullptr)
		return;
	alert->enabled = 0;
	alert->condition = losing ? alertPercentLoss : alertPercentGain;
	alert->limit = 10.0f;
	alert->useColour = 1;
	if (const tAlertParameters* global = losing ? GlobalLosingAlert() : GlobalGainingAlert())
		alert->colour = global->colour;
	alert->flash = 1;
	alert->bold = 0;
	alert->italic = 0;
	alert->underline = 0;
	alert->playSound = 0;
	alert->soundID = 0;
	alert->soundAlways = 0;
	alert->emailNotice = 0;
	alert->displayFlag = 0;
}

void UZVUtils::DefaultIdling(tIdleParameters* idling)
{
	SignalIf_(idling == nullptr);
	if (idling == nullptr)
		return;
	idling->enabled = 1;
	idling->kind = idleByLastUpdate;
	idling->threshold = idleUntilParsed;
	idling->useColour = 1;
	idling->colour = RGBColor{52428, 52428, 52428};
	idling->flash = 0;
	idling->bold = 0;
	idling->italic = 0;
	idling->underline = 0;
}

namespace
{

void DefaultCommon(TSecurity* security, const char* name, const char* symbol)
{
	security->SecurityName(name);
	security->SecuritySymbol(symbol);
	UZVUtils::DefaultAlert(security->AlertLosingParameters(), true);
	UZVUtils::DefaultAlert(security->AlertGainingParameters(), false);
	security->OverrideLosingAlert(false);
	security->OverrideGainingAlert(false);
	security->MenuEnabled(true);
	security->SummaryEnabled(true);
}

} // namespace

void UZVUtils::DefaultSecurity(TSecurity* security, const char* name, const char* symbol,
                               unsigned long quoter)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	DefaultCommon(security, name, symbol);
	security->OverrideQuoter(true);
	security->Quoter(OSType(quoter));
}

void UZVUtils::DefaultStock(TStock* stock, const char* name, const char* symbol, tStockExchange exchange)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return;
	DefaultCommon(stock, name, symbol);
	stock->Exchange(exchange);
	stock->OverrideQuoter(false);
	// The source follows from the exchange, so it is asked for once the exchange is set.
	stock->Quoter(sQuoterSigHook ? sQuoterSigHook(stock) : FOUR_CHAR_CODE("qNON"));
}

void UZVUtils::DefaultCurrency(TCurrency* currency, tCurrency from, tCurrency to)
{
	SignalIf_(currency == nullptr);
	if (currency == nullptr)
		return;
	currency->CurrencyFrom(from);
	currency->CurrencyTo(to);
	TCurrencyConversion::SetCurrencyTitles(currency);
}

namespace
{

enum : int {
	exportName = 0,
	exportSymbol = 1,
	exportPrice = 2,
	exportYesterdayClose = 3,
	exportDayOpen = 4,
	exportChange = 5,
	exportPercentChange = 6,
	exportBid = 7,
	exportAsk = 8,
	exportDayHigh = 9,
	exportDayLow = 10,
	exportYearHigh = 11,
	exportYearLow = 12
};

constexpr long kExportTextLength = 255;

// False when the field cannot be worked out.
bool ExportNumber(TSecurity* security, int code, float& value)
{
	const float price = security->CurrentTradePrice();
	const float previous = security->YesterdayClose();
	switch (code) {
	case exportPrice:
		value = price;
		break;
	case exportYesterdayClose:
		value = previous;
		break;
	case exportDayOpen:
		value = security->DayOpen();
		break;
	case exportChange:
		if (!IsKnown(price) || !IsKnown(previous))
			return false;
		value = float(UNumbers::ShortestDouble(price) - UNumbers::ShortestDouble(previous));
		break;
	case exportPercentChange:
		if (!IsKnown(price) || !IsKnown(previous) || previous == 0)
			return false;
		value = float(100.0 * (UNumbers::ShortestDouble(price) - UNumbers::ShortestDouble(previous)) /
		              UNumbers::ShortestDouble(previous));
		break;
	case exportBid:
		value = security->CurrentTradeBid();
		break;
	case exportAsk:
		value = security->CurrentTradeAsk();
		break;
	case exportDayHigh:
		value = security->DayHigh();
		break;
	case exportDayLow:
		value = security->DayLow();
		break;
	case exportYearHigh:
		value = security->YearHigh();
		break;
	case exportYearLow:
		value = security->YearLow();
		break;
	default:
		return false;
	}
	return IsKnown(value);
}

void ExportField(TSecurity* security, int code, char* field, size_t size)
{
	if (code == exportName || code == exportSymbol) {
		strcpyn(field, code == exportName ? security->SecurityName() : security->SecuritySymbol(),
		        kExportTextLength);
		return;
	}
	float value = 0;
	if (!ExportNumber(security, code, value)) {
		std::snprintf(field, size, "%s", kNoPriceText);
		return;
	}
	const int decimals = code == exportChange || code == exportPercentChange ? 2 : 4;
	FormatNumber(field, size, value, decimals);
}

} // namespace

char* UZVUtils::FormatExport(TSecurity* security, const char* separator, ...)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return nullptr;
	if (separator == nullptr)
		separator = "";
	char* text = nullptr;
	bool ok = true;
	va_list codes;
	va_start(codes, separator);
	for (bool first = true;; first = false) {
		const int code = va_arg(codes, int);
		if (code == kExportEnd)
			break;
		char field[kQuoteTextSize];
		ExportField(security, code, field, sizeof field);
		if ((!first && UNews::strappend(&text, separator) < 0) ||
		    UNews::strappend(&text, field) < 0) {
			ok = false;
			break;
		}
	}
	va_end(codes);
	if (ok && UNews::strappend(&text, "\n") < 0)
		ok = false;
	if (!ok || text == nullptr || text[0] == 0) {
		delete[] text;
		return nullptr;
	}
	return text;
}

UInt32 UZVUtils::GetCategorySignature(const char* name)
{
	if (name == nullptr)
		return 0;
	UInt32 sum = 0;
	SInt64 position = 1;
	for (const char* p = name; *p != 0; ++p) {
		const SInt8 c = SInt8(charlower(*p));
		// Stored in portfolio files: the skipped characters are part of the format.
		if (c == 9 || c == 10 || c == 14 || c == 32)
			continue;
		sum += UInt32(SInt64(c) * position);
		++position;
	}
	return sum;
}

void UZVUtils::SendEmailAlert(TSecurity*)
{
	// No mail transport: nothing is sent.
}
