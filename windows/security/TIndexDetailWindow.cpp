#include "windows/security/TIndexDetailWindow.h"

#include "model/TIndex.h"
#include "platform/framework/LPrintout.h"
#include "toolkit/UPPUtils.h"

TIndexDetailWindow::TIndexDetailWindow(LStream* inStream) : TDetailWindow(inStream)
{
	mHasLastPrice = mHasPreviousClose = mHasDayOpen = mHasDayRange = mHasYearRange = true;
	mNewsCount = 3;
	mPageRecords[0].page = 1;
	mPageRecords[0].linksID = 5360;
	mPageRecords[1].page = 2;
	mPageRecords[1].linksID = 5361;
}

void TIndexDetailWindow::SetCurrentSecurity(TSecurity* inSecurity)
{
	mIndex = dynamic_cast<TIndex*>(inSecurity);
	SignalIf_(mIndex == nullptr);
	TDetailWindow::SetCurrentSecurity(inSecurity);
}

void TIndexDetailWindow::RedoNormalContent()
{
	SignalIf_(mIndex == nullptr);
	if (mIndex == nullptr)
		return;
	const bool fractions = mUsesFractions;
	WriteBanners();
	UPPUtils::SetQuote(mDayOpen, mIndex->DayOpen(), fractions);
	UPPUtils::SetQuote(mDayHigh, mIndex->DayHigh(), fractions);
	UPPUtils::SetQuote(mDayLow, mIndex->DayLow(), fractions);
	UPPUtils::SetQuote(mPreviousClose, mIndex->YesterdayClose(), fractions);
	UPPUtils::SetQuote(mLastPrice, mIndex->CurrentTradePrice(), fractions);
	UPPUtils::SetQuote(mYearHigh, mIndex->YearHigh(), fractions);
	UPPUtils::SetQuote(mYearLow, mIndex->YearLow(), fractions);
	UPPUtils::SetQuoteSource(mQuoteSource, mIndex);
}

void TIndexDetailWindow::DoPrint()
{
	SignalIf_(mIndex == nullptr);
	if (mIndex == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = MakePrintout(kPrintoutID);
	LPrintout* page = printout.get();
	SetPrintText(page, FOUR_CHAR_CODE("Comp"), mIndex->SecurityName());
	SetPrintText(page, FOUR_CHAR_CODE("Symb"), mIndex->SecuritySymbol());
	SetPrintPriceAndChange(page, 2);
	auto quote = [&](PaneIDT inID, float inValue) {
		UPPUtils::SetQuote(PrintCaption(page, inID), inValue, mUsesFractions);
	};
	quote(FOUR_CHAR_CODE("dayO"), mIndex->DayOpen());
	quote(FOUR_CHAR_CODE("dayH"), mIndex->DayHigh());
	quote(FOUR_CHAR_CODE("dayL"), mIndex->DayLow());
	quote(FOUR_CHAR_CODE("lstP"), mIndex->CurrentTradePrice());
	quote(FOUR_CHAR_CODE("ydyC"), mIndex->YesterdayClose());
	quote(FOUR_CHAR_CODE("ytdH"), mIndex->YearHigh());
	quote(FOUR_CHAR_CODE("ytdL"), mIndex->YearLow());
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtTr")), mIndex->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtUp")), mIndex->LastUpdate(),
	                    mIndex->ErrorCode());
	SetPrintQuoteSource(page);
	PrintAndClose(page);
}
