#include "windows/security/TListWindow.h"

#include "model/TSecurity.h"
#include "model/USecurityRequests.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPushButton.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/Events.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsStrings.h"
#include "windows/security/TListTable.h"
#include "windows/security/TLookupList.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace
{
constexpr PaneIDT kTablePane = FOUR_CHAR_CODE("Tble");
constexpr PaneIDT kAddPane = FOUR_CHAR_CODE("AddS");
constexpr PaneIDT kDeletePane = FOUR_CHAR_CODE("DelS");
constexpr PaneIDT kLookupPane = FOUR_CHAR_CODE("Look");
constexpr MessageT kCheckboxMessage = FOUR_CHAR_CODE("chkb");
constexpr CommandT kSelectCancelled = 5075;
constexpr CommandT kSelectConfirmedCommands[] = {5076, 5114, 5124, 5134, 5144};
constexpr SInt16 kDeletedHeldQuestion = 16;
enum : char { kHome = 1, kEnd = 4, kPageUp = 11, kPageDown = 12, kUpArrow = 30, kDownArrow = 31 };

std::string Lowered(const char* inText)
{
	std::string text(inText != nullptr ? inText : "", 0, 255);
	for (char& c : text)
		c = char(std::tolower(UInt8(c)));
	return text;
}

bool BoxOn(LCheckBox* inBox)
{
	return inBox != nullptr && inBox->GetValue() != 0;
}
} // namespace

TListWindow::LookupOpener TListWindow::sLookupOpener;

void TListWindow::SetLookupOpener(LookupOpener inOpener)
{
	sLookupOpener = std::move(inOpener);
}

TListWindow::TListWindow(LStream* inStream) : TListWindow(inStream, 0, 0, false) {}

TListWindow::TListWindow(LStream* inStream, long inOKCommand, FlavorType inListFlavor,
                         bool inOffersDragFlavor)
    : TVyWindow(inStream), mOKCommand(inOKCommand), mOffersDragFlavor(inOffersDragFlavor),
      mListFlavor(inListFlavor)
{
}

TListWindow::~TListWindow()
{
	CloseLookupWindow();
	DiscardWorkingLists();
	delete mLookupList;
}

void TListWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mTable = dynamic_cast<TListTable*>(FindPaneByID(kTablePane));
	mAddButton = dynamic_cast<LPushButton*>(FindPaneByID(kAddPane));
	mDeleteButton = dynamic_cast<LPushButton*>(FindPaneByID(kDeletePane));
	mDirectionButton = dynamic_cast<LBevelButton*>(FindPaneByID(UWindowPanes::kSortDirection));
	SignalIf_(mTable == nullptr || mAddButton == nullptr || mDeleteButton == nullptr ||
	          mDirectionButton == nullptr);
	if (mTable != nullptr)
		SetLatentSub(mTable);
	if (mDeleteButton != nullptr)
		mDeleteButton->Disable();
	if (LPane* lookup = FindPaneByID(kLookupPane); lookup != nullptr && !sLookupOpener)
		lookup->Disable();
}

void TListWindow::BeTarget()
{
	if (mTable != nullptr)
		SwitchTarget(mTable);
}

void TListWindow::SetList(TList<TSecurity>* inList)
{
	mOriginalList = inList;
	CloseLookupWindow();
	if (mLookupList != nullptr)
		mLookupList->Clear();
	else
		mLookupList = new TLookupList;
	DiscardWorkingLists();
	mList = new (std::nothrow) TList<tSecurityEntry>(true, true);
	mDeleteList = new (std::nothrow) TList<tSecurityEntry>(true, true);
	ThrowIfNil_(mList);
	ThrowIfNil_(mDeleteList);
	for (tListNode<TSecurity>* node = inList != nullptr ? inList->GetEntryHead() : nullptr;
	     node != nullptr; node = node->mNext) {
		tSecurityEntry entry;
		DefaultEntry(entry, node->mItem, false, mList->Count());
		mList->Append(&entry);
	}
	if (mTable != nullptr)
		mTable->SetList(mList, mDeleteList, this);
	CheckCheckboxes();
	mDescending = false;
	mSortKey = kSortName;
	if (inList != nullptr && inList->Count() > 1) {
		TSecurity* first = inList->GetEntryHead()->mItem;
		TSecurity* second = inList->GetEntryHead()->mNext->mItem;
		mDescending = std::strcmp(first->SecurityName(), second->SecurityName()) > 0;
	}
	CheckCicns();
}

