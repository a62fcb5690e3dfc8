#pragma once
// A fund split or consolidation.

#include "windows/portfolio/TLedgerSplitWindow.h"

class TLedgerFundSplitWindow : public TLedgerSplitWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvL5") };
	static constexpr ResIDT kLayoutID = 5066;

	explicit TLedgerFundSplitWindow(LStream* inStream) : TLedgerSplitWindow(inStream)
	{
		mHasExchange = false;
	}
};
