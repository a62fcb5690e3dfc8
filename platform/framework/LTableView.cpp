#include "platform/framework/LTableView.h"

#include "platform/framework/LTableGeometry.h"
#include "platform/framework/LTableMultiSelector.h"
#include "platform/framework/LTableStorage.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/toolbox/gui/StColorPenState.h"

#include <algorithm>

LTableView::LTableView(const SPaneInfo& inPaneInfo) : LView(inPaneInfo) {}

LTableView::LTableView(LStream* inStream) : LView(inStream) {}

LTableView::~LTableView()
{
	delete mTableStorage;
	delete mTableSelector;
	delete mTableGeometry;
}

void LTableView::SetTableGeometry(LTableGeometry* inGeometry)
{
	if (inGeometry == mTableGeometry)
		return;
	delete mTableGeometry;
	mTableGeometry = inGeometry;
	AdjustImageSize(true);
}

void LTableView::SetTableSelector(LTableSelector* inSelector)
{
	if (inSelector == mTableSelector)
		return;
	delete mTableSelector;
	mTableSelector = inSelector;
	Refresh();
}

void LTableView::SetTableStorage(LTableStorage* inStorage)
{
	if (inStorage == mTableStorage)
		return;
	delete mTableStorage;
	mTableStorage = inStorage;
}

void LTableView::GetTableSize(TableIndexT& outRows, TableIndexT& outCols) const
{
	outRows = mRows;
	outCols = mCols;
}

void LTableView::InsertRows(UInt32 inHowMany, TableIndexT inAfterRow, const void* inDataPtr,
                            UInt32 inDataSize, Boolean inRefresh)
{
	if (inHowMany == 0)
		return;
	inAfterRow = std::min(inAfterRow, mRows);
	mRows += inHowMany;
	if (mTableGeometry)
		mTableGeometry->InsertRows(inHowMany, inAfterRow);
	if (mTableSelector)
		mTableSelector->InsertRows(inHowMany, inAfterRow);
	if (mTableStorage)
		mTableStorage->InsertRows(inHowMany, inAfterRow, inDataPtr, inDataSize);
	AdjustImageSize(false);
	if (inRefresh)
		Refresh();
}

void LTableView::InsertCols(UInt32 inHowMany, TableIndexT inAfterCol, const void* inDataPtr,
                            UInt32 inDataSize, Boolean inRefresh)
{
	if (inHowMany == 0)
		return;
	inAfterCol = std::min(inAfterCol, mCols);
	mCols += inHowMany;
	if (mTableGeometry)
		mTableGeometry->InsertCols(inHowMany, inAfterCol);
	if (mTableSelector)
		mTableSelector->InsertCols(inHowMany, inAfterCol);
	if (mTableStorage)
		mTableStorage->InsertCols(inHowMany, inAfterCol, inDataPtr, inDataSize);
	AdjustImageSize(false);
	if (inRefresh)
		Refresh();
}

void LTableView::RemoveRows(UInt32 inHowMany, TableIndexT inFromRow, Boolean inRefresh)
{
	if (!IsValidRow(inFromRow) || inHowMany == 0)
		return;
	inHowMany = std::min<UInt32>(inHowMany, mRows - inFromRow + 1);
	mRows -= inHowMany;
	if (mTableGeometry)
		mTableGeometry->RemoveRows(inHowMany, inFromRow);
	if (mTableSelector)
		mTableSelector->RemoveRows(inHowMany, inFromRow);
	if (mTableStorage)
		mTableStorage->RemoveRows(inHowMany, inFromRow);
	AdjustImageSize(false);
	if (inRefresh)
		Refresh();
}

void LTableView::RemoveCols(UInt32 inHowMany, TableIndexT inFromCol, Boolean inRefresh)
{
	if (!IsValidCol(inFromCol) || inHowMany == 0)
		return;
	inHowMany = std::min<UInt32>(inHowMany, mCols - inFromCol + 1);
	mCols -= inHowMany;
	if (mTableGeometry)
		mTableGeometry->RemoveCols(inHowMany, inFromCol);
	if (mTableSelector)
		mTableSelector->RemoveCols(inHowMany, inFromCol);
	if (mTableStorage)
		mTableStorage->RemoveCols(inHowMany, inFromCol);
	AdjustImageSize(false);
	if (inRefresh)
		Refresh();
}

void LTableView::RemoveAllRows(Boolean inRefresh)
{
	if (mRows > 0)
		RemoveRows(mRows, 1, inRefresh);
}