void TListWindow::DefaultEntry(tSecurityEntry& ioEntry, TSecurity* inSecurity, bool inIsNew,
                               SInt32 inPosition)
{
	ioEntry.Security = inSecurity;
	ioEntry.NewSecurity = inIsNew;
	SignalIf_(mTable == nullptr);
	if (mTable == nullptr)
		return;
	const SInt32 rowHeight = mTable->GetRowHeightValue();
	const unsigned char noTitle[] = {0};
	auto makeBox = [&](SInt32 inLeft, bool inOn) {
		SPaneInfo info;
		info.width = TListTable::kCheckboxWidth;
		info.height = SInt16(rowHeight);
		info.left = inLeft;
		info.top = rowHeight * inPosition;
		// The table takes the box in when its row comes into view (CheckCheckboxes).
		info.superView = nullptr;
		auto* box = new (std::nothrow) LCheckBox(info, kCheckboxMessage, inOn ? 1 : 0, noTitle);
		ThrowIfNil_(box);
		box->FinishCreate();
		return box;
	};
	ioEntry.SummaryCheckbox = makeBox(0, inSecurity->SummaryEnabled());
	ioEntry.MenuCheckbox = makeBox(TListTable::kCheckboxWidth, inSecurity->MenuEnabled());
}

void TListWindow::CheckCheckboxes()
{
	if (mList == nullptr || mTable == nullptr)
		return;
	// Only the rows in view (and one either side) hold their boxes in the table: a long list would
	// otherwise move and draw thousands of unseen panes on every sort and scroll.
	const SInt32 rowHeight = std::max<SInt32>(1, mTable->GetRowHeightValue());
	SPoint32 scroll;
	mTable->GetScrollPosition(scroll);
	SDimension16 frame;
	mTable->GetFrameSize(frame);
	const SInt32 first = std::max<SInt32>(0, scroll.v / rowHeight - 1);
	const SInt32 last = (scroll.v + frame.height) / rowHeight + 1;
	std::vector<LPane*> inView;
	SInt32 row = 0;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr && row <= last;
	     node = node->mNext, ++row) {
		if (row < first)
			continue;
		const std::pair<LCheckBox*, SInt32> boxes[] = {
		    {node->mItem->SummaryCheckbox, 0},
		    {node->mItem->MenuCheckbox, TListTable::kCheckboxWidth}};
		for (const auto& [box, left] : boxes) {
			if (box == nullptr)
				continue;
			if (box->GetSuperView() != mTable)
				box->PutInside(mTable, false);
			box->PlaceInSuperImageAt(left, rowHeight * row, false);
			inView.push_back(box);
		}
	}
	const std::vector<LPane*> placed = mTable->GetSubPanes();
	for (LPane* pane : placed)
		if (std::find(inView.begin(), inView.end(), pane) == inView.end() &&
		    dynamic_cast<LCheckBox*>(pane) != nullptr)
			pane->PutInside(nullptr);
}

void TListWindow::SyncEntry(tSecurityEntry& ioEntry)
{
	if (ioEntry.Security == nullptr)
		return;
	if (ioEntry.SummaryCheckbox != nullptr)
		ioEntry.Security->SummaryEnabled(BoxOn(ioEntry.SummaryCheckbox));
	if (ioEntry.MenuCheckbox != nullptr)
		ioEntry.Security->MenuEnabled(BoxOn(ioEntry.MenuCheckbox));
}

