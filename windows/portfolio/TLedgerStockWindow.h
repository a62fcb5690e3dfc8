#pragma once
// A stock buy or sell: units and price, exchange, foreign currency.

#include "windows/portfolio/TLedgerEditWindow.h"

class TLedgerStockWindow : public TLedgerEditWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvL1") };
	static constexpr ResIDT kLayoutID = 5062;

	explicit TLedgerStockWindow(LStream* inStream) : TLedgerEditWindow(inStream) { mHasExchange = true; }
};
