#include "platform/framework/LTableSingleSelector.h"

#include "platform/framework/LTableView.h"

Boolean LTableSingleSelector::CellIsSelected(const STableCell& inCell) const
{
	return !inCell.IsNullCell() && inCell == mSelectedCell;
}

void LTableSingleSelector::SelectCell(const STableCell& inCell)
{
	if (inCell == mSelectedCell || !mTableView->IsValidCell(inCell))
		return;
	const STableCell old = mSelectedCell;
	mSelectedCell = inCell;
	if (!old.IsNullCell())
		mTableView->RefreshCell(old);
	Changed(inCell);
}

void LTableSingleSelector::UnselectCell(const STableCell& inCell)
{
	if (CellIsSelected(inCell))
		UnselectAllCells();
}

void LTableSingleSelector::UnselectAllCells()
{
	if (mSelectedCell.IsNullCell())
		return;
	const STableCell old = mSelectedCell;
	mSelectedCell.ClearCell();
	Changed(old);
}

void LTableSingleSelector::ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	// Command-click on the selected cell takes the selection away.
	if ((inMouseDown.macEvent.modifiers & cmdKey) && CellIsSelected(inCell))
		UnselectAllCells();
	else
		SelectCell(inCell);
}

void LTableSingleSelector::InsertRows(UInt32 inHowMany, TableIndexT inAfterRow)
{
	if (!mSelectedCell.IsNullCell() && mSelectedCell.row > inAfterRow)
		mSelectedCell.row += inHowMany;
}

void LTableSingleSelector::InsertCols(UInt32 inHowMany, TableIndexT inAfterCol)
{
	if (!mSelectedCell.IsNullCell() && mSelectedCell.col > inAfterCol)
		mSelectedCell.col += inHowMany;
}

void LTableSingleSelector::RemoveRows(UInt32 inHowMany, TableIndexT inFromRow)
{
	if (mSelectedCell.IsNullCell() || mSelectedCell.row < inFromRow)
		return;
	if (mSelectedCell.row < inFromRow + inHowMany) {
		mSelectedCell.ClearCell();
		mTableView->SelectionChanged();
	} else {
		mSelectedCell.row -= inHowMany;
	}
}

void LTableSingleSelector::RemoveCols(UInt32 inHowMany, TableIndexT inFromCol)
{
	if (mSelectedCell.IsNullCell() || mSelectedCell.col < inFromCol)
		return;
	if (mSelectedCell.col < inFromCol + inHowMany) {
		mSelectedCell.ClearCell();
		mTableView->SelectionChanged();
	} else {
		mSelectedCell.col -= inHowMany;
	}
}
