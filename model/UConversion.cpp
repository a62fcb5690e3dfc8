#include "model/UConversion.h"

#include "foundation/VyStrings.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"

namespace
{

constexpr const char* kDefaultFontName = "Geneva";
constexpr long kFontNameMax = 30;

} // namespace

void UConversion::DefaultPrefs(tStockTickerPrefs* prefs)
{
	SignalIf_(prefs == nullptr);
	if (prefs == nullptr)
		return;
	*prefs = tStockTickerPrefs();

	prefs->showSymbol = 1;
	prefs->showName = 0;
	prefs->showPrice = 1;
	prefs->showPercentChange = 1;
	prefs->showChange = 1;
	prefs->showVolume = 0;
	prefs->fractionMode = 2;
	prefs->normalColour = BlackColour;
	prefs->upColour = GreenColour;
	prefs->downColour = RedColour;
	prefs->unchangedColour = BlueColour;
	prefs->useColourGradient = 0;
	prefs->gradientMiddleColour = GrayColour;
	prefs->useTickletFont = 0;
	strcpyn(prefs->tickletFontName, kDefaultFontName, kFontNameMax);
	prefs->tickletFontNumber = 3;
	prefs->tickletFontSize = 14;

	DefaultAlert(&prefs->losingAlert, true);
	DefaultAlert(&prefs->gainingAlert, false);
	DefaultIdling(&prefs->idling);

	prefs->stocksOn = 1;
	prefs->fundsOn = 1;
	prefs->indexesOn = 1;
	prefs->currenciesOn = 1;
	prefs->americanQuoter = FOUR_CHAR_CODE("YaUS");
	prefs->canadianQuoter = FOUR_CHAR_CODE("GlbM");
	prefs->europeanQuoter = FOUR_CHAR_CODE("YaEU");
	prefs->australianQuoter = FOUR_CHAR_CODE("YaAZ");
	prefs->currencyQuoter = FOUR_CHAR_CODE("XExe");
	prefs->stockMinutes = 5;
	prefs->fundMinutes = 120;
	prefs->indexMinutes = 5;
	prefs->currencyMinutes = 5;
	prefs->hideDetailWindowsInBackground = 0;
	prefs->detailUpdate = 1;
	prefs->useTradeURL = 0;

	prefs->stockViewType = 10;
	prefs->fundViewType = 11;
	prefs->indexViewType = 11;
	prefs->reserved666 = 10;
	prefs->currencyViewType = 11;
	prefs->reserved668 = 20;

	prefs->stockQQTop = 100;
	prefs->stockQQLeft = 100;
	prefs->stockQQExchange = 101;
	prefs->stockQQQuoter = FOUR_CHAR_CODE("YaUS");
	prefs->currencyQQTop = 150;
	prefs->currencyQQLeft = 150;
	prefs->currencyQQFrom = 100;
	prefs->currencyQQTo = 101;
	prefs->currencyQQAmount = 1.0f;
	prefs->currencyQQAdjustment = 0;

	DefaultSummary(&prefs->summary);
	DefaultRelay(&prefs->relay);
}

void UConversion::DefaultAlert(tAlertParameters* alert, bool losing)
{
	SignalIf_(alert == nullptr);
	if (alert == nullptr)
		return;
	*alert = tAlertParameters();
	alert->enabled = 0;
	alert->condition = losing ? UZVUtils::alertPercentLoss : UZVUtils::alertPercentGain;
	alert->limit = 10.0f;
	alert->useColour = 1;
	alert->colour = losing ? OrangeColour : YellowColour;
	alert->flash = 1;
}

void UConversion::DefaultIdling(tIdleParameters* idling)
{
	SignalIf_(idling == nullptr);
	if (idling == nullptr)
		return;
	*idling = tIdleParameters();
	idling->enabled = 1;
	idling->kind = UZVUtils::idleByLastUpdate;
	idling->threshold = UZVUtils::idleUntilParsed;
	idling->useColour = 1;
	idling->colour = GrayColour;
}

void UConversion::DefaultRelay(tRelayParameters* relay)
{
	SignalIf_(relay == nullptr);
	if (relay == nullptr)
		return;
	*relay = tRelayParameters();
}

void UConversion::DefaultSummary(tSummaryParameters* summary)
{
	SignalIf_(summary == nullptr);
	if (summary == nullptr)
		return;
	*summary = tSummaryParameters();
	for (tSummaryColumn& column : summary->columns) {
		column.flag = 0;
		column.width = 100;
	}
	strcpyn(summary->fontName, kDefaultFontName, kFontNameMax);
	summary->fontNumber = 3;
	summary->fontSize = 10;
	summary->layoutNumber = 2;
	summary->layoutNumber2 = 2;
	summary->backgroundColour = BlackColour;
	summary->textColour1 = GreenColour;
	summary->textColour2 = RedColour;
	summary->textColour3 = BlueColour;
	summary->grid = 0;
	summary->evenRowColour = BlackColour;
	summary->oddRowColour = BlackColour;
	summary->showStocks = 1;
	summary->showFunds = 1;
	summary->updateIndicator = 1;
	summary->indicatorAsDot = 1;
}
