#include "Quoters/Yahoo/TYahooEurope.h"

#include "Includes/NoValue.h"
#include "Quoters/UQuoter.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "foundation/TVyDate.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <iterator>
#include <string>

namespace
{

const tStockExchange kExchanges[] = {305, 310, 311, 312, 313, 308, 322, 324, 314, 301, 315, 316, 325, 300,
                                     304, 317, 303, 318, 309, 302, 306, 319, 320, 323, 326, 321, 307};

} // namespace

void TYahooEurope::GetExchanges(const tStockExchange** list, short* count)
{
	SignalIf_(list == nullptr || count == nullptr);
	if (list == nullptr || count == nullptr)
		return;
	*list = kExchanges;
	*count = short(std::size(kExchanges));
}

void TYahooEurope::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	UYahoo::GetStockPage(path, pathLen, security);
}

void TYahooEurope::GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen)
{
	UYahoo::GetLookup(type, text, page, url, urlLen, kSignature);
}

bool TYahooEurope::ExtractDate(char* text, long length, TVyDate& date)
{
	return UYahoo::DateAfterLabel(text, length, ">Trade Time:<", 0, date);
}

bool TYahooEurope::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* start = UYahoo::LocateQuote(page, length, stock->SecuritySymbol(), true, stock->Exchange());
	if (start == nullptr)
		return false;
	const long rest = page + length - start;
	UYahoo::ReadStockFigures(start, rest, stock, {">Div & Yield:<", ">Div &amp; Yield:<"});

	TVyDate traded;
	if (ExtractDate(start, rest, traded))
		stock->CurrentTradeUpdate(&traded);
	News(page, length, stock);
	return true;
}

bool TYahooEurope::FundDetail(char* page, long length, TFund* fund)
{
	return UYahoo::FundDetail(page, length, fund, true);
}

bool TYahooEurope::IndexDetail(char* page, long length, TIndex* index)
{
	return UYahoo::IndexDetail(page, length, index, true);
}

bool TYahooEurope::Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more)
{
	return UYahoo::Lookup(page, length, results, type, more, kSignature);
}

bool TYahooEurope::News(char* page, long length, TSecurity* security)
{
	return UYahoo::News(page, length, security);
}
