#include "model/UMerge.h"

#include "foundation/TVyDate.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UNumbers.h"
#include "foundation/UPercentEncode.h"
#include "foundation/VyFileErrors.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TExchange.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacRoman.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <string>

namespace
{

constexpr int kNAStringIndex = 37;
constexpr int kPercentMax = 32;
constexpr long kValueMax = UMerge::kValueSize - 1;

enum tMergeField {
	kName,
	kSymbol,
	kTradePrice,
	kTradeChange,
	kTradeChangePercent,
	kTradeChangeColour,
	kTradeVolume,
	kTradeDate,
	kTradeTime,
	kUpdateDate,
	kUpdateTime,
	kTradeBid,
	kTradeAsk,
	kYesterdayClose,
	kDayOpen,
	kDayHigh,
	kDayLow,
	kDayVolume,
	kYearHigh,
	kYearLow,
	kEarningsPerShare,
	kDividendPerShare,
	kPriceEarningsRatio,
	kExchange,
	kQuoteSource,
	kFromName,
	kFromSymbol,
	kToName,
	kToSymbol
};

struct tMergeTag {
	const char* name;
	tMergeField field;
};

constexpr tMergeTag kTags[] = {
    {"name", kName},
    {"symbol", kSymbol},
    {"trade_price", kTradePrice},
    {"trade_change", kTradeChange},
    {"trade_change_percent", kTradeChangePercent},
    {"trade_change_color", kTradeChangeColour},
    {"trade_volume", kTradeVolume},
    {"trade_date", kTradeDate},
    {"trade_time", kTradeTime},
    {"update_date", kUpdateDate},
    {"update_time", kUpdateTime},
    {"trade_bid", kTradeBid},
    {"trade_ask", kTradeAsk},
    {"yesterday_close", kYesterdayClose},
    {"day_open", kDayOpen},
    {"day_high", kDayHigh},
    {"day_low", kDayLow},
    {"day_volume", kDayVolume},
    {"year_high", kYearHigh},
    {"year_low", kYearLow},
    {"earnings_per_share", kEarningsPerShare},
    {"dividend_per_share", kDividendPerShare},
    {"price_earnings_ratio", kPriceEarningsRatio},
    {"exchange", kExchange},
    {"quote_source", kQuoteSource},
    {"from_name", kFromName},
    {"from_symbol", kFromSymbol},
    {"to_name", kToName},
    {"to_symbol", kToSymbol},
};
static_assert(std::size(kTags) == 29);

UMerge::QuoterNameHook& QuoterNameHookSlot()
{
	static UMerge::QuoterNameHook hook;
	return hook;
}

void GetQuoterName(unsigned long signature, char* name, int length)
{
	name[0] = '\0';
	if (const UMerge::QuoterNameHook& hook = QuoterNameHookSlot())
		hook(signature, name, length);
	else
		strcpyn(name, "None", length - 1);
	name[length - 1] = '\0';
}

const tMergeTag* FindTag(const char* name, std::size_t length)
{
	for (const tMergeTag& tag : kTags)
		if (std::strlen(tag.name) == length && strncmpi(name, tag.name, long(length)) == 0)
			return &tag;
	return nullptr;
}

// Null leaves the tag in the text: a field of another kind, or a value that cannot be named. Names and
// symbols are taken whole; formatted values go through the buffer s.
const char* FieldValue(TSecurity* security, tMergeField field, bool fractions, char* s)
{
	TStock* stock = security->Type() == securityStock ? static_cast<TStock*>(security) : nullptr;
	TCurrency* pair = security->Type() == securityCurrency ? static_cast<TCurrency*>(security) : nullptr;
	switch (field) {
	case kName:
		return security->SecurityName();
	case kSymbol:
		return security->SecuritySymbol();
	case kTradePrice:
		UMerge::SetQuote(s, security->CurrentTradePrice(), fractions);
		break;
	case kTradeChange:
		UMerge::SetChange(s, security->YesterdayClose(), security->CurrentTradePrice(), fractions);
		break;
	case kTradeChangePercent:
		UMerge::SetChangePercent(s, security->YesterdayClose(), security->CurrentTradePrice());
		break;
	case kTradeChangeColour:
		UMerge::SetChangeColour(s, security->YesterdayClose(), security->CurrentTradePrice());
		break;
	case kTradeVolume:
		UMerge::SetULong(s, security->CurrentTradeVolume());
		break;
	case kTradeDate:
		UMerge::SetDate(s, security->CurrentTradeUpdate());
		break;
	case kTradeTime:
		UMerge::SetTime(s, security->CurrentTradeUpdate());
		break;
	case kUpdateDate:
		UMerge::SetDate(s, security->LastUpdate());
		break;
	case kUpdateTime:
		UMerge::SetTime(s, security->LastUpdate());
		break;
	case kTradeBid:
		UMerge::SetQuote(s, security->CurrentTradeBid(), fractions);
		break;
	case kTradeAsk:
		UMerge::SetQuote(s, security->CurrentTradeAsk(), fractions);
		break;
	case kYesterdayClose:
		UMerge::SetQuote(s, security->YesterdayClose(), fractions);
		break;
	case kDayOpen:
		UMerge::SetQuote(s, security->DayOpen(), fractions);
		break;
	case kDayHigh:
		UMerge::SetQuote(s, security->DayHigh(), fractions);
		break;
	case kDayLow:
		UMerge::SetQuote(s, security->DayLow(), fractions);
		break;
	case kDayVolume:
		UMerge::SetULong(s, security->DayVolume());
		break;
	case kYearHigh:
		UMerge::SetQuote(s, security->YearHigh(), fractions);
		break;
	case kYearLow:
		UMerge::SetQuote(s, security->YearLow(), fractions);
		break;
	case kEarningsPerShare:
		if (!stock)
			return nullptr;
		UMerge::SetFloat(s, stock->EarningsPerShare(), 2);
		break;
	case kDividendPerShare:
		if (!stock)
			return nullptr;
		UMerge::SetFloat(s, stock->DividendPerShare(), 2);
		break;
	case kPriceEarningsRatio:
		if (!stock)
			return nullptr;
		UMerge::SetFloat(s, stock->PriceEarningsRatio(), 4);
		break;
	case kExchange:
		if (!stock)
			return nullptr;
		TExchange::GetExchangeName(stock->Exchange(), s, UMerge::kValueSize);
		return s[0] != '\0' ? s : nullptr;
	case kQuoteSource:
		GetQuoterName(security->Quoter(), s, UMerge::kValueSize);
		break;
	case kFromName:
		return pair ? TCurrencyConversion::GetCurrencyName(pair->CurrencyFrom()) : nullptr;
	case kFromSymbol:
		return pair ? TCurrencyConversion::GetCurrencySymbol(pair->CurrencyFrom()) : nullptr;
	case kToName:
		return pair ? TCurrencyConversion::GetCurrencyName(pair->CurrencyTo()) : nullptr;
	case kToSymbol:
		return pair ? TCurrencyConversion::GetCurrencySymbol(pair->CurrencyTo()) : nullptr;
	}
	return s;
}

void AppendValue(std::string& out, const char* value, bool encode)
{
	if (encode)
		UPercentEncode::Append(out, MacRoman::ToUTF8(value).c_str());
	else
		out += value;
}

// One pass over the template, so that a merged value is never read again as a tag.
std::string Merge(TSecurity* security, const char* text, bool encode)
{
	bool fractions = false;
	if (security->Type() == securityStock)
		fractions = TExchange::ExchangeUsesFractions(static_cast<TStock*>(security)->Exchange());

	std::string out;
	out.reserve(std::strlen(text));
	char buffer[UMerge::kValueSize] = {};
	const char* p = text;
	while (*p != '\0') {
		const char* open = std::strstr(p, "<<");
		const char* close = open ? std::strstr(open + 2, ">>") : nullptr;
		if (close == nullptr) {
			out += p;
			break;
		}
		out.append(p, std::size_t(open - p));
		const tMergeTag* tag = FindTag(open + 2, std::size_t(close - open - 2));
		const char* value = tag ? FieldValue(security, tag->field, fractions, buffer) : nullptr;
		if (value != nullptr) {
			AppendValue(out, value, encode);
			p = close + 2;
		} else {
			// Not a field: keep the first '<' and look again from the next one.
			out += '<';
			p = open + 1;
		}
	}
	return out;
}

} // namespace

