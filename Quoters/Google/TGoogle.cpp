#include "Quoters/Google/TGoogle.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/TVyDate.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {200, 100, 101, 102};

// A symbol longer than this is cut before it goes into a path; escaped it needs three bytes a character.
constexpr int kSymbolLength = 31;
constexpr int kEncodedSymbolSize = kSymbolLength * 3 + 1;

struct tExchangeSuffix {
	const char* suffix;
	tStockExchange exchange;
};

const tExchangeSuffix kLookupSuffixes[] = {{"-N", 100}, {"-Q", 101}, {"-A", 102}, {"-T", 200},
                                           {"-M", 201}, {"-X", 205}, {"-D", 204}};

void Empty(char* s, long size)
{
	if (s != nullptr && size > 0)
		s[0] = 0;
}

const char* MarketPrefix(tStockExchange exchange)
{
	switch (exchange) {
	case 100:
		return "NYSE%3A";
	case 101:
		return "NASDAQ%3A";
	case 102:
		return "AMEX%3A";
	case 200:
		return "TSE%3A";
	default:
		return "";
	}
}

bool StartsWithDigit(const char* s)
{
	return s != nullptr && std::isdigit(static_cast<unsigned char>(s[0]));
}

void SplitLookupExchange(tLookupEntry& entry)
{
	if (std::strlen(entry.symbol) <= 1)
		return;
	char* dash = UQuoterExtras::StrLastChar(entry.symbol, '-');
	// A leading dash would leave no symbol at all.
	if (dash == nullptr || dash == entry.symbol)
		return;
	entry.exchange = kExchangeUnknown;
	for (const tExchangeSuffix& suffix : kLookupSuffixes)
		if (ksstrcmpi(dash, suffix.suffix) == 0)
			entry.exchange = suffix.exchange;
	*dash = 0;
}

} // namespace

void TGoogle::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof(kExchanges) / sizeof(kExchanges[0]));
}

void TGoogle::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	Empty(path, pathLen);
	SignalIf_(security == nullptr);
	if (path == nullptr || pathLen <= 0 || security == nullptr)
		return;
	char symbol[kEncodedSymbolSize];
	UQuoterSite::EncodeText(security->SecuritySymbol(), kSymbolLength, symbol, sizeof symbol);
	char built[256];
	switch (security->Type()) {
	case securityStock: {
		TStock* stock = dynamic_cast<TStock*>(security);
		std::snprintf(built, sizeof(built), "/finance?q=%s%s",
		              stock ? MarketPrefix(stock->Exchange()) : "", symbol);
		break;
	}
	case securityFund:
		std::snprintf(built, sizeof(built), "/finance?q=%s%s", MarketPrefix(101), symbol);
		break;
	case securityIndex:
		std::snprintf(built, sizeof(built), "/finance?q=INDEX%s", symbol);
		break;
	default:
		return;
	}
	strcpyn(path, built, pathLen - 1);
}

void TGoogle::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	Empty(url, urlLen);
}

bool TGoogle::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;

	float price, change, low, high, value;
	UQuoter::FindQuote(page, length, "<span class=\"pr\">", price, 2);
	stock->CurrentTradePrice(price);
	UQuoter::FindQuote(page, length, "<div id=price-change class=nwp>", change, 2);
	stock->YesterdayClose(UQuoterSite::CloseBeforeChange(price, change));
	UQuoter::FindQuoteRange(page, length, ">Range<", " - ", low, high);
	stock->DayLow(low);
	stock->DayHigh(high);
	UQuoter::FindQuoteRange(page, length, ">52 week<", " - ", low, high);
	stock->YearLow(low);
	stock->YearHigh(high);
	UQuoter::FindQuote(page, length, ">Open<", value, 2);
	stock->DayOpen(value);
	UQuoter::FindQuote(page, length, ">Mkt cap<", value, 2);
	stock->Capitalization(value);
	UQuoter::FindQuote(page, length, ">P/E<", value, 2);
	stock->PriceEarningsRatio(value);
	UQuoter::FindQuote(page, length, ">EPS<", value, 2);
	stock->EarningsPerShare(value);
	UQuoter::FindQuoteRange(page, length, ">Div/yield<", "-", low, high);
	stock->DividendPerShare(low);
	stock->Yield(high);
	return true;
}

