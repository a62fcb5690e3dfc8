#include "windows/portfolio/TLedgerWindow.h"

#include "Internet/UApplicationNotices.h"
#include "model/StockGlobals.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LPushButton.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerFundSplitWindow.h"
#include "windows/portfolio/TLedgerFundWindow.h"
#include "windows/portfolio/TLedgerOtherWindow.h"
#include "windows/portfolio/TLedgerStockSplitWindow.h"
#include "windows/portfolio/TLedgerStockWindow.h"
#include "windows/portfolio/TLedgerTable.h"
#include "windows/security/UTablePrinting.h"
#include "windows/security/UWindowPanes.h"
#include "windows/security/tDragEntry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace
{
constexpr FourCharCode kByDate = FOUR_CHAR_CODE("aSrt");
constexpr FourCharCode kByType = FOUR_CHAR_CODE("rSrt");
constexpr FourCharCode kBySymbol = FOUR_CHAR_CODE("nSrt");
constexpr FourCharCode kByShares = FOUR_CHAR_CODE("sSrt");
constexpr FourCharCode kByPrice = FOUR_CHAR_CODE("pSrt");
constexpr FourCharCode kByTotal = FOUR_CHAR_CODE("tSrt");
constexpr FourCharCode kByCurrency = FOUR_CHAR_CODE("cSrt");
constexpr FourCharCode kDelete = FOUR_CHAR_CODE("Dlte");
constexpr int kPrintMenuString = 12;
constexpr int kKeyBackspace = 8, kKeyDelete = 127;

struct tAddButton {
	FourCharCode command;
	UInt8 type;
};
constexpr tAddButton kAddButtons[] = {
    {FOUR_CHAR_CODE("BuyS"), kStockBuy},   {FOUR_CHAR_CODE("SelS"), kStockSell},
    {FOUR_CHAR_CODE("SplS"), kStockSplit}, {FOUR_CHAR_CODE("SplF"), kFundSplit},
    {FOUR_CHAR_CODE("BuyF"), kFundBuy},    {FOUR_CHAR_CODE("SelF"), kFundSell}};

// The comparison's keys, copied from the window that sorts; 0: no secondary key.
FourCharCode sPrimarySortCommand = kByDate;
FourCharCode sSecondarySortCommand = 0;
bool sSecondarySortFlag = false;

bool CompareOn(FourCharCode inKey, tLedgerEntry* inA, tLedgerEntry* inB);

// Ties go one level deep: a tie on the secondary key too counts as not after.
bool SecondarySort(tLedgerEntry* inA, tLedgerEntry* inB)
{
	if (sSecondarySortFlag || sSecondarySortCommand == 0)
		return false;
	sSecondarySortFlag = true;
	const bool after = CompareOn(sSecondarySortCommand, inA, inB);
	sSecondarySortFlag = false;
	return after;
}

template <class T> bool After(T inA, T inB, tLedgerEntry* inEntryA, tLedgerEntry* inEntryB)
{
	if (inA == inB)
		return SecondarySort(inEntryA, inEntryB);
	return inA > inB;
}

// Byte values after lower-casing both.
int CompareSymbols(const tLedgerEntry* inA, const tLedgerEntry* inB)
{
	for (size_t i = 0; i < tLedgerEntry::kSymbolSize; ++i) {
		const int a = std::tolower(static_cast<unsigned char>(inA->symbol[i]));
		const int b = std::tolower(static_cast<unsigned char>(inB->symbol[i]));
		if (a != b)
			return a < b ? -1 : 1;
		if (a == 0)
			break;
	}
	return 0;
}

bool CompareOn(FourCharCode inKey, tLedgerEntry* inA, tLedgerEntry* inB)
{
	switch (inKey) {
	case kByDate:
		if (inA->date > inB->date)
			return true;
		return inB->date > inA->date ? false : SecondarySort(inA, inB);
	case kByType:
		return After(inA->type, inB->type, inA, inB);
	case kBySymbol: {
		const int order = CompareSymbols(inA, inB);
		return order == 0 ? SecondarySort(inA, inB) : order > 0;
	}
	case kByShares:
		return After(inA->units, inB->units, inA, inB);
	case kByPrice:
		return After(inA->price, inB->price, inA, inB);
	case kByTotal:
		return After(inA->units * inA->price, inB->units * inB->price, inA, inB);
	case kByCurrency:
		return After(inA->currency, inB->currency, inA, inB);
	default:
		return false;
	}
}

bool SortEntries(tLedgerEntry* inA, tLedgerEntry* inB)
{
	return CompareOn(sPrimarySortCommand, inA, inB);
}

} // namespace

