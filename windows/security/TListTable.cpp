#include "windows/security/TListTable.h"

#include "model/TSecurity.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "windows/security/TListTableDragTask.h"
#include "windows/security/TListWindow.h"
#include "windows/security/UTableDrag.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace
{
enum : char { kBackspace = 8, kUpArrow = 30, kDownArrow = 31, kDelete = 127 };
constexpr SInt32 kMinimumRowHeight = 19;
constexpr SInt32 kScrollMargin = 16;
constexpr SInt16 kUpArrowPart = 20;
constexpr SInt16 kDownArrowPart = 21;
const RGBColor kWhite{65535, 65535, 65535};
const RGBColor kBlack{0, 0, 0};

bool StartsWithNoCase(const char* inText, const char* inPrefix)
{
	for (; *inPrefix != 0; ++inText, ++inPrefix)
		if (*inText == 0 || std::tolower(UInt8(*inText)) != std::tolower(UInt8(*inPrefix)))
			return false;
	return true;
}
} // namespace

TListTable::TListTable(LStream* inStream) : TSelfHilitingTable(inStream), LDragAndDrop(this)
{
	static UInt32 sTables = 0;
	mDragToken = ++sTables;
	*inStream >> mTextTraits;
	mRowHeight = UOneColumnTable::RowHeight(mTextTraits, kMinimumRowHeight);
	mColumnWidth = UOneColumnTable::SetUp(*this, mRowHeight, true, 0);
}

void TListTable::SetList(TList<tSecurityEntry>* inList, TList<tSecurityEntry>* inDeleteList,
                         TListWindow* inWindow)
{
	mList = inList;
	mDeleteList = inDeleteList;
	mWindow = inWindow;
	mListFlavor = inWindow != nullptr ? inWindow->GetListFlavor() : 0;
	RemoveAllRows(false);
	if (mList != nullptr && mList->Count() > 0)
		InsertRows(UInt32(mList->Count()), 0, nullptr, 0, false);
	UnselectAllCells();
	Refresh();
}

TableIndexT TListTable::LastRowSelected() const
{
	for (TableIndexT row = mRows; row >= 1; --row)
		if (CellIsSelected(STableCell(row, 1)))
			return row;
	return 0;
}

void TListTable::EnableDelete(bool inEnable)
{
	UWindowPanes::SetEnabled(mWindow != nullptr ? mWindow->GetDeleteButton() : nullptr, inEnable);
}

void TListTable::UnselectAllCells()
{
	LTableView::UnselectAllCells();
	EnableDelete(false);
}

void TListTable::SelectRow(TableIndexT inRow, bool inScroll)
{
	UnselectAllCells();
	// An empty table has no row to select, and nothing to delete.
	if (!IsValidRow(inRow))
		return;
	SelectCell(STableCell(inRow, 1));
	if (inScroll)
		ScrollCellIntoFrame(STableCell(inRow, 1));
	EnableDelete(true);
}

void TListTable::ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	LTableView::ClickCell(inCell, inMouseDown);
	if (GetClickCount() > 1 && mWindow != nullptr) {
		mWindow->CreateEditWindow(inCell.row, false);
		SetClickCount(0);
	}
	EnableDelete(true);
}

void TListTable::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	if (!IsTarget())
		SwitchTarget(this);
	LTableView::ClickSelf(inMouseDown);
	if (mWindow == nullptr || LastRowSelected() == 0 || !DragAndDropIsPresent() ||
	    !UTableDrag::MouseMovedBeforeRelease(inMouseDown.macEvent.where))
		return;
	FocusDraw();
	TListTableDragTask drag(inMouseDown.macEvent, this, mList, mWindow->OffersDragFlavor());
	drag.DoDrag();
	FocusDraw();
}

Boolean TListTable::GetNamesRect(const STableCell& inCell, Rect& outRect) const
{
	if (!GetLocalCellRect(inCell, outRect))
		return false;
	outRect.left = SInt16(outRect.left + kNamesInset);
	return true;
}

