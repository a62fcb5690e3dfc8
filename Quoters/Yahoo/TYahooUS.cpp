#include "Quoters/Yahoo/TYahooUS.h"

#include "Includes/NoValue.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "foundation/TVyDate.h"
#include "foundation/VyStrings.h"
#include "model/TCurrency.h"
#include "model/TCurrencyManager.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {100, 101, 102, 200, 201, 205};

// The first line end at or after p, or null.
char* LineEnd(char* p, char* end)
{
	for (; p < end; p++)
		if (*p == '\n' || *p == '\r')
			return p;
	return nullptr;
}

// The close before the change shown after ">Change:" on a page that gives a settlement price instead.
float SettlementClose(char* start, char* end, float price)
{
	static const char kLabel[] = ">Change:";
	char* label = UQuoter::GotoString(start, end - start, kLabel);
	if (label == nullptr)
		return kNoValue;
	char* after = label + std::strlen(kLabel);
	float change = kNoValue;
	UQuoter::ExtractQuote(after, end - after, change, 0);
	char* lineEnd = LineEnd(after, end);
	if (lineEnd == nullptr)
		return kNoValue;
	const bool fell = UQuoter::GotoString(label, lineEnd - label, "down_r.gif") != nullptr;
	return UQuoterSite::CloseBeforeChange(price, change, fell);
}

} // namespace

void TYahooUS::GetExchanges(const tStockExchange** list, short* count)
{
	SignalIf_(list == nullptr || count == nullptr);
	if (list == nullptr || count == nullptr)
		return;
	*list = kExchanges;
	*count = short(std::size(kExchanges));
}

void TYahooUS::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	SignalIf_(path == nullptr || security == nullptr);
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr)
		return;
	switch (security->Type()) {
	case securityStock: {
		const tStockExchange exchange = static_cast<TStock*>(security)->Exchange();
		UYahoo::GetQuotePage(path, pathLen, security->SecuritySymbol(),
		                     UYahoo::GetExchangeSuffix(exchange), "&d=t");
		break;
	}
	case securityFund:
		UYahoo::GetQuotePage(path, pathLen, security->SecuritySymbol(), nullptr, "&d=t");
		break;
	case securityIndex:
		UYahoo::GetQuotePage(path, pathLen, security->SecuritySymbol(), nullptr, nullptr);
		break;
	case securityCurrency: {
		auto* pair = static_cast<TCurrency*>(security);
		const char* from = TCurrencyManager::GetCurrencySymbol(pair->CurrencyFrom());
		const char* to = TCurrencyManager::GetCurrencySymbol(pair->CurrencyTo());
		char built[256];
		std::snprintf(built, sizeof built, "/currency-converter/#from=%s;to=%s;amt=1",
		              from ? from : "", to ? to : "");
		strcpyn(path, built, pathLen - 1);
		break;
	}
	default:
		break;
	}
}

void TYahooUS::GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen)
{
	UYahoo::GetLookup(type, text, page, url, urlLen, kSignature);
}

bool TYahooUS::ExtractDate(char* text, long length, TVyDate& date)
{
	static const char kLabel[] = ">Trade Time:";
	char* label = UQuoter::GotoString(text, length, kLabel);
	if (label == nullptr)
		return false;
	char* after = label + std::strlen(kLabel);
	char buffer[129];
	const long count = std::min<long>(128, text + length - after);
	std::memcpy(buffer, after, size_t(count));
	buffer[count] = 0;
	UQuoterExtras::PurgeHTML(buffer);
	// The time opens the cell's text; what follows on later lines belongs to other cells.
	char* p = buffer + std::strspn(buffer, " \t\r\n");
	p[std::strcspn(p, "\r\n")] = 0;
	return UYahoo::DateFromText(p, date);
}

