#pragma once
// Cell data kept in memory, row by row: of one fixed size, or (size 0) of the size each cell was given.

#include "platform/framework/LTableStorage.h"

#include <vector>

class LTableArrayStorage : public LTableStorage
{
public:
	LTableArrayStorage(LTableView* inTableView, UInt32 inDataSize);

	void SetCellData(const STableCell& inCell, const void* inDataPtr, UInt32 inDataSize) override;
	void GetCellData(const STableCell& inCell, void* outDataPtr, UInt32& ioDataSize) const override;
	Boolean FindCellData(STableCell& outCell, const void* inDataPtr, UInt32 inDataSize) const override;
	void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow, const void* inDataPtr,
	                UInt32 inDataSize) override;
	void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol, const void* inDataPtr,
	                UInt32 inDataSize) override;
	void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) override;
	void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) override;
	void GetStorageSize(TableIndexT& outRows, TableIndexT& outCols) const override;

private:
	typedef std::vector<UInt8> Data;
	Data MakeData(const void* inDataPtr, UInt32 inDataSize) const;
	Boolean IsValid(const STableCell& inCell) const;
	std::vector<Data> mCells; // row by row
	TableIndexT mRows = 0;
	TableIndexT mCols = 0;
	UInt32 mDataSize;
};
