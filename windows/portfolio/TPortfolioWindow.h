#pragma once
// The window of one portfolio document: a banner with the portfolio's value and its change against the
// purchase and against yesterday (coloured, styled and blinking by the portfolio's alerts), the table of
// categories and holdings worked out by the window's accountant, sort buttons, the reference view, a date
// range, and the buttons that open the ledger and the settings windows. Securities dropped on it become new
// ledger entries through an entry edit window. The document owns the lists and parameters it is given.

#include "Includes/TList.h"
#include "model/tPortfolioItem.h"
#include "platform/framework/LDragAndDrop.h"
#include "platform/framework/LPeriodical.h"
#include "toolkit/TVyWindow.h"

#include <memory>
#include <string>
#include <vector>

class LBevelButton;
class LClock;
class LCheckBox;
class LRadioButton;
class LView;
class TAccountant;
class TBanner;
class TColourCaption;
class TColourCaptions;
class TPortfolioTable;
struct tAlertParameters;
struct tPortfolioParameters;
struct tDragEntry;

class TPortfolioWindow : public TVyWindow, public LPeriodical, public LDragAndDrop
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stPW") };
	static constexpr ResIDT kLayoutID = 5040;
	static constexpr ResIDT kPrintoutYesterdayID = 5041;
	static constexpr ResIDT kPrintoutOriginalID = 5042;
	static constexpr SInt16 kAddSymbolsDialogID = 5052;

	// Commands the portfolio window answers; the ledger, settings and entry edit windows send the
	// numbers.
	static constexpr CommandT kCmdSettingsOK = 5070;
	static constexpr CommandT kCmdRebuildMenus = 5072;
	static constexpr CommandT kCmdLedgerOK = 5076;
	static constexpr CommandT kCmdEntryOK = 5087;
	static constexpr CommandT kCmdEntryCancel = 5088;
	static constexpr CommandT kCmdDateChanged = 1234;
	static constexpr CommandT kCmdOpenLedger = FOUR_CHAR_CODE("Ldgr");
	static constexpr CommandT kCmdOpenSettings = FOUR_CHAR_CODE("Prfs");
	static constexpr CommandT kFirstTriangleCommand = 13001;
	static constexpr CommandT kFirstCheckboxCommand = 14001;

	explicit TPortfolioWindow(LStream* inStream);
	~TPortfolioWindow() override;

	virtual void DoPrint();
	virtual void SaveParameters();
	virtual void SetList(TList<tCategory>* inCategories, TList<tLedgerEntry>* inLedger,
	                     tPortfolioParameters* inParameters);

	// The accountant's callback: 0 and 1 after the rows were rebuilt, 2 after the totals changed.
	static void PortfolioAction(tPortfolioAction inAction, void* inWindow, int inRows);
	// The change and percentage texts of a change caption, as the detail windows write them.
	static void ChangeTexts(float inReference, float inCurrent, std::string& outChange,
	                        std::string& outPercent);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	void HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount) override;
	void ClickInGrow(const EventRecord& inMacEvent) override;
	void DoSetZoom(Boolean inZoomOut) override;
	// The zoom box with these keys held: shift returns to the full size, option goes to the banner.
	void ZoomWith(UInt16 inModifiers);
	Boolean AllowSubRemoval(LCommander* inSub) override;
	void SpendTime(const EventRecord& inMacEvent) override;

	Boolean ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef) override;
	void ReceiveDragItem(DragReference inDragRef, DragAttributes inDragAttrs, ItemReference inItemRef,
	                     Rect& inItemBounds) override;
	void EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender) override;
	void LeaveDropArea(DragReference inDragRef) override;
	void HiliteDropArea(DragReference inDragRef) override;
	void UnhiliteDropArea(DragReference inDragRef) override;

	void ClickCheckbox(SInt32 inRow);
	void ClickTriangle(SInt32 inRow);
	void RedoBanners();
	void RedoControlsVisibility(bool inShow);

	TAccountant* GetAccountant() const { return mAccountant; }
	tPortfolioParameters* GetParameters() const { return mParameters; }
	TList<tLedgerEntry>* GetLedger() const { return mLedgerList; }
	TList<tCategory>* GetCategories() const { return mCategoryList; }
	TPortfolioTable* GetTable() const { return mTable; }
	bool ViewOriginal() const { return mViewOriginal; }
	UInt8 Sort() const { return mSort; }
	bool Descending() const { return mDescending; }
	UInt8 ZoomState() const { return mZoomState; }
	bool Blinking() const { return mBlinking; }
	LWindow* LedgerWindow() const { return LiveSub(mLedgerWindow); }
	LWindow* SettingsWindow() const { return LiveSub(mPrefsWindow); }
	// The row check boxes, in row order.
	LCheckBox* RowCheckbox(SInt32 inRow) const;
	// Closes the ledger and settings windows as Cancel does: their copies must not be written over a
	// revert.
	void CancelEditors();
	// An open settings window, entry edit window, or ledger window with changes: edits the document
	// does not hold yet.
	bool HoldsUnappliedEdits() const;
	// Presses OK in every open entry edit window, then in the ledger and settings windows; false when one
	// refused its input and stays open. An entry's window says why.
	bool ApplyEditors();