bool TYahooUS::StockDetail(char* page, long length, TStock* stock)
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
	char* const end = page + length;
	const long rest = end - start;

	const float price = UYahoo::FirstQuote(start, rest, {">Last Trade:"});
	stock->CurrentTradePrice(price);
	if (UQuoter::GotoString(start, rest, ">Prev Settlement:") != nullptr)
		stock->YesterdayClose(SettlementClose(start, end, price));
	else
		stock->YesterdayClose(UYahoo::FirstQuote(start, rest, {">Prev Close:"}));
	stock->DayOpen(UYahoo::FirstQuote(start, rest, {">Open:"}));
	stock->CurrentTradeBid(UYahoo::FirstQuote(start, rest, {">Bid:"}));
	stock->CurrentTradeAsk(UYahoo::FirstQuote(start, rest, {">Ask:"}));

	float low = kNoValue, high = kNoValue;
	UQuoter::FindQuoteRange(start, rest, ">Day's Range:", "-", low, high);
	stock->DayLow(low);
	stock->DayHigh(high);
	if (!UQuoter::FindQuoteRange(start, rest, ">52wk Range", "-", low, high) &&
	    !UQuoter::FindQuoteRange(start, rest, "52-wk Range", "-", low, high))
		UQuoter::FindQuoteRange(start, rest, "52-week Range", "-", low, high);
	stock->YearLow(low);
	stock->YearHigh(high);

	UInt32 volume = 0;
	UQuoter::FindVolume(start, rest, ">Volume:", volume, 0);
	stock->DayVolume(volume);

	stock->PriceEarningsRatio(UYahoo::FirstQuote(start, rest, {">P/E "}));
	stock->EarningsPerShare(UYahoo::FirstQuote(start, rest, {">EPS "}));

	float dividend = kNoValue, yield = kNoValue;
	if (!UQuoter::FindQuoteRange(start, rest, ">Div", "(", dividend, yield)) {
		dividend = UYahoo::FirstQuote(start, rest, {">Div"});
		yield = kNoValue; // the stock's reset keeps the last yield, which is not this page's
	}
	stock->DividendPerShare(dividend);
	stock->Yield(yield);

	static const char kCap[] = ">Market Cap:<";
	float cap = UYahoo::FirstQuote(start, rest, {kCap});
	if (cap != kNoValue) {
		// Read from the label's '<', so that the tag it opens is skipped.
		char* from = UQuoter::GotoString(start, rest, kCap) + std::strlen(kCap) - 1;
		char run[128];
		long runLength = sizeof run;
		if (UQuoter::ExtractStringAfterLine(from, end - from, 0, run, runLength) &&
		    std::strchr(run, 'B') != nullptr)
			cap *= 1000.0f;
	}
	stock->Capitalization(cap);

	TVyDate traded;
	if (ExtractDate(start, rest, traded))
		stock->CurrentTradeUpdate(&traded);
	News(page, length, stock);
	return true;
}

bool TYahooUS::FundDetail(char* page, long length, TFund* fund)
{
	SignalIf_(fund == nullptr);
	if (fund == nullptr)
		return false;
	fund->Reset();
	if (page == nullptr || length <= 0)
		return false;
	static const char kNav[] = ">Net Asset Value:";
	char* const end = page + length;
	char* start = UQuoter::GotoString(page, length, kNav);
	if (start == nullptr)
		start = page;
	const float price = UYahoo::FirstQuote(start, end - start, {kNav});
	fund->CurrentTradePrice(price);

	static const char kChange[] = ">Change:";
	if (char* label = UQuoter::GotoString(start, end - start, kChange)) {
		char* after = label + std::strlen(kChange);
		float change = kNoValue;
		UQuoter::ExtractQuote(after, end - after, change, 0);
		const long window = std::min<long>(400, end - label);
		const bool rose = UQuoter::GotoString(label, window, "yfi-price-change-up") != nullptr;
		fund->YesterdayClose(UQuoterSite::CloseBeforeChange(price, change, !rose));
	}
	News(page, length, fund);
	return true;
}

bool TYahooUS::IndexDetail(char* page, long length, TIndex* index)
{
	char* start = UYahoo::IndexStart(page, length, index);
	if (start == nullptr)
		return false;
	const long rest = page + length - start;

	index->CurrentTradePrice(UYahoo::FirstQuote(start, rest, {">Index Value"}));
	index->YesterdayClose(UYahoo::FirstQuote(start, rest, {">Prev Close:"}));
	index->DayOpen(UYahoo::FirstQuote(start, rest, {">Open:"}));
	UYahoo::ReadRanges(start, rest, ">Day's Range:", {">52wk Range"}, index);

	TVyDate traded;
	if (ExtractDate(start, rest, traded))
		index->CurrentTradeUpdate(&traded);
	News(page, length, index);
	return true;
}

bool TYahooUS::CurrencyDetail(char* page, long length, TCurrency* currency)
{
	return UYahoo::CurrencyDetail(page, length, currency);
}

bool TYahooUS::Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more)
{
	return UYahoo::Lookup(page, length, results, type, more, kSignature);
}

bool TYahooUS::News(char* page, long length, TSecurity* security)
{
	return UYahoo::News(page, length, security);
}
