#include "windows/security/TSummaryWindow.h"

#include "Includes/NoValue.h"
#include "Includes/tStockTickerPrefs.h"
#include "Includes/tSummaryParameters.h"
#include "app/TStockPlugin.h"
#include "foundation/UDisplay.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPlacard.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LRadioGroupView.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/TContextualMenu.h"
#include "toolkit/UKsScreen.h"
#include "windows/portfolio/StRGB.h"
#include "windows/security/StBindings.h"
#include "windows/security/TCurrencyDetailView.h"
#include "windows/security/TDetailAction.h"
#include "windows/security/TFundDetailView.h"
#include "windows/security/TIndexDetailView.h"
#include "windows/security/TStockDetailView.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/UTablePrinting.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <new>
#include <string>

namespace
{
constexpr FourCharCode kSortName = FOUR_CHAR_CODE("nSrt");
constexpr FourCharCode kSortClose = FOUR_CHAR_CODE("pSrt");
constexpr FourCharCode kSortPrice = FOUR_CHAR_CODE("tSrt");
constexpr FourCharCode kSortChange = FOUR_CHAR_CODE("aSrt");
constexpr FourCharCode kSortPercent = FOUR_CHAR_CODE("bSrt");
constexpr FourCharCode kSortCodes[] = {kSortName, kSortClose, kSortPrice, kSortChange, kSortPercent};
constexpr FourCharCode kViewFull = FOUR_CHAR_CODE("vFll");
constexpr FourCharCode kViewBottom = FOUR_CHAR_CODE("vBtm");
constexpr FourCharCode kViewSide = FOUR_CHAR_CODE("vSde");
constexpr PaneIDT kStockBox = FOUR_CHAR_CODE("Stck");
constexpr PaneIDT kFundBox = FOUR_CHAR_CODE("Fund");
constexpr PaneIDT kIndexBox = FOUR_CHAR_CODE("Indx");
constexpr PaneIDT kCurrencyBox = FOUR_CHAR_CODE("Curr");
constexpr int kPrintMenuString = 10;
constexpr int kKeyHome = 1, kKeyEnd = 4, kKeyUp = 30, kKeyDown = 31;
const RGBColor kBlack{0, 0, 0};
const RGBColor kWhite{65535, 65535, 65535};

void SetRadio(LRadioGroupView* inGroup, PaneIDT inID)
{
	if (inGroup == nullptr)
		return;
	if (auto* radio = dynamic_cast<LRadioButton*>(inGroup->FindPaneByID(inID)))
		radio->SetValue(1);
}

// The stored value of a sort code; 0 (name) for anything else.
UInt8 SortKeyOf(FourCharCode inCommand)
{
	for (UInt8 i = 0; i < 5; ++i)
		if (kSortCodes[i] == inCommand)
			return i;
	return 0;
}

int KindIndex(tSecurityType inKind)
{
	switch (inKind) {
	case securityStock:
		return 0;
	case securityFund:
		return 1;
	case securityIndex:
		return 2;
	case securityCurrency:
		return 3;
	default:
		return -1;
	}
}

// The value a numeric sort compares; a change without a previous close counts as no value.
float SortValue(TSecurity* inSecurity, FourCharCode inCommand)
{
	const float previous = inSecurity->YesterdayClose();
	const float last = inSecurity->CurrentTradePrice();
	switch (inCommand) {
	case kSortClose:
		return previous;
	case kSortPrice:
		return last;
	case kSortChange:
		return last - previous;
	case kSortPercent:
		return previous != 0 ? (last - previous) / previous : kNoValue;
	default:
		return 0;
	}
}

// The name as the sort by name compares it: at most 255 characters, lower-cased.
std::string NameKey(TSecurity* inSecurity)
{
	std::string key(inSecurity->SecurityName());
	key.resize(std::min<size_t>(key.size(), 255));
	for (char& c : key)
		c = char(std::tolower(static_cast<unsigned char>(c)));
	return key;
}

// The command by which a settings dialog opened from the summary has the plug-in write the kind's file.
long SaveCommand(tSecurityType inKind)
{
	return 5051 + (KindIndex(inKind) >= 0 ? KindIndex(inKind) : 0);
}

TDetailView* MakeDetailView(ResIDT inLayoutID)
{
	if (ResourceStore::Get().GetLayout(inLayoutID) == nullptr)
		return nullptr;
	return dynamic_cast<TDetailView*>(UReanimator::ReadObjects(inLayoutID, nullptr, nullptr));
}

// Gives a detail view its security in the way of its kind.
void ShowInView(TDetailView* inView, TSecurity* inSecurity)
{
	if (auto* view = dynamic_cast<TStockDetailView*>(inView))
		view->SetStock(dynamic_cast<TStock*>(inSecurity));
	else if (auto* view = dynamic_cast<TFundDetailView*>(inView))
		view->SetFund(dynamic_cast<TFund*>(inSecurity));
	else if (auto* view = dynamic_cast<TIndexDetailView*>(inView))
		view->SetIndex(dynamic_cast<TIndex*>(inSecurity));
	else if (auto* view = dynamic_cast<TCurrencyDetailView*>(inView))
		view->SetCurrency(dynamic_cast<TCurrency*>(inSecurity));
}
} // namespace