void LTableView::SetCellData(const STableCell& inCell, const void* inDataPtr, UInt32 inDataSize)
{
	if (mTableStorage && IsValidCell(inCell)) {
		mTableStorage->SetCellData(inCell, inDataPtr, inDataSize);
		RefreshCell(inCell);
	}
}

void LTableView::GetCellData(const STableCell& inCell, void* outDataPtr, UInt32& ioDataSize) const
{
	if (mTableStorage && IsValidCell(inCell))
		mTableStorage->GetCellData(inCell, outDataPtr, ioDataSize);
	else
		ioDataSize = 0;
}

Boolean LTableView::FindCellData(STableCell& outCell, const void* inDataPtr, UInt32 inDataSize) const
{
	return mTableStorage && mTableStorage->FindCellData(outCell, inDataPtr, inDataSize);
}

Boolean LTableView::GetNextCell(STableCell& ioCell) const
{
	if (mRows == 0 || mCols == 0)
		return false;
	if (ioCell.row == 0 || ioCell.col == 0) {
		if (ioCell.row > mRows)
			return false;
		ioCell.SetCell(std::max<TableIndexT>(ioCell.row, 1), 1);
		return true;
	}
	if (ioCell.col < mCols) {
		++ioCell.col;
	} else {
		++ioCell.row;
		ioCell.col = 1;
	}
	return ioCell.row <= mRows;
}

Boolean LTableView::GetNextSelectedCell(STableCell& ioCell) const
{
	STableCell cell = ioCell;
	while (GetNextCell(cell))
		if (CellIsSelected(cell)) {
			ioCell = cell;
			return true;
		}
	return false;
}

Boolean LTableView::CellIsSelected(const STableCell& inCell) const
{
	return mTableSelector && mTableSelector->CellIsSelected(inCell);
}

STableCell LTableView::GetFirstSelectedCell() const
{
	return mTableSelector ? mTableSelector->GetFirstSelectedCell() : STableCell();
}

void LTableView::SelectCell(const STableCell& inCell)
{
	if (mTableSelector)
		mTableSelector->SelectCell(inCell);
}

void LTableView::UnselectCell(const STableCell& inCell)
{
	if (mTableSelector)
		mTableSelector->UnselectCell(inCell);
}

void LTableView::SelectAllCells()
{
	if (mTableSelector)
		mTableSelector->SelectAllCells();
}

void LTableView::UnselectAllCells()
{
	if (mTableSelector)
		mTableSelector->UnselectAllCells();
}

void LTableView::SelectionChanged() {}

void LTableView::GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop,
                                    SInt32& outRight, SInt32& outBottom) const
{
	if (mTableGeometry) {
		mTableGeometry->GetImageCellBounds(inCell, outLeft, outTop, outRight, outBottom);
	} else {
		outLeft = outTop = outRight = outBottom = 0;
	}
}

Boolean LTableView::GetLocalCellRect(const STableCell& inCell, Rect& outCellRect) const
{
	SInt32 left, top, right, bottom;
	GetImageCellBounds(inCell, left, top, right, bottom);
	// Local coordinates of a view are those of its image.
	outCellRect = Rect{SInt16(std::clamp<SInt32>(top, -32768, 32767)),
	                   SInt16(std::clamp<SInt32>(left, -32768, 32767)),
	                   SInt16(std::clamp<SInt32>(bottom, -32768, 32767)),
	                   SInt16(std::clamp<SInt32>(right, -32768, 32767))};
	if (!IsValidCell(inCell))
		return false;
	Rect frame, shown;
	CalcLocalFrameRect(frame);
	return SectRect(&outCellRect, &frame, &shown);
}

Boolean LTableView::GetCellHitBy(const SPoint32& inImagePt, STableCell& outCell) const
{
	if (!mTableGeometry)
		return false;
	outCell.SetCell(mTableGeometry->GetRowHitBy(inImagePt), mTableGeometry->GetColHitBy(inImagePt));
	return IsValidCell(outCell);
}

UInt16 LTableView::GetRowHeight(TableIndexT inRow) const
{
	return mTableGeometry ? mTableGeometry->GetRowHeight(inRow) : 0;
}

void LTableView::SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow)
{
	if (mTableGeometry)
		mTableGeometry->SetRowHeight(inHeight, inFromRow, inToRow);
}

