#pragma once
// The summary window: the summary-enabled securities in up to four sections (stocks, funds, indexes,
// currency pairs), one row each with its previous close, last price, change and percent change, coloured
// and styled by its alert or up/down state, flashing while an alert asks for it, sortable on five keys in
// either direction, and the selected security's detail view below the table or beside it. At most one is
// open; the plug-in opens it and drives it through IPluginWindow.

#include "Includes/TList.h"
#include "Includes/TSecurityWatcher.h"
#include "model/SecurityTypes.h"
#include "platform/framework/LPeriodical.h"
#include "toolkit/TVyWindow.h"
#include "windows/security/TPluginWindowFace.h"
#include "windows/security/tSummaryDraw.h"

#include <unordered_map>
#include <vector>

class LBevelButton;
class LCheckBox;
class LPlacard;
class LRadioGroupView;
class LView;
class TDetailView;
class TSummaryTable;
struct tSummaryParameters;

class TSummaryWindow : public TVyWindow, public LPeriodical, public TSecurityWatcher
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvSW") };
	static constexpr ResIDT kLayoutID = 5020;
	static constexpr ResIDT kPrintoutID = 5021;
	static constexpr SInt16 kContextMenuID = 5035;
	static constexpr ResIDT kFirstDetailViewID = 5030;
	static constexpr SInt16 kDescendingIcon = 1012;
	static constexpr SInt16 kAscendingIcon = 1013;
	// The layout's 600 pixels of table and the 220 of the side view.
	static constexpr SInt16 kWideWidth = 820;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TSummaryWindow(LStream* inStream);
	~TSummaryWindow() override;

	// LPeriodical: the flashing.
	void SpendTime(const EventRecord& inEvent) override;
	void BeTarget() override;
	virtual void SetList(tSecurityType inKind, TList<TSecurity>* inList);
	virtual void SetParameters(tSummaryParameters* inParameters);
	virtual void RedoParameters(tSummaryParameters* inParameters);
	void UpdateBegins(TSecurity* inSecurity) override;
	void UpdateEnds(TSecurity* inSecurity) override;
	void Remove(TSecurity* inSecurity) override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	void Deactivate() override {}

	void RedoContent();
	void RedoViews();
	void RedoDetailView(SInt32 inRow);
	void RedoButtons();
	void ClearDrawList();
	void DoPrint();
	void ShowContextMenu(SInt32 inRow, Point inGlobal);

	TList<tSummaryDraw>* GetDrawList() const { return mDrawList; }
	// Element inRow (from 1) of the draw list, or null.
	tSummaryDraw* Row(SInt32 inRow) const;
	tSummaryParameters* GetParameters() const { return mParameters; }
	TSummaryTable* GetTable() const { return mTable; }
	bool FlashPhase() const { return mFlashPhase; }
	SInt32 SelectedRow() const { return mSelectedRow; }
	TSecurity* CurrentSecurity() const { return mCurrentSecurity; }
	UInt8 ViewMode() const { return mViewMode; }
	FourCharCode SortCommand() const { return mSortCommand; }
	bool Descending() const { return mDescending; }
	// The detail view now shown, or null.
	TDetailView* ShownDetailView() const { return mDetailView; }
	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	void FinishCreateSelf() override;
	void DeactivateSelf() override {}
	void SuperDeactivate() override {}
	void DisableSelf() override {}

private:
	class TPluginFace : public TPluginWindowFace<TSummaryWindow>
	{
	public:
		using TPluginWindowFace::TPluginWindowFace;
		void Delete() override;
		void SetList(UInt16 inKind, TList<TSecurity>* inList) override;
		void SetParameters(tSummaryParameters* inParameters) override;
		void RedoParameters(tSummaryParameters* inParameters) override;
	};

	TList<TSecurity>* SectionList(tSecurityType inKind) const;
	void AddToDrawList(char inKind, TSecurity* inSecurity, const char* inTitle, bool inDraggable);
	void StyleRow(tSummaryDraw& ioRow);
	SInt32 FindRow(TSecurity* inSecurity) const;
	void RemoveRow(TSecurity* inSecurity);
	void IndexRows();
	// After a sort the rows show the same securities: each section's rows take its list's order.
	void OrderRows();
	void StartOrStopFlashing();
	void RefreshRow(SInt32 inRow);
	void Sort(FourCharCode inCommand);
	void SortList(TList<TSecurity>* inList) const;
	// Moves the row of a security whose price changed to where sorting would put it.
	void PlaceRow(TSecurity* inSecurity);
	void RedoCicns();
	void SelectRow(SInt32 inRow);
	// RedoContent for rows that changed their order: the selection stays with its security.
	void RedoContentKeepingSelection();
	void SaveState();
	void HideDetailView();
	TDetailView* DetailViewFor(TSecurity* inSecurity) const;

	TList<TSecurity>* mStocks;
	TList<TSecurity>* mFunds;
	TList<TSecurity>* mCurrencies;
	TList<TSecurity>* mIndexes;
	TList<tSummaryDraw>* mDrawList;
	// The draw list's nodes by row, and the row of each security shown.
	std::vector<tListNode<tSummaryDraw>*> mRowNodes;
	std::unordered_map<TSecurity*, SInt32> mRowOf;
	TSummaryTable* mTable = nullptr;
	LBevelButton* mDirectionButton = nullptr;
	LRadioGroupView* mSortButtons = nullptr;
	LRadioGroupView* mViewButtons = nullptr;
	LCheckBox* mStockButton = nullptr;
	LCheckBox* mFundButton = nullptr;
	LCheckBox* mIndexButton = nullptr;
	LCheckBox* mCurrencyButton = nullptr;
	UInt8 mViewMode = 0;
	UInt8 mPreviousViewMode = 0;
	SInt32 mSelectedRow = 0;
	TSecurity* mCurrentSecurity = nullptr;
	LView* mTableView = nullptr;
	LView* mBottomView = nullptr;
	LView* mSideView = nullptr;
	LPlacard* mControlsView = nullptr;
	LView* mCurrentPlaceHolder = nullptr;
	TDetailView* mDetailView = nullptr;
	// Per kind (stock, fund, index, currency pair): the instance in use, then the bottom and side ones.
	TDetailView* mKindView[4] = {};
	TDetailView* mKindViewH[4] = {};
	TDetailView* mKindViewV[4] = {};
	tSummaryParameters* mParameters = nullptr;
	FourCharCode mSortCommand;
	bool mDescending = false;
	bool mFlashPhase = false;
	UInt32 mNextFlashTick = 0;
	TPluginFace mPluginFace{this};
};
