#include "windows/security/TIndexDetailView.h"

#include "model/TIndex.h"
#include "toolkit/UPPUtils.h"

TIndexDetailView::TIndexDetailView(LStream* inStream) : TDetailView(inStream) {}

void TIndexDetailView::FinishCreateSelf()
{
	TDetailView::FinishCreateSelf();
	mDayOpen = FindText(FOUR_CHAR_CODE("dayO"));
	mDayHigh = FindText(FOUR_CHAR_CODE("dayH"));
	mDayLow = FindText(FOUR_CHAR_CODE("dayL"));
	mPreviousClose = FindText(FOUR_CHAR_CODE("ydyC"));
	mYearHigh = FindText(FOUR_CHAR_CODE("ytdH"));
	mYearLow = FindText(FOUR_CHAR_CODE("ytdL"));
}

void TIndexDetailView::SetIndex(TIndex* inIndex)
{
	mIndex = inIndex;
	SetViewSecurity(inIndex, 5053);
}

void TIndexDetailView::RedoContentSelf()
{
	if (mIndex == nullptr)
		return;
	UPPUtils::SetQuote(mDayOpen, mIndex->DayOpen(), false);
	UPPUtils::SetQuote(mDayHigh, mIndex->DayHigh(), false);
	UPPUtils::SetQuote(mDayLow, mIndex->DayLow(), false);
	UPPUtils::SetQuote(mPreviousClose, mIndex->YesterdayClose(), false);
	UPPUtils::SetQuote(mYearHigh, mIndex->YearHigh(), false);
	UPPUtils::SetQuote(mYearLow, mIndex->YearLow(), false);
}
