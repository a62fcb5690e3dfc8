#include "Quoters/QuoteSite/TQuoteCom.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {100, 101, 102, 108, 200, 201, 205, 204};

const char* MarketPrefix(tStockExchange exchange)
{
	switch (exchange) {
	case 200:
		return "TSE:";
	case 201:
		return "ME:";
	case 204:
		return "CANOTC:";
	case 205:
		return "VSE:";
	default:
		return "";
	}
}

struct tMarket {
	const char* prefix;
	tStockExchange exchange;
};

// Searched in this order; the first one the row's market text holds wins.
const tMarket kLookupMarkets[] = {{"NASDAQ:", 101}, {"NYSE:", 100}, {"AMEX:", 102},
                                  {"BB:", 101},     {"TSE:", 200},  {"VSE:", 205},
                                  {"ME:", 201},     {"ASE:", 205},  {"OTC:", 204}};

struct tLabel {
	const char* label;
	void (TSecurity::*setter)(float);
};

} // namespace

void TQuoteCom::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof kExchanges / sizeof kExchanges[0]);
}

void TQuoteCom::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr)
		return;
	char symbol[100];
	switch (security->Type()) {
	case securityFund:
		UQuoterSite::EncodeText(security->SecuritySymbol(), 31, symbol, sizeof symbol);
		std::snprintf(path, size_t(pathLen), "/us/stocks/quote.action?s=MUTUAL:%s", symbol);
		break;
	case securityIndex:
		UQuoterSite::EncodeText(security->SecuritySymbol(), 31, symbol, sizeof symbol);
		std::snprintf(path, size_t(pathLen), "/us/stocks/quote.action?s=INDEX:%s", symbol);
		break;
	case securityStock: {
		const char* prefix = MarketPrefix(static_cast<TStock*>(security)->Exchange());
		// The market and the symbol together are kept to 31 characters.
		UQuoterSite::EncodeText(security->SecuritySymbol(), 31 - long(std::strlen(prefix)), symbol,
		                        sizeof symbol);
		std::snprintf(path, size_t(pathLen), "/us/stocks/quote.action?s=%s%s", prefix, symbol);
		break;
	}
	default:
		break;
	}
}

void TQuoteCom::GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen)
{
	if (url == nullptr || urlLen <= 0)
		return;
	url[0] = 0;
	const char* context = nullptr;
	switch (type) {
	case securityStock:
		context = "www_stocks";
		break;
	case securityFund:
		context = "www_funds";
		break;
	case securityIndex:
		context = "www_indices";
		break;
	default:
		return;
	}
	char search[256 * 3 + 1];
	UQuoterSite::EncodeText(text, 256, search, sizeof search);
	const char* host = TQuoterHosts::GetHost(kSignature, TQuoterHosts::hostLookup);
	if (page <= 1) {
		std::snprintf(url, size_t(urlLen),
		              "http://%s/qc/lookup/search_results.aspx?%slookup=%s&context=%s", host,
		              type == securityIndex ? "boards=&" : "", search, context);
	} else {
		// Fifteen results a page, numbered from 1.
		std::snprintf(url, size_t(urlLen),
		              "http://%s/qc/lookup/search_results.aspx?lookup=%s&context=%s&startat=%d", host,
		              search, context, 15 * (page - 1) + 1);
	}
}

