#include "toolkit/UPPUtils.h"

#include "Includes/NoValue.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/TVyDate.h"
#include "foundation/UNumbers.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"

#include <cstdio>
#include <cstring>

namespace
{

constexpr long kTextSize = 256; // every pane text: 255 characters and the terminator
constexpr long kPartSize = 128; // the parts of a change and percentages

bool IsNoValue(float inValue)
{
	return inValue == kNoValue;
}

// The plug-in's no-value text, cut to inMaxLength characters.
void NoValueText(char* outText, long inMaxLength)
{
	strcpypn(outText, GetStockString(0), inMaxLength);
}

void WriteText(LStaticText* inText, LCaption* inCaption, const char* inString)
{
	SignalIf_(inText == nullptr && inCaption == nullptr);
	if (inText != nullptr)
		inText->SetText(inString);
	if (inCaption != nullptr) {
		Str255 text;
		pstrcpycn(text, inString, 255);
		inCaption->SetDescriptor(text);
	}
}

// Whole part and fraction: "whole fraction" when both are there, else the one that is.
void JoinParts(char* outText, long inMaxLength, const char* inWhole, const char* inFraction)
{
	outText[0] = 0;
	if (inWhole[0] != 0 && inFraction[0] != 0) {
		strcpyn(outText, inWhole, inMaxLength);
		strcatn(outText, " ", inMaxLength + 1);
		strcatn(outText, inFraction, inMaxLength + 1);
	} else {
		strcpyn(outText, inWhole[0] != 0 ? inWhole : inFraction, inMaxLength);
	}
}

void FormatQuote(char* outText, float inValue, bool inFractions)
{
	if (IsNoValue(inValue)) {
		NoValueText(outText, kTextSize - 1);
		return;
	}
	char whole[UZVUtils::kQuoteTextSize];
	char fraction[UZVUtils::kQuoteTextSize];
	UZVUtils::QuoteString(whole, fraction, inValue, inFractions, 2);
	JoinParts(outText, kTextSize - 1, whole, fraction);
}

void FormatFloat(char* outText, float inValue, int inDecimals)
{
	if (IsNoValue(inValue))
		NoValueText(outText, kTextSize - 1);
	else
		UNumbers::FormatFixed(outText, kTextSize, inValue, inDecimals);
}

void FormatChange(char* outText, long inMaxLength, float inPrevious, float inCurrent, bool inFractions)
{
	char whole[UZVUtils::kQuoteTextSize];
	char fraction[UZVUtils::kQuoteTextSize];
	UZVUtils::QuoteChange(whole, fraction, inPrevious, inCurrent, inFractions, 2);
	JoinParts(outText, inMaxLength, whole, fraction);
}

void FormatUpdate(char* outText, const TVyDate* inDate, int inError)
{
	SignalIf_(inDate == nullptr);
	if (inDate == nullptr || TVyDate::IsUndefinedDate(inDate) || TVyDate::IsUndefinedTime(inDate)) {
		NoValueText(outText, kTextSize - 1);
		return;
	}
	const char* format = GetStockCString(inError != 0 ? 42 : 41);
	outText[0] = 0;
	if (format[0] == 0)
		return;
	const std::size_t length = std::strlen(format);
	char* text = new char[length + 1];
	std::memcpy(text, format, length + 1);
	auto munge = [&text](const char* inToken, const char* inFormat, int inWidth, int inValue) {
		char value[32];
		if (inWidth > 0)
			std::snprintf(value, sizeof(value), inFormat, inWidth, inValue);
		else
			std::snprintf(value, sizeof(value), inFormat, inValue);
		strmunge(text, inToken, value, true);
	};
	munge("<<hour>>", "%0*d", 2, inDate->GetHour());
	munge("<<minute>>", "%0*d", 2, inDate->GetMinute());
	munge("<<second>>", "%0*d", 2, inDate->GetSecond());
	munge("<<month>>", "%0*d", 2, inDate->GetMonth());
	munge("<<day>>", "%0*d", 2, inDate->GetDay());
	munge("<<year>>", "%d", 0, inDate->GetYear());
	munge("<<error>>", "%d", 0, inError);
	strcpyn(outText, text, kTextSize - 1);
	delete[] text;
}

tNewsItem* NewsItem(TSecurity* inSecurity, long inItem)
{
	SignalIf_(inSecurity == nullptr);
	if (inSecurity == nullptr || inItem < 1)
		return nullptr;
	return inSecurity->GetNewsList()->GetNth(inItem);
}

} // namespace

void UPPUtils::SetFloat(LStaticText* inText, LCaption* inCaption, float inValue, int inDecimals)
{
	char text[kTextSize];
	FormatFloat(text, inValue, inDecimals);
	WriteText(inText, inCaption, text);
}