Boolean TListTable::IsCellVisible(const STableCell& inCell) const
{
	Rect cell;
	return GetLocalCellRect(inCell, cell);
}

void TListTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	mColumnWidth = UOneColumnTable::ResizeFrameBy(*this, inWidthDelta, inHeightDelta);
	if (inRefresh)
		Refresh();
	if (mWindow != nullptr)
		mWindow->CheckCheckboxes();
}

void TListTable::ScrollImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh)
{
	TSelfHilitingTable::ScrollImageBy(inLeftDelta, inTopDelta, inRefresh);
	// Rows scrolled into view take their boxes in.
	if (mWindow != nullptr)
		mWindow->CheckCheckboxes();
}

tSecurityEntry* TListTable::EntryAt(TableIndexT inRow)
{
	if (mList == nullptr || inRow < 1)
		return nullptr;
	tListNode<tSecurityEntry>* node = nullptr;
	if (mDrawing && mDrawnNode != nullptr && inRow == mDrawnRow + 1)
		node = mDrawnNode->mNext;
	else if (mDrawing && mDrawnNode != nullptr && inRow == mDrawnRow)
		node = mDrawnNode;
	else {
		node = mList->GetEntryHead();
		for (TableIndexT row = 1; node != nullptr && row < inRow; ++row)
			node = node->mNext;
	}
	if (mDrawing) {
		mDrawnNode = node;
		mDrawnRow = inRow;
	}
	return node != nullptr ? node->mItem : nullptr;
}

void TListTable::DrawSelf()
{
	mDrawing = true;
	mDrawnNode = nullptr;
	TSelfHilitingTable::DrawSelf();
	mDrawing = false;
	mDrawnNode = nullptr;
}

void TListTable::DrawCell(const STableCell& inCell, const Rect&)
{
	tSecurityEntry* entry = EntryAt(inCell.row);
	Rect names;
	if (entry == nullptr || entry->Security == nullptr || mWindow == nullptr ||
	    !GetNamesRect(inCell, names))
		return;
	StTextState textState;
	UTextTraits::SetPortTextTraits(mTextTraits);
	Rect name = names;
	Rect symbol = names;
	name.right = SInt16(names.right - kSymbolWidth);
	symbol.left = name.right;
	for (Rect* r : {&name, &symbol}) {
		r->left = SInt16(r->left + 4);
		r->right = SInt16(r->right - 5);
		r->bottom = SInt16(r->bottom - 3);
	}
	mWindow->DrawNames(name, symbol, entry->Security);
}

void TListTable::HiliteMyCell(const STableCell& inCell, Boolean inHilite)
{
	Rect names;
	if (!GetNamesRect(inCell, names) || !FocusDraw())
		return;
	StColorPenState penState;
	RGBColor fill = kWhite;
	if (inHilite)
		LMGetHiliteRGB(&fill);
	RGBForeColor(&fill);
	PaintRect(&names);
	RGBForeColor(&kBlack);
	DrawCell(inCell, names);
}

Boolean TListTable::HandleKeyPress(const EventRecord& inKeyEvent)
{
	FocusDraw();
	const char key = char(inKeyEvent.message & charCodeMask);
	const bool command = (inKeyEvent.modifiers & cmdKey) != 0;
	const bool option = (inKeyEvent.modifiers & optionKey) != 0;
	const TableIndexT last = LastRowSelected();
	if (key == kBackspace || key == kDelete) {
		DeleteSecurities();
		return true;
	}
	if (command && (key == kUpArrow || key == kDownArrow)) {
		if (last > 0 && mWindow != nullptr)
			mWindow->CreateEditWindow(last, false);
		return true;
	}
	if (const auto row = UOneColumnTable::NavigationRow(*this, UInt8(key), last, mRowHeight)) {
		SelectRow(*row, true);
		return true;
	}
	if (command && (key == 'D' || key == 'd')) {
		DeleteSecurities();
		return true;
	}
	if (command && (key == 'L' || key == 'l') && mWindow != nullptr) {
		mWindow->CreateLookupWindow();
		return true;
	}
	if (option && (key == 'N' || key == 'n') && mWindow != nullptr) {
		mWindow->AddSecurity(last);
		return true;
	}
	if (!command && std::isprint(UInt8(key)))
		TypeToSelect(key);
	return LCommander::HandleKeyPress(inKeyEvent);
}

