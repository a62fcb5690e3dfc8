#include "windows/security/TLookupTable.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LTableArrayStorage.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/framework/LTableMultiSelector.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "windows/security/TLookupList.h"
#include "windows/security/TLookupWindow.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

namespace
{
constexpr FourCharCode kCmdSelect = FOUR_CHAR_CODE("Slct");
const RGBColor kWhite{65535, 65535, 65535};
} // namespace

TLookupTable::TLookupTable(LStream* inStream) : LTableView(inStream)
{
	*inStream >> mTraitsID >> mAddedTraitsID;
	if (const SResTextTraits* traits = ResourceStore::Get().GetTextTraits(mTraitsID))
		mRowHeight = std::max<SInt32>(traits->size + 4, kMinimumRowHeight);
	Rect frame;
	CalcLocalFrameRect(frame);
	mColumnWidth = frame.right - frame.left;
	auto* geometry =
	    new (std::nothrow) LTableMonoGeometry(this, UInt16(mColumnWidth), UInt16(mRowHeight));
	ThrowIfNil_(geometry);
	SetTableGeometry(geometry);
	auto* selector = new (std::nothrow) LTableMultiSelector(this);
	ThrowIfNil_(selector);
	SetTableSelector(selector);
	auto* storage = new (std::nothrow) LTableArrayStorage(this, 1);
	ThrowIfNil_(storage);
	SetTableStorage(storage);
	InsertCols(1, 0, nullptr, 0, false);
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
	if (selectable)
		button->Enable();
	else
		button->Disable();
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
	LTableView::ResizeFrameBy(inWidthDelta, inHeightDelta, false);
	Rect frame;
	CalcLocalFrameRect(frame);
	mColumnWidth = frame.right - frame.left;
	SetColWidth(UInt16(mColumnWidth), 1, 1);
	if (inRefresh)
		Refresh();
}

Boolean TLookupTable::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt16 key = UInt16(inKeyEvent.message & charCodeMask);
	const TableIndexT rows = mRows;
	const TableIndexT last = LastRowSelected();
	const SInt32 page = std::max<SInt32>(1, mFrameSize.height / std::max<SInt32>(mRowHeight, 1));
	switch (key) {
	case char_Home:
		SelectRow(1);
		return true;
	case char_End:
		SelectRow(rows);
		return true;
	case char_PageUp:
	case char_PageDown: {
		SInt32 row = SInt32(last) + (key == char_PageUp ? -page : page);
		row = std::clamp<SInt32>(row, 1, std::max<SInt32>(SInt32(rows), 1));
		SelectRow(TableIndexT(row));
		return true;
	}
	case char_UpArrow:
		SelectRow(last == 0 ? rows : std::max<TableIndexT>(last, 2) - 1);
		return true;
	case char_DownArrow:
		SelectRow(last == 0 ? 1 : std::min(last + 1, rows));
		return true;
	default:
		break;
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
	const UInt32 now = TickCount();
	const size_t length = std::strlen(mPrefix);
	if (now - mLastKeyTick < kTypingPause && length < size_t(kPrefixSize - 1)) {
		mPrefix[length] = inKey;
		mPrefix[length + 1] = 0;
	} else if (now - mLastKeyTick >= kTypingPause) {
		mPrefix[0] = inKey;
		mPrefix[1] = 0;
	}
	mLastKeyTick = now;
	if (mList == nullptr)
		return;
	TableIndexT row = 1;
	for (tLookupEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext(), ++row)
		if (strncmpi(entry->name, mPrefix, long(std::strlen(mPrefix))) == 0) {
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

void TLookupTable::HiliteCellActively(const STableCell& inCell, Boolean inHilite)
{
	HiliteMyCell(inCell, inHilite);
}

void TLookupTable::HiliteCellInactively(const STableCell& inCell, Boolean inHilite)
{
	HiliteMyCell(inCell, inHilite);
}
