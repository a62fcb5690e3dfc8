#pragma once
// A fund buy or sell: units and price, foreign currency.

#include "windows/portfolio/TLedgerEditWindow.h"

class TLedgerFundWindow : public TLedgerEditWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvL2") };
	static constexpr ResIDT kLayoutID = 5063;

	explicit TLedgerFundWindow(LStream* inStream) : TLedgerEditWindow(inStream) { mHasExchange = false; }
};