bool TGoogle::IndexDetail(char* page, long length, TIndex* index)
{
	SignalIf_(index == nullptr);
	if (index == nullptr)
		return false;
	index->Reset();
	// Nothing to read is no update, as for the stock page.
	if (page == nullptr || length <= 0)
		return false;

	float last, change, value;
	UQuoter::FindQuote(page, length, "Last:", last, 2);
	index->CurrentTradePrice(last);
	UQuoter::FindQuote(page, length, ";Change:", change, 2);
	index->YesterdayClose(UQuoterSite::CloseBeforeChange(last, change));
	UQuoter::FindQuote(page, length, ">Open<", value, 4);
	index->DayOpen(value);
	UQuoter::FindQuote(page, length, ">High<", value, 4);
	index->DayHigh(value);
	UQuoter::FindQuote(page, length, ">Low<", value, 4);
	index->DayLow(value);
	UInt32 volume = 0;
	UQuoter::FindVolume(page, length, ">Volume<", volume, 4);
	index->DayVolume(volume);
	UQuoter::FindQuote(page, length, ">Bid<", value, 4);
	index->CurrentTradeBid(value);
	UQuoter::FindQuote(page, length, ">Ask<", value, 4);
	index->CurrentTradeAsk(value);
	UQuoter::FindQuote(page, length, ">52-Week High<", value, 4);
	index->YearHigh(value);
	UQuoter::FindQuote(page, length, ">52-Week Low<", value, 4);
	index->YearLow(value);

	static const char kTradeLabel[] = "Last Trade:";
	if (char* label = UQuoter::GotoString(page, length, kTradeLabel)) {
		char* from = label + sizeof(kTradeLabel) - 1;
		char text[100];
		long textLength = sizeof(text);
		if (UQuoter::ExtractStringAfterLine(from, page + length - from, 0, text, textLength)) {
			UQuoterExtras::PurgeHTMLChars(text);
			TVyDate date;
			if (ExtractDate(text, long(std::strlen(text)), &date, true))
				index->CurrentTradeUpdate(&date);
		}
	}
	News(page, length, index);
	return true;
}

bool TGoogle::ExtractDate(char* text, long length, TVyDate* date, bool)
{
	SignalIf_(date == nullptr);
	if (text == nullptr || length <= 0 || date == nullptr)
		return false;
	char copy[129];
	strmemcpyn(copy, text, length, 128);
	char* words[8];
	const long count = strparse(copy, words, " .,:", 8);
	int month = 0;
	if (count <= 4 || !UDate::IsWordMonth(words[0], month))
		return false;
	for (int i = 1; i <= 4; ++i)
		if (!StartsWithDigit(words[i]))
			return false;
	const int day = std::atoi(words[1]);
	const int year = std::atoi(words[2]);
	int hour = std::atoi(words[3]);
	const int minute = std::atoi(words[4]);

	// The meridiem stands as its own word, or right after the minutes ("3:45pm").
	const char* meridiem = words[4];
	while (std::isdigit(static_cast<unsigned char>(*meridiem)))
		++meridiem;
	if (*meridiem == 0 && count > 5)
		meridiem = words[5];
	if (strncmpi(meridiem, "pm", 2) == 0 && hour >= 1 && hour < 12)
		hour += 12;
	else if (strncmpi(meridiem, "am", 2) == 0 && hour == 12)
		hour = 0;

	if (year < 1900 || year > 9999 || day < 1 || day > UDate::DaysInMonth(month, year) || hour > 23 ||
	    minute > 59)
		return false;
	TVyDate result;
	result.SetYear(UInt16(year));
	result.SetMonth(UInt8(month));
	result.SetDay(UInt8(day));
	result.SetHour(UInt8(hour));
	result.SetMinute(UInt8(minute));
	result.SetSecond(0);
	result.SetMillisecond(0);
	*date = result;
	return true;
}

bool TGoogle::News(char* page, long length, TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (page == nullptr || length <= 0 || security == nullptr)
		return false;
	static const char kLatest[] = ">Latest news<";
	char* latest = UQuoter::GotoString(page, length, kLatest);
	if (latest == nullptr)
		return false;
	char* from = latest + sizeof(kLatest) - 1;
	char* older = UQuoter::GotoString(from, page + length - from, ">Older news<");
	if (older == nullptr)
		return false;
	UQuoterSite::AddHeadlines(from, older, security, nullptr, 0);
	return true;
}

bool TGoogle::Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more)
{
	more = false;
	SignalIf_(results == nullptr);
	if (page == nullptr || length <= 0 || results == nullptr)
		return false;
	char* const end = page + length;
	static const char kMarker[] = "Find out More";
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	char* const start = marker + sizeof(kMarker) - 1;
	char* regionEnd = UQuoter::GotoString(start, end - start, "</table>");
	if (regionEnd == nullptr)
		regionEnd = end;
	more = UQuoter::GotoString(regionEnd, end - regionEnd, ">next<") != nullptr;

	for (char* p = start; p != nullptr && p < regionEnd;) {
		tLookupEntry entry;
		entry.exchange = kExchangeUnknown;
		entry.quoter = kSignature;
		char* next = nullptr;
		long nameLength = sizeof(entry.name);
		if (!UQuoterExtras::ExtractDefinitionRow(p, regionEnd - p, entry.name, nameLength, 1, &next))
			break;
		p = next;
		long symbolLength = sizeof(entry.symbol);
		if (p == nullptr || !UQuoterExtras::ExtractDefinitionRow(p, regionEnd - p, entry.symbol,
		                                                         symbolLength, 1, &next))
			break;
		UQuoterSite::CleanCell(entry.name);
		UQuoterSite::CleanCell(entry.symbol);
		SplitLookupExchange(entry);
		results->Append(&entry);
		p = next;
		if (p == nullptr || p >= regionEnd)
			break;
		char skipped[8];
		long skippedLength = sizeof(skipped);
		UQuoterExtras::ExtractDefinitionRow(p, regionEnd - p, skipped, skippedLength, 1, &next);
		p = next;
	}
	return true;
}