TLedgerWindow* TLedgerWindow::Open(LCommander* inSuper, const char* inTitle, TList<tLedgerEntry>* inLedger,
                                   TList<tCategory>* inCategories, tCurrency inBaseCurrency)
{
	auto* window = dynamic_cast<TLedgerWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	ThrowIfNil_(window);
	if (inTitle != nullptr) {
		Str255 title;
		PascalStrings::FromString(inTitle, title);
		window->SetDescriptor(title);
	}
	window->SetList(inLedger, inCategories, inBaseCurrency);
	window->Show();
	return window;
}

void TLedgerWindow::DefaultLedgerEntry(tLedgerEntry* outEntry, UInt8 inType, tStockExchange inExchange,
                                       tCurrency inCurrency)
{
	UPortfolioFile::DefaultEntry(outEntry, inType, SInt16(inExchange), inCurrency);
}

bool TLedgerWindow::DefaultDroppedEntry(tLedgerEntry* outEntry, const tDragEntry& inDropped, bool inSell,
                                        tCurrency inCurrency)
{
	if (outEntry == nullptr)
		return false;
	// Indexes and currency pairs are not holdings: they have no transactions.
	if (inDropped.kind == securityStock)
		DefaultLedgerEntry(outEntry, inSell ? kStockSell : kStockBuy, inDropped.exchange, inCurrency);
	else if (inDropped.kind == securityFund)
		DefaultLedgerEntry(outEntry, inSell ? kFundSell : kFundBuy, kFundExchange, inCurrency);
	else
		return false;
	std::memset(outEntry->symbol, 0, sizeof outEntry->symbol);
	std::memcpy(outEntry->symbol, inDropped.symbol,
	            strnlen(inDropped.symbol, tLedgerEntry::kSymbolSize - 1));
	return true;
}

TLedgerEditWindow* TLedgerWindow::CreateLedgerEditWindow(tLedgerEntry* inEntry,
                                                         TList<tCategory>* inCategories, LCommander* inSuper)
{
	SignalIf_(inEntry == nullptr || inCategories == nullptr || inSuper == nullptr);
	ThrowIfNil_(inEntry);
	ResIDT layout = 0;
	switch (inEntry->type) {
	case kStockBuy:
	case kStockSell:
		layout = TLedgerStockWindow::kLayoutID;
		break;
	case kStockSplit:
		layout = TLedgerStockSplitWindow::kLayoutID;
		break;
	case kFundSplit:
		layout = TLedgerFundSplitWindow::kLayoutID;
		break;
	case kFundBuy:
	case kFundSell:
		layout = TLedgerFundWindow::kLayoutID;
		break;
	case kOtherTransaction:
		layout = TLedgerOtherWindow::kLayoutID;
		break;
	default:
		throw LException(err_NilPointer);
	}
	auto* window = dynamic_cast<TLedgerEditWindow*>(LWindow::CreateWindow(layout, inSuper));
	ThrowIfNil_(window);
	window->SetEntry(inEntry, inCategories);
	window->Show();
	return window;
}

TLedgerWindow::TLedgerWindow(LStream* inStream)
    : TVyWindow(inStream), mPrimarySort(kByDate), mSecondarySort(kBySymbol)
{
}

TLedgerWindow::~TLedgerWindow()
{
	delete mList;
}

void TLedgerWindow::FinishCreateSelf()
{
	mBusy = true;
	TVyWindow::FinishCreateSelf();
	mTable = UWindowPanes::FindAs<TLedgerTable>(this, FOUR_CHAR_CODE("Tble"));
	mDirectionButton = UWindowPanes::FindAs<LBevelButton>(this, UWindowPanes::kSortDirection);
	mBuyStockButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("BuyS"));
	mSellStockButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("SelS"));
	mSplitStockButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("SplS"));
	mBuyFundButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("BuyF"));
	mSellFundButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("SelF"));
	mSplitFundButton = UWindowPanes::FindAs<LPushButton>(this, FOUR_CHAR_CODE("SplF"));
	mDeleteButton = UWindowPanes::FindAs<LPushButton>(this, kDelete);
	if (mTable != nullptr) {
		mTable->SetWindow(this);
		SetLatentSub(mTable);
	}
	if (mDeleteButton != nullptr)
		mDeleteButton->Disable();
	mBusy = false;
}

void TLedgerWindow::SetList(TList<tLedgerEntry>* inLedger, TList<tCategory>* inCategories,
                            tCurrency inBaseCurrency)
{
	SignalIfNot_(inLedger);
	ThrowIfNil_(inLedger);
	mLedger = inLedger;
	mCategoryList = inCategories;
	mBaseCurrency = inBaseCurrency;
	delete mList;
	mList = new (std::nothrow) TList<tLedgerEntry>(true, true);
	ThrowIfNil_(mList);
	TList<tLedgerEntry> walker(inLedger);
	for (tLedgerEntry* entry = walker.GetFirst(); entry != nullptr; entry = walker.GetNext())
		mList->Append(entry);
	mDescending = false;
	mPrimarySort = kByDate;
	sPrimarySortCommand = kByDate;
	sSecondarySortCommand = 0;
	mList->BubbleSort(&SortEntries, false);
	for (tLedgerEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext()) {
		entry->carriedFlag2 = 0;
		if (entry->foreign == 0)
			entry->currency = SInt16(inBaseCurrency);
	}
	mList->ClearModified();
	if (mTable != nullptr) {
		mTable->RemoveAllRows(false);
		if (mList->Count() > 0)
			mTable->InsertRows(UInt32(mList->Count()), 0, nullptr, 0, false);
		mTable->Refresh();
	}
	RedoCicns();
}

