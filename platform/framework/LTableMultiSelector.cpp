#include "platform/framework/LTableMultiSelector.h"

#include "platform/framework/LTableView.h"

#include <algorithm>

LTableMultiSelector::LTableMultiSelector(LTableView* inTableView) : LTableSelector(inTableView)
{
	inTableView->GetTableSize(mRows, mCols);
	mSelection.assign(size_t(mRows) * mCols, 0);
}

Boolean LTableMultiSelector::CellIsSelected(const STableCell& inCell) const
{
	if (inCell.row < 1 || inCell.row > mRows || inCell.col < 1 || inCell.col > mCols)
		return false;
	return mSelection[Index(inCell)] != 0;
}

STableCell LTableMultiSelector::GetFirstSelectedCell() const
{
	const auto it = std::find(mSelection.begin(), mSelection.end(), 1);
	if (it == mSelection.end())
		return STableCell();
	const size_t i = size_t(it - mSelection.begin());
	return STableCell(TableIndexT(i / mCols + 1), TableIndexT(i % mCols + 1));
}

Boolean LTableMultiSelector::Set(const STableCell& inCell, Boolean inSelected)
{
	if (inCell.row < 1 || inCell.row > mRows || inCell.col < 1 || inCell.col > mCols)
		return false;
	UInt8& slot = mSelection[Index(inCell)];
	if ((slot != 0) == inSelected)
		return false;
	slot = inSelected ? 1 : 0;
	mTableView->RefreshCell(inCell);
	return true;
}

void LTableMultiSelector::SelectCell(const STableCell& inCell)
{
	if (Set(inCell, true))
		Changed(inCell);
}

void LTableMultiSelector::UnselectCell(const STableCell& inCell)
{
	if (Set(inCell, false))
		Changed(inCell);
}

void LTableMultiSelector::SelectAllCells()
{
	Boolean changed = false;
	for (TableIndexT row = 1; row <= mRows; ++row)
		for (TableIndexT col = 1; col <= mCols; ++col)
			changed |= Set(STableCell(row, col), true);
	if (changed)
		Changed(STableCell());
}

void LTableMultiSelector::UnselectAllCells()
{
	Boolean changed = false;
	for (TableIndexT row = 1; row <= mRows; ++row)
		for (TableIndexT col = 1; col <= mCols; ++col)
			changed |= Set(STableCell(row, col), false);
	if (changed)
		Changed(STableCell());
}

void LTableMultiSelector::SelectCellBlock(const STableCell& inCellA, const STableCell& inCellB)
{
	const TableIndexT top = std::min(inCellA.row, inCellB.row),
	                  bottom = std::max(inCellA.row, inCellB.row);
	const TableIndexT left = std::min(inCellA.col, inCellB.col),
	                  right = std::max(inCellA.col, inCellB.col);
	Boolean changed = false;
	for (TableIndexT row = 1; row <= mRows; ++row)
		for (TableIndexT col = 1; col <= mCols; ++col)
			changed |= Set(STableCell(row, col),
			               row >= top && row <= bottom && col >= left && col <= right);
	if (changed)
		Changed(STableCell());
}

void LTableMultiSelector::ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	const UInt16 modifiers = inMouseDown.macEvent.modifiers;
	if ((modifiers & shiftKey) && !mAnchorCell.IsNullCell()) {
		SelectCellBlock(mAnchorCell, inCell);
	} else if (modifiers & cmdKey) {
		mAnchorCell = inCell;
		if (CellIsSelected(inCell))
			UnselectCell(inCell);
		else
			SelectCell(inCell);
	} else {
		mAnchorCell = inCell;
		SelectCellBlock(inCell, inCell);
	}
}

Boolean LTableMultiSelector::DragSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	if (mAnchorCell.IsNullCell() || !(inMouseDown.macEvent.modifiers & (shiftKey | cmdKey)))
		mAnchorCell = inCell;
	SelectCellBlock(mAnchorCell, inCell);
	return true;
}

void LTableMultiSelector::InsertRows(UInt32 inHowMany, TableIndexT inAfterRow)
{
	const TableIndexT at = std::min(inAfterRow, mRows);
	mSelection.insert(mSelection.begin() + ptrdiff_t(size_t(at) * mCols), size_t(inHowMany) * mCols, 0);
	mRows += inHowMany;
	if (!mAnchorCell.IsNullCell() && mAnchorCell.row > at)
		mAnchorCell.row += inHowMany;
}

void LTableMultiSelector::InsertCols(UInt32 inHowMany, TableIndexT inAfterCol)
{
	const TableIndexT at = std::min(inAfterCol, mCols);
	std::vector<UInt8> selection;
	selection.reserve(size_t(mRows) * (mCols + inHowMany));
	for (TableIndexT row = 0; row < mRows; ++row) {
		auto begin = mSelection.begin() + ptrdiff_t(size_t(row) * mCols);
		selection.insert(selection.end(), begin, begin + at);
		selection.insert(selection.end(), inHowMany, 0);
		selection.insert(selection.end(), begin + at, begin + mCols);
	}
	mSelection = std::move(selection);
	mCols += inHowMany;
	if (!mAnchorCell.IsNullCell() && mAnchorCell.col > at)
		mAnchorCell.col += inHowMany;
}

void LTableMultiSelector::RemoveRows(UInt32 inHowMany, TableIndexT inFromRow)
{
	if (inFromRow < 1 || inFromRow > mRows)
		return;
	const TableIndexT count = std::min<TableIndexT>(inHowMany, mRows - inFromRow + 1);
	auto first = mSelection.begin() + ptrdiff_t(size_t(inFromRow - 1) * mCols);
	const Boolean hadSelected = std::find(first, first + ptrdiff_t(size_t(count) * mCols), 1) !=
	                            first + ptrdiff_t(size_t(count) * mCols);
	mSelection.erase(first, first + ptrdiff_t(size_t(count) * mCols));
	mRows -= count;
	if (mAnchorCell.row >= inFromRow + count)
		mAnchorCell.row -= count;
	else if (mAnchorCell.row >= inFromRow)
		mAnchorCell.ClearCell();
	if (hadSelected)
		mTableView->SelectionChanged();
}

void LTableMultiSelector::RemoveCols(UInt32 inHowMany, TableIndexT inFromCol)
{
	if (inFromCol < 1 || inFromCol > mCols)
		return;
	const TableIndexT count = std::min<TableIndexT>(inHowMany, mCols - inFromCol + 1);
	std::vector<UInt8> selection;
	Boolean hadSelected = false;
	for (TableIndexT row = 1; row <= mRows; ++row)
		for (TableIndexT col = 1; col <= mCols; ++col) {
			const UInt8 value = mSelection[Index(STableCell(row, col))];
			if (col >= inFromCol && col < inFromCol + count)
				hadSelected |= value != 0;
			else
				selection.push_back(value);
		}
	mSelection = std::move(selection);
	mCols -= count;
	if (mAnchorCell.col >= inFromCol + count)
		mAnchorCell.col -= count;
	else if (mAnchorCell.col >= inFromCol)
		mAnchorCell.ClearCell();
	if (hadSelected)
		mTableView->SelectionChanged();
}
