#pragma once
// The lookup window for indexes: name and symbol columns.

#include "windows/security/TLookupWindow.h"

class TIndexLookupWindow : public TLookupWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stIK") };
	static constexpr ResIDT kLayoutID = 5303;

	explicit TIndexLookupWindow(LStream* inStream) : TLookupWindow(inStream, securityIndex) {}
	void DrawCell(const Rect& inCellRect, const tLookupEntry* inEntry) override
	{
		DrawColumns(inCellRect, inEntry, false);
	}
};
