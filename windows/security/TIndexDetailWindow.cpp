#include "windows/security/TIndexDetailWindow.h"

#include "model/TIndex.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/UDetailPanes.h"

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
	UDetailPanes::SetQuoteBanners({mSymbolBig, mCurrentPriceBig, mChangePriceBig, mSymbolAlt, mCurrentPriceAlt,
	                               mChangePriceAlt, mSymbolSmall, mCurrentPriceSmall},
	                              mIndex, mDisplayColour, fractions);
	UPPUtils::SetQuote(mDayOpen, mIndex->DayOpen(), fractions);
	UPPUtils::SetQuote(mDayHigh, mIndex->DayHigh(), fractions);
	UPPUtils::SetQuote(mDayLow, mIndex->DayLow(), fractions);
	UPPUtils::SetQuote(mPreviousClose, mIndex->YesterdayClose(), fractions);
	UPPUtils::SetQuote(mLastPrice, mIndex->CurrentTradePrice(), fractions);
	UPPUtils::SetQuote(mYearHigh, mIndex->YearHigh(), fractions);
	UPPUtils::SetQuote(mYearLow, mIndex->YearLow(), fractions);
	UPPUtils::SetUpdate(mLastTradeTime, mIndex->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mIndex->LastUpdate(), mIndex->ErrorCode());
	if (mQuoteSource != nullptr)
		UPPUtils::SetQuoteSource(mQuoteSource, mIndex);
}

void TIndexDetailWindow::DoPrint()
{
	// after merge
}
