#pragma once
// The lookup window's result table: one row per entry of the window's result list, any number selected.
// A row already handed to the list window is drawn in the second text style and ignores clicks; a
// double-click hands a row over at once. Keys: Home, End, Page Up and Down, the arrows, and typing the
// start of a name.

#include "platform/framework/LCommander.h"
#include "windows/security/TSelfHilitingTable.h"
#include "toolkit/UOneColumnTable.h"

class TLookupList;
class TLookupWindow;

class TLookupTable : public TSelfHilitingTable, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stTK") };
	static constexpr SInt32 kMinimumRowHeight = 19;

	// Layout stream: the table's pane data, then the text traits of rows not yet added and of added ones.
	explicit TLookupTable(LStream* inStream);

	// Each entry's marked flag: its row is selected and the entry not yet added.
	virtual void MarkLookups();
	// One row per entry; nothing selected.
	virtual void SetList(TLookupList* inList, TLookupWindow* inWindow);
	// The last selected row; 0 when none.
	virtual TableIndexT LastRowSelected() const;
	// Clears the selection, selects the row and scrolls it into view.
	void SelectRow(TableIndexT inRow);
	// Rebuilds the rows from the list, keeping nothing selected.
	void Rebuild();

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void UnselectAllCells() override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	void HiliteMyCell(const STableCell& inCell, Boolean inHilite) override;

	SInt32 GetRowHeightValue() const { return mRowHeight; }
	ResIDT GetTextTraits(bool inAdded) const { return inAdded ? mAddedTraitsID : mTraitsID; }

protected:
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	Boolean ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;

private:
	void DrawRow(const STableCell& inCell, const Rect& inLocalRect, bool inHilite);
	bool IsAdded(TableIndexT inRow) const;
	void EnableSelect();
	void TypeToSelect(char inKey);

	UOneColumnTable::tTypedPrefix mPrefix;
	ResIDT mTraitsID = 0;
	ResIDT mAddedTraitsID = 0;
	TLookupList* mList = nullptr;
	TLookupWindow* mWindow = nullptr;
	SInt32 mColumnWidth = 0;
	SInt32 mRowHeight = kMinimumRowHeight;
};
