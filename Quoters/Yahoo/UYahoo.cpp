#include "Quoters/Yahoo/UYahoo.h"

#include "Includes/NoValue.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/TVyString.h"
#include "foundation/UDate.h"
#include "foundation/UPercentEncode.h"
#include "foundation/VyStrings.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <cstdio>
#include <cstring>
#include <string>

// clang-format off
const UYahoo::tYahooLookup UYahoo::sYahooLookups[] = {
    {".AS", "AS", "Amsterdam", 305},   {".AX", "", "Australia", 400},     {"", "", "AMEX", 102},
    {".BCN", "BC", "Barcelona", 310},  {".BIL", "BI", "Bilbao", 312},     {".BA", "", "Buenos Aires", 750},
    {".BC", "BC", "Barcelona", 310},   {".BE", "BE", "Berlin", 311},      {".BI", "BI", "Bilbao", 312},
    {".BK", "", "Bangkok", 603},       {".BM", "BM", "Bremen", 313},      {".BO", "", "Bombay", 650},
    {".BR", "BR", "Brussels", 308},    {".B", "", "Boston", 104},         {".CL", "", "Calcutta", 651},
    {".CO", "CO", "Copenhagen", 322},  {".CR", "", "Caracas", 751},       {".D", "D", "Dusseldorf", 314},
    {".DE", "", "Xetra", 321},         {".FX", "", "Xetra", 321},         {".F", "F", "Frankfurt", 301},
    {".HA", "HA", "Hannover", 316},    {".HK", "", "Hong Kong", 501},     {".H", "H", "Hamburg", 315},
    {".I", "I", "Dublin", 324},        {".JK", "", "Jakarta", 604},       {".KL", "", "Kuala Lumpur", 606},
    {".KS", "", "Korea", 605},         {".LM", "", "Lima", 752},          {".LS", "LS", "Lisbon", 325},
    {".L", "L", "London", 300},        {".MAD", "MA", "Madrid", 304},     {".MC", "MC", "Madrid MC", 317},
    {".MA", "MA", "Madrid", 304},      {".MC", "MC", "Madrid MC", 317},   {".MI", "MI", "Milan", 303},
    {".MU", "MU", "Munich", 318},      {".MX", "MX", "Mexico", 700},      {".M", "", "Montreal", 201},
    {".NZ", "", "New Zealand", 401},   {"", "", "NMS", 101},              {".NS", "", "NSI", 652},
    {"", "", "NYSE", 100},             {".OL", "OL", "Oslo", 309},        {"", "", "Nasdaq", 101},
    {".PA", "PA", "Paris", 302},       {".SA", "", "Sao Paolo", 754},     {".SG", "SG", "Stuttgart", 319},
    {".SI", "", "Singapore", 502},     {".SN", "", "Santiago", 753},      {".SS", "", "Shanghai", 503},
    {".ST", "ST", "Stockholm", 306},   {".SZ", "", "Shenzhen", 504},      {".S", "S", "Zurich", 307},
    {".S", "S", "ZRH", 307},           {".TWO", "", "Taiwan", 601},       {".TW", "", "Taiwan", 600},
    {".TA", "", "Tel Aviv", 350},      {".TO", "", "Toronto", 200},       {".VAL", "VA", "Valencia", 320},
    {".VX", "VX", "Virt-X", 326},      {".VI", "VI", "Vienna", 323},      {".VA", "VA", "Valencia", 320},
    {".V", "", "Vancouver", 205},      {"", "", "", UYahoo::kLookupsEnd}};
// clang-format on

namespace
{

constexpr int kMaxSymbol = 31;
constexpr int kLookupCells = 6;

// Whether some row of the exchange has this suffix (in any case).
bool IsSuffixOf(const char* tail, tStockExchange exchange)
{
	for (const UYahoo::tYahooLookup* row = UYahoo::sYahooLookups; row->exchange != UYahoo::kLookupsEnd;
	     row++)
		if (row->exchange == exchange && row->suffix[0] != 0 && ksstrcmpi(tail, row->suffix) == 0)
			return true;
	return false;
}

// A cell's text with entities decoded and the blanks around it gone, within size bytes.
void CopyCell(const TVyString& cell, char* out, int size)
{
	const char* text = cell.GetCString();
	std::string work(text ? text : "");
	UQuoterExtras::PurgeHTMLChars(work.data());
	UQuoterExtras::PurgeSpaceChars(work.data());
	strcpyn(out, work.c_str(), size - 1);
}

constexpr int kRegionalRowsPerPage = 200;

// London quotes pence.
constexpr tStockExchange kPenceExchange = 300;

} // namespace