bool TQuoteCom::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* start = UQuoter::GotoString(page, length, "<!-- start content -->");
	start = start != nullptr ? start + std::strlen("<!-- start content -->") : page;
	const long size = end - start;

	static const tLabel kLabels[] = {
	    {">Last Trade", &TSecurity::CurrentTradePrice}, {">Bid", &TSecurity::CurrentTradeBid},
	    {">Ask", &TSecurity::CurrentTradeAsk},          {">Today's High", &TSecurity::DayHigh},
	    {">Today's Low", &TSecurity::DayLow},           {">Open", &TSecurity::DayOpen},
	    {">Previous Close", &TSecurity::YesterdayClose}};
	float value = kNoValue;
	for (const tLabel& label : kLabels) {
		UQuoter::FindQuote(start, size, label.label, value, 0);
		(stock->*label.setter)(value);
	}
	UInt32 volume = 0;
	UQuoter::FindVolume(start, size, ">Volume", volume, 0);
	stock->DayVolume(volume);
	UQuoter::FindQuote(start, size, ">52 Week High", value, 0);
	stock->YearHigh(value);
	UQuoter::FindQuote(start, size, ">52 Week Low", value, 0);
	stock->YearLow(value);
	UQuoter::FindQuote(start, size, ">EPS", value, 0);
	stock->EarningsPerShare(value);
	UQuoter::FindQuote(start, size, ">P/E", value, 0);
	stock->PriceEarningsRatio(value);

	ReadTradeTime(page, length, stock);
	News(page, length, stock);
	return true;
}

char* TQuoteCom::SectionStart(char* page, long length)
{
	static const char kSection[] = "<!-- Section Navigation **";
	char* start = UQuoter::GotoString(page, length, kSection);
	return start != nullptr ? start + std::strlen(kSection) : page;
}

void TQuoteCom::ReadTradeTime(char* page, long length, TSecurity* security)
{
	TVyDate date;
	if (ExtractDate(page, length, &date, true))
		security->CurrentTradeUpdate(&date);
}

bool TQuoteCom::IndexDetail(char* page, long length, TIndex* index)
{
	if (index == nullptr)
		return false;
	index->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* start = SectionStart(page, length);
	const long size = page + length - start;
	float value = kNoValue;
	float low = kNoValue;
	float high = kNoValue;

	UQuoter::FindQuote(start, size, ">Last price:<", value, 0);
	index->CurrentTradePrice(value);
	UQuoterExtras::FindQuoteRange(start, size, ">Day's Low", "-", low, high, 3);
	index->DayLow(low);
	index->DayHigh(high);
	UQuoter::FindQuote(start, size, ">Open:<", value, 0);
	index->DayOpen(value);
	UQuoter::FindQuote(start, size, ">Previous Close:<", value, 0);
	index->YesterdayClose(value);
	UInt32 volume = 0;
	UQuoter::FindVolume(start, size, ">Volume:<", volume, 0);
	index->DayVolume(volume);
	UQuoterExtras::FindQuoteRange(start, size, ">52-week range:<", "to", low, high, 3);
	index->YearLow(low);
	index->YearHigh(high);

	ReadTradeTime(page, length, index);
	News(page, length, index);
	return true;
}

bool TQuoteCom::FundDetail(char* page, long length, TFund* fund)
{
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* start = SectionStart(page, length);
	const long size = page + length - start;
	float value = kNoValue;
	float low = kNoValue;
	float high = kNoValue;

	UQuoter::FindQuote(start, size, ">Last price:<", value, 0);
	fund->CurrentTradePrice(value);
	UQuoter::FindQuote(start, size, ">Previous NAV:<", value, 0);
	fund->YesterdayClose(value);
	UQuoterExtras::FindQuoteRange(start, size, "52-week range", "to", low, high, 3);
	fund->YearLow(low);
	fund->YearHigh(high);
	ReadTradeTime(page, length, fund);
	return true;
}