void TListWindow::CreateEditWindow(TableIndexT inRow, bool inIsNew)
{
	tSecurityEntry* entry = mList != nullptr ? mList->GetNth(long(inRow)) : nullptr;
	SignalIf_(entry == nullptr || entry->Security == nullptr);
	if (entry == nullptr || entry->Security == nullptr)
		return;
	if (inIsNew)
		mEditingNew.insert(entry->Security);
	else
		mEditingNew.erase(entry->Security);
	entry->Security->ShowSelectDlog(this, 0, inIsNew);
}

void TListWindow::CreateLookupWindow() {}

long TListWindow::AddLookups(TableIndexT)
{
	return 0;
}

TSecurity* TListWindow::GetNewSecurity()
{
	return nullptr;
}

void TListWindow::DrawNames(const Rect& inNameRect, const Rect& inSymbolRect, TSecurity* inSecurity)
{
	UKsStrings::DrawString(inSecurity->SecurityName(), inNameRect.left, inNameRect.bottom, &inNameRect,
	                       0);
	UKsStrings::DrawString(inSecurity->SecuritySymbol(), inSymbolRect.left, inSymbolRect.bottom,
	                       &inSymbolRect, 0);
}

void TListWindow::InsertNewEntry(TSecurity* inSecurity, TableIndexT inPosition)
{
	tSecurityEntry entry;
	try {
		DefaultEntry(entry, inSecurity, true, SInt32(inPosition));
	} catch (...) {
		delete inSecurity;
		throw;
	}
	mList->Insert(&entry, int(inPosition));
}

void TListWindow::AddSecurity(TableIndexT inPosition)
{
	if (mTable == nullptr || mList == nullptr)
		return;
	mTable->UnselectAllCells();
	TSecurity* security = GetNewSecurity();
	ThrowIfNil_(security);
	InsertNewEntry(security, inPosition);
	mTable->InsertRows(1, inPosition, nullptr, 0, false);
	CheckCheckboxes();
	mTable->Refresh();
	mTable->SelectCell(STableCell(inPosition + 1, 1));
	if (mDeleteButton != nullptr)
		mDeleteButton->Enable();
	CreateEditWindow(inPosition + 1, true);
}

void TListWindow::CheckCicns()
{
	UWindowPanes::SetIcon(mDirectionButton, mDescending ? kDescendingIcon : kAscendingIcon);
}

TListWindow::tSortKey TListWindow::SortKeyOf(tSecurityEntry* inEntry, FourCharCode inKey)
{
	tSortKey key;
	key.entry = inEntry;
	switch (inKey) {
	case kSortSymbol:
		key.text = Lowered(inEntry->Security->SecuritySymbol());
		break;
	case kSortSummary:
		key.on = BoxOn(inEntry->SummaryCheckbox);
		break;
	case kSortMenu:
		key.on = BoxOn(inEntry->MenuCheckbox);
		break;
	default:
		key.text = Lowered(inEntry->Security->SecurityName());
		break;
	}
	return key;
}

bool TListWindow::SortOnText(tSortKey* inA, tSortKey* inB)
{
	return inA->text > inB->text;
}

bool TListWindow::SortOnBox(tSortKey* inA, tSortKey* inB)
{
	return !inA->on && inB->on;
}

void TListWindow::Sort(FourCharCode inKey)
{
	mSortKey = inKey;
	if (mList == nullptr)
		return;
	// Each row's key once, one sort of the keys; then the rows take the keys' order.
	std::vector<tSortKey> keys;
	keys.reserve(size_t(mList->Count()));
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext)
		keys.push_back(SortKeyOf(node->mItem, inKey));
	TList<tSortKey> order(false, false);
	for (tSortKey& key : keys)
		order.Append(&key);
	const bool byBox = inKey == kSortSummary || inKey == kSortMenu;
	order.BubbleSort(byBox ? &SortOnBox : &SortOnText, mDescending);
	tListNode<tSecurityEntry>* row = mList->GetEntryHead();
	for (tListNode<tSortKey>* node = order.GetEntryHead(); node != nullptr && row != nullptr;
	     node = node->mNext, row = row->mNext)
		row->mItem = node->mItem->entry;
	if (mList->Count() > 0)
		mList->Modified();
	CheckCheckboxes();
	if (mTable != nullptr)
		mTable->Refresh();
}

