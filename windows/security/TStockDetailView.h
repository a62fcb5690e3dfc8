#pragma once
// The detail view of a stock (layouts 5030 and 5031).

#include "windows/security/TDetailView.h"

class TStock;

class TStockDetailView : public TDetailView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stkV") };

	explicit TStockDetailView(LStream* inStream);

	void SetStock(TStock* inStock);
	TStock* GetStock() const { return mStock; }

protected:
	void FinishCreateSelf() override;
	void RedoContentSelf() override;

	LStaticText* mDayOpen = nullptr;
	LStaticText* mDayHigh = nullptr;
	LStaticText* mDayLow = nullptr;
	LStaticText* mDayVolume = nullptr;
	LStaticText* mLastTradePrice = nullptr;
	LStaticText* mLastTradeVolume = nullptr;
	LStaticText* mLastTradeBid = nullptr;
	LStaticText* mLastTradeAsk = nullptr;
	LStaticText* mPreviousClose = nullptr;
	LStaticText* mYearHigh = nullptr;
	LStaticText* mYearLow = nullptr;
	LStaticText* mEarningsPerShare = nullptr;
	LStaticText* mPriceEarningsRatio = nullptr;
	LStaticText* mDividendPerShare = nullptr;
	TStock* mStock = nullptr;
};
