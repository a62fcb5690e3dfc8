#include "Quoters/Canada/TCanoe.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TFund.h"
#include "model/TStock.h"

#include <cstdio>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {100, 101, 102, 200, 201, 205, 204, 0};

// Null for a market the site has no code for.
const char* MarketCode(tStockExchange exchange)
{
	switch (exchange) {
	case 100:
	case 101:
	case 102:
		return "us";
	case 200:
	case 201:
	case 204:
	case 205:
		return "ca";
	default:
		return nullptr;
	}
}

struct tLabel {
	const char* label;
	int lines;
	void (TStock::*setter)(float);
};

} // namespace

void TCanoe::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof kExchanges / sizeof kExchanges[0]);
}

void TCanoe::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr)
		return;
	char symbol[31 * 3 + 1];
	if (security->Type() == securityFund) {
		char upper[32];
		strcpyn(upper, security->SecuritySymbol(), 31);
		strupper(upper);
		UQuoterSite::EncodeText(upper, 31, symbol, sizeof symbol);
		std::snprintf(path, size_t(pathLen), "/funds/details.html?codefonds=%s", symbol);
	} else if (security->Type() == securityStock) {
		const char* market = MarketCode(static_cast<TStock*>(security)->Exchange());
		if (market == nullptr)
			return;
		UQuoterSite::EncodeText(security->SecuritySymbol(), 31, symbol, sizeof symbol);
		std::snprintf(path, size_t(pathLen), "/quotes/index.html?marketsymbol=%s%%3B%s", market,
		              symbol);
	}
}

void TCanoe::GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path, long pathLen)
{
	if (host != nullptr && hostLen > 0)
		host[0] = 0;
	if (path != nullptr && pathLen > 0)
		path[0] = 0;
	if (type == urlHomePage) {
		UQuoterSite::CopyHomePage(kSignature, host, hostLen);
	} else if (type == urlQuotePage) {
		if (security == nullptr ||
		    (security->Type() != securityStock && security->Type() != securityFund)) {
			UQuoterSite::CopyHost(kSignature, TQuoterHosts::hostHome, host, hostLen);
			return;
		}
		UQuoterSite::CopyHost(kSignature, TQuoterHosts::hostQuote, host, hostLen);
		if (path != nullptr && pathLen > 0)
			GetPageDetailed(path, int(pathLen), security);
	}
}

void TCanoe::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	if (url != nullptr && urlLen > 0)
		url[0] = 0;
}

bool TCanoe::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	static const tLabel kLabels[] = {{"<div id=\"details_cours\"", 2, &TStock::CurrentTradePrice},
	                                 {"div class=\"title\">Previous Close<", 0, &TStock::YesterdayClose},
	                                 {">Open<", 0, &TStock::DayOpen},
	                                 {">High <", 0, &TStock::DayHigh},
	                                 {">Low<", 0, &TStock::DayLow},
	                                 {">High - <br /> 52 weeks<", 2, &TStock::YearHigh},
	                                 {">Low - <br />52 weeks<", 2, &TStock::YearLow},
	                                 {">Price / earnings ratio<", 2, &TStock::PriceEarningsRatio},
	                                 {">Earnings per share<", 2, &TStock::EarningsPerShare},
	                                 {">Dividend<", 2, &TStock::DividendPerShare}};
	float value = kNoValue;
	for (const tLabel& label : kLabels) {
		UQuoter::FindQuote(page, length, label.label, value, label.lines);
		(stock->*label.setter)(value);
	}
	UInt32 volume = 0;
	UQuoter::FindVolume(page, length, ">Volume<", volume, 0);
	stock->DayVolume(volume);
	return true;
}

bool TCanoe::FundDetail(char* page, long length, TFund* fund)
{
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	float price = kNoValue;
	float change = kNoValue;
	UQuoter::FindQuote(page, length, "<div id=\"details_cours\"", price, 2);
	UQuoter::FindQuote(page, length, "<div id=\"details_variation\"", change, 0);
	fund->CurrentTradePrice(price);
	fund->YesterdayClose(UQuoterSite::CloseBeforeChange(price, change));
	float high = kNoValue;
	float low = kNoValue;
	// The site shows the year's high first.
	UQuoter::FindQuoteRange(page, length, "high / low<", " - ", high, low);
	fund->YearLow(low);
	fund->YearHigh(high);
	return true;
}

bool TCanoe::ExtractDate(char* text, long length, TVyDate* date, bool)
{
	if (text == nullptr || length <= 0 || date == nullptr)
		return false;
	char line[129];
	long lineLength = sizeof line;
	if (!UQuoter::ExtractStringAfterLine(text, length, 10, line, lineLength))
		return false;
	int hour = 0;
	int minute = 0;
	int second = 0;
	int millisecond = 0;
	long timeLength = 0;
	if (!UDate::IsTime(line, hour, minute, second, millisecond, timeLength, false))
		return false;
	bool am = false;
	bool pm = false;
	UQuoterSite::FindMeridiem(line, am, pm);
	TVyDate today;
	today.SetHour(UInt8(UQuoterSite::MeridiemHour(hour, am, pm)));
	today.SetMinute(UInt8(minute));
	today.SetSecond(0);
	today.SetMillisecond(0);
	*date = today;
	return true;
}
