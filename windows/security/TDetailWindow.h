#pragma once
// The base of every window that shows one security in full (the detail windows of each kind and the
// quick-quote windows): its banners coloured and styled by the security's display settings, the
// update button and arrows in step with its quote request, the flashing of price and change, three zoom
// sizes, the actions of its pop-up, buttons and context menu, and its position, size state, page and
// view kept in the security when it closes. A kind supplies the layout, the optional panes, the writing
// of its fields (RedoNormalContent) and its printout (DoPrint).
//
// The security drives the window through SecurityFace (IDetailWindow).

#include "model/IDetailWindow.h"
#include "model/SecurityTypes.h"
#include "platform/framework/LPeriodical.h"
#include "toolkit/TVyWindow.h"

#include <memory>

class CURLPushButton;
class LBevelButton;
class LCaption;
class LChasingArrows;
class LMultiPanelView;
class LPrintout;
class LStaticText;
class TBanner;
class TColourCaption;
class TColourCaptions;
class TSecurity;

class TDetailWindow : public TVyWindow, public LPeriodical
{
public:
	enum { kNewsCount = 6 };
	// Views: the big banner with the name as title, the alternate banner with the symbol as title.
	enum : tViewType { kViewBig = 10, kViewAlt = 11 };
	enum : tZoomState {
		kZoomNone = 0,
		kZoomFull = 1,
		kZoomBanner = 2,
		kZoomSmall = 3,
		kZoomFirstPage = 4,
		kZoomSecondPage = 5,
		kZoomPage2 = 6
	};
	// Items of the action pop-up.
	enum {
		kActPrint = 1,
		kActEdit = 2,
		kActTrade = 3,
		kActFilings = 4,
		kActCharts = 5,
		kActBig = 7,
		kActAlt = 8
	};
	// The settings dialog's default OK commands, swallowed when this window opened it.
	enum { kStockSaved = 5114, kFundSaved = 5124, kIndexSaved = 5134, kCurrencySaved = 5144 };
	static constexpr SInt16 kStockContextMenuID = 5031;
	static constexpr SInt16 kOtherContextMenuID = 5032;

	struct tPageRecord {
		SInt32 page = 0;
		SInt32 linksID = 0;
		LView* view = nullptr;
	};

	explicit TDetailWindow(LStream* inStream);
	~TDetailWindow() override;

	// What the security sees of the window.
	IDetailWindow* SecurityFace() { return &mSecurityFace; }
	// Makes the layout's window under the application's commander; null when it cannot be made.
	static TDetailWindow* Make(ResIDT inLayoutID);

	void Suspend() override;
	void Resume() override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	void ClickInContent(const EventRecord& inMacEvent) override;
	void DoSetZoom(Boolean inZoomOut) override;
	void Deactivate() override {}
	// Keeps position, state and view in the security and unlinks the window before it goes.
	void DoClose() override;

	// LPeriodical: the flashing.
	void SpendTime(const EventRecord& inMacEvent) override;
	virtual void DoEdit();
	virtual void DoTrade();
	virtual void DoEdgar();
	virtual void DoCharts();
	virtual void DoChangeView(int inItem);
	virtual void DoUpdate();
	virtual void DoWeb();
	virtual void RedoUpdating();
	virtual void DoPrint() = 0;
	virtual void RedoNormalContent() = 0;
	virtual void RedoTitle();
	virtual void RedoContent();
	virtual void SetBannerSize();
	virtual void SetCurrentSecurity(TSecurity* inSecurity);
	virtual void Discard();
	virtual void Update();
	virtual void EnableTrading(bool inEnable);
	virtual void StartUpdating();
	virtual void FinishUpdating();
	virtual void UpdateMe();

	// The print action: session, job dialog, DoPrint; a failure shows error dialog 15.
	void PrintWithDialog();
	// Runs a context-menu item of the window's kind as the command it stands for.
	void DoContextItem(UInt16 inItem);
	// Hides or shows the flashing captions (SpendTime's two halves); their texts stay the kind's own.
	void ShowFlashingValues(bool inShow);

	tViewType GetViewType() const { return mViewType; }
	tZoomState GetZoomState() const { return mZoomState; }
	bool IsUpdating() const { return mUpdating; }
	bool UsesFractions() const { return mUsesFractions; }
	const RGBColor& DisplayColour() const { return mDisplayColour; }
	LMultiPanelView* GetMultiPanelView() const { return mMultiPanelView; }
	LBevelButton* GetActionButton() const { return mActionButton; }

protected:
	void FinishCreateSelf() override;
	void DeactivateSelf() override {}
	void SuperDeactivate() override {}
	void DisableSelf() override {}