bool TQuoteCom::ExtractDate(char* text, long length, TVyDate* date, bool)
{
	static const char kMarker[] = "\"Add to portfolio\"";
	if (text == nullptr || length <= 0 || date == nullptr)
		return false;
	char* marker = UQuoter::GotoString(text, length, kMarker);
	if (marker == nullptr)
		return false;
	char* after = marker + std::strlen(kMarker);
	const long rest = text + length - after;

	char day[64];
	char monthName[64];
	char yearTime[64];
	long dayLength = 63;
	long monthLength = 63;
	long yearLength = 63;
	if (!UQuoter::ExtractStringAfterLineArgument(after, rest, 3, 2, day, dayLength) ||
	    !UQuoter::ExtractStringAfterLineArgument(after, rest, 3, 3, monthName, monthLength) ||
	    !UQuoter::ExtractStringAfterLineArgument(after, rest, 3, 4, yearTime, yearLength))
		return false;
	int month = 0;
	if (!UDate::IsWordMonth(monthName, month))
		return false;

	char joined[160];
	std::snprintf(joined, sizeof joined, "%d/%d/%s", month, std::atoi(day), yearTime);
	char* words[11] = {};
	if (strparse(joined, words, ", :/", 11) < 5)
		return false;
	const int year = std::atoi(words[2]);
	const int dayNumber = std::atoi(words[1]);
	bool am = false;
	bool pm = false;
	UQuoterSite::FindMeridiem(yearTime, am, pm);
	const int hour = UQuoterSite::MeridiemHour(std::atoi(words[3]), am, pm);
	const int minute = std::atoi(words[4]);
	if (year < 1 || dayNumber < 1 || dayNumber > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
		return false;

	date->SetYear(UInt16(year));
	date->SetMonth(UInt8(month));
	date->SetDay(UInt8(dayNumber));
	date->SetHour(UInt8(hour));
	date->SetMinute(UInt8(minute));
	date->SetSecond(0);
	date->SetMillisecond(0);
	date->SetDefined(true);
	date->AdjustDays(0);
	return true;
}

bool TQuoteCom::Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more)
{
	more = false;
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* showing = UQuoter::GotoString(page, length, ">Showing results");
	if (showing == nullptr)
		return false;
	char* table = UQuoter::GotoString(showing, end - showing, "<table");
	if (table == nullptr)
		return false;
	char* tableEnd = UQuoter::GotoString(table, end - table, ">Showing ");
	if (tableEnd == nullptr)
		tableEnd = end;
	more = UQuoter::GotoString(tableEnd, end - tableEnd, ">Next") != nullptr;

	// The first row is the header.
	char cell[65];
	long cellLength = sizeof cell;
	char* row = nullptr;
	UQuoter::ExtractTableRow(table, tableEnd - table, cell, cellLength, 1, &row);
	while (row != nullptr && row < tableEnd) {
		char market[29];
		char name[65];
		long marketLength = sizeof market;
		long nameLength = sizeof name;
		char* next = nullptr;
		const bool haveMarket =
		    UQuoter::ExtractTableRow(row, tableEnd - row, market, marketLength, 3, &next);
		if (next == nullptr)
			break;
		char* rowStart = row;
		row = next;
		// A row without a market-and-symbol cell (a spacer, a note) is passed over.
		if (!haveMarket || market[0] == 0)
			continue;
		char* unused = nullptr;
		if (!UQuoter::ExtractTableRow(rowStart, tableEnd - rowStart, name, nameLength, 1, &unused))
			name[0] = 0;

		tLookupEntry entry;
		entry.exchange = kExchangeUnknown;
		for (const tMarket& candidate : kLookupMarkets) {
			if (strstri(market, candidate.prefix) != nullptr) {
				entry.exchange = candidate.exchange;
				break;
			}
		}
		const char* colon = std::strchr(market, ':');
		strcpyn(entry.symbol, colon != nullptr ? colon + 1 : market, tLookupEntry::kSymbolSize - 1);
		if (colon != nullptr)
			strmemcpyn(entry.exchangeText, market, colon - market,
			           tLookupEntry::kExchangeTextSize - 1);
		strcpyn(entry.name, name, tLookupEntry::kNameSize - 1);
		entry.quoter = kSignature;
		if (results != nullptr)
			results->Append(&entry);
	}
	return true;
}

bool TQuoteCom::News(char* page, long length, TSecurity* security)
{
	static const char kList[] = "<div class=\"headlinelists\">";
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* list = UQuoter::GotoString(page, length, kList);
	if (list == nullptr)
		return false;
	char* start = list + std::strlen(kList);
	char* stop = UQuoter::GotoString(start, end - start, "<div class=\"content_ads\">");
	UQuoterSite::AddHeadlines(start, stop != nullptr ? stop : end, security, GetDomain(securityStock), 0);
	return true;
}
