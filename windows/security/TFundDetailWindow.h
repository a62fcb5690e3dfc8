#pragma once
// A mutual fund of the fund list in full (layout 5202): the banners, a quote page (last price, previous
// close, year range, quote source) and a news page with three headlines.

#include "windows/security/TDetailWindow.h"

class TFund;

class TFundDetailWindow : public TDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stFD") };
	static constexpr ResIDT kLayoutID = 5202;
	static constexpr ResIDT kPrintoutID = 5210;

	explicit TFundDetailWindow(LStream* inStream);

	void SetCurrentSecurity(TSecurity* inSecurity) override;
	void RedoNormalContent() override;
	void DoPrint() override;

	TFund* GetFund() const { return mFund; }

private:
	TFund* mFund = nullptr;
};
