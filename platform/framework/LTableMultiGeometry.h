#pragma once
// Rows and columns each with a height or width of their own; new ones take the defaults.

#include "platform/framework/LTableGeometry.h"

#include <vector>

class LTableMultiGeometry : public LTableGeometry
{
public:
	LTableMultiGeometry(LTableView* inTableView, UInt16 inColWidth, UInt16 inRowHeight);

	void GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop, SInt32& outRight,
	                        SInt32& outBottom) const override;
	TableIndexT GetRowHitBy(const SPoint32& inImagePt) const override;
	TableIndexT GetColHitBy(const SPoint32& inImagePt) const override;
	void GetTableDimensions(UInt32& outWidth, UInt32& outHeight) const override;

	UInt16 GetRowHeight(TableIndexT inRow) const override;
	void SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow) override;
	UInt16 GetColWidth(TableIndexT inCol) const override;
	void SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol) override;

	void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow) override;
	void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol) override;
	void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) override;
	void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) override;

private:
	static SInt32 Offset(const std::vector<UInt16>& inSizes, TableIndexT inIndex);
	static TableIndexT Hit(const std::vector<UInt16>& inSizes, SInt32 inWhere);
	std::vector<UInt16> mRowHeights;
	std::vector<UInt16> mColWidths;
	UInt16 mDefaultRowHeight;
	UInt16 mDefaultColWidth;
};
