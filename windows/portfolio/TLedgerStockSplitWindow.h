#pragma once
// A stock split or consolidation, with the stock's exchange.

#include "windows/portfolio/TLedgerSplitWindow.h"

class TLedgerStockSplitWindow : public TLedgerSplitWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvL4") };
	static constexpr ResIDT kLayoutID = 5065;

	explicit TLedgerStockSplitWindow(LStream* inStream) : TLedgerSplitWindow(inStream)
	{
		mHasExchange = true;
	}
};