Boolean TListWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	switch (char(inKeyEvent.message & charCodeMask)) {
	case kHome:
	case kEnd:
	case kPageUp:
	case kPageDown:
	case kUpArrow:
	case kDownArrow:
		return mTable != nullptr ? mTable->HandleKeyPress(inKeyEvent) : false;
	default:
		return TVyWindow::HandleKeyPress(inKeyEvent);
	}
}

Boolean TListWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (std::find(std::begin(kSelectConfirmedCommands), std::end(kSelectConfirmedCommands), inCommand) !=
	    std::end(kSelectConfirmedCommands)) {
		Sort(mSortKey);
		return true;
	}
	switch (inCommand) {
	case kOKButton:
		SyncOriginalList();
		if (LCommander* super = GetSuperCommander())
			super->ObeyCommand(mOKCommand, nullptr);
		AttemptClose();
		return true;
	case kCancelButton:
		AttemptClose();
		return true;
	case kSelectCancelled:
		DeleteNewRow(static_cast<TSecurity*>(ioParam));
		return true;
	case kSortDirection:
		mDescending = !mDescending;
		Sort(mSortKey);
		CheckCicns();
		return true;
	case kSortName:
	case kSortSymbol:
	case kSortSummary:
	case kSortMenu:
		Sort(FourCharCode(inCommand));
		return true;
	case kDeleteCommand:
		if (mTable != nullptr)
			mTable->DeleteSecurities();
		return true;
	case kAddCommand:
		AddSecurity(mTable != nullptr ? mTable->LastRowSelected() : 0);
		return true;
	case kLookCommand:
		CreateLookupWindow();
		return true;
	case kLookupsChosen:
		if (mLookupList != nullptr && mTable != nullptr && mList != nullptr) {
			const TableIndexT position = mTable->LastRowSelected();
			const long added = AddLookups(position);
			if (added > 0) {
				mTable->InsertRows(UInt32(added), position, nullptr, 0, false);
				CheckCheckboxes();
				mTable->Refresh();
			}
		}
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

// Only the row that the cancelled dialog was opened for as new goes, whatever is selected now.
void TListWindow::DeleteNewRow(TSecurity* inSecurity)
{
	if (inSecurity == nullptr || mEditingNew.erase(inSecurity) == 0 || mList == nullptr ||
	    mTable == nullptr)
		return;
	TableIndexT at = 0;
	TableIndexT index = 0;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		++index;
		if (node->mItem->Security == inSecurity && node->mItem->NewSecurity)
			at = index;
	}
	if (at == 0)
		return;
	mTable->UnselectAllCells();
	mTable->SelectCell(STableCell(at, 1));
	mTable->DeleteSecurities();
}

void TListWindow::CloseLookupWindow()
{
	// At once: the lookup window writes into the lookup list, which may go next.
	LWindow* window = mLookupWindow;
	mLookupWindow = nullptr;
	delete window;
}

void TListWindow::OpenLookupWindow(tSecurityType inKind)
{
	if (mLookupWindow != nullptr) {
		mLookupWindow->Select();
		return;
	}
	if (mLookupList == nullptr)
		mLookupList = new TLookupList;
	if (!sLookupOpener)
		return;
	mLookupWindow = sLookupOpener(inKind, this, mLookupList);
	ThrowIfNil_(mLookupWindow);
}

Boolean TListWindow::AllowSubRemoval(LCommander* inSub)
{
	if (inSub != nullptr && inSub == mLookupWindow)
		mLookupWindow = nullptr;
	return true;
}

