#include "windows/security/TStockDetailWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/TExchange.h"
#include "model/TStock.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LStaticText.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/UDetailPanes.h"

TStockDetailWindow::TStockDetailWindow(LStream* inStream) : TDetailWindow(inStream)
{
	mHasLastPrice = mHasPreviousClose = mHasDayOpen = mHasDayRange = mHasYearRange = true;
	mNewsCount = 6;
	mPageRecords[0].page = 1;
	mPageRecords[0].linksID = 5160;
	mPageRecords[1].page = 3;
	mPageRecords[1].linksID = 5162;
}

void TStockDetailWindow::FinishCreateSelf()
{
	TDetailWindow::FinishCreateSelf();
	SignalIf_(mMultiPanelView == nullptr || mMainPanel == nullptr);
	mDayVolume = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("dayV"));
	mLastBid = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("lstB"));
	mLastAsk = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("lstA"));
	mLastVolume = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("lstV"));
	mStockExchange = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("Exch"));
	LView* fundamentals = mMultiPanelView != nullptr ? mMultiPanelView->GetPanel(2) : nullptr;
	mOtherEPS = UDetailPanes::Find<LStaticText>(fundamentals, FOUR_CHAR_CODE("oEPS"));
	mOtherPER = UDetailPanes::Find<LStaticText>(fundamentals, FOUR_CHAR_CODE("oPER"));
	mOtherDPS = UDetailPanes::Find<LStaticText>(fundamentals, FOUR_CHAR_CODE("oDPS"));
	mCapitalization = UDetailPanes::Find<LStaticText>(fundamentals, FOUR_CHAR_CODE("mCAP"));
	mYield = UDetailPanes::Find<LStaticText>(fundamentals, FOUR_CHAR_CODE("yELD"));
}

void TStockDetailWindow::SetCurrentSecurity(TSecurity* inSecurity)
{
	mStock = dynamic_cast<TStock*>(inSecurity);
	SignalIf_(mStock == nullptr);
	mQuoteMode = mStock != nullptr && TQuoterManager::IsStreamingQuoter(mStock) ? kStreaming : kPolled;
	TDetailWindow::SetCurrentSecurity(inSecurity);
}

void TStockDetailWindow::RedoUpdating()
{
	if (mQuoteMode != kStreaming) {
		TDetailWindow::RedoUpdating();
		return;
	}
	// A stream has no request to wait for.
	UDetailPanes::ShowUpdating(mUpdateButton, mUpdateArrows, false);
}

void TStockDetailWindow::SetStockExchange()
{
	if (mStock == nullptr || mStockExchange == nullptr)
		return;
	char name[256];
	TExchange::GetExchangeName(mStock->Exchange(), name, 255);
	mStockExchange->SetText(name);
}

void TStockDetailWindow::RedoNormalContent()
{
	SignalIf_(mStock == nullptr);
	if (mStock == nullptr)
		return;
	WriteBanners();
	RedoQuotePanes();
}

void TStockDetailWindow::RedoQuotePanes()
{
	const bool fractions = mUsesFractions;
	UPPUtils::SetQuote(mDayOpen, mStock->DayOpen(), fractions);
	UPPUtils::SetQuote(mDayHigh, mStock->DayHigh(), fractions);
	UPPUtils::SetQuote(mDayLow, mStock->DayLow(), fractions);
	UPPUtils::SetULong(mDayVolume, mStock->DayVolume());
	UPPUtils::SetQuote(mPreviousClose, mStock->YesterdayClose(), fractions);
	UPPUtils::SetQuote(mLastPrice, mStock->CurrentTradePrice(), fractions);
	UPPUtils::SetQuote(mLastBid, mStock->CurrentTradeBid(), fractions);
	UPPUtils::SetQuote(mLastAsk, mStock->CurrentTradeAsk(), fractions);
	UPPUtils::SetULong(mLastVolume, mStock->CurrentTradeVolume());
	UPPUtils::SetFloat(mOtherEPS, mStock->EarningsPerShare(), 2);
	UPPUtils::SetFloat(mOtherPER, mStock->PriceEarningsRatio(), 4);
	UPPUtils::SetFloat(mOtherDPS, mStock->DividendPerShare(), 2);
	UPPUtils::SetMillions(mCapitalization, mStock->Capitalization());
	UPPUtils::SetFloat(mYield, mStock->Yield(), 2);
	UPPUtils::SetQuote(mYearHigh, mStock->YearHigh(), fractions);
	UPPUtils::SetQuote(mYearLow, mStock->YearLow(), fractions);
	SetStockExchange();
	UPPUtils::SetQuoteSource(mQuoteSource, mStock);
}

void TStockDetailWindow::DoPrint()
{
	SignalIf_(mStock == nullptr);
	if (mStock == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = MakePrintout(kPrintoutID);
	LPrintout* page = printout.get();
	SetPrintText(page, FOUR_CHAR_CODE("Comp"), mStock->SecurityName());
	SetPrintText(page, FOUR_CHAR_CODE("Symb"), mStock->SecuritySymbol());
	SetPrintPriceAndChange(page, 2);
	auto quote = [&](PaneIDT inID, float inValue) {
		UPPUtils::SetQuote(PrintCaption(page, inID), inValue, mUsesFractions);
	};
	quote(FOUR_CHAR_CODE("dayO"), mStock->DayOpen());
	quote(FOUR_CHAR_CODE("dayH"), mStock->DayHigh());
	quote(FOUR_CHAR_CODE("dayL"), mStock->DayLow());
	quote(FOUR_CHAR_CODE("ydyC"), mStock->YesterdayClose());
	quote(FOUR_CHAR_CODE("lstP"), mStock->CurrentTradePrice());
	quote(FOUR_CHAR_CODE("lstB"), mStock->CurrentTradeBid());
	quote(FOUR_CHAR_CODE("lstA"), mStock->CurrentTradeAsk());
	quote(FOUR_CHAR_CODE("ytdH"), mStock->YearHigh());
	quote(FOUR_CHAR_CODE("ytdL"), mStock->YearLow());
	UPPUtils::SetULong(PrintCaption(page, FOUR_CHAR_CODE("dayV")), mStock->DayVolume());
	UPPUtils::SetULong(PrintCaption(page, FOUR_CHAR_CODE("lstV")), mStock->CurrentTradeVolume());
	UPPUtils::SetFloat(PrintCaption(page, FOUR_CHAR_CODE("oEPS")), mStock->EarningsPerShare(), 2);
	UPPUtils::SetFloat(PrintCaption(page, FOUR_CHAR_CODE("oPER")), mStock->PriceEarningsRatio(), 4);
	UPPUtils::SetFloat(PrintCaption(page, FOUR_CHAR_CODE("oDPS")), mStock->DividendPerShare(), 2);
	UPPUtils::SetMillions(PrintCaption(page, FOUR_CHAR_CODE("mCAP")), mStock->Capitalization());
	UPPUtils::SetFloat(PrintCaption(page, FOUR_CHAR_CODE("yELD")), mStock->Yield(), 2);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtTr")), mStock->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtUp")), mStock->LastUpdate(),
	                    mStock->ErrorCode());
	char text[256] = {};
	TExchange::GetExchangeName(mStock->Exchange(), text, 255);
	SetPrintText(page, FOUR_CHAR_CODE("Exch"), text);
	SetPrintQuoteSource(page);
	PrintAndClose(page);
}
