#pragma once
// Where the cells of a table lie in its image: row heights and column widths.

#include "platform/framework/FrameworkTypes.h"
#include "platform/framework/STableCell.h"

class LTableView;

class LTableGeometry
{
public:
	explicit LTableGeometry(LTableView* inTableView) : mTableView(inTableView) {}
	virtual ~LTableGeometry() = default;
	LTableGeometry(const LTableGeometry&) = delete;
	LTableGeometry& operator=(const LTableGeometry&) = delete;

	// Image coordinates; right and bottom are past the cell.
	virtual void GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop,
	                                SInt32& outRight, SInt32& outBottom) const = 0;
	// The row (column) under the image point: 0 above (left of) the first, past the last below (right of)
	// the last.
	virtual TableIndexT GetRowHitBy(const SPoint32& inImagePt) const = 0;
	virtual TableIndexT GetColHitBy(const SPoint32& inImagePt) const = 0;
	virtual void GetTableDimensions(UInt32& outWidth, UInt32& outHeight) const = 0;

	virtual UInt16 GetRowHeight(TableIndexT inRow) const = 0;
	virtual void SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow) = 0;
	virtual UInt16 GetColWidth(TableIndexT inCol) const = 0;
	virtual void SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol) = 0;

	// The table tells its geometry when rows and columns come and go.
	virtual void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow);
	virtual void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol);
	virtual void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow);
	virtual void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol);

protected:
	LTableView* mTableView;
};
