#pragma once
// A table that draws its own highlighting: a cell highlighted actively or inactively is redrawn by
// HiliteMyCell, in the table's own colours.

#include "platform/framework/LTableView.h"

class TSelfHilitingTable : public LTableView
{
public:
	explicit TSelfHilitingTable(LStream* inStream) : LTableView(inStream) {}

	virtual void HiliteMyCell(const STableCell& inCell, Boolean inHilite) = 0;

protected:
	void HiliteCellActively(const STableCell& inCell, Boolean inHilite) override
	{
		HiliteMyCell(inCell, inHilite);
	}
	void HiliteCellInactively(const STableCell& inCell, Boolean inHilite) override
	{
		HiliteMyCell(inCell, inHilite);
	}
};