void UPPUtils::SetFloat(LStaticText* inText, float inValue, int inDecimals)
{
	SetFloat(inText, nullptr, inValue, inDecimals);
}

void UPPUtils::SetFloat(LCaption* inCaption, float inValue, int inDecimals)
{
	SetFloat(nullptr, inCaption, inValue, inDecimals);
}

void UPPUtils::SetColourFloat(TColourCaption* inCaption, const RGBColor* inColour, float inValue,
                              int inDecimals)
{
	char text[kTextSize];
	FormatFloat(text, inValue, inDecimals);
	SetColourCaption(inCaption, text, inColour);
}

void UPPUtils::SetULong(LStaticText* inText, LCaption* inCaption, UInt32 inValue)
{
	char text[kTextSize];
	if (inValue == 0) {
		NoValueText(text, kTextSize - 1);
	} else {
		std::snprintf(text, sizeof(text), "%lu", static_cast<unsigned long>(inValue));
		UNumbers::AddCommas(text, sizeof(text));
	}
	WriteText(inText, inCaption, text);
}

void UPPUtils::SetULong(LStaticText* inText, UInt32 inValue)
{
	SetULong(inText, nullptr, inValue);
}

void UPPUtils::SetULong(LCaption* inCaption, UInt32 inValue)
{
	SetULong(nullptr, inCaption, inValue);
}

void UPPUtils::SetMillions(LStaticText* inText, LCaption* inCaption, float inValue)
{
	char text[kTextSize];
	if (IsNoValue(inValue)) {
		NoValueText(text, kTextSize - 1);
	} else {
		UNumbers::FormatFixed(text, sizeof(text), UNumbers::ShortestDouble(inValue) * 1000000.0, 6);
		if (char* point = std::strchr(text, '.'))
			*point = 0;
		UNumbers::AddCommas(text, sizeof(text));
	}
	WriteText(inText, inCaption, text);
}

void UPPUtils::SetMillions(LStaticText* inText, float inValue)
{
	SetMillions(inText, nullptr, inValue);
}

void UPPUtils::SetMillions(LCaption* inCaption, float inValue)
{
	SetMillions(nullptr, inCaption, inValue);
}

void UPPUtils::SetQuote(LStaticText* inText, LCaption* inCaption, float inValue, bool inFractions)
{
	char text[kTextSize];
	FormatQuote(text, inValue, inFractions);
	WriteText(inText, inCaption, text);
}

void UPPUtils::SetQuote(LStaticText* inText, float inValue, bool inFractions)
{
	SetQuote(inText, nullptr, inValue, inFractions);
}

void UPPUtils::SetQuote(LCaption* inCaption, float inValue, bool inFractions)
{
	SetQuote(nullptr, inCaption, inValue, inFractions);
}

void UPPUtils::SetColourQuote(TColourCaption* inCaption, const RGBColor* inColour, float inValue,
                              bool inFractions)
{
	SignalIf_(gPreferences == nullptr);
	SignalIf_(inCaption == nullptr || inColour == nullptr);
	if (inCaption == nullptr)
		return;
	inCaption->SetColour(inColour);
	char text[kTextSize];
	FormatQuote(text, inValue, inFractions);
	WriteText(nullptr, inCaption, text);
}

void UPPUtils::SetColourChange(TColourCaption* inCaption, const RGBColor* inColour, float inPrevious,
                               float inCurrent, bool inFractions)
{
	SignalIf_(inCaption == nullptr || inColour == nullptr);
	if (inCaption == nullptr)
		return;
	inCaption->SetColour(inColour);
	char text[kTextSize];
	FormatQuote(text, inCurrent, inFractions);
	if (!IsNoValue(inCurrent) && !IsNoValue(inPrevious)) {
		char change[kPartSize];
		FormatChange(change, kPartSize - 1, inPrevious, inCurrent, inFractions);
		strcatn(text, "  ", kTextSize);
		strcatn(text, change, kTextSize);
	}
	WriteText(nullptr, inCaption, text);
}

void UPPUtils::SetColourChange(TColourCaptions* inCaption, const RGBColor* inColour, float inPrevious,
                               float inCurrent, bool inFractions)
{
	SignalIf_(inCaption == nullptr || inColour == nullptr);
	if (inCaption == nullptr)
		return;
	inCaption->SetColour(inColour);
	if (IsNoValue(inPrevious) || IsNoValue(inCurrent)) {
		char text[kPartSize];
		NoValueText(text, kPartSize - 1);
		inCaption->SetStrings(text, nullptr);
		return;
	}
	char change[kPartSize];
	FormatChange(change, kPartSize - 1, inPrevious, inCurrent, inFractions);
	strcatn(change, "  ", kPartSize);
	char percent[kPartSize];
	UZVUtils::QuotePercent(percent, kPartSize - 1, inPrevious, inCurrent);
	inCaption->SetStrings(change, percent);
}

