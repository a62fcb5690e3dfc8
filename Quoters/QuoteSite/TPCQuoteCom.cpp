#include "Quoters/QuoteSite/TPCQuoteCom.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TFund.h"
#include "model/TStock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {100, 101, 102};

struct tLabel {
	const char* label;
	void (TSecurity::*setter)(float);
};

void ReadLabels(char* start, long size, const tLabel* labels, int count, TSecurity* security)
{
	for (int i = 0; i < count; i++) {
		float value = kNoValue;
		UQuoter::FindQuote(start, size, labels[i].label, value, 2);
		(security->*labels[i].setter)(value);
	}
}

// Price and change, and the close before the change.
void ReadPriceAndChange(char* start, long size, TSecurity* security)
{
	float price = kNoValue;
	float change = kNoValue;
	UQuoter::FindQuote(start, size, ">Last:<", price, 2);
	UQuoter::FindQuote(start, size, ">Change:<", change, 2);
	security->CurrentTradePrice(price);
	security->YesterdayClose(UQuoterSite::CloseBeforeChange(price, change));
}

} // namespace

void TPCQuoteCom::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof kExchanges / sizeof kExchanges[0]);
}

void TPCQuoteCom::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr || (security->Type() != securityStock && security->Type() != securityFund))
		return;
	char symbol[128 * 3 + 1];
	UQuoterSite::EncodeText(security->SecuritySymbol(), 128, symbol, sizeof symbol);
	const char* suffix = "";
	if (security->Type() == securityStock) {
		const tStockExchange exchange = static_cast<TStock*>(security)->Exchange();
		if (exchange >= 200 && exchange <= 203 &&
		    strstri(security->SecuritySymbol(), ".CA") == nullptr)
			suffix = ".CA";
	}
	std::snprintf(path, size_t(pathLen), "/stocks/index.php?symbols=%s%s&x=0&y=0", symbol, suffix);
}

void TPCQuoteCom::GetLookup(tSecurityType, char* text, int, char* url, long urlLen)
{
	if (url == nullptr || urlLen <= 0)
		return;
	char search[256 * 3 + 1];
	UQuoterSite::EncodeText(text, 256, search, sizeof search);
	std::snprintf(url, size_t(urlLen),
	              "http://%s/stocks/findSymbol.php?companyName=%s&submit.x=0&submit.y=0&submit=Lookup",
	              TQuoterHosts::GetHost(kSignature, TQuoterHosts::hostQuote), search);
}

bool TPCQuoteCom::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* start = UQuoter::GotoString(page, length, "<div id=\"contentmain\">");
	if (start == nullptr)
		return false;

	ReadPriceAndChange(start, end - start, stock);
	static const tLabel kDay[] = {{">High:<", &TSecurity::DayHigh}, {">Low:<", &TSecurity::DayLow}};
	ReadLabels(start, end - start, kDay, 2, stock);
	UInt32 volume = 0;
	UQuoter::FindVolume(start, end - start, ">Volume:<", volume, 2);
	stock->DayVolume(volume);

	if (char* priceData = UQuoter::GotoString(start, end - start, ">Price Data</div>"))
		start = priceData;
	static const tLabel kPrice[] = {{">Open:<", &TSecurity::DayOpen},
	                                {">Bid:<", &TSecurity::CurrentTradeBid},
	                                {">Ask:<", &TSecurity::CurrentTradeAsk}};
	ReadLabels(start, end - start, kPrice, 3, stock);
	UQuoter::FindVolume(start, end - start, "Size Bid/Ask<", volume, 2);
	stock->CurrentTradeVolume(volume);

	if (char* fundamentals = UQuoter::GotoString(start, end - start, "Fundamental Data Table"))
		start = fundamentals;
	const long size = end - start;
	float value = kNoValue;
	UQuoter::FindQuote(start, size, ">52 Week High:<", value, 2);
	stock->YearHigh(value);
	UQuoter::FindQuote(start, size, ">52 Week Low:<", value, 2);
	stock->YearLow(value);
	UQuoter::FindQuote(start, size, ">EPS:<", value, 2);
	stock->EarningsPerShare(value);
	UQuoter::FindQuote(start, size, ">P/E Ratio:<", value, 2);
	stock->PriceEarningsRatio(value);
	UQuoter::FindQuote(start, size, ">Dividend Amount:<", value, 2);
	stock->DividendPerShare(value);

	static const char kSale[] = ">Time of Last Sale:";
	if (char* sale = UQuoter::GotoString(page, length, kSale)) {
		sale += std::strlen(kSale);
		char text[129];
		long textLength = sizeof text;
		TVyDate date;
		if (UQuoter::ExtractStringAfterLine(sale, end - sale, 0, text, textLength) &&
		    ExtractDate(text, textLength, &date, true))
			stock->CurrentTradeUpdate(&date);
	}
	News(page, length, stock);
	return true;
}