void TLedgerWindow::BeTarget()
{
	if (mTable != nullptr)
		SwitchTarget(mTable);
}

Boolean TLedgerWindow::AllowSubRemoval(LCommander* inSub)
{
	std::erase_if(mEditWindows, [inSub](const tOpenEdit& inEdit) { return inEdit.window == inSub; });
	return true;
}

TLedgerEditWindow* TLedgerWindow::EditWindowOf(const tLedgerEntry* inEntry) const
{
	for (const tOpenEdit& open : mEditWindows)
		if (open.entry == inEntry)
			return dynamic_cast<TLedgerEditWindow*>(open.window);
	return nullptr;
}

bool TLedgerWindow::ForgetEditWindow(const tLedgerEntry* inEntry)
{
	const auto open =
	    std::find_if(mEditWindows.begin(), mEditWindows.end(),
	                 [inEntry](const tOpenEdit& inEdit) { return inEdit.entry == inEntry; });
	if (open == mEditWindows.end())
		return false;
	const bool isNew = open->isNew;
	mEditWindows.erase(open);
	return isNew;
}

void TLedgerWindow::RedoTable()
{
	if (mTable != nullptr)
		mTable->Refresh();
}

void TLedgerWindow::RedoCicns()
{
	UWindowPanes::SetIcon(mDirectionButton, mDescending ? kDescendingIcon : kAscendingIcon);
}

void TLedgerWindow::SelectionChanged()
{
	if (mDeleteButton == nullptr || mTable == nullptr)
		return;
	UWindowPanes::SetEnabled(mDeleteButton, mTable->LastRowSelected() > 0);
}

void TLedgerWindow::AddLedgerEntry(SInt32 inRow, UInt8 inType)
{
	SignalIf_(mList == nullptr || mTable == nullptr);
	if (mList == nullptr || mTable == nullptr)
		return;
	mTable->UnselectAllCells();
	tLedgerEntry entry;
	DefaultLedgerEntry(&entry, inType, 100, mBaseCurrency);
	mList->Insert(&entry, inRow);
	mTable->InsertRows(1, TableIndexT(inRow), nullptr, 0, false);
	Refresh();
	mTable->SelectCell(STableCell(TableIndexT(inRow + 1), 1));
	CreateEditWindow(inRow + 1, true);
}

TLedgerEditWindow* TLedgerWindow::CreateEditWindow(SInt32 inIndex, bool inIsNew)
{
	tLedgerEntry* entry = mList != nullptr ? mList->GetNth(inIndex) : nullptr;
	SignalIfNot_(entry);
	if (entry == nullptr)
		return nullptr;
	// One window per entry: a second would save over the first's edits.
	if (TLedgerEditWindow* open = EditWindowOf(entry)) {
		open->Select();
		return open;
	}
	TLedgerEditWindow* window = CreateLedgerEditWindow(entry, mCategoryList, this);
	mEditWindows.push_back({window, entry, inIsNew});
	return window;
}

void TLedgerWindow::PrimarySort(FourCharCode inKey, bool inKeep)
{
	if (!inKeep) {
		if (inKey == mPrimarySort)
			return;
		mSecondarySort = mPrimarySort;
		mPrimarySort = inKey;
	}
	if (mList == nullptr)
		return;
	sPrimarySortCommand = mPrimarySort;
	sSecondarySortCommand = mSecondarySort;
	mList->BubbleSort(&SortEntries, mDescending);
	RedoTable();
}

void TLedgerWindow::DeleteSecurities()
{
	SignalIf_(mList == nullptr || mTable == nullptr);
	if (mList == nullptr || mTable == nullptr)
		return;
	TableIndexT rows = 0, cols = 0;
	mTable->GetTableSize(rows, cols);
	SInt32 removed = 0;
	bool kept = false;
	for (TableIndexT row = rows; row >= 1; --row) {
		const STableCell cell(row, 1);
		if (!mTable->CellIsSelected(cell))
			continue;
		tLedgerEntry* entry = mList->GetNth(long(row));
		if (entry == nullptr)
			continue;
		// Its edit window writes into it.
		if (IsOpenForEdit(entry)) {
			kept = true;
			continue;
		}
		mTable->UnselectCell(cell);
		mList->Remove(entry);
		mTable->RemoveRows(1, row, false);
		++removed;
	}
	if (removed > 0) {
		mList->Modified();
		mTable->Refresh();
	}
	mTable->UnselectAllCells();
	if (kept)
		UApplicationNotices::SysBeep();
}