	// The kind's context menu: 5031 for stocks, 5032 for the others.
	SInt16 ContextMenuID() const;
	// Printing for DoPrint: the kind's printout (throws when it cannot be made), a text caption by id (at
	// most 255 characters), 'Crnt' and 'Chng' with the kind's decimals, and the footer and the job.
	static std::unique_ptr<LPrintout> MakePrintout(ResIDT inPrintoutID);
	static LCaption* PrintCaption(LView* inPrintout, PaneIDT inID);
	static void SetPrintText(LView* inPrintout, PaneIDT inID, const char* inText);
	void SetPrintPriceAndChange(LView* inPrintout, int inDecimals) const;
	// 'Quot': the source in effect for the security, as the window shows it.
	void SetPrintQuoteSource(LView* inPrintout) const;
	// The banner and time panes every kind writes alike: symbol, name, price and change in the display
	// colour, then the last trade and update times.
	void WriteBanners() const;
	static void PrintAndClose(LPrintout* inPrintout);
	// Unlinks the window from its security, then cancels the security's request, so that the
	// cancellation's completion cannot reach a window that is going.
	void UnlinkAndCancel();

	tViewType mViewType = kViewAlt;
	bool mFlashPhase = false;
	UInt32 mNextFlashTick = 0;
	bool mUpdating = false;
	tZoomState mZoomState = kZoomNone;
	TSecurity* mSecurity = nullptr;
	bool mUsesFractions = false;
	Rect mFullFrame = {0, 0, 0, 0};
	RGBColor mDisplayColour = {0, 0, 0};
	Rect mSmallBannerFrame = {0, 0, 0, 0};
	Rect mBigBannerFrame = {0, 0, 0, 0};

	TBanner* mAltBanner = nullptr;
	TColourCaption* mSymbolAlt = nullptr;
	TColourCaption* mCurrentPriceAlt = nullptr;
	TColourCaptions* mChangePriceAlt = nullptr;
	TBanner* mBigBanner = nullptr;
	TColourCaption* mSymbolBig = nullptr;
	TColourCaption* mCurrentPriceBig = nullptr;
	TColourCaptions* mChangePriceBig = nullptr;
	TBanner* mSmallBanner = nullptr;
	TColourCaption* mSymbolSmall = nullptr;
	TColourCaption* mCurrentPriceSmall = nullptr;
	LBevelButton* mUpdateButton = nullptr;
	LBevelButton* mGotoWebButton = nullptr;
	LBevelButton* mActionButton = nullptr;
	LChasingArrows* mUpdateArrows = nullptr;
	LPane* mHeaders = nullptr;
	LMultiPanelView* mMultiPanelView = nullptr;
	LView* mMainPanel = nullptr;
	LView* mNewsPanel = nullptr;
	LStaticText* mLastPrice = nullptr;
	LStaticText* mPreviousClose = nullptr;
	LStaticText* mDayOpen = nullptr;
	LStaticText* mDayHigh = nullptr;
	LStaticText* mDayLow = nullptr;
	LStaticText* mYearHigh = nullptr;
	LStaticText* mYearLow = nullptr;
	CURLPushButton* mQuoteSource = nullptr;
	CURLPushButton* mNewsItems[kNewsCount] = {};
	LStaticText* mLastTradeTime = nullptr;
	LStaticText* mLastUpdateTime = nullptr;

	// Set by the kind's constructor.
	SInt32 mNewsCount = 0;
	tPageRecord mPageRecords[2];
	bool mSmallLayout = false;
	bool mHasLastPrice = false;
	bool mHasPreviousClose = false;
	bool mHasDayOpen = false;
	bool mHasDayRange = false;
	bool mHasYearRange = false;

private:
	class TSecurityFace : public IDetailWindow
	{
	public:
		explicit TSecurityFace(TDetailWindow* inWindow) : mWindow(inWindow) {}
		void SetCurrentSecurity(TSecurity* inSecurity) override
		{
			mWindow->SetCurrentSecurity(inSecurity);
		}
		void Update() override { mWindow->Update(); }
		void StartUpdating() override { mWindow->StartUpdating(); }
		void FinishUpdating() override { mWindow->FinishUpdating(); }
		void EnableTrading(bool inEnable) override { mWindow->EnableTrading(inEnable); }
		void Show() override;
		void Select() override;
		void Activate() override;
		void AttemptClose() override;

	private:
		TDetailWindow* mWindow;
	};

	// The captions that flash: price and change of each banner present.
	template <class F> void ForEachFlashingCaption(F inDo);
	void SelectPage(SInt32 inPage);
	void SaveIntoSecurity();

	TSecurityFace mSecurityFace{this};
};