IPluginWindow* TSummaryWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TSummaryWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TSummaryWindow::TSummaryWindow(LStream* inStream)
    : TVyWindow(inStream), mStocks(new (std::nothrow) TList<TSecurity>(false, false)),
      mFunds(new (std::nothrow) TList<TSecurity>(false, false)),
      mCurrencies(new (std::nothrow) TList<TSecurity>(false, false)),
      mIndexes(new (std::nothrow) TList<TSecurity>(false, false)),
      mDrawList(new (std::nothrow) TList<tSummaryDraw>(true, true)), mSortCommand(kSortName)
{
	if (!mStocks || !mFunds || !mCurrencies || !mIndexes || !mDrawList) {
		delete mStocks;
		delete mFunds;
		delete mCurrencies;
		delete mIndexes;
		delete mDrawList;
		throw LException(err_NilPointer);
	}
}

TSummaryWindow::~TSummaryWindow()
{
	StopIdling();
	SaveState();
	delete mStocks;
	delete mFunds;
	delete mCurrencies;
	delete mIndexes;
	ClearDrawList();
	delete mDrawList;
	// The view shown lies inside the window, which deletes it; the others belong to no view.
	for (int kind = 0; kind < 4; ++kind)
		for (TDetailView* view : {mKindViewH[kind], mKindViewV[kind]})
			if (view != nullptr && view->GetSuperView() == nullptr)
				delete view;
}

void TSummaryWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mTable = UWindowPanes::FindAs<TSummaryTable>(this, FOUR_CHAR_CODE("Tble"));
	if (mTable != nullptr)
		mTable->SetWindow(this);
	mDirectionButton = UWindowPanes::FindAs<LBevelButton>(this, UWindowPanes::kSortDirection);
	mSortButtons = UWindowPanes::FindAs<LRadioGroupView>(this, FOUR_CHAR_CODE("sBtn"));
	mViewButtons = UWindowPanes::FindAs<LRadioGroupView>(this, FOUR_CHAR_CODE("vBtn"));
	mStockButton = UWindowPanes::FindAs<LCheckBox>(this, kStockBox);
	mFundButton = UWindowPanes::FindAs<LCheckBox>(this, kFundBox);
	mIndexButton = UWindowPanes::FindAs<LCheckBox>(this, kIndexBox);
	mCurrencyButton = UWindowPanes::FindAs<LCheckBox>(this, kCurrencyBox);
	mTableView = UWindowPanes::FindAs<LView>(this, FOUR_CHAR_CODE("Full"));
	mBottomView = UWindowPanes::FindAs<LView>(this, FOUR_CHAR_CODE("Bttm"));
	mSideView = UWindowPanes::FindAs<LView>(this, FOUR_CHAR_CODE("Side"));
	mControlsView = UWindowPanes::FindAs<LPlacard>(this, FOUR_CHAR_CODE("Ctls"));
	for (int kind = 0; kind < 4; ++kind) {
		mKindViewH[kind] = MakeDetailView(ResIDT(kFirstDetailViewID + 2 * kind));
		mKindViewV[kind] = MakeDetailView(ResIDT(kFirstDetailViewID + 2 * kind + 1));
	}
	if (mTable != nullptr)
		SetLatentSub(mTable);
}

void TSummaryWindow::BeTarget()
{
	if (mTable != nullptr)
		SwitchTarget(mTable);
}

TList<TSecurity>* TSummaryWindow::SectionList(tSecurityType inKind) const
{
	switch (inKind) {
	case securityStock:
		return mStocks;
	case securityFund:
		return mFunds;
	case securityIndex:
		return mIndexes;
	case securityCurrency:
		return mCurrencies;
	default:
		return nullptr;
	}
}

void TSummaryWindow::SetList(tSecurityType inKind, TList<TSecurity>* inList)
{
	TList<TSecurity>* section = SectionList(inKind);
	SignalIf_(inList == nullptr);
	if (section == nullptr || inList == nullptr)
		return;
	section->Clear();
	TStockPlugin::ForEachSecurity(inList, [section](TSecurity* security) {
		if (security->SummaryEnabled())
			section->Append(security);
	});
	RedoButtons();
	RedoCicns();
	// While the window opens, its parameters come next: they sort every section again and make the rows.
	if (mParameters == nullptr) {
		SortList(section);
		return;
	}
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies})
		SortList(list);
	RedoContentKeepingSelection();
	if (mTable != nullptr)
		mTable->Refresh();
}

