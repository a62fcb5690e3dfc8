#include "platform/framework/LTableArrayStorage.h"

#include "platform/framework/LTableView.h"

#include <algorithm>
#include <cstring>

LTableArrayStorage::LTableArrayStorage(LTableView* inTableView, UInt32 inDataSize)
    : LTableStorage(inTableView), mDataSize(inDataSize)
{
	inTableView->GetTableSize(mRows, mCols);
	mCells.assign(size_t(mRows) * mCols, MakeData(nullptr, 0));
}

LTableArrayStorage::Data LTableArrayStorage::MakeData(const void* inDataPtr, UInt32 inDataSize) const
{
	// A fixed size is always whole: short data is padded with zeros, long data cut.
	const UInt32 size = mDataSize != 0 ? mDataSize : inDataSize;
	Data data(size, 0);
	if (inDataPtr)
		std::memcpy(data.data(), inDataPtr, std::min(size, inDataSize));
	return data;
}

Boolean LTableArrayStorage::IsValid(const STableCell& inCell) const
{
	return inCell.row >= 1 && inCell.row <= mRows && inCell.col >= 1 && inCell.col <= mCols;
}

void LTableArrayStorage::SetCellData(const STableCell& inCell, const void* inDataPtr, UInt32 inDataSize)
{
	if (IsValid(inCell))
		mCells[(inCell.row - 1) * mCols + (inCell.col - 1)] = MakeData(inDataPtr, inDataSize);
}

void LTableArrayStorage::GetCellData(const STableCell& inCell, void* outDataPtr, UInt32& ioDataSize) const
{
	if (!IsValid(inCell)) {
		ioDataSize = 0;
		return;
	}
	const Data& data = mCells[(inCell.row - 1) * mCols + (inCell.col - 1)];
	if (!outDataPtr) {
		ioDataSize = UInt32(data.size());
		return;
	}
	ioDataSize = std::min(ioDataSize, UInt32(data.size()));
	std::memcpy(outDataPtr, data.data(), ioDataSize);
}

Boolean LTableArrayStorage::FindCellData(STableCell& outCell, const void* inDataPtr, UInt32 inDataSize) const
{
	const Data wanted = MakeData(inDataPtr, inDataSize);
	for (size_t i = 0; i < mCells.size(); ++i)
		if (mCells[i] == wanted) {
			outCell.SetCell(TableIndexT(i / mCols + 1), TableIndexT(i % mCols + 1));
			return true;
		}
	return false;
}

void LTableArrayStorage::InsertRows(UInt32 inHowMany, TableIndexT inAfterRow, const void* inDataPtr,
                                    UInt32 inDataSize)
{
	const TableIndexT at = std::min(inAfterRow, mRows);
	mCells.insert(mCells.begin() + ptrdiff_t(size_t(at) * mCols), size_t(inHowMany) * mCols,
	              MakeData(inDataPtr, inDataSize));
	mRows += inHowMany;
}

void LTableArrayStorage::InsertCols(UInt32 inHowMany, TableIndexT inAfterCol, const void* inDataPtr,
                                    UInt32 inDataSize)
{
	const TableIndexT at = std::min(inAfterCol, mCols);
	const Data fill = MakeData(inDataPtr, inDataSize);
	std::vector<Data> cells;
	cells.reserve(size_t(mRows) * (mCols + inHowMany));
	for (TableIndexT row = 0; row < mRows; ++row) {
		auto begin = mCells.begin() + ptrdiff_t(size_t(row) * mCols);
		cells.insert(cells.end(), begin, begin + at);
		cells.insert(cells.end(), inHowMany, fill);
		cells.insert(cells.end(), begin + at, begin + mCols);
	}
	mCells = std::move(cells);
	mCols += inHowMany;
}

void LTableArrayStorage::RemoveRows(UInt32 inHowMany, TableIndexT inFromRow)
{
	if (inFromRow < 1 || inFromRow > mRows)
		return;
	const TableIndexT count = std::min<TableIndexT>(inHowMany, mRows - inFromRow + 1);
	auto first = mCells.begin() + ptrdiff_t(size_t(inFromRow - 1) * mCols);
	mCells.erase(first, first + ptrdiff_t(size_t(count) * mCols));
	mRows -= count;
}

void LTableArrayStorage::RemoveCols(UInt32 inHowMany, TableIndexT inFromCol)
{
	if (inFromCol < 1 || inFromCol > mCols)
		return;
	const TableIndexT count = std::min<TableIndexT>(inHowMany, mCols - inFromCol + 1);
	std::vector<Data> cells;
	for (size_t i = 0; i < mCells.size(); ++i) {
		const TableIndexT col = TableIndexT(i % mCols + 1);
		if (col < inFromCol || col >= inFromCol + count)
			cells.push_back(std::move(mCells[i]));
	}
	mCells = std::move(cells);
	mCols -= count;
}

void LTableArrayStorage::GetStorageSize(TableIndexT& outRows, TableIndexT& outCols) const
{
	outRows = mRows;
	outCols = mCols;
}
