#include "Quoters/Yahoo/TYahooInternational.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "Quoters/Yahoo/UYahooRegional.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <initializer_list>
#include <string>

namespace
{

const tStockExchange kExchanges[] = {400, 750, 650, 104, 651, 751, 604, 606, 605, 752, 401,
                                     652, 754, 502, 753, 503, 504, 600, 601, 350, 603};

// London quotes pence; the scale makes pounds of them.
constexpr tStockExchange kPenceExchange = 300;

// The value of the first label that yields a number (or a not-available mark).
float FirstQuote(char* text, long length, std::initializer_list<const char*> labels)
{
	float value = kNoValue;
	for (const char* label : labels)
		if (UQuoter::FindQuote(text, length, label, value, 0))
			break;
	return value;
}

bool FirstRange(char* text, long length, std::initializer_list<const char*> labels, float& low, float& high)
{
	for (const char* label : labels)
		if (UQuoter::FindQuoteRange(text, length, label, "-", low, high))
			return true;
	return false;
}

// The number after "<b>" behind a label; the site prints the figure in bold after a first number.
float BoldAfter(char* text, long length, const char* label)
{
	float first = kNoValue, second = kNoValue;
	UQuoter::FindQuoteRange(text, length, label, "<b>", first, second);
	return second;
}

void SetTradeTime(char* anchor, long length, TSecurity* security)
{
	TVyDate date;
	if (TYahooInternational::ExtractDate(anchor, length, &date))
		security->CurrentTradeUpdate(&date);
}

} // namespace

void TYahooInternational::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof(kExchanges) / sizeof(kExchanges[0]));
}

const char* TYahooInternational::GetDomain(tSecurityType)
{
	return TQuoterHosts::GetHost(kSignature, TQuoterHosts::hostQuote);
}

void TYahooInternational::GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path,
                                 long pathLen)
{
	UYahooRegional::GetURL(this, type, security, host, hostLen, path, pathLen);
}

void TYahooInternational::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	SignalIf_(security == nullptr);
	TStock* stock = dynamic_cast<TStock*>(security);
	if (stock == nullptr)
		return;
	UYahoo::GetQuotePage(path, pathLen, stock->SecuritySymbol(),
	                     UYahoo::GetExchangeSuffix(stock->Exchange()), "&d=t");
}

void TYahooInternational::GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen)
{
	UYahoo::GetLookup(type, text, page, url, urlLen, kSignature);
}

bool TYahooInternational::Lookup(char* page, long length, ILookupList* results, tSecurityType type,
                                 bool& more)
{
	return UYahoo::Lookup(page, length, results, type, more, GetSig());
}

bool TYahooInternational::News(char* page, long length, TSecurity* security)
{
	return UYahoo::News(page, length, security);
}

bool TYahooInternational::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* anchor = UYahoo::LocateQuote(page, length, stock->SecuritySymbol(), true, stock->Exchange());
	if (anchor == nullptr)
		return false;
	const long rest = page + length - anchor;
	const float scale = stock->Exchange() == kPenceExchange ? 0.01f : 1.0f;
	auto scaled = [scale](float value) { return value == kNoValue ? kNoValue : value * scale; };

	stock->CurrentTradePrice(scaled(FirstQuote(anchor, rest, {">Last Trade:<"})));
	stock->YesterdayClose(scaled(FirstQuote(anchor, rest, {">Prev Close:<"})));
	stock->DayOpen(scaled(FirstQuote(anchor, rest, {">Open:<"})));
	stock->CurrentTradeBid(scaled(FirstQuote(anchor, rest, {">Bid:<"})));
	stock->CurrentTradeAsk(scaled(FirstQuote(anchor, rest, {">Ask:<"})));
	UInt32 volume = 0;
	UQuoter::FindVolume(anchor, rest, ">Volume:<", volume, 0);
	stock->DayVolume(volume);
	float low = kNoValue, high = kNoValue;
	FirstRange(anchor, rest, {">Day's Range:<"}, low, high);
	stock->DayLow(scaled(low));
	stock->DayHigh(scaled(high));
	FirstRange(anchor, rest, {">52wk Range:<", ">52-week Range:<"}, low, high);
	stock->YearLow(scaled(low));
	stock->YearHigh(scaled(high));
	stock->EarningsPerShare(
	    scaled(FirstQuote(anchor, rest, {">EPS <small>(ttm)</small>:<", ">EPS:<", ">Earn/Shr:<"})));
	stock->PriceEarningsRatio(FirstQuote(anchor, rest, {">P/E <small>(ttm)</small>:<", ">P/E:<"}));
	stock->DividendPerShare(scaled(FirstQuote(anchor, rest, {">Div Yield", ">Div &amp; Yield:<"})));

	SetTradeTime(anchor, rest, stock);
	News(page, length, stock);
	return true;
}

bool TYahooInternational::IndexDetail(char* page, long length, TIndex* index)
{
	SignalIf_(index == nullptr);
	if (index == nullptr)
		return false;
	index->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* anchor = UYahoo::LocateQuote(page, length, index->SecuritySymbol(), false, 0);
	if (anchor == nullptr)
		return false;
	const long rest = page + length - anchor;

	index->CurrentTradePrice(BoldAfter(anchor, rest, "Last Trade"));
	index->YesterdayClose(FirstQuote(anchor, rest, {"Prev Cls"}));
	index->DayOpen(FirstQuote(anchor, rest, {">Open"}));
	float low = kNoValue, high = kNoValue;
	UQuoter::FindQuoteRange(anchor, rest, "Day's Range", "-", low, high);
	index->DayLow(low);
	index->DayHigh(high);
	for (const char* label : {"52-wk Range", "52-week Range", "YTD Range"}) {
		UQuoter::FindQuoteRange(anchor, rest, label, "-", low, high);
		if (low != kNoValue)
			break;
	}
	index->YearLow(low);
	index->YearHigh(high);

	SetTradeTime(anchor, rest, index);
	News(page, length, index);
	return true;
}

bool TYahooInternational::FundDetail(char* page, long length, TFund* fund)
{
	SignalIf_(fund == nullptr);
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	const std::string symbolAnchor = std::string(":") + fund->SecuritySymbol() + ")";
	char* anchor = UQuoter::GotoString(page, length, symbolAnchor.c_str());
	if (anchor == nullptr)
		anchor = page;
	const long rest = page + length - anchor;
	fund->CurrentTradePrice(BoldAfter(anchor, rest, "Net Asset Value"));
	fund->YesterdayClose(FirstQuote(anchor, rest, {"Prev Cls"}));
	News(page, length, fund);
	return true;
}

bool TYahooInternational::ExtractDate(char* page, long length, TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return false;
	char text[128];
	if (!UYahooRegional::TextAfterLabel(page, length, ">Trade Time:<", 0, text, sizeof(text)))
		return false;
	return UYahoo::DateFromText(text, *date);
}
