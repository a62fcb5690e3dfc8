#include "Quoters/Canada/TGlobeAndMail.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TStock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {200, 201, 205, 204, 100, 101, 102};

const char* SymbolSuffix(tStockExchange exchange)
{
	switch (exchange) {
	case 100:
		return "-N";
	case 101:
		return "-Q";
	case 102:
		return "-A";
	case 200:
		return "-T";
	case 201:
		return "-M";
	case 204:
		return "-D";
	case 205:
		return "-X";
	default:
		return nullptr;
	}
}

struct tLabel {
	const char* label;
	void (TStock::*setter)(float);
};

} // namespace

void TGlobeAndMail::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof kExchanges / sizeof kExchanges[0]);
}

void TGlobeAndMail::GetSymbolForm(TSecurity* security, char* out, long size)
{
	if (out == nullptr || size <= 0)
		return;
	out[0] = 0;
	if (security == nullptr || security->Type() != securityStock || security->SecuritySymbol()[0] == 0)
		return;
	const char* suffix = SymbolSuffix(static_cast<TStock*>(security)->Exchange());
	if (suffix == nullptr)
		return;
	UQuoterSite::EncodeText(security->SecuritySymbol(), 31, out, size - long(std::strlen(suffix)));
	strcatn(out, suffix, size);
}

void TGlobeAndMail::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	char form[128];
	GetSymbolForm(security, form, sizeof form);
	if (form[0] != 0)
		std::snprintf(path, size_t(pathLen), "/globe-investor/markets/stocks/summary/?q=%s", form);
}

void TGlobeAndMail::GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path,
                           long pathLen)
{
	if (host != nullptr && hostLen > 0)
		host[0] = 0;
	if (path != nullptr && pathLen > 0)
		path[0] = 0;
	if (type == urlHomePage) {
		UQuoterSite::CopyHomePage(kSignature, host, hostLen);
		return;
	}
	char form[128];
	GetSymbolForm(security, form, sizeof form);
	if (form[0] == 0)
		return;
	if (type == urlQuotePage) {
		UQuoterSite::CopyHost(kSignature, TQuoterHosts::hostQuote, host, hostLen);
		GetPageDetailed(path, int(pathLen), security);
	} else if (type == urlNewsPage) {
		// The headline pages may live on their own host; the quote host serves them otherwise.
		const char* news = TQuoterHosts::GetHost(kSignature, TQuoterHosts::hostNews);
		if (news[0] != 0)
			UQuoterSite::CopyHost(kSignature, TQuoterHosts::hostNews, host, hostLen);
		else
			UQuoterSite::CopyHost(kSignature, TQuoterHosts::hostQuote, host, hostLen);
		if (path != nullptr && pathLen > 0)
			std::snprintf(path, size_t(pathLen), "/globe-investor/markets/stocks/news/?q=%s",
			              form);
	}
}

void TGlobeAndMail::GetLookup(tSecurityType, char* text, int page, char* url, long urlLen)
{
	if (url == nullptr || urlLen <= 0)
		return;
	char search[256 * 3 + 1];
	UQuoterSite::EncodeText(text, 256, search, sizeof search);
	const char* host = TQuoterHosts::GetHost(kSignature, TQuoterHosts::hostLookup);
	if (page == 1)
		std::snprintf(
		    url, size_t(urlLen),
		    "http://%s/invest/investSQL/gx.company_search?pi_comp_name=%s&pi_search_type=CONTAINS"
		    "&pi_symbol_type=ALL&pi_exchange=All",
		    host, search);
	else
		std::snprintf(
		    url, size_t(urlLen),
		    "http://%s/invest/investSQL/gx.company_search?iaction=go&pi_cur_offset=%d&pi_comp_name=%s"
		    "&pi_search_type=&pi_symbol_type=&pi_exchange=&pi_mode=INVEST&pi_pname=&pi_call_from=",
		    host, 50 * page - 49, search);
}

bool TGlobeAndMail::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	static const tLabel kFirst[] = {{">Latest<", &TStock::CurrentTradePrice},
	                                {">High<", &TStock::DayHigh},
	                                {">Low<", &TStock::DayLow},
	                                {">Bid<", &TStock::CurrentTradeBid},
	                                {">Ask<", &TStock::CurrentTradeAsk}};
	static const tLabel kSecond[] = {{">Open<", &TStock::DayOpen},
	                                 {">Previous Close<", &TStock::YesterdayClose},
	                                 {">52-week High<", &TStock::YearHigh},
	                                 {">52-week Low<", &TStock::YearLow},
	                                 {">Market Cap<", &TStock::Capitalization},
	                                 {">EPS<", &TStock::EarningsPerShare},
	                                 {">P/E<", &TStock::PriceEarningsRatio},
	                                 {">Annual Dividend<", &TStock::DividendPerShare},
	                                 {">Yield<", &TStock::Yield}};
	float value = kNoValue;
	for (const tLabel& label : kFirst) {
		UQuoter::FindQuote(page, length, label.label, value, 2);
		(stock->*label.setter)(value);
	}
	UInt32 volume = 0;
	UQuoter::FindVolume(page, length, ">Volume<", volume, 2);
	stock->DayVolume(volume);
	for (const tLabel& label : kSecond) {
		UQuoter::FindQuote(page, length, label.label, value, 2);
		(stock->*label.setter)(value);
	}
	News(page, length, stock);
	return true;
}

bool TGlobeAndMail::News(char* page, long length, TSecurity* security)
{
	static const char kMarker[] = "<div id=\"press-releases\">";
	if (page == nullptr || length <= 0)
		return false;
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	UQuoterSite::AddHeadlines(marker + std::strlen(kMarker), page + length, security,
	                          GetDomain(securityStock), kMaxHeadlines);
	return true;
}

bool TGlobeAndMail::ExtractDate(char* text, long length, TVyDate* date, bool)
{
	if (text == nullptr || length <= 0 || date == nullptr)
		return false;
	char buffer[129];
	strmemcpyn(buffer, text, std::min(length, 128L), 128);
	char* words[8] = {};
	const long count = strparse(buffer, words, " .,:", 8);
	int month = 0;
	if (count <= 4 || !UDate::IsWordMonth(words[0], month))
		return false;
	// The meridiem stands alone or right after the minutes ("4:05pm").
	bool am = false;
	bool pm = false;
	for (long i = 4; i < count && i <= 5 && !am && !pm; i++)
		UQuoterSite::FindMeridiem(words[i], am, pm);
	const int hour = UQuoterSite::MeridiemHour(std::atoi(words[3]), am, pm);
	const int day = std::atoi(words[1]);
	const int minute = std::atoi(words[4]);
	const int year = std::atoi(words[2]);
	if (year < 1 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
		return false;

	TVyDate today;
	today.SetYear(UInt16(year));
	today.SetMonth(UInt8(month));
	today.SetDay(UInt8(day));
	today.SetHour(UInt8(hour));
	today.SetMinute(UInt8(minute));
	today.SetSecond(0);
	today.SetMillisecond(0);
	today.AdjustDays(0);
	*date = today;
	return true;
}
