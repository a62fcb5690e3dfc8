#pragma once
// A cell of a table, by row and column counted from 1; row 0 and column 0 together are no cell.

#include "platform/toolbox/MacTypes.h"

typedef UInt32 TableIndexT;

struct STableCell {
	TableIndexT row = 0;
	TableIndexT col = 0;

	STableCell() = default;
	STableCell(TableIndexT inRow, TableIndexT inCol) : row(inRow), col(inCol) {}

	void SetCell(TableIndexT inRow, TableIndexT inCol)
	{
		row = inRow;
		col = inCol;
	}
	Boolean IsNullCell() const { return row == 0 && col == 0; }
	void ClearCell() { row = col = 0; }

	friend bool operator==(const STableCell& a, const STableCell& b)
	{
		return a.row == b.row && a.col == b.col;
	}
	friend bool operator!=(const STableCell& a, const STableCell& b) { return !(a == b); }
};
