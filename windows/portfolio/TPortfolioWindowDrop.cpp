#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "foundation/VyStrings.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UDragEntries.h"

#include <algorithm>
#include <memory>
#include <vector>

bool TPortfolioWindow::IsDroppable(const tDragEntry& inEntry)
{
	return inEntry.kind == securityStock || inEntry.kind == securityFund;
}

Boolean TPortfolioWindow::ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef)
{
	// A drop while the ledger window is open would go under it unseen; the ledger takes drops itself.
	if (!IsEnabled() || LedgerWindow() != nullptr || mLedgerList == nullptr)
		return false;
	std::vector<tDragEntry> entries;
	if (!UDragEntries::Receive(inDragRef, inItemRef, entries) || entries.empty())
		return false;
	for (const tDragEntry& entry : entries)
		if (!IsDroppable(entry))
			return false;
	return true;
}

void TPortfolioWindow::ReceiveDragItem(DragReference inDragRef, DragAttributes, ItemReference inItemRef,
                                       Rect&)
{
	UnhiliteDropArea(inDragRef);
	std::vector<tDragEntry> entries;
	if (!UDragEntries::Receive(inDragRef, inItemRef, entries))
		return;
	SInt16 modifiers = 0, downModifiers = 0, upModifiers = 0;
	GetDragModifiers(inDragRef, &modifiers, &downModifiers, &upModifiers);
	const bool sell = ((modifiers | upModifiers) & optionKey) != 0;
	for (const tDragEntry& dropped : entries) {
		if (!IsDroppable(dropped))
			continue;
		auto entry = std::make_unique<tLedgerEntry>();
		if (!TLedgerWindow::DefaultDroppedEntry(entry.get(), dropped, sell,
		                                        tCurrency(mParameters->baseCurrency)))
			continue;
		FillInSymbolInfo(entry.get());
		// The edit window hands the entry back with 5087 or 5088.
		LWindow* window = TLedgerWindow::CreateLedgerEditWindow(entry.get(), mCategoryList, this);
		mDropEdits.push_back({window, std::move(entry)});
	}
}

void TPortfolioWindow::FillInSymbolInfo(tLedgerEntry* ioEntry) const
{
	for (tListNode<tLedgerEntry>* node = mLedgerList->GetEntryHead(); node != nullptr;
	     node = node->mNext) {
		const tLedgerEntry* entry = node->mItem;
		const bool stock = entry->type >= kStockBuy && entry->type <= kStockSplit;
		const bool fund =
		    entry->type == kFundSplit || entry->type == kFundBuy || entry->type == kFundSell;
		if ((!stock && !fund) || ksstrcmpi(entry->symbol, ioEntry->symbol) != 0)
			continue;
		if (stock)
			ioEntry->exchange = entry->exchange;
		ioEntry->category = entry->category;
		return;
	}
}

void TPortfolioWindow::EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender)
{
	if (inDragHasLeftSender)
		HiliteDropArea(inDragRef);
}

void TPortfolioWindow::LeaveDropArea(DragReference inDragRef)
{
	UnhiliteDropArea(inDragRef);
}

void TPortfolioWindow::HiliteDropArea(DragReference inDragRef)
{
	if (mIsHilited || mTable == nullptr || !mTable->FocusDraw())
		return;
	Rect frame;
	mTable->CalcLocalFrameRect(frame);
	InsetRect(&frame, 1, 1);
	RgnHandle region = NewRgn();
	RectRgn(region, &frame);
	ShowDragHilite(inDragRef, region, true);
	DisposeRgn(region);
	mIsHilited = true;
}

void TPortfolioWindow::UnhiliteDropArea(DragReference inDragRef)
{
	if (!mIsHilited)
		return;
	if (mTable != nullptr)
		mTable->FocusDraw();
	HideDragHilite(inDragRef);
	mIsHilited = false;
}

std::unique_ptr<tLedgerEntry> TPortfolioWindow::TakeDroppedEntry(const void* inEntry)
{
	const auto found =
	    std::find_if(mDropEdits.begin(), mDropEdits.end(),
	                 [inEntry](const tDropEdit& inEdit) { return inEdit.entry.get() == inEntry; });
	if (found == mDropEdits.end())
		return nullptr;
	std::unique_ptr<tLedgerEntry> entry = std::move(found->entry);
	mDropEdits.erase(found);
	return entry;
}
