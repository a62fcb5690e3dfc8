#pragma once
// The lookup window for funds: name, market and symbol columns.

#include "windows/security/TLookupWindow.h"

class TFundLookupWindow : public TLookupWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stFK") };
	static constexpr ResIDT kLayoutID = 5203;

	explicit TFundLookupWindow(LStream* inStream) : TLookupWindow(inStream, securityFund) {}
	void DrawCell(const Rect& inCellRect, const tLookupEntry* inEntry) override
	{
		DrawColumns(inCellRect, inEntry, true);
	}
};