void TListTable::TypeToSelect(char inChar)
{
	const char* prefix = UOneColumnTable::AddTypedKey(mTypedPrefix, inChar, TickCount());
	if (mList == nullptr)
		return;
	TableIndexT row = 1;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr && row <= mRows;
	     node = node->mNext, ++row)
		if (node->mItem->Security != nullptr &&
		    StartsWithNoCase(node->mItem->Security->SecurityName(), prefix)) {
			SelectRow(row, false);
			return;
		}
}

void TListTable::DeleteSecurities()
{
	if (mList == nullptr || mDeleteList == nullptr)
		return;
	// One walk finds the selected rows; they go to the deleted list from the last to the first.
	std::vector<tSecurityEntry*> gone;
	TableIndexT row = 1;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr && row <= mRows;
	     node = node->mNext, ++row)
		if (CellIsSelected(STableCell(row, 1)))
			gone.push_back(node->mItem);
	std::unordered_set<tSecurityEntry*> goneSet(gone.begin(), gone.end());
	for (auto entry = gone.rbegin(); entry != gone.rend(); ++entry) {
		for (LCheckBox** box : {&(*entry)->SummaryCheckbox, &(*entry)->MenuCheckbox}) {
			if (*box != nullptr) {
				(*box)->PutInside(nullptr);
				delete *box;
			}
			*box = nullptr;
		}
		mDeleteList->Append(*entry);
	}
	const int removed =
	    mList->RemoveIf([&](tSecurityEntry* inEntry) { return goneSet.count(inEntry) != 0; });
	LTableView::UnselectAllCells();
	if (removed > 0) {
		mList->Modified();
		RemoveRows(UInt32(removed), 1, false);
		if (mWindow != nullptr)
			mWindow->CheckCheckboxes();
		Refresh();
		UpdatePort();
	}
	UnselectAllCells();
}

SInt32 TListTable::GetDividingLineGivenPoint(SInt32 inImageY) const
{
	SInt32 line = (inImageY - 1) / mRowHeight + 1;
	if (inImageY < (line - 1) * mRowHeight + mRowHeight / 2)
		--line;
	return std::clamp<SInt32>(line, 0, SInt32(mRows));
}

void TListTable::DrawDividingLine(SInt32 inLine)
{
	if (!FocusDraw())
		return;
	StColorPenState penState;
	PenSize(2, 2);
	Pattern gray;
	PenPat(GetQDGlobalsGray(&gray));
	RGBForeColor(&kBlack);
	PenMode(patXor);
	// Local coordinates are the image's.
	const SInt16 v = SInt16(mRowHeight * inLine - 1);
	MoveTo(0, v);
	LineTo(SInt16(mColumnWidth), v);
}

Boolean TListTable::ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef)
{
	mWasTarget = IsTarget();
	if (!DragAndDropIsPresent() || !mAcceptsDrops || !IsEnabled())
		return false;
	FlavorFlags flags = 0;
	return GetFlavorFlags(inDragRef, inItemRef, mListFlavor, &flags) == noErr;
}

void TListTable::EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender)
{
	LDragAndDrop::EnterDropArea(inDragRef, inDragHasLeftSender);
	mDividingLine = -1;
	mDropLine = -1;
}

void TListTable::LeaveDropArea(DragReference inDragRef)
{
	if (mDividingLine != -1)
		DrawDividingLine(mDividingLine);
	// The drop itself comes after the drag has left the area.
	mDropLine = mDividingLine;
	mDividingLine = -1;
	LDragAndDrop::LeaveDropArea(inDragRef);
}

