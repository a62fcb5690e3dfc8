#include "windows/portfolio/TCategoryTable.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/UOneColumnTable.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"

#include <algorithm>
#include <new>

TCategoryTable::TCategoryTable(LStream* inStream) : LTableView(inStream)
{
	*inStream >> mTextTraitsID;
	mRowHeight = UInt16(UOneColumnTable::RowHeight(mTextTraitsID, 16));
	UOneColumnTable::SetUp(*this, mRowHeight, false, 0);
}

void TCategoryTable::SetWindow(TPortfolioPrefsWindow* inWindow, TList<tCategory>* inCategories)
{
	mWindow = inWindow;
	mCategories = inCategories;
}

TableIndexT TCategoryTable::LastRowSelected() const
{
	TableIndexT last = 0;
	STableCell cell(0, 0);
	while (GetNextSelectedCell(cell))
		last = std::max(last, cell.row);
	return last;
}

void TCategoryTable::UnselectAllCells()
{
	LTableView::UnselectAllCells();
	if (mWindow)
		mWindow->SelectionChanged(0);
}

void TCategoryTable::SelectionChanged()
{
	LTableView::SelectionChanged();
	Refresh();
	if (mWindow)
		mWindow->SelectionChanged(LastRowSelected());
}

void TCategoryTable::ClickCell(const STableCell&, const SMouseDownEvent&)
{
	// A click on the row already selected changes no selection but still shows its name again.
	if (mWindow)
		mWindow->SelectionChanged(LastRowSelected());
}

void TCategoryTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LTableView::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	SetColWidth(UInt16(mFrameSize.width), 1, 1);
}

void TCategoryTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	const tCategory* category = mCategories != nullptr ? mCategories->GetNth(long(inCell.row)) : nullptr;
	if (category == nullptr)
		return;
	StTextState textState;
	UTextTraits::SetPortTextTraits(mTextTraitsID);
	Str255 name;
	pstrcpycn(name, category->name, tCategory::kNameSize - 1);
	TruncString(SInt16(inLocalRect.right - inLocalRect.left - 4), name, truncEnd);
	MoveTo(SInt16(inLocalRect.left + 3), SInt16(inLocalRect.bottom - 4));
	DrawString(name);
}