protected:
	void FinishCreateSelf() override;

private:
	struct tLineEntry {
		LCheckBox* Checkbox = nullptr;
	};
	// A dropped security's new entry, owned here while its edit window is open.
	struct tDropEdit {
		LWindow* window;
		std::unique_ptr<tLedgerEntry> entry;
	};
	// The window while it is open under this one, else null. The ledger and settings windows close
	// themselves on OK and Cancel without asking AllowSubRemoval.
	LWindow* LiveSub(LWindow* inWindow) const;
	void SaveContent();
	void RedoContent();
	void RedoSort(UInt8 inKind, SInt32 inValue);
	void RedoHeaders();
	void RedoCicns();
	void RedoTable(int inRows);
	void RedoControls(int inRows);
	void ClearControls();
	void Recalculate();
	void RebuildRows();
	void PlaceWindow();
	void CheckAndAddSymbols();
	void FillInSymbolInfo(tLedgerEntry* ioEntry) const;
	// Only stocks and funds become ledger entries.
	static bool IsDroppable(const tDragEntry& inEntry);
	void OpenLedgerWindow();
	// Takes back the entry a drop's edit window reports on; null when it is not one of them.
	std::unique_ptr<tLedgerEntry> TakeDroppedEntry(const void* inEntry);
	// The window's own controls, which must not act while the ledger window is open.
	bool IsControlCommand(CommandT inCommand) const;
	// The row (from 1) whose check box sends inCommand, however many rows there are; 0 for another
	// command.
	SInt32 CheckboxRow(CommandT inCommand) const;
	void RefuseWhileLedgerOpen(CommandT inCommand, const void* ioParam);
	void OpenSettingsWindow();
	void BlankBanners();
	const tAlertParameters* CheckAlerts(float inValue, float inReference) const;

	TPortfolioTable* mTable = nullptr;
	LWindow* mPrefsWindow = nullptr;
	LWindow* mLedgerWindow = nullptr;
	std::vector<tDropEdit> mDropEdits;
	TBanner* mBanner = nullptr;
	Rect mBannerFrame{0, 0, 0, 0};
	TColourCaption* mPortfolioValue = nullptr;
	Rect mValueFrame{0, 0, 0, 0};
	TColourCaptions* mYesterdaysChange = nullptr;
	TColourCaptions* mOriginalChange = nullptr;
	LRadioButton* mNameButton = nullptr;
	LRadioButton* mSharesButton = nullptr;
	LRadioButton* mOYPriceButton = nullptr;
	LRadioButton* mOYTotalButton = nullptr;
	LRadioButton* mCurrentPriceButton = nullptr;
	LRadioButton* mCurrentTotalButton = nullptr;
	LRadioButton* mChangeButton = nullptr;
	LBevelButton* mDirectionButton = nullptr;
	LView* mBottomView = nullptr;
	LRadioButton* mViewAsYesterday = nullptr;
	LRadioButton* mViewAsOriginal = nullptr;
	LRadioButton* mRangeButton = nullptr;
	LRadioButton* mSelectAllButton = nullptr;
	LClock* mDateFrom = nullptr;
	LClock* mDateTo = nullptr;
	TAccountant* mAccountant = nullptr;
	tPortfolioParameters* mParameters = nullptr;
	TList<tLedgerEntry>* mLedgerList = nullptr;
	TList<tCategory>* mCategoryList = nullptr;
	bool mViewOriginal = true;
	TList<tLineEntry>* mList = nullptr;
	bool mRowsPending = false;
	UInt32 mPendingRows = 0;
	bool mBlinking = false;
	bool mBlinkPhase = false;
	UInt32 mNextFlash = 0;
	bool mDescending = false;
	UInt8 mSort = kSortName;
	UInt8 mZoomState = 1;
	Rect mFullFrame{0, 0, 0, 0};
	bool mBusy = false;
};