void TSummaryWindow::SetParameters(tSummaryParameters* inParameters)
{
	SignalIf_(inParameters == nullptr);
	mParameters = inParameters;
	if (mParameters == nullptr)
		return;
	if (mTable != nullptr)
		mTable->SetTablePreferences();
	const tSummaryParameters& p = *mParameters;
	if (p.windowTop >= 1 || p.windowLeft >= 1 || p.windowHeight >= 1 || p.windowWidth >= 1) {
		Rect bounds{SInt16(p.windowTop), SInt16(p.windowLeft), SInt16(p.windowTop + p.windowHeight),
		            SInt16(p.windowLeft + p.windowWidth)};
		if (!UKsScreen::IsOnScreen(&bounds))
			UKsScreen::ForceOnScreen(&bounds);
		DoSetBounds(bounds);
	}
	// The controls take the stored values without acting on them: the rows are sorted and made once, below.
	const bool listening = IsListening();
	StopListening();
	const std::pair<LCheckBox*, UInt8> boxes[] = {{mStockButton, p.showStocks},
	                                              {mFundButton, p.showFunds},
	                                              {mIndexButton, p.showIndexes},
	                                              {mCurrencyButton, p.showCurrencies}};
	for (const auto& [box, shown] : boxes)
		if (box != nullptr)
			box->SetValue(shown ? 1 : 0);
	mDescending = p.descending != 0;
	mSortCommand = p.sortKey < 5 ? kSortCodes[p.sortKey] : kSortName;
	SetRadio(mSortButtons, mSortCommand);
	const UInt8 viewMode = p.viewMode <= 2 ? p.viewMode : 0;
	SetRadio(mViewButtons, viewMode == 1 ? kViewBottom : viewMode == 2 ? kViewSide : kViewFull);
	if (listening)
		StartListening();
	mViewMode = mPreviousViewMode = viewMode;
	mSelectedRow = p.selectedRow;
	RedoCicns();
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies})
		SortList(list);
	RedoContent();
	RedoViews();
	SelectRow(mSelectedRow);
}

void TSummaryWindow::RedoParameters(tSummaryParameters* inParameters)
{
	mParameters = inParameters;
	if (mTable != nullptr)
		mTable->SetTablePreferences();
	RedoCicns();
	Sort(mSortCommand);
}

void TSummaryWindow::RedoContentKeepingSelection()
{
	const tSummaryDraw* row = Row(mSelectedRow);
	TSecurity* selected = row != nullptr ? row->Security : nullptr;
	RedoContent();
	if (selected != nullptr) {
		mSelectedRow = FindRow(selected);
		SelectRow(mSelectedRow);
	}
}

void TSummaryWindow::ClearDrawList()
{
	for (tListNode<tSummaryDraw>* node = mDrawList->GetEntryHead(); node != nullptr; node = node->mNext)
		if (node->mItem->Kind == tSummaryDraw::kSecurity && node->mItem->Security != nullptr)
			node->mItem->Security->RemoveWatcher(this);
	mDrawList->Clear();
	mRowNodes.clear();
	mRowOf.clear();
}

void TSummaryWindow::StyleRow(tSummaryDraw& ioRow)
{
	bool sound = false, flag1 = false, flag2 = false;
	int soundID = 0;
	UZVUtils::GetDisplaySpecs(ioRow.Security, ioRow.Colour, sound, soundID, ioRow.Flash, ioRow.Bold,
	                          ioRow.Italic, ioRow.Underline, flag1, flag2);
}

void TSummaryWindow::AddToDrawList(char inKind, TSecurity* inSecurity, const char* inTitle, bool inDraggable)
{
	tSummaryDraw row;
	row.Kind = inKind;
	if (inTitle != nullptr) {
		std::strncpy(row.Title, inTitle, tSummaryDraw::kTitleSize - 1);
		row.Title[tSummaryDraw::kTitleSize - 1] = 0;
	}
	if (inKind == tSummaryDraw::kSecurity && inSecurity != nullptr) {
		row.Security = inSecurity;
		StyleRow(row);
		row.Updating = inSecurity->UpdateSecurityReference() != nullptr;
		row.Draggable = inDraggable;
		inSecurity->AddWatcher(this);
	}
	mDrawList->Append(&row);
}

