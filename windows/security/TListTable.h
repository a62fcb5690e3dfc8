#pragma once
// The one-column table of a list window: each row a security's name and symbol beside its summary and
// menu check boxes (drawn by the window). Rows are selected by mouse, keys and typing the start of a
// name, deleted, opened by double-click, and reordered by dragging them inside the table.

#include "Includes/TList.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LDragAndDrop.h"
#include "windows/security/TSelfHilitingTable.h"
#include "toolkit/UOneColumnTable.h"
#include "windows/security/tSecurityEntry.h"

class TListWindow;

class TListTable : public TSelfHilitingTable, public LCommander, public LDragAndDrop
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stST") };
	static constexpr SInt16 kCheckboxWidth = 20;
	static constexpr SInt16 kNamesInset = 38;
	static constexpr SInt16 kSymbolWidth = 77;

	// Layout stream: the table's pane data, then the text-traits number.
	explicit TListTable(LStream* inStream);

	virtual void SetList(TList<tSecurityEntry>* inList, TList<tSecurityEntry>* inDeleteList,
	                     TListWindow* inWindow);
	virtual void DeleteSecurities();
	// The last selected row, 0 when none.
	virtual TableIndexT LastRowSelected() const;

	void UnselectAllCells() override;
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void ScrollImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

	// The names' part of a row (right of the check boxes), local coordinates.
	Boolean GetNamesRect(const STableCell& inCell, Rect& outRect) const;
	Boolean IsCellVisible(const STableCell& inCell) const;
	SInt32 GetRowHeightValue() const { return mRowHeight; }
	FlavorType GetListFlavor() const { return mListFlavor; }
	TList<tSecurityEntry>* GetWorkingList() const { return mList; }
	// Names this table in the rows it sends, so that only its own rows are taken back.
	UInt32 GetDragToken() const { return mDragToken; }
	SInt32 GetDividingLine() const { return mDividingLine; }
	// The rows above the insertion point for a point of the image.
	SInt32 GetDividingLineGivenPoint(SInt32 inImageY) const;

	// Drop area.
	Boolean ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef) override;
	void EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender) override;
	void LeaveDropArea(DragReference inDragRef) override;
	void InsideDropArea(DragReference inDragRef) override;
	Boolean PointInDropArea(Point inGlobalPt) override;
	void ReceiveDragItem(DragReference inDragRef, DragAttributes inDragAttrs, ItemReference inItemRef,
	                     Rect& inItemBounds) override;

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawSelf() override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;
	void HiliteMyCell(const STableCell& inCell, Boolean inHilite) override;

private:
	void SelectRow(TableIndexT inRow, bool inScroll);
	// Row inRow's entry; while the table draws, found from the row drawn before it.
	tSecurityEntry* EntryAt(TableIndexT inRow);
	// Moves the rows of these entries (this table's own) to after row inAfterRow, in their order.
	void MoveRows(TList<tSecurityEntry>* inEntries, SInt32 inAfterRow);
	void EnableDelete(bool inEnable);
	void TypeToSelect(char inChar);
	void DrawDividingLine(SInt32 inLine);

	FlavorType mListFlavor = 0;
	ResIDT mTextTraits = 0;
	TList<tSecurityEntry>* mList = nullptr;
	TList<tSecurityEntry>* mDeleteList = nullptr;
	TListWindow* mWindow = nullptr;
	SInt32 mColumnWidth = 0;
	SInt32 mRowHeight = 19;
	SInt32 mDividingLine = -1;
	SInt32 mDropLine = -1;
	bool mAcceptsDrops = true;
	bool mWasTarget = false;
	UOneColumnTable::tTypedPrefix mTypedPrefix;
	bool mDrawing = false;
	TableIndexT mDrawnRow = 0;
	tListNode<tSecurityEntry>* mDrawnNode = nullptr;
	UInt32 mDragToken;
};
