#include "toolkit/TPrinterHeader.h"

#include "foundation/TVyDate.h"
#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

TPrinterHeader::TPrinterHeader(LStream* inStream) : LCaption(inStream)
{
	std::memcpy(mTemplate, mText, std::size_t(mText[0]) + 1);
}

void TPrinterHeader::PrepareCaption(LPrintout* inPrintout, const char* inTitle, bool inRange)
{
	pstrcpycn(mTitle, inTitle != nullptr ? inTitle : "", 255);
	SignalIf_(inPrintout == nullptr);
	if (inPrintout == nullptr)
		return;
	UInt16 first, last, copies;
	inPrintout->GetPrintSpec().GetPrintJobSpecs(first, last, copies);
	UInt32 across, down;
	inPrintout->CountPanels(across, down);
	const SInt32 panels = SInt32(across * down);
	SInt32 firstPage = first;
	SInt32 lastPage = last;
	if (lastPage > panels)
		lastPage = panels;
	if (firstPage > lastPage)
		firstPage = lastPage;
	if (inRange) {
		mFirstPage = firstPage - 1;
		mPageCount = lastPage - mFirstPage;
	} else {
		mFirstPage = 0;
		mPageCount = lastPage;
	}
}

namespace
{

void ReplaceFirst(std::string& ioText, const char* inToken, const std::string& inValue)
{
	const std::size_t at = ioText.find(inToken);
	if (at != std::string::npos)
		ioText.replace(at, std::strlen(inToken), inValue);
}

std::string Decimal(long inValue, const char* inFormat = "%ld")
{
	char buffer[32];
	std::snprintf(buffer, sizeof(buffer), inFormat, inValue);
	return buffer;
}

} // namespace

void TPrinterHeader::MungeText(const PanelSpec& inPanel, Str255 ioText)
{
	const std::tm now = TVyDate::CurrentLocalTime();
	std::string text = PascalStrings::ToString(ioText);
	// The printed pages of a range are numbered from 1, so that the number never exceeds the total.
	SInt32 page = SInt32(inPanel.pageNumber) - mFirstPage;
	if (page < 1)
		page = SInt32(inPanel.pageNumber);
	ReplaceFirst(text, "#page", Decimal(page));
	ReplaceFirst(text, "#total", Decimal(mPageCount));
	ReplaceFirst(text, "#day", Decimal(now.tm_mday));
	ReplaceFirst(text, "#month", Decimal(now.tm_mon + 1));
	ReplaceFirst(text, "#year", Decimal(now.tm_year + 1900));
	ReplaceFirst(text, "#hour", Decimal(now.tm_hour, "%02ld"));
	ReplaceFirst(text, "#minute", Decimal(now.tm_min, "%02ld"));
	ReplaceFirst(text, "#second", Decimal(now.tm_sec, "%02ld"));
	if (mTitle[0] != 0)
		ReplaceFirst(text, "#title", PascalStrings::ToString(mTitle));
	PascalStrings::FromString(text, ioText);
}

void TPrinterHeader::PreparePanel(const PanelSpec& inPanel)
{
	Str255 text;
	std::memcpy(text, mTemplate, std::size_t(mTemplate[0]) + 1);
	MungeText(inPanel, text);
	std::memcpy(mText, text, std::size_t(text[0]) + 1);
}
