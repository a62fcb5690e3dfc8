#include "windows/security/TFundDetailView.h"

#include "model/TFund.h"
#include "toolkit/UPPUtils.h"

TFundDetailView::TFundDetailView(LStream* inStream) : TDetailView(inStream) {}

void TFundDetailView::FinishCreateSelf()
{
	TDetailView::FinishCreateSelf();
	mPreviousClose = FindText(FOUR_CHAR_CODE("ydyC"));
	mYearHigh = FindText(FOUR_CHAR_CODE("ytdH"));
	mYearLow = FindText(FOUR_CHAR_CODE("ytdL"));
}

void TFundDetailView::SetFund(TFund* inFund)
{
	mFund = inFund;
	SetViewSecurity(inFund, 5052);
}

void TFundDetailView::RedoContentSelf()
{
	if (mFund == nullptr)
		return;
	UPPUtils::SetQuote(mPreviousClose, mFund->YesterdayClose(), false);
	UPPUtils::SetQuote(mYearHigh, mFund->YearHigh(), false);
	UPPUtils::SetQuote(mYearLow, mFund->YearLow(), false);
}