void TSummaryWindow::RedoContent()
{
	ClearDrawList();
	if (mTable != nullptr)
		mTable->RemoveAllRows(false);
	struct tSection {
		LCheckBox* box;
		TList<TSecurity>* list;
		const char* title;
		bool draggable;
	} const sections[] = {{mStockButton, mStocks, "Stocks", true},
	                      {mFundButton, mFunds, "Funds", true},
	                      {mIndexButton, mIndexes, "Indexes", false},
	                      {mCurrencyButton, mCurrencies, "Currencies", false}};
	bool shown = false;
	for (const tSection& section : sections) {
		if (section.box == nullptr || section.box->GetValue() <= 0)
			continue;
		if (shown)
			AddToDrawList(tSummaryDraw::kSpacer, nullptr, nullptr, false);
		shown = true;
		AddToDrawList(tSummaryDraw::kTitle, nullptr, section.title, false);
		TStockPlugin::ForEachSecurity(section.list, [&](TSecurity* security) {
			AddToDrawList(tSummaryDraw::kSecurity, security, nullptr, section.draggable);
		});
	}
	IndexRows();
	if (mTable != nullptr && mDrawList->Count() > 0) {
		mTable->InsertRows(UInt32(mDrawList->Count()), 0, nullptr, 0, false);
		mTable->Refresh();
	}
	StartOrStopFlashing();
}

void TSummaryWindow::OrderRows()
{
	// Each section has a row for every one of its securities or, hidden, none.
	size_t shown = 0;
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies}) {
		size_t rows = 0;
		TStockPlugin::ForEachSecurity(list, [&](TSecurity* security) { rows += FindRow(security) != 0; });
		if (rows != 0 && rows != size_t(list->Count())) {
			RedoContent();
			return;
		}
		shown += rows;
	}
	if (shown != mRowOf.size()) {
		RedoContent();
		return;
	}
	std::vector<tSummaryDraw*> entries;
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies}) {
		entries.clear();
		SInt32 first = 0;
		TStockPlugin::ForEachSecurity(list, [&](TSecurity* security) {
			const SInt32 row = FindRow(security);
			if (row == 0)
				return;
			entries.push_back(Row(row));
			first = first == 0 ? row : std::min(first, row);
		});
		for (size_t i = 0; i < entries.size(); ++i) {
			tSummaryDraw& entry = *entries[i];
			const SInt32 row = first + SInt32(i);
			mRowNodes[size_t(row) - 1]->mItem = &entry;
			mRowOf[entry.Security] = row;
			StyleRow(entry);
			entry.Updating = entry.Security->UpdateSecurityReference() != nullptr;
		}
	}
	StartOrStopFlashing();
}

void TSummaryWindow::StartOrStopFlashing()
{
	bool flashing = false;
	for (tListNode<tSummaryDraw>* node : mRowNodes)
		flashing = flashing || node->mItem->Flash;
	if (flashing) {
		mNextFlashTick = UDisplay::FlashTickOn();
		mFlashPhase = false;
		StartIdling();
	} else {
		StopIdling();
	}
}

void TSummaryWindow::IndexRows()
{
	mRowNodes.clear();
	mRowOf.clear();
	for (tListNode<tSummaryDraw>* node = mDrawList->GetEntryHead(); node != nullptr; node = node->mNext) {
		mRowNodes.push_back(node);
		if (node->mItem->Kind == tSummaryDraw::kSecurity && node->mItem->Security != nullptr)
			mRowOf.emplace(node->mItem->Security, SInt32(mRowNodes.size()));
	}
}

tSummaryDraw* TSummaryWindow::Row(SInt32 inRow) const
{
	return inRow > 0 && size_t(inRow) <= mRowNodes.size() ? mRowNodes[size_t(inRow) - 1]->mItem : nullptr;
}

SInt32 TSummaryWindow::FindRow(TSecurity* inSecurity) const
{
	const auto found = mRowOf.find(inSecurity);
	return found != mRowOf.end() ? found->second : 0;
}

void TSummaryWindow::RefreshRow(SInt32 inRow)
{
	if (mTable != nullptr && inRow > 0)
		mTable->RefreshCell(STableCell(TableIndexT(inRow), 1));
}

void TSummaryWindow::SpendTime(const EventRecord&)
{
	if (TickCount() < mNextFlashTick)
		return;
	mNextFlashTick = mFlashPhase ? UDisplay::FlashTickOff() : UDisplay::FlashTickOn();
	mFlashPhase = !mFlashPhase;
	SInt32 row = 1;
	for (tListNode<tSummaryDraw>* node = mDrawList->GetEntryHead(); node != nullptr;
	     node = node->mNext, ++row)
		if (node->mItem->Flash)
			RefreshRow(row);
}

void TSummaryWindow::UpdateBegins(TSecurity* inSecurity)
{
	const SInt32 row = FindRow(inSecurity);
	if (row == 0)
		return;
	Row(row)->Updating = true;
	RefreshRow(row);
}