void UPPUtils::SetUpdate(LStaticText* inText, LCaption* inCaption, TVyDate* inDate, int inError)
{
	char text[kTextSize];
	FormatUpdate(text, inDate, inError);
	WriteText(inText, inCaption, text);
}

void UPPUtils::SetUpdate(LStaticText* inText, TVyDate* inDate, int inError)
{
	SetUpdate(inText, nullptr, inDate, inError);
}

void UPPUtils::SetUpdate(LCaption* inCaption, TVyDate* inDate, int inError)
{
	SetUpdate(nullptr, inCaption, inDate, inError);
}

namespace
{

void SetClockDate(SInt16 inYear, SInt16 inMonth, SInt16 inDay, LClock* inClock)
{
	SignalIf_(inClock == nullptr);
	if (inClock == nullptr)
		return;
	LongDateRec date;
	date.year = inYear;
	date.month = inMonth;
	date.day = inDay;
	inClock->SetLongDate(date);
}

} // namespace

void UPPUtils::SetDate(const tVyDateOld* inDate, LClock* inClock)
{
	SignalIf_(inDate == nullptr);
	if (inDate != nullptr)
		SetClockDate(inDate->year, inDate->month, inDate->day, inClock);
}

void UPPUtils::SetDate(const TVyDate* inDate, LClock* inClock)
{
	SignalIf_(inDate == nullptr);
	if (inDate != nullptr)
		SetClockDate(SInt16(inDate->GetYear()), inDate->GetMonth(), inDate->GetDay(), inClock);
}

void UPPUtils::GetDate(tVyDateOld* outDate, LClock* inClock)
{
	SignalIf_(outDate == nullptr || inClock == nullptr);
	if (outDate == nullptr || inClock == nullptr)
		return;
	LongDateRec date;
	inClock->GetLongDate(date);
	outDate->year = date.year;
	outDate->month = date.month;
	outDate->day = date.day;
	outDate->hour = date.hour;
	outDate->minute = date.minute;
	outDate->second = date.second;
}

void UPPUtils::GetDate(TVyDate* outDate, LClock* inClock)
{
	SignalIf_(outDate == nullptr || inClock == nullptr);
	if (outDate == nullptr || inClock == nullptr)
		return;
	LongDateRec date;
	inClock->GetLongDate(date);
	outDate->Now();
	outDate->SetYear(UInt16(date.year));
	outDate->SetMonth(UInt8(date.month));
	outDate->SetDay(UInt8(date.day));
}

void UPPUtils::SetNewsItem(CURLPushButton* inButton, TSecurity* inSecurity, long inItem)
{
	SignalIf_(inButton == nullptr);
	if (inButton == nullptr)
		return;
	Str255 title = {0};
	const tNewsItem* item = NewsItem(inSecurity, inItem);
	if (item != nullptr && item->headline != nullptr)
		pstrcpycn(title, item->headline, 255);
	inButton->SetDescriptor(title);
	if (item != nullptr)
		inButton->Enable();
	else
		inButton->Disable();
}

void UPPUtils::LaunchNewsItem(TSecurity* inSecurity, long inItem)
{
	const tNewsItem* item = NewsItem(inSecurity, inItem);
	// A headline whose address could not be built has none to open.
	if (item != nullptr && item->url != nullptr && item->url[0] != 0)
		LaunchURL(item->url);
}

void UPPUtils::SetQuoteSource(CURLPushButton* inButton, TSecurity* inSecurity)
{
	SignalIf_(inButton == nullptr || inSecurity == nullptr);
	if (inButton == nullptr || inSecurity == nullptr)
		return;
	const OSType signature = TQuoterManager::GetQuoterSig(inSecurity);
	char name[kTextSize];
	char homePage[kTextSize];
	TQuoterManager::GetQuoterName(signature, name, sizeof(name));
	TQuoterManager::GetQuoterHomePage(signature, homePage, sizeof(homePage));
	Str255 text;
	pstrcpycn(text, name, 255);
	inButton->SetDescriptor(text);
	pstrcpycn(text, homePage, 255);
	inButton->SetURL(text);
}

void UPPUtils::SetColourCaption(TColourCaption* inCaption, const char* inText, const RGBColor* inColour)
{
	SignalIf_(inCaption == nullptr || inColour == nullptr);
	if (inCaption == nullptr)
		return;
	inCaption->SetColour(inColour);
	WriteText(nullptr, inCaption, inText != nullptr ? inText : "");
}
