#include "platform/framework/LTableMultiGeometry.h"

#include "platform/framework/LTableView.h"

#include <algorithm>

LTableMultiGeometry::LTableMultiGeometry(LTableView* inTableView, UInt16 inColWidth, UInt16 inRowHeight)
    : LTableGeometry(inTableView), mDefaultRowHeight(std::max<UInt16>(inRowHeight, 1)),
      mDefaultColWidth(std::max<UInt16>(inColWidth, 1))
{
	TableIndexT rows = 0, cols = 0;
	inTableView->GetTableSize(rows, cols);
	mRowHeights.assign(rows, mDefaultRowHeight);
	mColWidths.assign(cols, mDefaultColWidth);
}

SInt32 LTableMultiGeometry::Offset(const std::vector<UInt16>& inSizes, TableIndexT inIndex)
{
	SInt32 offset = 0;
	for (TableIndexT i = 1; i < inIndex && i <= inSizes.size(); ++i)
		offset += inSizes[i - 1];
	return offset;
}

TableIndexT LTableMultiGeometry::Hit(const std::vector<UInt16>& inSizes, SInt32 inWhere)
{
	if (inWhere < 0)
		return 0;
	SInt32 edge = 0;
	for (TableIndexT i = 0; i < inSizes.size(); ++i) {
		edge += inSizes[i];
		if (inWhere < edge)
			return i + 1;
	}
	return TableIndexT(inSizes.size() + 1);
}

void LTableMultiGeometry::GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop,
                                             SInt32& outRight, SInt32& outBottom) const
{
	outLeft = Offset(mColWidths, inCell.col);
	outTop = Offset(mRowHeights, inCell.row);
	outRight = outLeft + GetColWidth(inCell.col);
	outBottom = outTop + GetRowHeight(inCell.row);
}

TableIndexT LTableMultiGeometry::GetRowHitBy(const SPoint32& inImagePt) const
{
	return Hit(mRowHeights, inImagePt.v);
}

TableIndexT LTableMultiGeometry::GetColHitBy(const SPoint32& inImagePt) const
{
	return Hit(mColWidths, inImagePt.h);
}

void LTableMultiGeometry::GetTableDimensions(UInt32& outWidth, UInt32& outHeight) const
{
	outWidth = UInt32(Offset(mColWidths, TableIndexT(mColWidths.size() + 1)));
	outHeight = UInt32(Offset(mRowHeights, TableIndexT(mRowHeights.size() + 1)));
}

UInt16 LTableMultiGeometry::GetRowHeight(TableIndexT inRow) const
{
	return inRow >= 1 && inRow <= mRowHeights.size() ? mRowHeights[inRow - 1] : mDefaultRowHeight;
}

void LTableMultiGeometry::SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow)
{
	for (TableIndexT row = std::max<TableIndexT>(inFromRow, 1);
	     row <= inToRow && row <= mRowHeights.size(); ++row)
		mRowHeights[row - 1] = inHeight;
	mTableView->AdjustImageSize(true);
}

UInt16 LTableMultiGeometry::GetColWidth(TableIndexT inCol) const
{
	return inCol >= 1 && inCol <= mColWidths.size() ? mColWidths[inCol - 1] : mDefaultColWidth;
}

void LTableMultiGeometry::SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol)
{
	for (TableIndexT col = std::max<TableIndexT>(inFromCol, 1);
	     col <= inToCol && col <= mColWidths.size(); ++col)
		mColWidths[col - 1] = inWidth;
	mTableView->AdjustImageSize(true);
}

void LTableMultiGeometry::InsertRows(UInt32 inHowMany, TableIndexT inAfterRow)
{
	const TableIndexT at = std::min<TableIndexT>(inAfterRow, TableIndexT(mRowHeights.size()));
	mRowHeights.insert(mRowHeights.begin() + at, inHowMany, mDefaultRowHeight);
}

void LTableMultiGeometry::InsertCols(UInt32 inHowMany, TableIndexT inAfterCol)
{
	const TableIndexT at = std::min<TableIndexT>(inAfterCol, TableIndexT(mColWidths.size()));
	mColWidths.insert(mColWidths.begin() + at, inHowMany, mDefaultColWidth);
}

void LTableMultiGeometry::RemoveRows(UInt32 inHowMany, TableIndexT inFromRow)
{
	if (inFromRow < 1 || inFromRow > mRowHeights.size())
		return;
	const TableIndexT count =
	    std::min<TableIndexT>(inHowMany, TableIndexT(mRowHeights.size()) - inFromRow + 1);
	mRowHeights.erase(mRowHeights.begin() + (inFromRow - 1),
	                  mRowHeights.begin() + (inFromRow - 1 + count));
}

void LTableMultiGeometry::RemoveCols(UInt32 inHowMany, TableIndexT inFromCol)
{
	if (inFromCol < 1 || inFromCol > mColWidths.size())
		return;
	const TableIndexT count =
	    std::min<TableIndexT>(inHowMany, TableIndexT(mColWidths.size()) - inFromCol + 1);
	mColWidths.erase(mColWidths.begin() + (inFromCol - 1), mColWidths.begin() + (inFromCol - 1 + count));
}