void TSummaryWindow::UpdateEnds(TSecurity* inSecurity)
{
	const SInt32 row = FindRow(inSecurity);
	if (row == 0)
		return;
	tSummaryDraw& entry = *Row(row);
	StyleRow(entry);
	if (entry.Flash && !IsIdling()) {
		// Starts in step with the other blinking displays.
		mNextFlashTick = UDisplay::FlashTickOn();
		mFlashPhase = false;
		StartIdling();
	}
	entry.Updating = false;
	RefreshRow(row);
	if (inSecurity == mCurrentSecurity)
		RedoDetailView(row);
	if (mSortCommand != kSortName)
		PlaceRow(inSecurity);
}

void TSummaryWindow::Remove(TSecurity* inSecurity)
{
	// The security is going: no view may keep it.
	if (inSecurity == mCurrentSecurity)
		HideDetailView();
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies}) {
		if (list->FindItem(inSecurity) != 0) {
			list->Remove(inSecurity);
			RemoveRow(inSecurity);
			break;
		}
	}
}

// Only the security's own row goes and those below move up: deleting many securities at once would
// otherwise rebuild every row for each of them.
void TSummaryWindow::RemoveRow(TSecurity* inSecurity)
{
	const SInt32 row = FindRow(inSecurity);
	if (row == 0)
		return;
	const tSummaryDraw* selectedRow = Row(mSelectedRow);
	TSecurity* selected = selectedRow != nullptr ? selectedRow->Security : nullptr;
	inSecurity->RemoveWatcher(this);
	mDrawList->Remove(mRowNodes[size_t(row) - 1]->mItem);
	IndexRows();
	if (mTable != nullptr) {
		mTable->UnselectAllCells();
		mTable->RemoveRows(1, TableIndexT(row), false);
	}
	if (selected != nullptr) {
		mSelectedRow = FindRow(selected);
		SelectRow(mSelectedRow);
	}
	StartOrStopFlashing();
	if (mTable != nullptr)
		mTable->Refresh();
}

void TSummaryWindow::HideDetailView()
{
	mCurrentSecurity = nullptr;
	for (int kind = 0; kind < 4; ++kind)
		for (TDetailView* view : {mKindViewH[kind], mKindViewV[kind]})
			if (view != nullptr)
				view->SetSecurity(nullptr);
	if (mDetailView != nullptr)
		mDetailView->Hide();
}

void TSummaryWindow::Sort(FourCharCode inCommand)
{
	mSortCommand = inCommand;
	// The selection belongs to a security, not to a place in the table.
	const tSummaryDraw* selected = Row(mSelectedRow);
	TSecurity* selectedSecurity = selected != nullptr ? selected->Security : nullptr;
	for (TList<TSecurity>* list : {mStocks, mFunds, mIndexes, mCurrencies})
		SortList(list);
	OrderRows();
	if (selectedSecurity != nullptr) {
		mSelectedRow = FindRow(selectedSecurity);
		SelectRow(mSelectedRow);
	}
	if (mTable != nullptr)
		mTable->Refresh();
}

void TSummaryWindow::SortList(TList<TSecurity>* inList) const
{
	if (mSortCommand == kSortName)
		inList->BubbleSortByKey(NameKey, std::greater<std::string>(), mDescending);
	else
		inList->BubbleSortByKey([this](TSecurity* security) { return SortValue(security, mSortCommand); },
		                        std::greater<float>(), mDescending);
}

void TSummaryWindow::PlaceRow(TSecurity* inSecurity)
{
	TList<TSecurity>* list = nullptr;
	int position = 0;
	for (TList<TSecurity>* section : {mStocks, mFunds, mIndexes, mCurrencies})
		if (list == nullptr && (position = section->FindItem(inSecurity)) != 0)
			list = section;
	const SInt32 row = FindRow(inSecurity);
	if (list == nullptr || row == 0)
		return;
	std::vector<TSecurity*> items;
	items.reserve(size_t(list->Count()));
	TStockPlugin::ForEachSecurity(list, [&items](TSecurity* security) { items.push_back(security); });
	// The others are in order; equal values keep theirs, as a stable sort of the rows would leave them.
	const float value = SortValue(inSecurity, mSortCommand);
	auto before = [this](float inA, float inB) { return mDescending ? inA > inB : inB > inA; };
	const size_t from = size_t(position - 1);
	size_t to = from;
	while (to > 0 && before(value, SortValue(items[to - 1], mSortCommand)))
		--to;
	if (to == from)
		while (to + 1 < items.size() && before(SortValue(items[to + 1], mSortCommand), value))
			++to;
	if (to == from)
		return;
	list->Remove(inSecurity);
	list->Add(inSecurity, int(to));
	// The section's rows follow its list: the row moves, those it passes shift by one.
	const SInt32 target = row + SInt32(to) - SInt32(from);
	const SInt32 first = std::min(row, target), last = std::max(row, target);
	std::vector<tSummaryDraw*> moved;
	for (SInt32 r = first; r <= last; ++r)
		moved.push_back(Row(r));
	if (target < row)
		std::rotate(moved.begin(), moved.end() - 1, moved.end());
	else
		std::rotate(moved.begin(), moved.begin() + 1, moved.end());
	for (SInt32 r = first; r <= last; ++r) {
		tSummaryDraw* entry = moved[size_t(r - first)];
		mRowNodes[size_t(r) - 1]->mItem = entry;
		mRowOf[entry->Security] = r;
	}
	if (mSelectedRow >= first && mSelectedRow <= last) {
		mSelectedRow = mSelectedRow == row ? target : mSelectedRow + (target < row ? 1 : -1);
		SelectRow(mSelectedRow);
	}
	if (mTable != nullptr)
		mTable->RefreshCellRange(STableCell(TableIndexT(first), 1), STableCell(TableIndexT(last), 1));
}