const char* UYahoo::GetExchangeSuffix(tStockExchange exchange)
{
	for (const tYahooLookup* row = sYahooLookups; row->exchange != kLookupsEnd; row++)
		if (row->exchange == exchange && row->suffix[0] != 0)
			return row->suffix;
	return nullptr;
}

const char* UYahoo::GetExchangeCode(tStockExchange exchange)
{
	for (const tYahooLookup* row = sYahooLookups; row->exchange != kLookupsEnd; row++)
		if (row->exchange == exchange && row->code[0] != 0)
			return row->code;
	return nullptr;
}

void UYahoo::GetQuotePage(char* path, int pathLen, const char* symbol, const char* suffix, const char* tail)
{
	SignalIf_(path == nullptr);
	if (path == nullptr || pathLen <= 0)
		return;
	char encoded[3 * kMaxSymbol + 1];
	UQuoterSite::EncodeText(symbol, kMaxSymbol, encoded, sizeof encoded);
	char built[256];
	std::snprintf(built, sizeof built, "/q?s=%s%s%s", encoded, suffix ? suffix : "", tail ? tail : "");
	strcpyn(path, built, pathLen - 1);
}

void UYahoo::GetStockPage(char* path, int pathLen, TSecurity* security)
{
	SignalIf_(path == nullptr || security == nullptr);
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr || security->Type() != securityStock)
		return;
	const tStockExchange exchange = static_cast<TStock*>(security)->Exchange();
	GetQuotePage(path, pathLen, security->SecuritySymbol(), GetExchangeSuffix(exchange), "&d=t");
}

char* UYahoo::LocateQuote(char* page, long length, const char* symbol, bool stock, tStockExchange exchange)
{
	if (page == nullptr || length <= 0)
		return page;
	const std::string sym(symbol ? symbol : "");
	const std::string unknown = "(Look up: <a href=\"/l?s=" + sym + "\">" + sym + "</a>)";
	if (UQuoter::GotoString(page, length, unknown.c_str()) != nullptr)
		return nullptr;
	char* anchor = nullptr;
	if (stock) {
		const char* market = exchange == 101 ? "(NasdaqNM:" : exchange == 102 ? "(AMEX:" : "(NYSE:";
		anchor = UQuoter::GotoString(page, length, (market + sym + ")").c_str());
	}
	if (anchor == nullptr)
		anchor = UQuoter::GotoString(page, length, (":" + sym + ")").c_str());
	return anchor != nullptr ? anchor : page;
}

void UYahoo::ReadStockFigures(char* anchor, long length, TStock* stock,
                              std::initializer_list<const char*> dividendLabels)
{
	const float scale = stock->Exchange() == kPenceExchange ? 0.01f : 1.0f;
	auto scaled = [scale](float value) { return value == kNoValue ? kNoValue : value * scale; };

	stock->CurrentTradePrice(scaled(FirstQuote(anchor, length, {">Last Trade:<"})));
	stock->YesterdayClose(scaled(FirstQuote(anchor, length, {">Prev Close:<"})));
	stock->DayOpen(scaled(FirstQuote(anchor, length, {">Open:<"})));
	stock->CurrentTradeBid(scaled(FirstQuote(anchor, length, {">Bid:<"})));
	stock->CurrentTradeAsk(scaled(FirstQuote(anchor, length, {">Ask:<"})));

	UInt32 volume = 0;
	UQuoter::FindVolume(anchor, length, ">Volume:<", volume, 0);
	stock->DayVolume(volume);

	float low = kNoValue, high = kNoValue;
	UQuoter::FindQuoteRange(anchor, length, ">Day's Range:<", "-", low, high);
	stock->DayLow(scaled(low));
	stock->DayHigh(scaled(high));
	if (!UQuoter::FindQuoteRange(anchor, length, ">52wk Range:<", "-", low, high))
		UQuoter::FindQuoteRange(anchor, length, ">52-week Range:<", "-", low, high);
	stock->YearLow(scaled(low));
	stock->YearHigh(scaled(high));

	stock->EarningsPerShare(
	    scaled(FirstQuote(anchor, length, {">EPS <small>(ttm)</small>:<", ">EPS:<", ">Earn/Shr:<"})));
	stock->PriceEarningsRatio(FirstQuote(anchor, length, {">P/E <small>(ttm)</small>:<", ">P/E:<"}));
	stock->DividendPerShare(scaled(FirstQuote(anchor, length, dividendLabels)));
}

