#include "Quoters/Yahoo/TYahooAustralia.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "foundation/TVyDate.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <string>

namespace
{

const tStockExchange kExchanges[] = {400};

} // namespace

void TYahooAustralia::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof(kExchanges) / sizeof(kExchanges[0]));
}

void TYahooAustralia::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	UYahoo::GetStockPage(path, pathLen, security);
}

void TYahooAustralia::GetLookup(tSecurityType, char* text, int page, char* url, long urlLen)
{
	UYahoo::GetRegionalLookup(kSignature, text, page, url, urlLen);
}

bool TYahooAustralia::News(char* page, long length, TSecurity* security)
{
	return UYahoo::News(page, length, security);
}

bool TYahooAustralia::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	if (UQuoter::GotoString(page, length, "<b>No matches found.</b>") != nullptr)
		return false;
	const std::string unknown = std::string("Cannot find <b>") + stock->SecuritySymbol() + "</b>";
	if (UQuoter::GotoString(page, length, unknown.c_str()) != nullptr)
		return false;

	stock->CurrentTradePrice(UYahoo::FirstQuote(page, length, {">Last Trade:<"}));
	stock->CurrentTradeBid(UYahoo::FirstQuote(page, length, {">Bid:<"}));
	stock->CurrentTradeAsk(UYahoo::FirstQuote(page, length, {">Ask:<"}));
	stock->YesterdayClose(UYahoo::FirstQuote(page, length, {">Prev Close:<"}));
	stock->DayOpen(UYahoo::FirstQuote(page, length, {">Open:<"}));
	UInt32 volume = 0;
	UQuoter::FindVolume(page, length, ">Volume:<", volume, 0);
	stock->DayVolume(volume);
	float low = kNoValue, high = kNoValue;
	UQuoter::FindQuoteRange(page, length, ">Day's Range:<", "-", low, high);
	stock->DayLow(low);
	stock->DayHigh(high);
	if (!UQuoter::FindQuoteRange(page, length, ">52wk Range:<", "-", low, high))
		UQuoter::FindQuoteRange(page, length, "52-week Range", "-", low, high);
	stock->YearLow(low);
	stock->YearHigh(high);
	stock->EarningsPerShare(UYahoo::FirstQuote(page, length, {">EPS"}));
	stock->PriceEarningsRatio(UYahoo::FirstQuote(page, length, {">P/E"}));
	stock->DividendPerShare(UYahoo::FirstQuote(page, length, {">Div &"}));

	TVyDate date;
	if (ExtractDate(page, length, &date))
		stock->CurrentTradeUpdate(&date);
	News(page, length, stock);
	return true;
}

bool TYahooAustralia::ExtractDate(char* page, long length, TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return false;
	return UYahoo::DateAfterLabel(page, length, "Last Trade", 2, *date);
}

bool TYahooAustralia::Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more)
{
	more = false;
	SignalIf_(results == nullptr);
	if (page == nullptr || length <= 0 || results == nullptr)
		return false;
	char* const end = page + length;
	char* table = UQuoter::GotoString(page, length, "Symbol search for ");
	if (table == nullptr)
		return false;
	char* tableEnd = UQuoter::GotoString(table, end - table, "</table>");
	if (tableEnd == nullptr)
		tableEnd = end;

	// The first row holds the column titles.
	char title[8];
	long titleLength = sizeof(title);
	char* row = nullptr;
	UQuoter::ExtractTableRow(table, tableEnd - table, title, titleLength, 1, &row);
	while (row != nullptr && row < tableEnd) {
		tLookupEntry entry;
		entry.quoter = kSignature;
		char* next = nullptr;
		long symbolLength = sizeof(entry.symbol);
		long nameLength = sizeof(entry.name);
		if (!UQuoter::ExtractTableRow(row, tableEnd - row, entry.symbol, symbolLength, 1, &next) ||
		    !UQuoter::ExtractTableRow(row, tableEnd - row, entry.name, nameLength, 2, &next))
			break;
		UQuoterSite::CleanCell(entry.symbol);
		UQuoterSite::CleanCell(entry.name);
		UYahoo::GuessAtExchange(&entry, true);
		results->Append(&entry);
		row = next;
	}
	more = UQuoter::GotoString(page, length, "Display Next 200 Matches") != nullptr;
	return true;
}