void TSummaryWindow::RedoCicns()
{
	UWindowPanes::SetIcon(mDirectionButton, mDescending ? kDescendingIcon : kAscendingIcon);
}

void TSummaryWindow::RedoButtons()
{
	const tStockTickerPrefs* prefs = gStockPreferences;
	if (prefs == nullptr)
		return;
	const std::pair<LCheckBox*, bool> boxes[] = {{mStockButton, prefs->stocksOn != 0},
	                                             {mFundButton, prefs->fundsOn != 0},
	                                             {mIndexButton, prefs->indexesOn != 0},
	                                             {mCurrencyButton, prefs->currenciesOn != 0}};
	for (const auto& [box, on] : boxes)
		UWindowPanes::SetEnabled(box, on);
}

void TSummaryWindow::SelectRow(SInt32 inRow)
{
	if (mTable == nullptr)
		return;
	const STableCell cell(TableIndexT(inRow > 0 ? inRow : 0), 1);
	if (mTable->IsValidCell(cell)) {
		mTable->SelectCell(cell);
		mTable->ScrollCellIntoFrame(cell);
	}
}

TDetailView* TSummaryWindow::DetailViewFor(TSecurity* inSecurity) const
{
	const int kind = KindIndex(inSecurity->Type());
	return kind >= 0 ? mKindView[kind] : nullptr;
}

void TSummaryWindow::RedoDetailView(SInt32 inRow)
{
	mSelectedRow = inRow;
	tSummaryDraw* row = Row(inRow);
	if (mViewMode == 0 || row == nullptr || row->Kind != tSummaryDraw::kSecurity) {
		mCurrentSecurity = nullptr;
		return;
	}
	mCurrentSecurity = row->Security;
	TDetailView* view = DetailViewFor(mCurrentSecurity);
	if (view == nullptr)
		return;
	ShowInView(view, mCurrentSecurity);
	if (view != mDetailView) {
		for (int kind = 0; kind < 4; ++kind)
			if (mKindView[kind] != nullptr && mKindView[kind] != view &&
			    mKindView[kind]->GetSuperView())
				mKindView[kind]->PutInside(nullptr);
		if (mDetailView != nullptr)
			mDetailView->Hide();
		mDetailView = view;
		if (mCurrentPlaceHolder != nullptr) {
			view->PutInside(mCurrentPlaceHolder);
			view->PlaceInSuperFrameAt(0, 0, false);
		}
	}
	view->Refresh();
	view->Show();
}