float UYahoo::BoldFigure(char* text, long length, const char* label, bool boldAlone)
{
	float before = kNoValue, value = kNoValue;
	if (UQuoter::FindQuoteRange(text, length, label, "<b>", before, value) || !boldAlone)
		return value;
	// Without a figure between the label and the bold one the range cannot be read, but the value can.
	char* const end = text + length;
	char* at = UQuoter::GotoString(text, length, label);
	if (at == nullptr)
		return kNoValue;
	char* bold = UQuoter::GotoString(at, end - at, "<b>");
	if (bold == nullptr)
		return kNoValue;
	UQuoter::ExtractQuote(bold + 3, end - bold - 3, value, 0);
	return value;
}

char* UYahoo::IndexStart(char* page, long length, TIndex* index)
{
	SignalIf_(index == nullptr);
	if (index == nullptr)
		return nullptr;
	index->Reset();
	if (page == nullptr || length <= 0)
		return nullptr;
	return LocateQuote(page, length, index->SecuritySymbol(), false, 0);
}

void UYahoo::ReadRanges(char* start, long length, const char* dayLabel,
                        std::initializer_list<const char*> yearLabels, TSecurity* security)
{
	float low = kNoValue, high = kNoValue;
	UQuoter::FindQuoteRange(start, length, dayLabel, "-", low, high);
	security->DayLow(low);
	security->DayHigh(high);
	for (const char* label : yearLabels) {
		UQuoter::FindQuoteRange(start, length, label, "-", low, high);
		if (low != kNoValue)
			break;
	}
	security->YearLow(low);
	security->YearHigh(high);
}

bool UYahoo::IndexDetail(char* page, long length, TIndex* index, bool boldAlone)
{
	char* start = IndexStart(page, length, index);
	if (start == nullptr)
		return false;
	const long rest = page + length - start;

	index->CurrentTradePrice(BoldFigure(start, rest, "Last Trade", boldAlone));
	index->YesterdayClose(FirstQuote(start, rest, {"Prev Cls"}));
	index->DayOpen(FirstQuote(start, rest, {">Open"}));
	ReadRanges(start, rest, "Day's Range", {"52-wk Range", "52-week Range", "YTD Range"}, index);

	TVyDate traded;
	if (DateAfterLabel(start, rest, ">Trade Time:<", 0, traded))
		index->CurrentTradeUpdate(&traded);
	News(page, length, index);
	return true;
}

bool UYahoo::FundDetail(char* page, long length, TFund* fund, bool boldAlone)
{
	SignalIf_(fund == nullptr);
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	const std::string anchor = std::string(":") + fund->SecuritySymbol() + ")";
	char* start = UQuoter::GotoString(page, length, anchor.c_str());
	if (start == nullptr)
		start = page;
	const long rest = page + length - start;
	fund->CurrentTradePrice(BoldFigure(start, rest, "Net Asset Value", boldAlone));
	fund->YesterdayClose(FirstQuote(start, rest, {"Prev Cls"}));
	News(page, length, fund);
	return true;
}

