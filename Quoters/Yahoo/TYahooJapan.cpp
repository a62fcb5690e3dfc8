#include "Quoters/Yahoo/TYahooJapan.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "Quoters/Yahoo/UYahoo.h"
#include "foundation/TVyDate.h"
#include "foundation/UDate.h"
#include "foundation/VyStrings.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace
{

const tStockExchange kExchanges[] = {500};

// The page's labels in EUC-JP.
const char kPriceLabel[] = "\xBC\xE8\xB0\xFA\xC3\xCD";                         // trade price
const char kPrevCloseLabel[] = "\xC1\xB0\xC6\xFC\xBD\xAA\xC3\xCD";             // previous day's close
const char kVolumeLabel[] = "\xBD\xD0\xCD\xE8\xB9\xE2";                        // volume
const char kOpenLabel[] = "\xBB\xCF\xC3\xCD";                                  // opening price
const char kHighLabel[] = "\xB9\xE2\xC3\xCD";                                  // high
const char kLowLabel[] = "\xB0\xC2\xC3\xCD";                                   // low
const char kDividendLabel[] = "1\xB3\xF4\xC7\xDB\xC5\xF6";                     // dividend per share
const char kPriceEarningsLabel[] = "\xB3\xF4\xB2\xC1\xBC\xFD\xB1\xD7\xCE\xA8"; // price/earnings ratio
const char kEarningsLabel[] = "1\xB3\xF4\xCD\xF8\xB1\xD7";                     // earnings per share

// A value may stand up to two lines below its label.
constexpr int kLabelLines = 3;

float Quote(char* text, long length, const char* label)
{
	float value = kNoValue;
	UQuoter::FindQuote(text, length, label, value, kLabelLines);
	return value;
}

} // namespace

void TYahooJapan::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = short(sizeof(kExchanges) / sizeof(kExchanges[0]));
}

void TYahooJapan::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	SignalIf_(security == nullptr);
	if (security == nullptr || security->Type() != securityStock)
		return;
	UYahoo::GetQuotePage(path, pathLen, security->SecuritySymbol(), ".T", "&d=t");
}

void TYahooJapan::GetLookup(tSecurityType, char* text, int page, char* url, long urlLen)
{
	UYahoo::GetRegionalLookup(kSignature, text, page, url, urlLen);
}

bool TYahooJapan::StockDetail(char* page, long length, TStock* stock)
{
	SignalIf_(stock == nullptr);
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	const std::string symbolAnchor = std::string(stock->SecuritySymbol()) + ")";
	char* anchor = UQuoter::GotoString(page, length, symbolAnchor.c_str());
	if (anchor == nullptr)
		anchor = page;
	const long rest = page + length - anchor;

	float first = kNoValue, price = kNoValue;
	UQuoter::FindQuoteRange(anchor, rest, kPriceLabel, "<b>", first, price);
	stock->CurrentTradePrice(price);
	stock->YesterdayClose(Quote(anchor, rest, kPrevCloseLabel));
	UInt32 volume = 0;
	UQuoter::FindVolume(anchor, rest, kVolumeLabel, volume, kLabelLines);
	stock->DayVolume(volume);
	stock->DayOpen(Quote(anchor, rest, kOpenLabel));
	stock->DayHigh(Quote(anchor, rest, kHighLabel));
	stock->DayLow(Quote(anchor, rest, kLowLabel));
	stock->DividendPerShare(Quote(anchor, rest, kDividendLabel));
	stock->PriceEarningsRatio(Quote(anchor, rest, kPriceEarningsLabel));
	stock->EarningsPerShare(Quote(anchor, rest, kEarningsLabel));

	TVyDate date;
	if (ExtractDate(anchor, rest, &date))
		stock->CurrentTradeUpdate(&date);
	return true;
}

bool TYahooJapan::ExtractDate(char* page, long length, TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return false;
	char text[128];
	if (!UYahoo::TextAfterLabel(page, length, kPriceLabel, 1, text, sizeof(text)))
		return false;
	creplace(text, '.', ':');
	char* words[5];
	const long count = strparse(text, words, " -", 5);

	int hour = 0, minute = 0, second = 0, millisecond = 0, month = 0, day = 0;
	long used = 0;
	if (count < 1 || count > 3 ||
	    !UDate::IsTime(words[0], hour, minute, second, millisecond, used, false))
		return false;
	TVyDate found;
	found.Now();
	if (count == 2) {
		// The site writes month/day.
		if (!UDate::IsShortDate(words[1], month, day, true))
			return false;
	} else if (count == 3) {
		if (!std::isdigit(static_cast<unsigned char>(words[1][0])) ||
		    !UDate::IsWordMonth(words[2], month))
			return false;
		day = std::atoi(words[1]);
		if (day < 1 || day > UDate::DaysInMonth(month, found.GetYear()))
			return false;
	}
	if (count > 1) {
		found.SetMonth(UInt8(month));
		found.SetDay(UInt8(day));
	}
	found.SetHour(UInt8(hour));
	found.SetMinute(UInt8(minute));
	found.SetSecond(0);
	found.SetMillisecond(0);
	*date = found;
	return true;
}

bool TYahooJapan::Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more)
{
	more = false;
	SignalIf_(results == nullptr);
	if (page == nullptr || length <= 0 || results == nullptr)
		return false;
	char* const end = page + length;
	static const char kBrand[] = ">Yahoo! ";
	char* brand = UQuoter::GotoString(page, length, kBrand);
	if (brand != nullptr)
		brand = UQuoter::GotoString(brand + 1, end - brand - 1, kBrand);
	char* table = brand ? UQuoter::GotoString(brand, end - brand, "<table") : nullptr;
	if (table == nullptr)
		return false;
	char* tableEnd = UQuoter::GotoString(table, end - table, "</table>");
	if (tableEnd == nullptr)
		tableEnd = end;

	for (char* row = table; row != nullptr && row < tableEnd;) {
		tLookupEntry entry;
		entry.exchange = 500;
		entry.quoter = kSignature;
		char* next = nullptr;
		long symbolLength = sizeof(entry.symbol);
		long nameLength = sizeof(entry.name);
		if (!UQuoter::ExtractTableRow(row, tableEnd - row, entry.symbol, symbolLength, 1, &next) ||
		    !UQuoter::ExtractTableRow(row, tableEnd - row, entry.name, nameLength, 2, &next))
			break;
		UQuoterSite::CleanCell(entry.symbol);
		UQuoterSite::CleanCell(entry.name);
		results->Append(&entry);
		row = next;
	}
	return true;
}

bool TYahooJapan::News(char* page, long length, TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (page == nullptr || length <= 0 || security == nullptr)
		return false;
	char* const end = page + length;
	static const char kStamp[] = "<!-- Yahoo TimeStamp:";
	char* stamp = UQuoter::GotoString(page, length, kStamp);
	if (stamp == nullptr)
		return false;
	char* from = stamp + sizeof(kStamp) - 1;
	char* to = UQuoter::GotoString(from, end - from, "</table");
	if (to == nullptr)
		return false;
	UQuoterSite::AddHeadlines(from, to, security, nullptr, 0);
	return true;
}
