#include "windows/portfolio/TCategoryTable.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LTableArrayStorage.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/framework/LTableSingleSelector.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StTextState.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"

#include <algorithm>
#include <new>

TCategoryTable::TCategoryTable(LStream* inStream) : LTableView(inStream)
{
	*inStream >> mTextTraitsID;
	if (const SResTextTraits* traits = ResourceStore::Get().GetTextTraits(mTextTraitsID))
		mRowHeight = UInt16(std::max(traits->size + 4, 16));
	auto* geometry = new (std::nothrow) LTableMonoGeometry(this, UInt16(mFrameSize.width), mRowHeight);
	auto* selector = new (std::nothrow) LTableSingleSelector(this);
	auto* storage = new (std::nothrow) LTableArrayStorage(this, 0);
	if (!geometry || !selector || !storage) {
		delete geometry;
		delete selector;
		delete storage;
		Throw_(FOUR_CHAR_CODE("nilP"));
	}
	SetTableGeometry(geometry);
	SetTableSelector(selector);
	SetTableStorage(storage);
	InsertCols(1, 0, nullptr, 0, false);
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
