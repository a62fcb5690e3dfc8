#pragma once
// At most one selected cell.

#include "platform/framework/LTableSelector.h"

class LTableSingleSelector : public LTableSelector
{
public:
	explicit LTableSingleSelector(LTableView* inTableView) : LTableSelector(inTableView) {}

	Boolean CellIsSelected(const STableCell& inCell) const override;
	STableCell GetFirstSelectedCell() const override { return mSelectedCell; }
	void SelectCell(const STableCell& inCell) override;
	void SelectAllCells() override {} // one cell at most
	void UnselectCell(const STableCell& inCell) override;
	void UnselectAllCells() override;
	void ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;

	void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow) override;
	void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol) override;
	void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) override;
	void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) override;

private:
	STableCell mSelectedCell;
};
