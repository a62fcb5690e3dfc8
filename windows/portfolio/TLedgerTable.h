#pragma once
// The ledger window's table: one row per entry of the window's working list (date, type, symbol, units,
// price, total, currency), any number of rows selected, a double-click opening the row's edit window, and
// securities dropped between its rows becoming new entries there.

#include "platform/framework/LCommander.h"
#include "platform/framework/LDragAndDrop.h"
#include "platform/framework/LTableView.h"

#include <string>

class TLedgerWindow;
struct tLedgerEntry;

class TLedgerTable : public LTableView, public LCommander, public LDragAndDrop
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvLT") };

	// The texts of one row, as drawn.
	struct tRowTexts {
		std::string date, type, symbol, units, price, total, currency;
	};
	static tRowTexts RowTexts(const tLedgerEntry& inEntry);

	// Layout stream: the table's pane data, then the text-traits number.
	explicit TLedgerTable(LStream* inStream);

	void SetWindow(TLedgerWindow* inWindow) { mWindow = inWindow; }
	virtual bool IsCellVisible(const STableCell& inCell) const;
	// The highest selected row, 0 when none.
	virtual SInt32 LastRowSelected() const;

	Boolean ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef) override;
	void InsideDropArea(DragReference inDragRef) override;
	void LeaveDropArea(DragReference inDragRef) override;
	void ReceiveDragItem(DragReference inDragRef, DragAttributes inDragAttrs, ItemReference inItemRef,
	                     Rect& inItemBounds) override;

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	void SelectionChanged() override;

	void SetPrinting(bool inPrinting) { mPrinting = inPrinting; }
	bool IsPrinting() const { return mPrinting; }
	SInt32 GetDropLine() const { return mDropLine; }

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;

private:
	void DrawDropLine(SInt32 inLine);
	// The insertion line under the drag's mouse: 0 above the first row, n below row n.
	SInt32 DropLineAt(DragReference inDragRef) const;

	TLedgerWindow* mWindow = nullptr;
	SInt16 mTextTraitsID = 0;
	SInt32 mRowHeight = 0;
	SInt32 mColWidth = 0;
	SInt32 mDropLine = -1;
	bool mPrinting = false;
};
