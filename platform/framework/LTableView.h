#pragma once
// A table of cells drawn through the port. The class that builds a table gives it a geometry (where cells
// lie), a selector (which are selected) and a storage (their data); the table owns them. The image is as
// large as the cells; a click selects through the selector and then goes to ClickCell.

#include "platform/framework/LView.h"
#include "platform/framework/STableCell.h"

class LTableGeometry;
class LTableSelector;
class LTableStorage;

class LTableView : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tabv") };

	explicit LTableView(const SPaneInfo& inPaneInfo);
	// Reads the pane's data.
	explicit LTableView(LStream* inStream);
	~LTableView() override;

	void SetTableGeometry(LTableGeometry* inGeometry);
	LTableGeometry* GetTableGeometry() const { return mTableGeometry; }
	void SetTableSelector(LTableSelector* inSelector);
	LTableSelector* GetTableSelector() const { return mTableSelector; }
	void SetTableStorage(LTableStorage* inStorage);
	LTableStorage* GetTableStorage() const { return mTableStorage; }

	void GetTableSize(TableIndexT& outRows, TableIndexT& outCols) const;
	// New rows (columns) after inAfterRow (0: at the top), each cell holding the given data.
	virtual void InsertRows(UInt32 inHowMany, TableIndexT inAfterRow, const void* inDataPtr = nullptr,
	                        UInt32 inDataSize = 0, Boolean inRefresh = true);
	virtual void InsertCols(UInt32 inHowMany, TableIndexT inAfterCol, const void* inDataPtr = nullptr,
	                        UInt32 inDataSize = 0, Boolean inRefresh = true);
	virtual void RemoveRows(UInt32 inHowMany, TableIndexT inFromRow, Boolean inRefresh = true);
	virtual void RemoveCols(UInt32 inHowMany, TableIndexT inFromCol, Boolean inRefresh = true);
	void RemoveAllRows(Boolean inRefresh);

	void SetCellData(const STableCell& inCell, const void* inDataPtr, UInt32 inDataSize);
	void GetCellData(const STableCell& inCell, void* outDataPtr, UInt32& ioDataSize) const;
	Boolean FindCellData(STableCell& outCell, const void* inDataPtr, UInt32 inDataSize) const;

	Boolean IsValidRow(TableIndexT inRow) const { return inRow >= 1 && inRow <= mRows; }
	Boolean IsValidCol(TableIndexT inCol) const { return inCol >= 1 && inCol <= mCols; }
	Boolean IsValidCell(const STableCell& inCell) const
	{
		return IsValidRow(inCell.row) && IsValidCol(inCell.col);
	}
	// Row by row; from the null cell, the first cell. False after the last.
	Boolean GetNextCell(STableCell& ioCell) const;
	Boolean GetNextSelectedCell(STableCell& ioCell) const;

	// Selection (through the selector; nothing is selected without one).
	Boolean CellIsSelected(const STableCell& inCell) const;
	STableCell GetFirstSelectedCell() const;
	virtual void SelectCell(const STableCell& inCell);
	virtual void UnselectCell(const STableCell& inCell);
	virtual void SelectAllCells();
	virtual void UnselectAllCells();
	virtual void SelectionChanged(); // the selector changed the selection

	// Geometry.
	void GetImageCellBounds(const STableCell& inCell, SInt32& outLeft, SInt32& outTop, SInt32& outRight,
	                        SInt32& outBottom) const;
	// The cell's rectangle in local coordinates; false when it does not show in the frame.
	Boolean GetLocalCellRect(const STableCell& inCell, Rect& outCellRect) const;
	// The cell under a point of the image; false when none is.
	Boolean GetCellHitBy(const SPoint32& inImagePt, STableCell& outCell) const;
	UInt16 GetRowHeight(TableIndexT inRow) const;
	void SetRowHeight(UInt16 inHeight, TableIndexT inFromRow, TableIndexT inToRow);
	UInt16 GetColWidth(TableIndexT inCol) const;
	void SetColWidth(UInt16 inWidth, TableIndexT inFromCol, TableIndexT inToCol);
	// Makes the image as large as the cells.
	virtual void AdjustImageSize(Boolean inRefresh);
	// Scrolls as little as needed for the whole cell to show (its top-left corner when it is larger).
	virtual void ScrollCellIntoFrame(const STableCell& inCell);

	void RefreshCell(const STableCell& inCell);
	void RefreshCellRange(const STableCell& inTopLeft, const STableCell& inBotRight);

	void SetUseDragSelect(Boolean inUse) { mUseDragSelect = inUse; }
	Boolean GetUseDragSelect() const { return mUseDragSelect; }
	// With a custom hilite the table draws no selection of its own.
	void SetCustomHilite(Boolean inCustom) { mCustomHilite = inCustom; }

	// Arrow, home, end and page keys move the selection (shift extends a multiple selection) and scroll
	// to it; true when the key was one of them. Tables that are commanders call it for their keys.
	Boolean HandleNavigationKey(const EventRecord& inKeyEvent);

protected:
	void DrawSelf() override;
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void ActivateSelf() override;
	void DeactivateSelf() override;

	virtual void DrawCell(const STableCell& inCell, const Rect& inLocalRect);
	virtual void HiliteSelection(Boolean inActively, Boolean inHilite);
	virtual void HiliteCell(const STableCell& inCell, Boolean inHilite);
	virtual void HiliteCellActively(const STableCell& inCell, Boolean inHilite);
	virtual void HiliteCellInactively(const STableCell& inCell, Boolean inHilite);
	// Changes the selection for a click on the cell; false stops the click there.
	virtual Boolean ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown);
	virtual void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown);

	TableIndexT mRows = 0;
	TableIndexT mCols = 0;
	LTableGeometry* mTableGeometry = nullptr;
	LTableSelector* mTableSelector = nullptr;
	LTableStorage* mTableStorage = nullptr;
	Boolean mUseDragSelect = false;
	Boolean mCustomHilite = false;
};