void TSummaryWindow::RedoViews()
{
	if (mTableView == nullptr || mSideView == nullptr || mBottomView == nullptr ||
	    mControlsView == nullptr)
		return;
	StBindings tableBindings(mTableView);
	StBindings sideBindings(mSideView);
	StBindings bottomBindings(mBottomView);
	Rect content;
	CalcLocalFrameRect(content);
	Rect controls, side, bottom;
	mControlsView->CalcPortFrameRect(controls);
	mSideView->CalcPortFrameRect(side);
	mBottomView->CalcPortFrameRect(bottom);
	const SInt16 sideWidth = SInt16(side.right - side.left);
	const SInt16 bottomHeight = SInt16(bottom.bottom - bottom.top);
	auto resizeWindowBy = [&](SInt16 inDelta) {
		tableBindings.Restore();
		Rect bounds;
		GetGlobalBounds(bounds);
		bounds.right = SInt16(bounds.right + inDelta);
		DoSetBounds(bounds);
		tableBindings.TurnOffAll();
		CalcLocalFrameRect(content);
		mControlsView->CalcPortFrameRect(controls);
	};
	Rect table{content.top, content.left, controls.top, content.right};
	if (mViewMode == 1) {
		mSideView->Hide();
		mBottomView->Show();
		mCurrentPlaceHolder = mBottomView;
		for (int kind = 0; kind < 4; ++kind)
			mKindView[kind] = mKindViewH[kind];
		mSideView->PlaceInSuperFrameAt(-1000, -1000, false);
		if (mPreviousViewMode == 2)
			resizeWindowBy(SInt16(-sideWidth));
		mBottomView->PlaceInSuperFrameAt(content.left, controls.top - bottomHeight, false);
		table = Rect{content.top, content.left, SInt16(controls.top - bottomHeight), content.right};
	} else if (mViewMode == 2) {
		mSideView->Show();
		mBottomView->Hide();
		mCurrentPlaceHolder = mSideView;
		for (int kind = 0; kind < 4; ++kind)
			mKindView[kind] = mKindViewV[kind];
		mBottomView->PlaceInSuperFrameAt(-1000, -1000, false);
		if (content.right - content.left < kWideWidth)
			resizeWindowBy(SInt16(kWideWidth - (content.right - content.left)));
		mSideView->PlaceInSuperFrameAt(content.right - sideWidth, content.top, false);
		table = Rect{content.top, content.left, controls.top, SInt16(content.right - sideWidth)};
	} else {
		mSideView->Hide();
		mBottomView->Hide();
		mCurrentPlaceHolder = nullptr;
		for (int kind = 0; kind < 4; ++kind)
			mKindView[kind] = nullptr;
		mCurrentSecurity = nullptr;
		mSideView->PlaceInSuperFrameAt(-1000, -1000, false);
		mBottomView->PlaceInSuperFrameAt(-1000, -1000, false);
		if (mPreviousViewMode == 2)
			resizeWindowBy(SInt16(-sideWidth));
		table = Rect{content.top, content.left, controls.top, content.right};
	}
	mTableView->ResizeFrameTo(SInt16(table.right - table.left), SInt16(table.bottom - table.top), false);
	mTableView->PlaceInSuperFrameAt(0, 0, false);
	tableBindings.TurnOnAll();
	if (mDetailView != nullptr && mDetailView->GetSuperView() != mCurrentPlaceHolder) {
		mDetailView->PutInside(nullptr);
		mDetailView = nullptr;
	}
	RedoDetailView(mSelectedRow);
	Refresh();
}

Boolean TSummaryWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const int key = int(inKeyEvent.message & charCodeMask);
	const SInt32 count = mDrawList->Count();
	auto isSecurity = [this](SInt32 inRow) {
		tSummaryDraw* row = Row(inRow);
		return row != nullptr && row->Kind == tSummaryDraw::kSecurity && row->Security != nullptr;
	};
	SInt32 found = 0;
	if (key == kKeyHome) {
		for (SInt32 row = 1; row <= count && found == 0; ++row)
			found = isSecurity(row) ? row : 0;
	} else if (key == kKeyEnd) {
		for (SInt32 row = count; row >= 1 && found == 0; --row)
			found = isSecurity(row) ? row : 0;
	} else if (key == kKeyUp) {
		for (SInt32 row = mSelectedRow - 1; row >= 1 && found == 0; --row)
			found = isSecurity(row) ? row : 0;
		if (found == 0)
			found = mSelectedRow;
	} else if (key == kKeyDown) {
		for (SInt32 row = mSelectedRow + 1; row <= count && found == 0; ++row)
			found = isSecurity(row) ? row : 0;
		if (found == 0)
			found = mSelectedRow;
	} else if (std::isprint(key) && !(inKeyEvent.modifiers & cmdKey)) {
		const int wanted = std::tolower(key);
		for (SInt32 row = 1; row <= count && found == 0; ++row)
			if (isSecurity(row) &&
			    std::tolower(static_cast<unsigned char>(
			        Row(row)->Security->SecurityName()[0])) == wanted)
				found = row;
		if (found == 0)
			return false;
	} else {
		return TVyWindow::HandleKeyPress(inKeyEvent);
	}
	if (found == 0)
		return true;
	mSelectedRow = found;
	SelectRow(found);
	RedoDetailView(found);
	return true;
}

