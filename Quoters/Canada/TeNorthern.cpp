#include "Quoters/Canada/TeNorthern.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "model/TFund.h"
#include "model/TStock.h"

#include <cstdio>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {100, 101, 102, 200, 201, 205, 204};

// Null for a market the site has no code for.
const char* MarketCode(tStockExchange exchange)
{
	switch (exchange) {
	case 100:
	case 101:
	case 102:
		return "x";
	case 200:
		return "t";
	case 201:
		return "m";
	case 204:
		return "tc";
	case 205:
		return "v";
	default:
		return nullptr;
	}
}

struct tLine {
	int line;
	void (TStock::*setter)(float);
};

float ValueAfterLine(char* row, char* end, int line)
{
	float value = kNoValue;
	UQuoter::ExtractQuoteAfterLine(row, end - row, line, value);
	return value;
}

// A volume on the line-th line after row, times the unit it is shown in.
UInt32 VolumeAfterLine(char* row, char* end, int line, double unit)
{
	char* p = UQuoter::GotoLine(row, end - row, line);
	double value = kNoValue;
	if (p == nullptr || !UQuoter::ExtractQuote(p, end - p, value, 0) || value == double(kNoValue))
		return 0;
	return UQuoter::VolumeFromValue(value * unit);
}

} // namespace

void TeNorthern::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof kExchanges / sizeof kExchanges[0]);
}

void TeNorthern::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr)
		return;
	char symbol[31 * 3 + 1];
	UQuoterSite::EncodeText(security->SecuritySymbol(), 31, symbol, sizeof symbol);
	switch (security->Type()) {
	case securityFund:
		std::snprintf(path, size_t(pathLen), "/mf_quote.page?symbol=%s,mf", symbol);
		break;
	case securityIndex:
		std::snprintf(path, size_t(pathLen), "/index_quote.page?symbol=%s,I", symbol);
		break;
	case securityStock:
		if (const char* market = MarketCode(static_cast<TStock*>(security)->Exchange()))
			std::snprintf(path, size_t(pathLen), "/composite_quote.page?symbol=%s,%s", symbol,
			              market);
		break;
	default:
		break;
	}
}

void TeNorthern::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	if (url != nullptr && urlLen > 0)
		url[0] = 0;
}

bool TeNorthern::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* volume = UQuoter::GotoString(page, length, ">Volume<");
	char* row = volume != nullptr ? UQuoter::GotoString(volume, end - volume, "<tr ") : nullptr;
	if (row == nullptr)
		return false;

	static const tLine kTrade[] = {{1, &TStock::CurrentTradePrice}, {6, &TStock::CurrentTradeBid},
	                               {7, &TStock::CurrentTradeAsk},   {9, &TStock::DayOpen},
	                               {10, &TStock::DayHigh},          {11, &TStock::DayLow}};
	for (const tLine& line : kTrade)
		(stock->*line.setter)(ValueAfterLine(row, end, line.line));
	// The trade's size is shown in hundreds.
	stock->CurrentTradeVolume(VolumeAfterLine(row, end, 2, 100.0));
	stock->DayVolume(VolumeAfterLine(row, end, 12, 1.0));

	char* outstanding = UQuoter::GotoString(row, end - row, ">Shares<br>Outstanding");
	if (outstanding == nullptr)
		outstanding = UQuoter::GotoString(row, end - row, "Outstanding");
	row = outstanding != nullptr ? UQuoter::GotoString(outstanding, end - outstanding, "<tr ") : nullptr;
	if (row == nullptr)
		return false;
	static const tLine kCompany[] = {{1, &TStock::YesterdayClose},     {3, &TStock::EarningsPerShare},
	                                 {4, &TStock::PriceEarningsRatio}, {5, &TStock::DividendPerShare},
	                                 {8, &TStock::YearHigh},           {9, &TStock::YearLow}};
	for (const tLine& line : kCompany)
		(stock->*line.setter)(ValueAfterLine(row, end, line.line));

	News(page, length, stock);
	return true;
}

bool TeNorthern::FundDetail(char* page, long length, TFund* fund)
{
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* label = UQuoter::GotoString(page, length, ">NAVPS<");
	char* row = label != nullptr ? UQuoter::GotoString(label, end - label, "<tr") : nullptr;
	if (row == nullptr)
		return false;
	const float price = ValueAfterLine(row, end, 3);
	const float change = ValueAfterLine(row, end, 4);
	fund->CurrentTradePrice(price);
	fund->YesterdayClose(UQuoterSite::CloseBeforeChange(price, change));
	return true;
}

bool TeNorthern::News(char* page, long length, TSecurity* security)
{
	static const char kMarker[] = ">Headlines<";
	if (page == nullptr || length <= 0 || security == nullptr)
		return false;
	char* end = page + length;
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	char* start = marker + std::strlen(kMarker);
	char* stop = UQuoter::GotoString(start, end - start, ">All Headlines for:");
	if (stop == nullptr)
		stop = UQuoter::GotoString(start, end - start, "</table");
	if (stop == nullptr)
		stop = end;

	// Every headline of this site leads to the security's own quote page.
	const char* host = GetDomain(security->Type());
	char path[513];
	GetPageDetailed(path, sizeof path, security);

	char* p = start;
	while (p < stop) {
		tNewsEntry entry;
		long consumed = 0;
		if (!UQuoterExtras::ExtractHeadline(p, stop - p, &entry, consumed, true, false, false) ||
		    consumed <= 0)
			break;
		entry.host = host;
		entry.hostLength = UInt32(std::strlen(host));
		entry.path = path;
		entry.pathLength = UInt32(std::strlen(path));
		security->AddNewsItem(&entry);
		p += consumed;
	}
	return true;
}
