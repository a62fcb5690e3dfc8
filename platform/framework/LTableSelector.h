#pragma once
// Which cells of a table are selected, and how clicks change that. A selector tells its table of every
// change (the cells are redrawn and SelectionChanged runs).

#include "platform/framework/LPane.h"
#include "platform/framework/STableCell.h"

class LTableView;

class LTableSelector
{
public:
	explicit LTableSelector(LTableView* inTableView) : mTableView(inTableView) {}
	virtual ~LTableSelector() = default;
	LTableSelector(const LTableSelector&) = delete;
	LTableSelector& operator=(const LTableSelector&) = delete;

	virtual Boolean CellIsSelected(const STableCell& inCell) const = 0;
	virtual STableCell GetFirstSelectedCell() const = 0; // the null cell when none
	TableIndexT GetFirstSelectedRow() const { return GetFirstSelectedCell().row; }

	virtual void SelectCell(const STableCell& inCell) = 0;
	virtual void SelectAllCells() = 0;
	virtual void UnselectCell(const STableCell& inCell) = 0;
	virtual void UnselectAllCells() = 0;

	// A click on the cell, with the modifiers of its event.
	virtual void ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) = 0;
	// A click that selects by dragging from the cell; true when the click goes on to the cell.
	virtual Boolean DragSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown);

	// The table tells its selector when rows and columns come and go.
	virtual void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow) = 0;
	virtual void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol) = 0;
	virtual void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow) = 0;
	virtual void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol) = 0;

protected:
	void Changed(const STableCell& inCell); // redraws the cell and tells the table

	LTableView* mTableView;
};
