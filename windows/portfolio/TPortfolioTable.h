#pragma once
// The portfolio window's one-column table: one row per row of the window's accountant (categories with
// their disclosure triangle, holdings, currency sub-items), numbers coloured by gain or loss against the
// reference the window shows. No selection is drawn. Switched into printing mode, it draws black on white
// without triangles and check boxes.

#include "platform/framework/LCommander.h"
#include "platform/framework/LTableView.h"
#include "platform/toolbox/gui/Icons.h"
#include "toolkit/UOneColumnTable.h"

#include <string>

class TPortfolioWindow;

class TPortfolioTable : public LTableView, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stPT") };

	using tTextTraits = UOneColumnTable::tTextTraits;

	// The column rectangles of a row, left to right.
	struct tColumns {
		Rect name, shares, referencePrice, referenceTotal, currentPrice, currentTotal, change;
	};

	// Layout stream: the table's pane data, then the text-traits numbers of rows and of sub-item rows.
	explicit TPortfolioTable(LStream* inStream);
	~TPortfolioTable() override;

	void SetWindow(TPortfolioWindow* inWindow) { mWindow = inWindow; }
	virtual TableIndexT LastRowSelected() const;
	virtual void SetTablePreferences();

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void ApplyForeAndBackColors() const override;

	tColumns CalcRects(const Rect& inCell) const;
	void SetPrinting(bool inPrinting) { mPrinting = inPrinting; }
	bool IsPrinting() const { return mPrinting; }
	SInt32 RowHeight() const { return mRowHeight; }
	RGBColor* EvenRowColour() { return &mEvenColour; }
	RGBColor* OddRowColour() { return &mOddColour; }
	RGBColor* GainColour() { return &mGainColour; }
	RGBColor* LossColour() { return &mLossColour; }
	RGBColor* UnchangedColour() { return &mUnchangedColour; }

	// "%.*f" with thousands commas, "N/A" for the no-value marker.
	static std::string FormatFloat(float inValue, int inDecimals, bool inCommas);

protected:
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;
	void HiliteSelection(Boolean inActively, Boolean inHilite) override;
	void HiliteCell(const STableCell& inCell, Boolean inHilite) override;
	void HiliteCellActively(const STableCell& inCell, Boolean inHilite) override;
	void HiliteCellInactively(const STableCell& inCell, Boolean inHilite) override;

private:
	void DrawCellFloat(float inValue, const Rect& inRect, int inDecimals, bool inCommas) const;
	void DrawCellString(const char* inText, const Rect& inRect) const;

	TPortfolioWindow* mWindow = nullptr;
	tTextTraits mRowTraits;
	tTextTraits mSubItemTraits;
	SInt32 mColWidth = 0;
	SInt32 mRowHeight = 0;
	CIconHandle mOpenIcon = nullptr;
	CIconHandle mClosedIcon = nullptr;
	bool mPrinting = false;
	RGBColor mEvenColour{0, 0, 0};
	RGBColor mOddColour{0, 0, 0};
	RGBColor mGainColour{0, 0, 0};
	RGBColor mLossColour{0, 0, 0};
	RGBColor mUnchangedColour{0, 0, 0};
};