UMerge::QuoterNameHook UMerge::SetQuoterNameHook(QuoterNameHook hook)
{
	QuoterNameHook previous = std::move(QuoterNameHookSlot());
	QuoterNameHookSlot() = std::move(hook);
	return previous;
}

char* UMerge::MergeText(TSecurity* security, const char* text, bool encodeValues)
{
	if (text == nullptr || text[0] == '\0')
		return nullptr;
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return nullptr;
	try {
		const std::string merged = Merge(security, text, encodeValues);
		char* result = new char[merged.size() + 1];
		std::memcpy(result, merged.c_str(), merged.size() + 1);
		return result;
	} catch (const std::bad_alloc&) {
		throw kSecurityMemoryError;
	}
}

char* UMerge::MergeTradeURL(TSecurity* security)
{
	if (gPreferences == nullptr)
		return nullptr;
	// The field may arrive unterminated from a caller that filled it whole.
	char link[tStockTickerPrefs::kTradeURLSize];
	strmemcpyn(link, gPreferences->tradeURL, long(strnlen(gPreferences->tradeURL, sizeof(link))),
	           long(sizeof(link) - 1));
	return MergeText(security, link, true);
}

short UMerge::OutputToFile(TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return 0;
	TVyFile* file = security->OutputFile();
	if (!security->OutputFileEnabled() || file == nullptr || security->FileText() == nullptr)
		return 0;
	// The file may have become an open document's since it was chosen.
	if (TVyFileUtils::IsDocumentFile(file))
		return kVyFileOpenForWriting;
	std::unique_ptr<char[]> text(MergeText(security, security->FileText()));
	if (!text)
		return 0;

	return TVyFileUtils::ReplaceFile(file, FOUR_CHAR_CODE("TEXT"), FOUR_CHAR_CODE("ttxt"), text.get(),
	                                 std::strlen(text.get()));
}

