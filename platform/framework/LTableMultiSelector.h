#pragma once
// Any number of selected cells. A click selects its cell alone; shift-click selects the block from the
// anchor (the last plain or command click) to the cell; command-click adds or takes away one cell.

#include "platform/framework/LTableSelector.h"

#include <vector>

class LTableMultiSelector : public LTableSelector
{
public:
	explicit LTableMultiSelector(LTableView* inTableView);

	Boolean CellIsSelected(const STableCell& inCell) const override;
	STableCell GetFirstSelectedCell() const override;
	void SelectCell(const STableCell& inCell) override;
	void SelectAllCells() override;
	void UnselectCell(const STableCell& inCell) override;
	void UnselectAllCells() override;
	void ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	Boolean DragSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	// Selects the block between the two cells (and nothing else).
	void SelectCellBlock(const STableCell& inCellA, const STableCell& inCellB);
	const STableCell& GetAnchorCell() const { return mAnchorCell; }

	void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow) override;
	void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol) override;
	void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) override;
	void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) override;

private:
	size_t Index(const STableCell& inCell) const { return (inCell.row - 1) * mCols + (inCell.col - 1); }
	Boolean Set(const STableCell& inCell, Boolean inSelected); // true when it changed
	std::vector<UInt8> mSelection;                             // row by row
	TableIndexT mRows = 0;
	TableIndexT mCols = 0;
	STableCell mAnchorCell;
};
