#include "Quoters/SwissQuote/TSwissQuote.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/TVyDate.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// The zero entries match no exchange.
const tStockExchange kExchanges[] = {307, 0, 0, 0, 0, 0, 0};

constexpr int kSymbolLength = 31;
constexpr int kEncodedSymbolSize = kSymbolLength * 3 + 1;

void Empty(char* s, long size)
{
	if (s != nullptr && size > 0)
		s[0] = 0;
}

// Walks a chain of labels: each is searched from where the previous one was found.
class TAnchorChain
{
public:
	TAnchorChain(char* page, long length) : mPosition(page), mEnd(page + length) {}

	// The second label's position after the first, or null (and the chain broken) when either is missing.
	char* Next(const char* block, const char* row)
	{
		if (mPosition == nullptr)
			return nullptr;
		char* found = UQuoter::GotoString(mPosition, mEnd - mPosition, block);
		if (found != nullptr)
			found = UQuoter::GotoString(found, mEnd - found, row);
		mPosition = found;
		return found;
	}

	long Rest(char* from) const { return mEnd - from; }

private:
	char* mPosition;
	char* mEnd;
};

void ReadRow(char* row, long length, int line, TStock* stock, void (TSecurity::*setter)(float))
{
	float value = kNoValue;
	if (UQuoter::ExtractQuoteAfterLine(row, length, line, value))
		(stock->*setter)(value);
}

UInt32 ReadVolume(char* row, long length)
{
	char text[128];
	long textLength = sizeof(text);
	if (!UQuoter::ExtractStringAfterLine(row, length, 1, text, textLength))
		return 0;
	// Apostrophes separate the thousands.
	char* to = text;
	for (const char* from = text; *from != 0; ++from)
		if (*from != '\'')
			*to++ = *from;
	*to = 0;
	UInt32 volume = 0;
	UQuoter::ExtractVolume(text, long(to - text), volume, 0);
	return volume;
}

} // namespace

void TSwissQuote::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof(kExchanges) / sizeof(kExchanges[0]));
}

void TSwissQuote::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	Empty(path, pathLen);
	SignalIf_(security == nullptr);
	if (path == nullptr || pathLen <= 0 || security == nullptr || security->Type() != securityStock)
		return;
	char encoded[kEncodedSymbolSize];
	UQuoterSite::EncodeText(security->SecuritySymbol(), kSymbolLength, encoded, sizeof encoded);
	char built[256];
	std::snprintf(built, sizeof(built), "/fcgi-bin/stockfquote?symbols=%s", encoded);
	strcpyn(path, built, pathLen - 1);
}

void TSwissQuote::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	Empty(url, urlLen);
}

bool TSwissQuote::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;

	TAnchorChain chain(page, length);
	if (char* row = chain.Next(">Prev. Close<", "<TR align")) {
		stock->DayVolume(ReadVolume(row, chain.Rest(row)));
		ReadRow(row, chain.Rest(row), 2, stock, &TSecurity::YesterdayClose);
		ReadRow(row, chain.Rest(row), 3, stock, &TSecurity::DayOpen);
		ReadRow(row, chain.Rest(row), 4, stock, &TSecurity::CurrentTradePrice);
	}
	if (char* row = chain.Next(">Bid Size<", "<TR bgcolor")) {
		ReadRow(row, chain.Rest(row), 3, stock, &TSecurity::CurrentTradeBid);
		ReadRow(row, chain.Rest(row), 4, stock, &TSecurity::CurrentTradeAsk);
	}
	if (char* row = chain.Next(">52 Weeks high<", "<TR bgcolor")) {
		ReadRow(row, chain.Rest(row), 1, stock, &TSecurity::YearHigh);
		ReadRow(row, chain.Rest(row), 2, stock, &TSecurity::YearLow);
		ReadRow(row, chain.Rest(row), 3, stock, &TSecurity::DayHigh);
		ReadRow(row, chain.Rest(row), 4, stock, &TSecurity::DayLow);
	}
	char* dividend = chain.Next(">Dividend<", "<TR ALIGN");
	if (dividend == nullptr) {
		stock->Reset();
		return false;
	}
	float value = kNoValue;
	if (UQuoter::ExtractQuoteAfterLine(dividend, chain.Rest(dividend), 2, value))
		stock->DividendPerShare(value);
	News(page, length, stock);
	return true;
}

bool TSwissQuote::News(char* page, long length, TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (page == nullptr || length <= 0 || security == nullptr)
		return false;
	char* const end = page + length;
	char* latest = UQuoter::GotoString(page, length, ">Latest News<");
	char* first = latest ? UQuoter::GotoString(latest, end - latest, "<TABLE") : nullptr;
	char* second = first ? UQuoter::GotoString(first + 1, end - first - 1, "<TABLE") : nullptr;
	if (second == nullptr)
		return false;
	char* from = second + 6;
	char* to = UQuoter::GotoString(from, end - from, "</TABLE");
	if (to == nullptr)
		to = end;
	UQuoterSite::AddHeadlines(from, to, security, nullptr, 0);
	return true;
}

bool TSwissQuote::ExtractDate(char* text, long length, TVyDate* date, bool)
{
	SignalIf_(date == nullptr);
	if (text == nullptr || length <= 0 || date == nullptr)
		return false;
	char copy[129];
	strmemcpyn(copy, text, length, 128);
	char* words[7];
	const long count = strparse(copy, words, " .", 7);
	int month = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
	long timeLength = 0;
	if (count <= 4 || !UDate::IsWordMonth(words[0], month) ||
	    !UDate::IsTime(words[3], hour, minute, second, millisecond, timeLength, false))
		return false;
	if (!std::isdigit(static_cast<unsigned char>(words[1][0])) ||
	    !std::isdigit(static_cast<unsigned char>(words[2][0])))
		return false;
	const int day = std::atoi(words[1]);
	const int year = std::atoi(words[2]);
	if (year < 1900 || year > 9999 || day < 1 || day > UDate::DaysInMonth(month, year))
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
