#include "windows/security/TCurrencyDetailView.h"

#include "model/TCurrency.h"
#include "toolkit/UPPUtils.h"

TCurrencyDetailView::TCurrencyDetailView(LStream* inStream) : TDetailView(inStream) {}

void TCurrencyDetailView::FinishCreateSelf()
{
	TDetailView::FinishCreateSelf();
	mPreviousClose = FindText(FOUR_CHAR_CODE("ydyC"));
}

void TCurrencyDetailView::SetCurrency(TCurrency* inCurrency)
{
	mCurrency = inCurrency;
	SetViewSecurity(inCurrency, 5054);
}

void TCurrencyDetailView::RedoContentSelf()
{
	if (mCurrency == nullptr)
		return;
	// Rates need more places than prices.
	const RGBColor colour = DisplayColour();
	UPPUtils::SetColourFloat(mCurrentPrice, &colour, mCurrency->CurrentTradePrice(), 6);
	UPPUtils::SetQuote(mPreviousClose, mCurrency->YesterdayClose(), false);
}