UInt16 LTableView::GetColWidth(TableIndexT inCol) const
{
	return mTableGeometry ? mTableGeometry->GetColWidth(inCol) : 0;
}

void LTableView::SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol)
{
	if (mTableGeometry)
		mTableGeometry->SetColWidth(inWidth, inFromCol, inToCol);
}

void LTableView::AdjustImageSize(Boolean inRefresh)
{
	UInt32 width = 0, height = 0;
	if (mTableGeometry)
		mTableGeometry->GetTableDimensions(width, height);
	ResizeImageTo(SInt32(width), SInt32(height), inRefresh);
	// A smaller image must not leave the frame showing past its end.
	SPoint32 position;
	GetScrollPosition(position);
	const SInt32 h =
	    std::clamp<SInt32>(position.h, 0, std::max<SInt32>(0, SInt32(width) - mFrameSize.width));
	const SInt32 v =
	    std::clamp<SInt32>(position.v, 0, std::max<SInt32>(0, SInt32(height) - mFrameSize.height));
	if (h != position.h || v != position.v)
		ScrollImageTo(h, v, true);
}

void LTableView::ScrollCellIntoFrame(const STableCell& inCell)
{
	if (!IsValidCell(inCell))
		return;
	SInt32 left, top, right, bottom;
	GetImageCellBounds(inCell, left, top, right, bottom);
	SPoint32 position;
	GetScrollPosition(position);
	auto delta = [](SInt32 low, SInt32 high, SInt32 shownLow, SInt32 size) -> SInt32 {
		if (low < shownLow)
			return low - shownLow;
		if (high > shownLow + size)
			return std::min(high - (shownLow + size), low - shownLow);
		return 0;
	};
	ScrollPinnedImageBy(delta(left, right, position.h, mFrameSize.width),
	                    delta(top, bottom, position.v, mFrameSize.height), true);
}

void LTableView::RefreshCell(const STableCell& inCell)
{
	RefreshCellRange(inCell, inCell);
}

void LTableView::RefreshCellRange(const STableCell& inTopLeft, const STableCell& inBotRight)
{
	LWindow* window = GetWindow();
	if (!window || !IsVisible())
		return;
	SInt32 left, top, right, bottom, r2, b2, l2, t2;
	GetImageCellBounds(inTopLeft, left, top, r2, b2);
	GetImageCellBounds(inBotRight, l2, t2, right, bottom);
	Rect cells{SInt16(std::clamp<SInt32>(top + mImageLocation.v, -32768, 32767)),
	           SInt16(std::clamp<SInt32>(left + mImageLocation.h, -32768, 32767)),
	           SInt16(std::clamp<SInt32>(bottom + mImageLocation.v, -32768, 32767)),
	           SInt16(std::clamp<SInt32>(right + mImageLocation.h, -32768, 32767))};
	Rect revealed, area;
	GetRevealedRect(revealed);
	if (SectRect(&cells, &revealed, &area))
		window->InvalPortRect(area);
}

Boolean LTableView::HandleNavigationKey(const EventRecord& inKeyEvent)
{
	const UInt16 ch = UInt16(inKeyEvent.message & charCodeMask);
	if (mRows == 0 || mCols == 0 || !mTableSelector)
		return false;
	const STableCell current = GetFirstSelectedCell();
	const Boolean none = current.IsNullCell();
	const TableIndexT page = std::max<TableIndexT>(
	    1, TableIndexT(mFrameSize.height / std::max<UInt16>(GetRowHeight(1), 1)) - 1);
	STableCell next = none ? STableCell(1, 1) : current;
	auto* multi = dynamic_cast<LTableMultiSelector*>(mTableSelector);
	if (multi && !none && (inKeyEvent.modifiers & shiftKey) && !multi->GetAnchorCell().IsNullCell()) {
		// Extend from the far end of the selection.
		STableCell last = current;
		for (STableCell cell = current; GetNextSelectedCell(cell);)
			last = cell;
		next = (ch == char_UpArrow || ch == char_LeftArrow || ch == char_Home || ch == char_PageUp)
		           ? current
		           : last;
	}
	switch (ch) {
	case char_UpArrow:
		next.row = none ? mRows : std::max<TableIndexT>(next.row, 2) - 1;
		break;
	case char_DownArrow:
		next.row = none ? 1 : std::min(next.row + 1, mRows);
		break;
	case char_LeftArrow:
		next.col = none ? mCols : std::max<TableIndexT>(next.col, 2) - 1;
		break;
	case char_RightArrow:
		next.col = none ? 1 : std::min(next.col + 1, mCols);
		break;
	case char_Home:
		next.row = 1;
		break;
	case char_End:
		next.row = mRows;
		break;
	case char_PageUp:
		next.row = next.row > page ? next.row - page : 1;
		break;
	case char_PageDown:
		next.row = std::min(next.row + page, mRows);
		break;
	default:
		return false;
	}
	if (multi && (inKeyEvent.modifiers & shiftKey) && !multi->GetAnchorCell().IsNullCell()) {
		multi->SelectCellBlock(multi->GetAnchorCell(), next);
	} else {
		if (multi) {
			SMouseDownEvent click;
			multi->ClickSelect(next,
			                   click); // the cell alone, and the anchor for later shift keys
		} else {
			SelectCell(next);
		}
	}
	ScrollCellIntoFrame(next);
	return true;
}

