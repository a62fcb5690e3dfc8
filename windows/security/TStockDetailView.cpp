#include "windows/security/TStockDetailView.h"

#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "toolkit/UPPUtils.h"

TStockDetailView::TStockDetailView(LStream* inStream) : TDetailView(inStream) {}

void TStockDetailView::FinishCreateSelf()
{
	TDetailView::FinishCreateSelf();
	mDayOpen = FindText(FOUR_CHAR_CODE("dayO"));
	mDayHigh = FindText(FOUR_CHAR_CODE("dayH"));
	mDayLow = FindText(FOUR_CHAR_CODE("dayL"));
	mDayVolume = FindText(FOUR_CHAR_CODE("dayV"));
	mLastTradePrice = FindText(FOUR_CHAR_CODE("lstP"));
	mLastTradeVolume = FindText(FOUR_CHAR_CODE("lstV"));
	mLastTradeBid = FindText(FOUR_CHAR_CODE("lstB"));
	mLastTradeAsk = FindText(FOUR_CHAR_CODE("lstA"));
	mPreviousClose = FindText(FOUR_CHAR_CODE("ydyC"));
	mYearHigh = FindText(FOUR_CHAR_CODE("ytdH"));
	mYearLow = FindText(FOUR_CHAR_CODE("ytdL"));
	mEarningsPerShare = FindText(FOUR_CHAR_CODE("oEPS"));
	mPriceEarningsRatio = FindText(FOUR_CHAR_CODE("oPER"));
	mDividendPerShare = FindText(FOUR_CHAR_CODE("oDPS"));
}

void TStockDetailView::SetStock(TStock* inStock)
{
	mStock = inStock;
	SetViewSecurity(inStock, 5051);
}

void TStockDetailView::RedoContentSelf()
{
	if (mStock == nullptr)
		return;
	const bool fractions = UZVUtils::UsesFractions(mStock);
	UPPUtils::SetQuote(mDayOpen, mStock->DayOpen(), fractions);
	UPPUtils::SetQuote(mDayHigh, mStock->DayHigh(), fractions);
	UPPUtils::SetQuote(mDayLow, mStock->DayLow(), fractions);
	UPPUtils::SetULong(mDayVolume, mStock->DayVolume());
	UPPUtils::SetQuote(mLastTradePrice, mStock->CurrentTradePrice(), fractions);
	UPPUtils::SetULong(mLastTradeVolume, mStock->CurrentTradeVolume());
	UPPUtils::SetQuote(mLastTradeBid, mStock->CurrentTradeBid(), fractions);
	UPPUtils::SetQuote(mLastTradeAsk, mStock->CurrentTradeAsk(), fractions);
	UPPUtils::SetQuote(mPreviousClose, mStock->YesterdayClose(), fractions);
	UPPUtils::SetQuote(mYearHigh, mStock->YearHigh(), fractions);
	UPPUtils::SetQuote(mYearLow, mStock->YearLow(), fractions);
	UPPUtils::SetFloat(mEarningsPerShare, mStock->EarningsPerShare(), 2);
	UPPUtils::SetFloat(mPriceEarningsRatio, mStock->PriceEarningsRatio(), 4);
	UPPUtils::SetFloat(mDividendPerShare, mStock->DividendPerShare(), 2);
}
