#pragma once
// Every row as high and every column as wide as the others.

#include "platform/framework/LTableGeometry.h"

class LTableMonoGeometry : public LTableGeometry
{
public:
	LTableMonoGeometry(LTableView* inTableView, UInt16 inColWidth, UInt16 inRowHeight);

	void GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop, SInt32& outRight,
	                        SInt32& outBottom) const override;
	TableIndexT GetRowHitBy(const SPoint32& inImagePt) const override;
	TableIndexT GetColHitBy(const SPoint32& inImagePt) const override;
	void GetTableDimensions(UInt32& outWidth, UInt32& outHeight) const override;

	UInt16 GetRowHeight(TableIndexT) const override { return mRowHeight; }
	// Any range sets the one height (width) of all.
	void SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow) override;
	UInt16 GetColWidth(TableIndexT) const override { return mColWidth; }
	void SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol) override;

private:
	UInt16 mColWidth;
	UInt16 mRowHeight;
};