void LTableView::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	ApplyForeAndBackColors();
	EraseRect(&frame);
	if (!mTableGeometry || mRows == 0 || mCols == 0)
		return;
	const SPoint32 topLeft{frame.left, frame.top};
	const SPoint32 bottomRight{frame.right - 1, frame.bottom - 1};
	const TableIndexT firstRow = std::max<TableIndexT>(mTableGeometry->GetRowHitBy(topLeft), 1);
	const TableIndexT lastRow = std::min(mTableGeometry->GetRowHitBy(bottomRight), mRows);
	const TableIndexT firstCol = std::max<TableIndexT>(mTableGeometry->GetColHitBy(topLeft), 1);
	const TableIndexT lastCol = std::min(mTableGeometry->GetColHitBy(bottomRight), mCols);
	for (TableIndexT row = firstRow; row <= lastRow; ++row)
		for (TableIndexT col = firstCol; col <= lastCol; ++col) {
			Rect cellRect;
			const STableCell cell(row, col);
			GetLocalCellRect(cell, cellRect);
			ApplyForeAndBackColors();
			PenNormal();
			DrawCell(cell, cellRect);
		}
	if (!mCustomHilite)
		HiliteSelection(IsActive(), true);
}

void LTableView::DrawCell(const STableCell&, const Rect&) {}

void LTableView::HiliteSelection(Boolean inActively, Boolean inHilite)
{
	STableCell cell;
	while (GetNextSelectedCell(cell)) {
		Rect cellRect;
		if (!GetLocalCellRect(cell, cellRect))
			continue;
		if (inActively)
			HiliteCellActively(cell, inHilite);
		else
			HiliteCellInactively(cell, inHilite);
	}
}

void LTableView::HiliteCell(const STableCell& inCell, Boolean inHilite)
{
	if (IsActive())
		HiliteCellActively(inCell, inHilite);
	else
		HiliteCellInactively(inCell, inHilite);
}

void LTableView::HiliteCellActively(const STableCell& inCell, Boolean inHilite)
{
	Rect cellRect;
	if (inHilite && GetLocalCellRect(inCell, cellRect))
		InvertRect(&cellRect);
}

void LTableView::HiliteCellInactively(const STableCell& inCell, Boolean inHilite)
{
	Rect cellRect;
	if (!inHilite || !GetLocalCellRect(inCell, cellRect))
		return;
	StColorPenState penState;
	PenNormal();
	const RGBColor grey{0x8888, 0x8888, 0x8888};
	RGBForeColor(&grey);
	FrameRect(&cellRect);
}

void LTableView::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	const SPoint32 where{inMouseDown.whereLocal.h, inMouseDown.whereLocal.v};
	STableCell cell;
	if (!GetCellHitBy(where, cell)) {
		if (!(inMouseDown.macEvent.modifiers & (shiftKey | cmdKey)))
			UnselectAllCells();
		return;
	}
	if (ClickSelect(cell, inMouseDown))
		ClickCell(cell, inMouseDown);
}

Boolean LTableView::ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	if (!mTableSelector)
		return true;
	if (mUseDragSelect)
		return mTableSelector->DragSelect(inCell, inMouseDown);
	mTableSelector->ClickSelect(inCell, inMouseDown);
	return true;
}

void LTableView::ClickCell(const STableCell&, const SMouseDownEvent&) {}

void LTableView::ActivateSelf()
{
	Refresh();
}

void LTableView::DeactivateSelf()
{
	Refresh();
}
