#pragma once
// The category list of the portfolio settings window: one row per category of the window's working list,
// the name cut to the cell, one column as wide as the table, at most one row selected. Every change of the
// selection is told to the window.
// Layout stream: the table's pane data, then the text traits id (16).

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LTableView.h"

class TPortfolioPrefsWindow;

class TCategoryTable : public LTableView, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("ctgT") };

	explicit TCategoryTable(LStream* inStream);

	void SetWindow(TPortfolioPrefsWindow* inWindow, TList<tCategory>* inCategories);
	// The highest selected row; 0 when none is.
	TableIndexT LastRowSelected() const;
	UInt16 GetRowHeightOf() const { return mRowHeight; }

	void UnselectAllCells() override;
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;

protected:
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void SelectionChanged() override;

private:
	ResIDT mTextTraitsID = 0;
	UInt16 mRowHeight = 16;
	TPortfolioPrefsWindow* mWindow = nullptr;
	TList<tCategory>* mCategories = nullptr;
};