void TLedgerWindow::ReceiveDropped(const std::vector<tDragEntry>& inDropped, SInt32 inLine)
{
	if (mList == nullptr || mTable == nullptr)
		return;
	SInt32 line = std::clamp<SInt32>(inLine, 0, mList->Count());
	SInt32 added = 0;
	for (const tDragEntry& dropped : inDropped) {
		tLedgerEntry entry;
		if (!DefaultDroppedEntry(&entry, dropped, false, mBaseCurrency))
			continue;
		mList->Insert(&entry, line);
		mTable->InsertRows(1, TableIndexT(line), nullptr, 0, false);
		++line;
		++added;
		CreateEditWindow(line, true);
	}
	mTable->UnselectAllCells();
	if (added > 0) {
		mList->Modified();
		mTable->Refresh();
		SetUpdateCommandStatus(true);
	}
}

Boolean TLedgerWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (mBusy)
		return true;
	for (const tAddButton& button : kAddButtons)
		if (inCommand == CommandT(button.command)) {
			AddLedgerEntry(mTable != nullptr ? mTable->LastRowSelected() : 0, button.type);
			return true;
		}
	switch (inCommand) {
	case kDelete:
		DeleteSecurities();
		return true;
	case kByDate:
	case kByType:
	case kBySymbol:
	case kByShares:
	case kByPrice:
	case kByTotal:
	case kByCurrency:
		PrimarySort(FourCharCode(inCommand), false);
		return true;
	case UWindowPanes::kSortDirection:
		mDescending = !mDescending;
		PrimarySort(mPrimarySort, true);
		RedoCicns();
		return true;
	case kOKButton: {
		// Edits still open are cancelled first, so that their new entries do not reach the portfolio.
		std::vector<LCommander*> open;
		for (const tOpenEdit& edit : mEditWindows)
			open.push_back(edit.window);
		for (LCommander* window : open)
			if (auto* edit = dynamic_cast<TLedgerEditWindow*>(window))
				edit->ObeyCommand(kCancelButton, nullptr);
		if (mLedger != nullptr && mList != nullptr)
			*mLedger = *mList;
		if (LCommander* super = GetSuperCommander())
			super->ObeyCommand(kLedgerChanged, nullptr);
		DoClose();
		return true;
	}
	case kCancelButton:
		DoClose();
		return true;
	case kEntryOK:
		ForgetEditWindow(static_cast<tLedgerEntry*>(ioParam));
		if (mList != nullptr)
			mList->Modified();
		RedoTable();
		return true;
	case kEntryCancelled: {
		auto* entry = static_cast<tLedgerEntry*>(ioParam);
		SignalIfNot_(entry);
		if (!ForgetEditWindow(entry) || mList == nullptr)
			return true;
		const int row = mList->FindItem(entry);
		if (row > 0) {
			mList->Remove(entry);
			if (mTable != nullptr)
				mTable->RemoveRows(1, TableIndexT(row));
		}
		return true;
	}
	case UTablePrinting::kCmdPrint:
		UTablePrinting::AskAndPrint([this] { DoPrint(); });
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TLedgerWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                      UInt16& outMark, Str255 outName)
{
	if (UTablePrinting::FindCommandStatus(inCommand, kPrintMenuString, outEnabled, outName))
		return;
	TVyWindow::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

Boolean TLedgerWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	SignalIfNot_(mTable);
	const int key = int(inKeyEvent.message & charCodeMask);
	if (key == kKeyBackspace || key == kKeyDelete) {
		DeleteSecurities();
		return true;
	}
	if ((inKeyEvent.modifiers & cmdKey) && std::tolower(key) == 'w' && mEditWindows.empty()) {
		DoClose();
		return true;
	}
	return TVyWindow::HandleKeyPress(inKeyEvent);
}

void TLedgerWindow::DoPrint()
{
	if (mTable == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = UTablePrinting::CreatePrintout(kPrintoutID);
	Str255 title;
	GetDescriptor(title);
	const std::string titleText = PascalStrings::ToString(title);
	if (LPane* caption = printout->FindPaneByID(FOUR_CHAR_CODE("Titl")))
		caption->SetDescriptor(title);
	UTablePrinting::PrintTable(*printout, *mTable, mTable->GetRowHeight(1), FOUR_CHAR_CODE("Fot1"),
	                           FOUR_CHAR_CODE("Fot2"), titleText.c_str(),
	                           [this](bool inPrinting) { mTable->SetPrinting(inPrinting); });
}
