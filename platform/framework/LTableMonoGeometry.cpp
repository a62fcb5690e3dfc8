#include "platform/framework/LTableMonoGeometry.h"

#include "platform/framework/LTableView.h"

#include <algorithm>

LTableMonoGeometry::LTableMonoGeometry(LTableView* inTableView, UInt16 inColWidth, UInt16 inRowHeight)
    : LTableGeometry(inTableView), mColWidth(std::max<UInt16>(inColWidth, 1)),
      mRowHeight(std::max<UInt16>(inRowHeight, 1))
{
}

void LTableMonoGeometry::GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop,
                                            SInt32& outRight, SInt32& outBottom) const
{
	outLeft = SInt32(inCell.col - 1) * mColWidth;
	outTop = SInt32(inCell.row - 1) * mRowHeight;
	outRight = outLeft + mColWidth;
	outBottom = outTop + mRowHeight;
}

TableIndexT LTableMonoGeometry::GetRowHitBy(const SPoint32& inImagePt) const
{
	return inImagePt.v < 0 ? 0 : TableIndexT(inImagePt.v / mRowHeight + 1);
}

TableIndexT LTableMonoGeometry::GetColHitBy(const SPoint32& inImagePt) const
{
	return inImagePt.h < 0 ? 0 : TableIndexT(inImagePt.h / mColWidth + 1);
}

void LTableMonoGeometry::GetTableDimensions(UInt32& outWidth, UInt32& outHeight) const
{
	TableIndexT rows = 0, cols = 0;
	mTableView->GetTableSize(rows, cols);
	outWidth = cols * mColWidth;
	outHeight = rows * mRowHeight;
}

void LTableMonoGeometry::SetRowHeight(UInt16 inHeight, TableIndexT, TableIndexT)
{
	mRowHeight = std::max<UInt16>(inHeight, 1);
	mTableView->AdjustImageSize(true);
}

void LTableMonoGeometry::SetColWidth(UInt16 inWidth, TableIndexT, TableIndexT)
{
	mColWidth = std::max<UInt16>(inWidth, 1);
	mTableView->AdjustImageSize(true);
}
