#include "windows/security/TFundDetailWindow.h"

#include "model/TFund.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/UPPUtils.h"

TFundDetailWindow::TFundDetailWindow(LStream* inStream) : TDetailWindow(inStream)
{
	mHasLastPrice = true;
	mHasPreviousClose = true;
	mHasYearRange = true;
	mNewsCount = 3;
	mPageRecords[0].page = 1;
	mPageRecords[0].linksID = 5260;
	mPageRecords[1].page = 2;
	mPageRecords[1].linksID = 5261;
}

void TFundDetailWindow::SetCurrentSecurity(TSecurity* inSecurity)
{
	mFund = dynamic_cast<TFund*>(inSecurity);
	SignalIf_(mFund == nullptr);
	TDetailWindow::SetCurrentSecurity(inSecurity);
}

void TFundDetailWindow::RedoNormalContent()
{
	SignalIf_(mFund == nullptr);
	if (mFund == nullptr)
		return;
	WriteBanners();
	UPPUtils::SetQuote(mPreviousClose, mFund->YesterdayClose(), mUsesFractions);
	UPPUtils::SetQuote(mLastPrice, mFund->CurrentTradePrice(), mUsesFractions);
	UPPUtils::SetQuote(mYearHigh, mFund->YearHigh(), mUsesFractions);
	UPPUtils::SetQuote(mYearLow, mFund->YearLow(), mUsesFractions);
	UPPUtils::SetQuoteSource(mQuoteSource, mFund);
}

void TFundDetailWindow::DoPrint()
{
	SignalIf_(mFund == nullptr);
	if (mFund == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = MakePrintout(kPrintoutID);
	LPrintout* page = printout.get();
	SetPrintText(page, FOUR_CHAR_CODE("Comp"), mFund->SecurityName());
	SetPrintText(page, FOUR_CHAR_CODE("Symb"), mFund->SecuritySymbol());
	SetPrintPriceAndChange(page, 4);
	auto quote = [&](PaneIDT inID, float inValue) {
		UPPUtils::SetQuote(PrintCaption(page, inID), inValue, mUsesFractions);
	};
	quote(FOUR_CHAR_CODE("ytdH"), mFund->YearHigh());
	quote(FOUR_CHAR_CODE("ytdL"), mFund->YearLow());
	quote(FOUR_CHAR_CODE("lstP"), mFund->CurrentTradePrice());
	quote(FOUR_CHAR_CODE("ydyC"), mFund->YesterdayClose());
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtTr")), mFund->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtUp")), mFund->LastUpdate(),
	                    mFund->ErrorCode());
	SetPrintQuoteSource(page);
	PrintAndClose(page);
}