bool TPCQuoteCom::ExtractDate(char* text, long length, TVyDate* date, bool flag)
{
	if (!flag || text == nullptr || length <= 0 || date == nullptr)
		return false;
	char buffer[129];
	strmemcpyn(buffer, text, std::min(length, 128L), 128);
	UQuoterSite::CleanCell(buffer);

	TVyDate today;
	int hour = 0;
	int minute = 0;
	int second = 0;
	int millisecond = 0;
	long timeLength = 0;
	int month = 0;
	int day = 0;
	if (UDate::IsTime(buffer, hour, minute, second, millisecond, timeLength, false)) {
		bool am = false;
		bool pm = false;
		UQuoterSite::FindMeridiem(buffer, am, pm);
		today.SetHour(UInt8(UQuoterSite::MeridiemHour(hour, am, pm)));
		today.SetMinute(UInt8(minute));
	} else if (UDate::IsShortDate(buffer, month, day, true)) {
		today.SetMonth(UInt8(month));
		today.SetDay(UInt8(day));
		today.SetHour(0);
		today.SetMinute(0);
		today.AdjustDays(0);
	} else {
		return false;
	}
	today.SetSecond(0);
	today.SetMillisecond(0);
	*date = today;
	return true;
}

bool TPCQuoteCom::FundDetail(char* page, long length, TFund* fund)
{
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* start = UQuoter::GotoString(page, length, ">Fundamental Data<");
	if (start == nullptr)
		return false;
	const long size = page + length - start;
	ReadPriceAndChange(start, size, fund);
	static const tLabel kYear[] = {{">52 Week High:<", &TSecurity::YearHigh},
	                               {">52 Week Low:<", &TSecurity::YearLow}};
	ReadLabels(start, size, kYear, 2, fund);
	return true;
}

bool TPCQuoteCom::Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more)
{
	more = false;
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	static const char kMarker[] = ">KIND<";
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	char* row = marker + std::strlen(kMarker);
	char* tableEnd = UQuoter::GotoString(row, end - row, "</table>");
	if (tableEnd == nullptr)
		tableEnd = end;

	while (row != nullptr && row < tableEnd) {
		tLookupEntry entry;
		long symbolLength = tLookupEntry::kSymbolSize;
		long nameLength = tLookupEntry::kNameSize;
		char* next = nullptr;
		char* unused = nullptr;
		// The list ends at the first row that cannot be read whole.
		if (!UQuoter::ExtractTableRow(row, tableEnd - row, entry.symbol, symbolLength, 1, &next) ||
		    !UQuoter::ExtractTableRow(row, tableEnd - row, entry.name, nameLength, 2, &unused))
			break;
		row = next;
		UQuoterSite::CleanCell(entry.symbol);
		UQuoterSite::CleanCell(entry.name);
		if (strstri(entry.symbol, ".CA") != nullptr)
			entry.exchange = 200;
		else
			entry.exchange = std::strlen(entry.symbol) > 3 ? 101 : 100;
		entry.quoter = kSignature;
		if (results != nullptr)
			results->Append(&entry);
	}
	return true;
}

bool TPCQuoteCom::News(char* page, long length, TSecurity* security)
{
	static const char kMarker[] = ">Latest Press";
	if (page == nullptr || length <= 0)
		return false;
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	char home[300];
	UQuoterSite::CopyHomePage(kSignature, home, sizeof home - 1);
	strcatn(home, "/", sizeof home);
	UQuoterSite::AddHeadlines(marker + std::strlen(kMarker), page + length, security, home, 0);
	return true;
}
