#pragma once
// The ledger window: the transactions of one portfolio, listed, added (six add buttons or a drop of
// securities), edited in entry edit windows, deleted, sorted on two keys and printed. It works on a copy of
// the portfolio's ledger, written back only on OK, after which the portfolio window gets 5076.
//
// The portfolio window opens it with Open. For securities dropped on the portfolio window it uses
// DefaultDroppedEntry and CreateLedgerEditWindow; the edit window then reports 5087 (OK) or 5088 (Cancel)
// to it with the entry as the parameter.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "model/MarketCodes.h"
#include "model/tPortfolioItem.h"
#include "toolkit/TVyWindow.h"

#include <vector>

class LBevelButton;
class LPushButton;
class TLedgerEditWindow;
class TLedgerTable;
struct tDragEntry;

class TLedgerWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvLW") };
	static constexpr ResIDT kLayoutID = 5060;
	static constexpr ResIDT kPrintoutID = 5061;
	static constexpr SInt16 kDescendingIcon = 1012;
	static constexpr SInt16 kAscendingIcon = 1013;

	// What the window and the edit windows send their super-commanders.
	enum : CommandT { kLedgerChanged = 5076, kEntryOK = 5087, kEntryCancelled = 5088 };
	static constexpr tStockExchange kFundExchange = 901;

	// Makes the window under inSuper (the portfolio window), titles it, gives it the lists and shows it.
	static TLedgerWindow* Open(LCommander* inSuper, const char* inTitle, TList<tLedgerEntry>* inLedger,
	                           TList<tCategory>* inCategories, tCurrency inBaseCurrency);

	// A new entry of the type: today, symbol "XXXX", rate 1, split 1 to 2, enabled.
	static void DefaultLedgerEntry(tLedgerEntry* outEntry, UInt8 inType, tStockExchange inExchange,
	                               tCurrency inCurrency);
	// A dropped security as a new entry: a stock buys (sells when inSell) on its exchange, a fund buys
	// (sells) on exchange 901; the symbol is copied. Any other kind is refused (false, entry untouched).
	static bool DefaultDroppedEntry(tLedgerEntry* outEntry, const tDragEntry& inDropped, bool inSell,
	                                tCurrency inCurrency);
	// Opens the edit window of the entry's type under inSuper; throws 'nilP' for a type without one.
	static TLedgerEditWindow* CreateLedgerEditWindow(tLedgerEntry* inEntry,
	                                                 TList<tCategory>* inCategories, LCommander* inSuper);

	explicit TLedgerWindow(LStream* inStream);
	~TLedgerWindow() override;

	void BeTarget() override;
	Boolean AllowSubRemoval(LCommander* inSub) override;
	virtual void SetList(TList<tLedgerEntry>* inLedger, TList<tCategory>* inCategories,
	                     tCurrency inBaseCurrency);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

	void AddLedgerEntry(SInt32 inRow, UInt8 inType);
	// Opens entry inIndex (from 1) of the working list.
	TLedgerEditWindow* CreateEditWindow(SInt32 inIndex, bool inIsNew);
	void PrimarySort(FourCharCode inKey, bool inKeep);
	// Removes the selected entries; entries open in an edit window stay.
	void DeleteSecurities();
	// New entries for the dropped securities, before working-list entry inLine + 1 (0: at the top).
	void ReceiveDropped(const std::vector<tDragEntry>& inDropped, SInt32 inLine);
	void DoPrint();
	void SelectionChanged();

	TList<tLedgerEntry>* GetList() const { return mList; }
	TLedgerTable* GetTable() const { return mTable; }
	FourCharCode GetPrimarySort() const { return mPrimarySort; }
	FourCharCode GetSecondarySort() const { return mSecondarySort; }
	bool IsDescending() const { return mDescending; }
	// Whether the entry is being edited in an edit window opened from here.
	bool IsOpenForEdit(const tLedgerEntry* inEntry) const { return EditWindowOf(inEntry) != nullptr; }
	// The edit window opened from here on the entry, or null.
	TLedgerEditWindow* EditWindowOf(const tLedgerEntry* inEntry) const;
	size_t CountEditWindows() const { return mEditWindows.size(); }

protected:
	void FinishCreateSelf() override;

private:
	struct tOpenEdit {
		LCommander* window;
		tLedgerEntry* entry;
		bool isNew; // removed again when its edit is cancelled
	};

	void RedoCicns();
	void RedoTable();
	// Drops the record of the entry's edit window (which reported and is closing); whether it was new.
	bool ForgetEditWindow(const tLedgerEntry* inEntry);

	TLedgerTable* mTable = nullptr;
	std::vector<tOpenEdit> mEditWindows;
	LBevelButton* mDirectionButton = nullptr;
	LPushButton* mBuyStockButton = nullptr;
	LPushButton* mSellStockButton = nullptr;
	LPushButton* mSplitStockButton = nullptr;
	LPushButton* mBuyFundButton = nullptr;
	LPushButton* mSellFundButton = nullptr;
	LPushButton* mSplitFundButton = nullptr;
	LPushButton* mDeleteButton = nullptr;
	bool mDescending = false;
	FourCharCode mPrimarySort;
	FourCharCode mSecondarySort;
	TList<tLedgerEntry>* mList = nullptr;
	TList<tLedgerEntry>* mLedger = nullptr;
	TList<tCategory>* mCategoryList = nullptr;
	tCurrency mBaseCurrency = 0;
	bool mBusy = false;
};