bool UYahoo::DateFromText(const char* text, TVyDate& date)
{
	if (text == nullptr)
		return false;
	while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
		text++;
	TVyDate found;
	found.Now();
	int hour = 0, minute = 0, second = 0, millisecond = 0, month = 0, day = 0;
	long used = 0;
	if (UDate::IsTime(text, hour, minute, second, millisecond, used, false)) {
		found.SetHour(UInt8(hour));
		found.SetMinute(UInt8(minute));
	} else if (UDate::IsShortDate(text, month, day, true)) {
		found.SetMonth(UInt8(month));
		found.SetDay(UInt8(day));
		found.SetHour(0);
		found.SetMinute(0);
	} else {
		return false;
	}
	found.SetSecond(0);
	found.SetMillisecond(0);
	date = found;
	return true;
}

void UYahoo::GetLookup(tSecurityType type, const char* text, int page, char* url, long urlLen,
                       OSType signature)
{
	SignalIf_(url == nullptr);
	if (url == nullptr || urlLen <= 0)
		return;
	url[0] = 0;
	char encoded[768];
	UPercentEncode::Encode(text, encoded, sizeof encoded);
	const char* host = TQuoterHosts::GetHost(signature, TQuoterHosts::hostLookup);
	const int first = (page - 1) * 50;
	if (type == securityFund) {
		if (page < 2)
			std::snprintf(url, size_t(urlLen), "http://%s/lookup?s=%s&t=M&m=", host, encoded);
		else
			std::snprintf(url, size_t(urlLen), "http://%s/lookup?s=%s&t=M&m=&b=%d", host, encoded,
			              first);
	} else {
		if (page < 2)
			std::snprintf(url, size_t(urlLen), "http://%s/lookup?m=&s=%s&t=S", host, encoded);
		else
			std::snprintf(url, size_t(urlLen), "http://%s/lookup?m=&s=%s&t=S&b=%d", host, encoded,
			              first);
	}
}

bool UYahoo::CurrencyDetail(char* page, long length, TCurrency* currency)
{
	SignalIf_(currency == nullptr);
	if (currency == nullptr)
		return false;
	currency->Reset();
	float rate = kNoValue;
	UQuoter::FindQuote(page, length, "Exchange rate of", rate, 0);
	currency->CurrentTradePrice(rate);
	return true;
}

bool UYahoo::News(char* page, long length, TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (page == nullptr || length <= 0 || security == nullptr)
		return false;
	static const char kHeading[] = ">Headlines</h2>";
	char* const end = page + length;
	char* p = UQuoterExtras::GotoString(page, length, kHeading, true);
	if (p == nullptr)
		return false;
	p += std::strlen(kHeading);
	if (UQuoterExtras::GotoString(p, end - p, ">No headlines available for ", false) != nullptr)
		return false;
	char* listEnd = UQuoterExtras::GotoString(p, end - p, "More Headlines for", true);
	if (listEnd == nullptr)
		listEnd = UQuoterExtras::GotoString(p, end - p, ">Financial Blogs<", false);
	if (listEnd == nullptr)
		listEnd = end;

	// The first anchor of the list links to the feed, not to a story.
	bool first = true;
	while (p < listEnd) {
		tNewsEntry entry;
		long consumed = 0;
		if (!UQuoterExtras::ExtractHeadline(p, listEnd - p, &entry, consumed, true, false, false) ||
		    consumed <= 0)
			break;
		if (!first)
			security->AddNewsItem(&entry);
		first = false;
		p += consumed;
	}
	return true;
}

