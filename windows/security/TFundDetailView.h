#pragma once
// The detail view of a mutual fund (layouts 5032 and 5033).

#include "windows/security/TDetailView.h"

class TFund;

class TFundDetailView : public TDetailView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("fndV") };

	explicit TFundDetailView(LStream* inStream);

	void SetFund(TFund* inFund);
	TFund* GetFund() const { return mFund; }

protected:
	void FinishCreateSelf() override;
	void RedoContentSelf() override;

	LStaticText* mPreviousClose = nullptr;
	LStaticText* mYearHigh = nullptr;
	LStaticText* mYearLow = nullptr;
	TFund* mFund = nullptr;
};