void TSummaryWindow::ShowContextMenu(SInt32 inRow, Point inGlobal)
{
	tSummaryDraw* row = Row(inRow);
	if (row == nullptr || row->Security == nullptr)
		return;
	TContextualMenu menu(kContextMenuID, true);
	unsigned long selection = 0;
	SInt16 menuID = 0;
	UInt16 item = 0;
	menu.ShowMenu(inGlobal, selection, menuID, item);
	if (selection != TContextualMenu::kCMMenuItemSelected)
		return;
	TDetailAction action(row->Security);
	action.SetCommand(SaveCommand(row->Security->Type()));
	switch (item) {
	case TDetailView::kMenuWeb:
		action.DoWeb();
		break;
	case TDetailView::kMenuEdit:
		action.DoEdit();
		break;
	case TDetailView::kMenuTrade:
		action.DoTrade();
		break;
	case TDetailView::kMenuFilings:
		action.DoFilings();
		break;
	case TDetailView::kMenuCharts:
		action.DoCharts();
		break;
	case TDetailView::kMenuUpdate:
		action.DoUpdate();
		break;
	default:
		break;
	}
}

Boolean TSummaryWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	const SInt32 value = ioParam != nullptr ? *static_cast<SInt32*>(ioParam) : 1;
	switch (inCommand) {
	case kSortName:
	case kSortClose:
	case kSortPrice:
	case kSortChange:
	case kSortPercent:
		if (value != 0)
			Sort(FourCharCode(inCommand));
		return true;
	case UWindowPanes::kSortDirection:
		mDescending = !mDescending;
		Sort(mSortCommand);
		RedoCicns();
		return true;
	case kStockBox:
	case kFundBox:
	case kIndexBox:
	case kCurrencyBox:
		RedoContent();
		if (mTable != nullptr)
			mTable->ScrollCellIntoFrame(STableCell(1, 1));
		return true;
	case kViewFull:
	case kViewBottom:
	case kViewSide:
		if (value != 0) {
			mPreviousViewMode = mViewMode;
			mViewMode = inCommand == kViewFull ? 0 : inCommand == kViewBottom ? 1 : 2;
			RedoViews();
		}
		return true;
	case UTablePrinting::kCmdPrint:
		UTablePrinting::AskAndPrint([this] { DoPrint(); });
		return true;
	default:
		return LWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TSummaryWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                       UInt16& outMark, Str255 outName)
{
	if (UTablePrinting::FindCommandStatus(inCommand, kPrintMenuString, outEnabled, outName))
		return;
	LWindow::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

void TSummaryWindow::DoPrint()
{
	if (mTable == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = UTablePrinting::CreatePrintout(kPrintoutID);
	StRGB text1(mTable->TextColour(0), kBlack);
	StRGB text2(mTable->TextColour(1), kBlack);
	StRGB text3(mTable->TextColour(2), kBlack);
	StRGB even(mTable->EvenRowColour(), kWhite);
	StRGB odd(mTable->OddRowColour(), kWhite);
	UTablePrinting::PrintTable(*printout, *mTable, mTable->GetRowHeight(1), FOUR_CHAR_CODE("Fot1"),
	                           FOUR_CHAR_CODE("Fot2"), "",
	                           [this](bool inPrinting) { mTable->SetPrinting(inPrinting); });
}

void TSummaryWindow::SaveState()
{
	if (mParameters == nullptr)
		return;
	tSummaryParameters& p = *mParameters;
	Rect bounds;
	GetGlobalBounds(bounds);
	p.windowTop = bounds.top;
	p.windowLeft = bounds.left;
	p.windowHeight = bounds.bottom - bounds.top;
	p.windowWidth = bounds.right - bounds.left;
	p.showStocks = mStockButton != nullptr && mStockButton->GetValue() > 0;
	p.showFunds = mFundButton != nullptr && mFundButton->GetValue() > 0;
	p.showIndexes = mIndexButton != nullptr && mIndexButton->GetValue() > 0;
	p.showCurrencies = mCurrencyButton != nullptr && mCurrencyButton->GetValue() > 0;
	p.sortKey = SortKeyOf(mSortCommand);
	p.descending = mDescending;
	p.viewMode = mViewMode;
	p.selectedRow = mSelectedRow;
}

void TSummaryWindow::TPluginFace::Delete()
{
	// The plug-in's settings and securities may go before the window's deletion comes round: write the
	// layout back and let go of them now.
	mWindow->SaveState();
	mWindow->mParameters = nullptr;
	mWindow->StopIdling();
	mWindow->HideDetailView();
	mWindow->ClearDrawList();
	for (TList<TSecurity>* list :
	     {mWindow->mStocks, mWindow->mFunds, mWindow->mIndexes, mWindow->mCurrencies})
		list->Clear();
	mWindow->DoClose();
}

void TSummaryWindow::TPluginFace::SetList(UInt16 inKind, TList<TSecurity>* inList)
{
	mWindow->SetList(tSecurityType(inKind), inList);
}

void TSummaryWindow::TPluginFace::SetParameters(tSummaryParameters* inParameters)
{
	mWindow->SetParameters(inParameters);
}

void TSummaryWindow::TPluginFace::RedoParameters(tSummaryParameters* inParameters)
{
	mWindow->RedoParameters(inParameters);
}