bool UYahoo::Lookup(char* page, long length, ILookupList* list, tSecurityType type, bool& more,
                    OSType signature)
{
	more = false;
	SignalIf_(list == nullptr);
	if (list == nullptr)
		return false;
	if (page == nullptr || length <= 0)
		return true;

	TVyString table(page, static_cast<unsigned long>(length));
	if (!table.ChopBefore("<table class=\"yui-dt\">", false))
		return true;
	table.Chop("</table", false);
	table.SetRecordDelimiters("<tr class=\"yui-dt-", "</tr>");
	TVyString row;
	for (bool found = table.GetFirstRecord(row, true); found; found = table.GetNextRecord(row, true)) {
		TVyString cells[kLookupCells];
		int count = 0;
		row.SetRecordDelimiters("<td", "</td");
		TVyString cell;
		for (bool inRow = row.GetFirstRecord(cell, true); inRow && count < kLookupCells;
		     inRow = row.GetNextRecord(cell, true)) {
			cell.ChopAllHTML();
			cells[count++] = cell;
		}

		tLookupEntry entry;
		CopyCell(cells[1], entry.name, tLookupEntry::kNameSize);
		CopyCell(cells[0], entry.symbol, tLookupEntry::kSymbolSize);
		CopyCell(cells[5], entry.exchangeText, tLookupEntry::kExchangeTextSize);
		// Heading rows carry no symbol.
		if (entry.symbol[0] == 0)
			continue;
		entry.quoter = signature;
		GuessAtExchange(&entry, type != securityFund);
		list->Append(&entry);
	}
	return true;
}

void UYahoo::GuessAtExchange(tLookupEntry* entry, bool stripSuffix)
{
	SignalIf_(entry == nullptr);
	if (entry == nullptr)
		return;
	entry->exchange = kExchangeUnknown;
	char* dot = std::strrchr(entry->symbol, '.');
	if (dot == entry->symbol)
		dot = nullptr; // nothing would be left of the symbol

	if (entry->exchangeText[0] != 0) {
		// The longest name that starts the text wins, so "Madrid MC" is not taken for "Madrid".
		const tYahooLookup* named = nullptr;
		size_t best = 0;
		for (const tYahooLookup* row = sYahooLookups; row->exchange != kLookupsEnd; row++) {
			const size_t n = std::strlen(row->name);
			if (n > best && strncmpi(entry->exchangeText, row->name, long(n)) == 0) {
				named = row;
				best = n;
			}
		}
		if (named != nullptr) {
			entry->exchange = named->exchange;
			if (stripSuffix && dot != nullptr && IsSuffixOf(dot, named->exchange))
				*dot = 0;
		}
	}

	if (entry->exchange == kExchangeUnknown && dot != nullptr) {
		for (const tYahooLookup* row = sYahooLookups; row->exchange != kLookupsEnd; row++)
			if (row->suffix[0] != 0 && ksstrcmpi(dot, row->suffix) == 0) {
				entry->exchange = row->exchange;
				if (stripSuffix)
					*dot = 0;
				break;
			}
	}
}

float UYahoo::FirstQuote(char* text, long length, std::initializer_list<const char*> labels)
{
	float value = kNoValue;
	for (const char* label : labels)
		if (UQuoter::FindQuote(text, length, label, value, 0))
			break;
	return value;
}

bool UYahoo::TextAfterLabel(char* page, long length, const char* label, int line, char* out, long size)
{
	if (out == nullptr || size <= 0)
		return false;
	out[0] = 0;
	char* found = UQuoter::GotoString(page, length, label);
	if (found == nullptr)
		return false;
	char* from = found + std::strlen(label);
	// A label that ends in the '<' of the next tag gives it back, so that the tag is skipped whole.
	if (from[-1] == '<')
		from--;
	long outLength = size;
	return UQuoter::ExtractStringAfterLine(from, page + length - from, line, out, outLength);
}

bool UYahoo::DateAfterLabel(char* page, long length, const char* label, int line, TVyDate& date)
{
	char text[128];
	return TextAfterLabel(page, length, label, line, text, sizeof text) && DateFromText(text, date);
}

void UYahoo::GetRegionalLookup(OSType signature, const char* text, int page, char* url, long urlLen)
{
	SignalIf_(url == nullptr);
	if (url == nullptr || urlLen <= 0)
		return;
	url[0] = 0;
	char encoded[768];
	UPercentEncode::Encode(text, encoded, sizeof encoded);
	const char* host = TQuoterHosts::GetHost(signature, TQuoterHosts::hostLookup);
	if (page < 2)
		std::snprintf(url, size_t(urlLen), "http://%s/l?s=%s", host, encoded);
	else
		std::snprintf(url, size_t(urlLen), "http://%s/l?s=%s&m=%d", host, encoded,
		              kRegionalRowsPerPage * page - (kRegionalRowsPerPage - 1));
}