void UMerge::SetQuote(char* s, float value, bool fractions)
{
	if (value == kNoValue) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	char number[kValueSize] = {};
	char fraction[kValueSize] = {};
	UZVUtils::QuoteString(number, fraction, value, fractions, 2);
	if (number[0] != '\0' && fraction[0] != '\0')
		std::snprintf(s, kValueSize, "%s %s", number, fraction);
	else
		strcpyn(s, number[0] != '\0' ? number : fraction, kValueMax);
}

void UMerge::SetChange(char* s, float previous, float current, bool fractions)
{
	if (previous == kNoValue || current == kNoValue) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	char number[kValueSize] = {};
	char fraction[kValueSize] = {};
	UZVUtils::QuoteChange(number, fraction, previous, current, fractions, 2);
	if (number[0] != '\0' && fraction[0] != '\0')
		std::snprintf(s, kValueSize, "%s %s", number, fraction);
	else
		strcpyn(s, number[0] != '\0' ? number : fraction, kValueMax);
}

void UMerge::SetChangePercent(char* s, float previous, float current)
{
	if (previous == kNoValue || current == kNoValue) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	UZVUtils::QuotePercent(s, kPercentMax, previous, current);
}

void UMerge::SetChangeColour(char* s, float previous, float current)
{
	if (gPreferences == nullptr) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	RGBColor colour;
	UZVUtils::GetChangeColour(previous, current, colour);
	std::snprintf(s, kValueSize, "#%02X%02X%02X", colour.red >> 8, colour.green >> 8, colour.blue >> 8);
}

void UMerge::SetULong(char* s, unsigned long value)
{
	if (value == 0) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	std::snprintf(s, kValueSize, "%lu", value);
	UNumbers::AddCommas(s, kValueSize);
}

void UMerge::SetFloat(char* s, float value, int decimals)
{
	if (value == kNoValue) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	UNumbers::FormatFixed(s, kValueSize, value, decimals);
}

void UMerge::SetDate(char* s, const TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr || TVyDate::IsUndefinedDate(date)) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	std::snprintf(s, kValueSize, "%02d/%02d/%d", date->GetMonth(), date->GetDay(), date->GetYear());
}

void UMerge::SetTime(char* s, const TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date == nullptr || TVyDate::IsUndefinedDate(date) || TVyDate::IsUndefinedTime(date)) {
		strcpyn(s, GetNAString(), kValueMax);
		return;
	}
	std::snprintf(s, kValueSize, "%02d:%02d", date->GetHour(), date->GetMinute());
}

const char* UMerge::GetNAString()
{
	const char* text = GetStockCString(kNAStringIndex);
	return text[0] != '\0' ? text : "N/A";
}
