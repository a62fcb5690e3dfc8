#include "windows/security/TLookupTable.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "windows/security/TLookupList.h"
#include "windows/security/TLookupWindow.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace
{
constexpr FourCharCode kCmdSelect = FOUR_CHAR_CODE("Slct");
const RGBColor kWhite{65535, 65535, 65535};
} // namespace

TLookupTable::TLookupTable(LStream* inStream) : TSelfHilitingTable(inStream)
{
	*inStream >> mTraitsID >> mAddedTraitsID;
	mRowHeight = UOneColumnTable::RowHeight(mTraitsID, kMinimumRowHeight);
	mColumnWidth = UOneColumnTable::SetUp(*this, mRowHeight, true, 1);
	SetCustomHilite(true);
}

void TLookupTable::SetList(TLookupList* inList, TLookupWindow* inWindow)
{
	mList = inList;
	mWindow = inWindow;
	Rebuild();
}

void TLookupTable::Rebuild()
{
	UnselectAllCells();
	RemoveAllRows(false);
	if (mList != nullptr && mList->Count() > 0)
		InsertRows(UInt32(mList->Count()), 0, nullptr, 0, false);
	AdjustImageSize(false);
	Refresh();
}

void TLookupTable::MarkLookups()
{
	if (mList == nullptr)
		return;
	TableIndexT row = 1;
	for (tLookupEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext(), ++row)
		entry->marked = !entry->added && CellIsSelected(STableCell(row, 1));
}

TableIndexT TLookupTable::LastRowSelected() const
{
	TableIndexT last = 0;
	for (STableCell cell(0, 0); GetNextSelectedCell(cell);)
		last = cell.row;
	return last;
}

bool TLookupTable::IsAdded(TableIndexT inRow) const
{
	const tLookupEntry* entry = mList != nullptr ? mList->GetNth(long(inRow)) : nullptr;
	return entry != nullptr && entry->added;
}

void TLookupTable::EnableSelect()
{
	LPushButton* button = mWindow != nullptr ? mWindow->GetSelectButton() : nullptr;
	if (button == nullptr)
		return;
	bool selectable = false;
	for (STableCell cell(0, 0); !selectable && GetNextSelectedCell(cell);)
		selectable = !IsAdded(cell.row);
	UWindowPanes::SetEnabled(button, selectable);
}

void TLookupTable::SelectRow(TableIndexT inRow)
{
	if (!IsValidRow(inRow))
		return;
	UnselectAllCells();
	SelectCell(STableCell(inRow, 1));
	ScrollCellIntoFrame(STableCell(inRow, 1));
	EnableSelect();
}

void TLookupTable::UnselectAllCells()
{
	LTableView::UnselectAllCells();
	if (mWindow != nullptr && mWindow->GetSelectButton() != nullptr)
		mWindow->GetSelectButton()->Disable();
}

void TLookupTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	mColumnWidth = UOneColumnTable::ResizeFrameBy(*this, inWidthDelta, inHeightDelta);
	if (inRefresh)
		Refresh();
}

Boolean TLookupTable::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt16 key = UInt16(inKeyEvent.message & charCodeMask);
	if (const auto row = UOneColumnTable::NavigationRow(*this, key, LastRowSelected(), mRowHeight)) {
		SelectRow(*row);
		return true;
	}
	if (std::isprint(key) && key < 128 && !(inKeyEvent.modifiers & cmdKey)) {
		TypeToSelect(char(key));
		return true;
	}
	if (mWindow != nullptr)
		return mWindow->HandleKeyPress(inKeyEvent);
	return LCommander::HandleKeyPress(inKeyEvent);
}

void TLookupTable::TypeToSelect(char inKey)
{
	const char* prefix = UOneColumnTable::AddTypedKey(mPrefix, inKey, TickCount());
	if (mList == nullptr)
		return;
	TableIndexT row = 1;
	for (tLookupEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext(), ++row)
		if (strncmpi(entry->name, prefix, long(std::strlen(prefix))) == 0) {
			UnselectAllCells();
			SelectCell(STableCell(row, 1));
			EnableSelect();
			return;
		}
}

Boolean TLookupTable::ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	// A row handed over already takes no clicks.
	if (IsAdded(inCell.row))
		return false;
	if (!IsTarget())
		SwitchTarget(this);
	return LTableView::ClickSelect(inCell, inMouseDown);
}

void TLookupTable::ClickCell(const STableCell&, const SMouseDownEvent&)
{
	if (GetClickCount() == 2 && mWindow != nullptr) {
		FourCharCode code = kCmdSelect;
		mWindow->ObeyCommand(kCmdSelect, &code);
		return;
	}
	EnableSelect();
}

void TLookupTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	DrawRow(inCell, inLocalRect, CellIsSelected(inCell));
}

void TLookupTable::DrawRow(const STableCell& inCell, const Rect& inLocalRect, bool inHilite)
{
	const tLookupEntry* entry = mList != nullptr ? mList->GetNth(long(inCell.row)) : nullptr;
	if (entry == nullptr || mWindow == nullptr)
		return;
	StColorPenState pen;
	StTextState text;
	RGBColor fill = kWhite;
	if (inHilite)
		LMGetHiliteRGB(&fill);
	RGBForeColor(&fill);
	PaintRect(&inLocalRect);
	UTextTraits::SetPortTextTraits(GetTextTraits(entry->added != 0));
	mWindow->DrawCell(inLocalRect, entry);
}

void TLookupTable::HiliteMyCell(const STableCell& inCell, Boolean inHilite)
{
	Rect cellRect;
	if (GetLocalCellRect(inCell, cellRect) && FocusDraw())
		DrawRow(inCell, cellRect, inHilite);
}
