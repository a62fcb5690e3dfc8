#pragma once
// The summary window's one-column table: each row of the window's draw list drawn in full (section titles,
// spacers, securities with their previous close, last price, change and percent change), the selected
// row marked "<-", the update indicator, flashing rows blanked in the off phase; clicks go to the window,
// and a stock or fund row can be dragged out.

#include "platform/framework/LCommander.h"
#include "windows/security/TSelfHilitingTable.h"
#include "toolkit/UOneColumnTable.h"

#include <string>

class TSecurity;
class TSummaryWindow;
struct tSummaryDraw;

class TSummaryTable : public TSelfHilitingTable, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvST") };

	using tTextTraits = UOneColumnTable::tTextTraits;

	// Layout stream: the table's pane data, then the two text-traits numbers.
	explicit TSummaryTable(LStream* inStream);

	void SetWindow(TSummaryWindow* inWindow) { mWindow = inWindow; }
	virtual void DrawCellAll(const STableCell& inCell, const Rect& inLocalRect, bool inSelected);
	void HiliteMyCell(const STableCell& inCell, Boolean inHilite) override;
	virtual void SetTablePreferences();

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void ApplyForeAndBackColors() const override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

	void SetPrinting(bool inPrinting) { mPrinting = inPrinting; }
	bool IsPrinting() const { return mPrinting; }
	SInt32 GetRowHeightValue() const { return mRowHeight; }
	RGBColor* EvenRowColour() { return &mEvenColour; }
	RGBColor* OddRowColour() { return &mOddColour; }
	RGBColor* TextColour(int inIndex) { return &mTextColours[inIndex]; }
	const tTextTraits& SecondTextTraits() const { return mSecondTraits; }

	// The rectangles of a row (local coordinates), as drawing computes them.
	struct tRowRects {
		Rect cell, name, close, price, change, percent, dot, marker;
	};
	tRowRects CalcRects(const Rect& inCell) const;
	// Change and percent change from the last price and the previous close; the no-value marker where
	// either price is missing, and no percentage without a previous close.
	static void ComputeChange(const TSecurity* inSecurity, double& outChange, double& outPercent);

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;

private:
	void DrawCellString(const char* inText, Rect inRect, SInt16 inJust) const;
	// A computed value, or a stored one shown with the decimals of its shortest form.
	void DrawCellFloat(double inValue, int inDecimals, bool inPercent, const Rect& inRect) const;
	void DrawCellFloat(float inValue, int inDecimals, bool inPercent, const Rect& inRect) const;

	tTextTraits mRowTraits;
	tTextTraits mSecondTraits;
	TSummaryWindow* mWindow = nullptr;
	SInt32 mFrameWidth = 0;
	SInt32 mRowHeight = 0;
	SInt32 mFontSize = 0;
	RGBColor mEvenColour{0, 0, 0};
	RGBColor mOddColour{0, 0, 0};
	RGBColor mTextColours[3]{};
	bool mDraggable = false;
	bool mPrinting = false;
};
