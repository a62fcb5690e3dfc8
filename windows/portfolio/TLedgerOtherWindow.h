#pragma once
// Any other transaction: a cash amount only.

#include "windows/portfolio/TLedgerEditWindow.h"

class TLedgerOtherWindow : public TLedgerEditWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvL3") };
	static constexpr ResIDT kLayoutID = 5064;

	explicit TLedgerOtherWindow(LStream* inStream) : TLedgerEditWindow(inStream)
	{
		mHasUnits = false;
		mHasConversion = false;
		mHasCash = true;
	}
};