void TListWindow::SyncOriginalList()
{
	if (mOriginalList == nullptr || mList == nullptr || mDeleteList == nullptr)
		return;
	bool putBack = false;
	bool held = false;
	for (tListNode<tSecurityEntry>* node = mDeleteList->GetEntryHead(); node != nullptr;
	     node = node->mNext)
		if (!node->mItem->NewSecurity && node->mItem->Security != nullptr &&
		    node->mItem->Security->HasPortfolioWatchers())
			held = true;
	if (held)
		putBack = UKsDialogs::YesNoDialog(kDeletedHeldQuestion);

	std::unordered_set<TSecurity*> removed;
	for (tListNode<tSecurityEntry>* node = mDeleteList->GetEntryHead(); node != nullptr;
	     node = node->mNext) {
		tSecurityEntry* entry = node->mItem;
		TSecurity* security = entry->Security;
		if (security != nullptr && !entry->NewSecurity && putBack) {
			mList->Append(entry);
		} else if (security != nullptr && !entry->NewSecurity) {
			USecurityRequests::CancelURL(security);
			removed.insert(security);
		} else {
			delete security;
		}
	}
	mDeleteList->Clear();
	// The plug-in's list owns its securities: removing one deletes it.
	if (!removed.empty())
		mOriginalList->RemoveIf(
		    [&](TSecurity* inSecurity) { return removed.count(inSecurity) != 0; });

	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		tSecurityEntry* entry = node->mItem;
		if (entry->Security != nullptr && entry->NewSecurity) {
			mOriginalList->Append(entry->Security);
			entry->NewSecurity = false;
			USecurityRequests::SubmitURL(entry->Security);
		}
	}

	// By identity: the window's order for the securities it shows, then any that joined the list
	// elsewhere while it was open.
	std::unordered_set<TSecurity*> listed;
	for (tListNode<TSecurity>* node = mOriginalList->GetEntryHead(); node != nullptr; node = node->mNext)
		listed.insert(node->mItem);
	std::vector<TSecurity*> order;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		SyncEntry(*node->mItem);
		if (node->mItem->Security != nullptr && listed.erase(node->mItem->Security) != 0)
			order.push_back(node->mItem->Security);
	}
	for (tListNode<TSecurity>* node = mOriginalList->GetEntryHead(); node != nullptr; node = node->mNext)
		if (listed.count(node->mItem) != 0)
			order.push_back(node->mItem);
	size_t slot = 0;
	for (tListNode<TSecurity>* node = mOriginalList->GetEntryHead();
	     node != nullptr && slot < order.size(); node = node->mNext)
		node->mItem = order[slot++];
	mOriginalList->Modified();

	DiscardWorkingLists();
}

void TListWindow::DiscardWorkingLists()
{
	// Securities made here and never written back are this window's own.
	for (TList<tSecurityEntry>* list : {mList, mDeleteList}) {
		if (list == nullptr)
			continue;
		for (tListNode<tSecurityEntry>* node = list->GetEntryHead(); node != nullptr;
		     node = node->mNext) {
			tSecurityEntry* entry = node->mItem;
			if (entry->NewSecurity)
				delete entry->Security;
			entry->Security = nullptr;
			for (LCheckBox* box : {entry->SummaryCheckbox, entry->MenuCheckbox})
				if (box != nullptr) {
					box->PutInside(nullptr);
					delete box;
				}
			entry->SummaryCheckbox = entry->MenuCheckbox = nullptr;
		}
	}
	mEditingNew.clear();
	if (mTable != nullptr)
		mTable->SetList(nullptr, nullptr, this);
	delete mList;
	delete mDeleteList;
	mList = nullptr;
	mDeleteList = nullptr;
}

void TListWindow::TPluginFace::Delete()
{
	// The plug-in's lists may go before the window's deletion comes round: let go of them now.
	mWindow->CloseLookupWindow();
	mWindow->DiscardWorkingLists();
	mWindow->mOriginalList = nullptr;
	mWindow->DoClose();
}

void TListWindow::TPluginFace::SetList(UInt16, TList<TSecurity>* inList)
{
	mWindow->SetList(inList);
}

void TListWindow::TPluginFace::ObeyCommand(long inCommand)
{
	mWindow->ObeyCommand(CommandT(inCommand), nullptr);
}
