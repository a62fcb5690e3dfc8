#pragma once
// The lookup window for stocks: name, market and symbol columns.

#include "windows/security/TLookupWindow.h"

class TStockLookupWindow : public TLookupWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSK") };
	static constexpr ResIDT kLayoutID = 5104;

	explicit TStockLookupWindow(LStream* inStream) : TLookupWindow(inStream, securityStock) {}
	void DrawCell(const Rect& inCellRect, const tLookupEntry* inEntry) override
	{
		DrawColumns(inCellRect, inEntry, true);
	}
};