Boolean TListTable::PointInDropArea(Point inGlobalPt)
{
	if (!LDragAndDrop::PointInDropArea(inGlobalPt))
		return false;
	LWindow* window = GetWindow();
	if (window == nullptr)
		return true;
	Point local = inGlobalPt;
	window->GlobalToPortPoint(local);
	PortToLocalPoint(local);
	Rect frame;
	CalcLocalFrameRect(frame);
	auto* scroller = dynamic_cast<LScrollerView*>(GetSuperView());
	if (scroller != nullptr) {
		if (local.v < frame.top + kScrollMargin)
			scroller->VertScroll(kUpArrowPart);
		else if (local.v > frame.bottom - kScrollMargin)
			scroller->VertScroll(kDownArrowPart);
	}
	return true;
}

void TListTable::InsideDropArea(DragReference inDragRef)
{
	LDragAndDrop::InsideDropArea(inDragRef);
	Point mouse{};
	LWindow* window = GetWindow();
	if (window == nullptr || GetDragMouse(inDragRef, &mouse, nullptr) != noErr)
		return;
	window->GlobalToPortPoint(mouse);
	const SInt32 line = GetDividingLineGivenPoint(mouse.v - mImageLocation.v);
	if (line == mDividingLine)
		return;
	if (mDividingLine != -1)
		DrawDividingLine(mDividingLine);
	mDividingLine = line;
	DrawDividingLine(mDividingLine);
}

void TListTable::ReceiveDragItem(DragReference inDragRef, DragAttributes, ItemReference inItemRef, Rect&)
{
	TList<tSecurityEntry>* entries = nullptr;
	const OSErr err = TListTableDragTask::ReadEntries(inDragRef, inItemRef, mListFlavor, this, entries);
	if (err != noErr)
		Throw_(err);
	// Rows of another table cannot move here: that table's entries are its own.
	if (entries == nullptr)
		return;
	MoveRows(entries, mDropLine < 0 ? SInt32(mRows) : mDropLine);
	delete entries;
	SetUpdateCommandStatus(true);
}

void TListTable::MoveRows(TList<tSecurityEntry>* inEntries, SInt32 inAfterRow)
{
	if (mList == nullptr || inEntries == nullptr || inEntries->Count() == 0)
		return;
	inAfterRow = std::clamp<SInt32>(inAfterRow, 0, SInt32(mRows));
	// Dropped just below themselves: nothing moves.
	if (inAfterRow > 0 && SInt32(LastRowSelected()) == inAfterRow)
		return;
	std::unordered_set<tSecurityEntry*> rows;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext)
		rows.insert(node->mItem);
	std::vector<tSecurityEntry*> moved;
	for (tListNode<tSecurityEntry>* node = inEntries->GetEntryHead(); node != nullptr; node = node->mNext)
		if (rows.erase(node->mItem) != 0)
			moved.push_back(node->mItem);
	// The rows above the line that stay, the moved rows in their order, then the rest.
	std::vector<tSecurityEntry*> order;
	order.reserve(size_t(mList->Count()));
	std::vector<tSecurityEntry*> below;
	SInt32 row = 0;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		++row;
		if (rows.count(node->mItem) != 0)
			(row <= inAfterRow ? order : below).push_back(node->mItem);
	}
	const TableIndexT firstMoved = TableIndexT(order.size()) + 1;
	order.insert(order.end(), moved.begin(), moved.end());
	order.insert(order.end(), below.begin(), below.end());
	size_t slot = 0;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr && slot < order.size();
	     node = node->mNext)
		node->mItem = order[slot++];
	LTableView::UnselectAllCells();
	for (TableIndexT i = 0; i < TableIndexT(moved.size()); ++i)
		SelectCell(STableCell(firstMoved + i, 1));
	EnableDelete(true);
	mList->Modified();
	if (mWindow != nullptr)
		mWindow->CheckCheckboxes();
	Refresh();
}
