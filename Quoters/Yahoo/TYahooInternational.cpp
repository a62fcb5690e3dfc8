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
	return UYahoo::IndexDetail(page, length, index, false);
}

bool TYahooInternational::FundDetail(char* page, long length, TFund* fund)
{
	return UYahoo::FundDetail(page, length, fund, false);
}

bool TYahooInternational::ExtractDate(char* page, long length, TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return false;
	return UYahoo::DateAfterLabel(page, length, ">Trade Time:<", 0, *date);
}
