#pragma once
// The detail window of a stock of the stock list (layout 5102): the banners, a quote page, a page of
// fundamentals and six news headlines. A streaming source never shows the arrows.

#include "windows/security/TDetailWindow.h"

class TStock;

class TStockDetailWindow : public TDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSD") };
	static constexpr ResIDT kLayoutID = 5102;
	// 5110 is the settings dialogs' losing-alert panel.
	static constexpr ResIDT kPrintoutID = 5120;
	enum : SInt16 { kPolled = 500, kStreaming = 501 };

	explicit TStockDetailWindow(LStream* inStream);

	void SetCurrentSecurity(TSecurity* inSecurity) override;
	void RedoUpdating() override;
	void RedoNormalContent() override;
	void DoPrint() override;
	void SetStockExchange();

	TStock* GetStock() const { return mStock; }
	SInt16 GetQuoteMode() const { return mQuoteMode; }

protected:
	void FinishCreateSelf() override;
	// The quote page's values from day open on, the same in the quick quote.
	void RedoQuotePanes();

	SInt16 mQuoteMode = kPolled;
	TStock* mStock = nullptr;
	LStaticText* mDayVolume = nullptr;
	LStaticText* mLastBid = nullptr;
	LStaticText* mLastAsk = nullptr;
	LStaticText* mLastVolume = nullptr;
	LStaticText* mOtherEPS = nullptr;
	LStaticText* mOtherPER = nullptr;
	LStaticText* mOtherDPS = nullptr;
	LStaticText* mCapitalization = nullptr;
	LStaticText* mYield = nullptr;
	LStaticText* mStockExchange = nullptr;
};
