#include "Quoters/Yahoo/TYahooInternational.h"

#include "Quoters/UQuoter.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <string>

namespace
{

const tStockExchange kExchanges[] = {400, 750, 650, 104, 651, 751, 604, 606, 605, 752, 401,
                                     652, 754, 502, 753, 503, 504, 600, 601, 350, 603};

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

void TYahooInternational::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	UYahoo::GetStockPage(path, pathLen, security);
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
	UYahoo::ReadStockFigures(anchor, rest, stock, {">Div Yield", ">Div &amp; Yield:<"});

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
	index->YesterdayClose(UYahoo::FirstQuote(anchor, rest, {"Prev Cls"}));
	index->DayOpen(UYahoo::FirstQuote(anchor, rest, {">Open"}));
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
	fund->YesterdayClose(UYahoo::FirstQuote(anchor, rest, {"Prev Cls"}));
	News(page, length, fund);
	return true;
}

bool TYahooInternational::ExtractDate(char* page, long length, TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return false;
	return UYahoo::DateAfterLabel(page, length, ">Trade Time:<", 0, *date);
}
