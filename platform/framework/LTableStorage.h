#pragma once
// The data of a table's cells.

#include "platform/framework/STableCell.h"

class LTableView;

class LTableStorage
{
public:
	explicit LTableStorage(LTableView* inTableView) : mTableView(inTableView) {}
	virtual ~LTableStorage() = default;
	LTableStorage(const LTableStorage&) = delete;
	LTableStorage& operator=(const LTableStorage&) = delete;

	virtual void SetCellData(const STableCell& inCell, const void* inDataPtr, UInt32 inDataSize) = 0;
	// With a null pointer, ioDataSize becomes the size of the cell's data; otherwise at most ioDataSize
	// bytes are copied and ioDataSize becomes their number.
	virtual void GetCellData(const STableCell& inCell, void* outDataPtr, UInt32& ioDataSize) const = 0;
	// The first cell (row by row) whose data equals the given bytes.
	virtual Boolean FindCellData(STableCell& outCell, const void* inDataPtr, UInt32 inDataSize) const = 0;

	// New cells hold the given data (zeros when it is null).
	virtual void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow, const void* inDataPtr,
	                        UInt32 inDataSize) = 0;
	virtual void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol, const void* inDataPtr,
	                        UInt32 inDataSize) = 0;
	virtual void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) = 0;
	virtual void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) = 0;
	virtual void GetStorageSize(TableIndexT& outRows, TableIndexT& outCols) const = 0;

protected:
	LTableView* mTableView;
};
