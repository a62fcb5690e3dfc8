#include "windows/security/TDetailWindow.h"

#include "Includes/NoValue.h"
#include "Includes/tStockTickerPrefs.h"
#include "Quoters/TQuoterManager.h"
#include "app/AppGlobals.h"
#include "foundation/UDisplay.h"
#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UModifierKeys.h"
#include "model/USecurityRequests.h"
#include "model/UZVUtils.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/TBanner.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"
#include "toolkit/TContextualMenu.h"
#include "toolkit/TPrinterHeader.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsScreen.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/TDetailAction.h"
#include "windows/security/UDetailPanes.h"
#include "windows/security/UTablePrinting.h"
#include "windows/security/UWindowPanes.h"

#include <string>
#include <utility>

namespace
{
constexpr CommandT kCmdQuoteSource = FOUR_CHAR_CODE("Quot");
constexpr CommandT kCmdUpdate = FOUR_CHAR_CODE("Updt");
constexpr CommandT kCmdWeb = FOUR_CHAR_CODE("WebP");
constexpr CommandT kCmdAction = FOUR_CHAR_CODE("Actn");
constexpr CommandT kCmdClose = 4;
constexpr PaneIDT kNewsIDs[TDetailWindow::kNewsCount] = {FOUR_CHAR_CODE("Nws1"), FOUR_CHAR_CODE("Nws2"),
                                                         FOUR_CHAR_CODE("Nws3"), FOUR_CHAR_CODE("Nws4"),
                                                         FOUR_CHAR_CODE("Nws5"), FOUR_CHAR_CODE("Nws6")};

Rect FrameOf(LPane* inPane)
{
	Rect frame = {0, 0, 0, 0};
	if (inPane != nullptr) {
		SDimension16 size;
		inPane->GetFrameSize(size);
		frame.bottom = size.height;
		frame.right = size.width;
	}
	return frame;
}

SInt16 Width(const Rect& inRect)
{
	return SInt16(inRect.right - inRect.left);
}

SInt16 Height(const Rect& inRect)
{
	return SInt16(inRect.bottom - inRect.top);
}
} // namespace

TDetailWindow::TDetailWindow(LStream* inStream) : TVyWindow(inStream) {}

TDetailWindow::~TDetailWindow()
{
	StopIdling();
	SaveIntoSecurity();
}

TDetailWindow* TDetailWindow::Make(ResIDT inLayoutID)
{
	return dynamic_cast<TDetailWindow*>(LWindow::CreateWindow(inLayoutID, gCommander));
}

void TDetailWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mFullFrame = FrameOf(this);
	mAltBanner = UWindowPanes::FindAs<TBanner>(this, FOUR_CHAR_CODE("aBnr"));
	mCurrentPriceAlt = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("aPrc"));
	mChangePriceAlt = UWindowPanes::FindAs<TColourCaptions>(this, FOUR_CHAR_CODE("aChn"));
	if (!mSmallLayout) {
		mBigBanner = UWindowPanes::FindAs<TBanner>(this, FOUR_CHAR_CODE("bBnr"));
		mSymbolBig = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("bSym"));
		mCurrentPriceBig = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("bPrc"));
		mChangePriceBig = UWindowPanes::FindAs<TColourCaptions>(this, FOUR_CHAR_CODE("bChn"));
		mSymbolAlt = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("aSym"));
		mSmallBanner = UWindowPanes::FindAs<TBanner>(this, FOUR_CHAR_CODE("sBnr"));
		mSymbolSmall = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("sSym"));
		mCurrentPriceSmall = UWindowPanes::FindAs<TColourCaption>(this, FOUR_CHAR_CODE("sPrc"));
		mBigBannerFrame = FrameOf(mBigBanner);
		mSmallBannerFrame = FrameOf(mSmallBanner);
	}

	mUpdateButton = UWindowPanes::FindAs<LBevelButton>(this, FOUR_CHAR_CODE("Updt"));
	if (mUpdateButton != nullptr)
		mUpdateButton->Enable();
	mGotoWebButton = UWindowPanes::FindAs<LBevelButton>(this, FOUR_CHAR_CODE("WebP"));
	mActionButton = UWindowPanes::FindAs<LBevelButton>(this, FOUR_CHAR_CODE("Actn"));
	mUpdateArrows = UWindowPanes::FindAs<LChasingArrows>(this, FOUR_CHAR_CODE("Arrw"));
	mHeaders = UWindowPanes::FindAs<LPane>(this, FOUR_CHAR_CODE("Hdrs"));
	mMultiPanelView = UWindowPanes::FindAs<LMultiPanelView>(this, FOUR_CHAR_CODE("MPV1"));
	if (mMultiPanelView != nullptr) {
		mMultiPanelView->CreateAllPanels();
		for (tPageRecord& record : mPageRecords) {
			record.view = mMultiPanelView->GetPanel(UInt16(record.page));
			SignalIf_(record.view == nullptr);
			if (record.view != nullptr)
				UReanimator::LinkListenerToControls(this, record.view,
				                                    ResIDT(record.linksID));
		}
	}
	mMainPanel = mPageRecords[0].view;
	mNewsPanel = mPageRecords[1].view;

	if (mHasLastPrice)
		mLastPrice = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("lstP"));
	if (mHasPreviousClose)
		mPreviousClose = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("ydyC"));
	if (mHasDayOpen)
		mDayOpen = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("dayO"));
	if (mHasDayRange) {
		mDayHigh = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("dayH"));
		mDayLow = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("dayL"));
	}
	if (mHasYearRange) {
		mYearHigh = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("ytdH"));
		mYearLow = UWindowPanes::FindAs<LStaticText>(mMainPanel, FOUR_CHAR_CODE("ytdL"));
	}
	for (SInt32 i = 0; i < mNewsCount && i < kNewsCount; ++i)
		mNewsItems[i] = UWindowPanes::FindAs<CURLPushButton>(mNewsPanel, kNewsIDs[i]);
	mQuoteSource = UWindowPanes::FindAs<CURLPushButton>(mMainPanel, FOUR_CHAR_CODE("Quot"));
	mLastTradeTime = UWindowPanes::FindAs<LStaticText>(this, FOUR_CHAR_CODE("dtTr"));
	mLastUpdateTime = UWindowPanes::FindAs<LStaticText>(this, FOUR_CHAR_CODE("dtUp"));

	if (auto* headers = dynamic_cast<LBroadcaster*>(mHeaders); headers != nullptr && mMultiPanelView)
		headers->AddListener(mMultiPanelView);
	mZoomState = kZoomFull;
	mUpdating = false;
}

// The security's side

void TDetailWindow::SetCurrentSecurity(TSecurity* inSecurity)
{
	SignalIf_(inSecurity == nullptr);
	if (inSecurity == nullptr)
		return;
	mSecurity = inSecurity;
	mViewType = inSecurity->ViewType();
	RedoContent();

	SInt32 top = 0, left = 0;
	tZoomState zoom = kZoomNone;
	inSecurity->DetailWindowPosition(&top, &left, &zoom);
	mZoomState = zoom;
	if (top == 0 && left == 0) {
		Rect present;
		GetGlobalBounds(present);
		top = present.top;
		left = present.left;
	}
	SInt16 width = Width(mFullFrame), height = Height(mFullFrame);
	switch (mZoomState) {
	case kZoomBanner:
		height = Height(mBigBannerFrame);
		break;
	case kZoomSmall:
		width = Width(mSmallBannerFrame);
		height = Height(mSmallBannerFrame);
		break;
	case kZoomFirstPage:
		SelectPage(mPageRecords[0].page);
		break;
	case kZoomSecondPage:
		SelectPage(mPageRecords[1].page);
		break;
	case kZoomPage2:
		SelectPage(2);
		break;
	default:
		break;
	}
	SetBannerSize();
	RedoTitle();
	Rect bounds = {SInt16(top), SInt16(left), SInt16(top + height), SInt16(left + width)};
	if (!UKsScreen::IsOnScreen(&bounds))
		bounds = {50, 50, SInt16(50 + Height(mFullFrame)), SInt16(50 + Width(mFullFrame))};
	DoSetBounds(bounds);
}

void TDetailWindow::Update()
{
	RedoTitle();
	RedoContent();
}

void TDetailWindow::StartUpdating()
{
	mUpdating = true;
	RedoUpdating();
}

void TDetailWindow::FinishUpdating()
{
	mUpdating = false;
	RedoUpdating();
}

void TDetailWindow::UpdateMe()
{
	DoUpdate();
}

void TDetailWindow::Discard()
{
	mSecurity = nullptr;
}

void TDetailWindow::EnableTrading(bool) {}

void TDetailWindow::DoClose()
{
	// Saved now: the window is deleted later, when its security may be gone.
	SaveIntoSecurity();
	StopIdling();
	TVyWindow::DoClose();
}

void TDetailWindow::SaveIntoSecurity()
{
	TSecurity* security = mSecurity;
	if (security == nullptr)
		return;
	tZoomState state = mZoomState;
	if (state == kZoomFull || state == kZoomFirstPage || state == kZoomSecondPage ||
	    state == kZoomPage2) {
		const SInt32 page = mMultiPanelView != nullptr ? mMultiPanelView->GetCurrentIndex() : 0;
		if (page == mPageRecords[0].page)
			state = kZoomFirstPage;
		else if (page == mPageRecords[1].page)
			state = kZoomSecondPage;
		else if (page == 2)
			state = kZoomPage2;
		else if (page == 3)
			state = kZoomSecondPage;
		else
			state = kZoomFirstPage;
	}
	Rect bounds;
	GetGlobalBounds(bounds);
	security->DetailWindowPosition(bounds.top, bounds.left, state);
	security->ViewType(mViewType);
	mSecurity = nullptr;
	// A security that closes its window has forgotten it already.
	if (security->GetDetailWindow() == &mSecurityFace)
		security->CloseDetailWindow(false);
}

void TDetailWindow::UnlinkAndCancel()
{
	TSecurity* security = mSecurity;
	if (security == nullptr)
		return;
	if (security->GetDetailWindow() == &mSecurityFace)
		security->SetDetailWindow(nullptr);
	mUpdating = false;
	if (security->UpdateSecurityReference() != nullptr)
		USecurityRequests::CancelURL(security);
}

// Drawing

void TDetailWindow::RedoTitle()
{
	if (mSecurity == nullptr)
		return;
	const char* text = "";
	if (mZoomState != kZoomSmall)
		text = mViewType == kViewAlt ? mSecurity->SecuritySymbol() : mSecurity->SecurityName();
	Str255 title;
	PascalStrings::FromString(text != nullptr ? text : "", title);
	SetDescriptor(title);
}

template <class F> void TDetailWindow::ForEachFlashingCaption(F inDo)
{
	for (TColourCaption* caption : {static_cast<TColourCaption*>(mCurrentPriceBig), mCurrentPriceAlt,
	                                static_cast<TColourCaption*>(mChangePriceBig),
	                                static_cast<TColourCaption*>(mChangePriceAlt), mCurrentPriceSmall})
		if (caption != nullptr)
			inDo(caption);
}

void TDetailWindow::ShowFlashingValues(bool inShow)
{
	ForEachFlashingCaption([inShow](TColourCaption* caption) {
		if (inShow)
			caption->Show();
		else
			caption->Hide();
	});
}

void TDetailWindow::RedoContent()
{
	if (mSecurity == nullptr)
		return;
	mUsesFractions = UZVUtils::UsesFractions(mSecurity);
	if (gPreferences != nullptr)
		for (TBanner* banner : {mBigBanner, mAltBanner, mSmallBanner})
			if (banner != nullptr)
				banner->SetBackground(gPreferences->normalColour);

	bool sound = false, flash = false, bold = false, italic = false, underline = false, flag1 = false,
	     flag2 = false;
	int soundID = 0;
	UZVUtils::GetDisplaySpecs(mSecurity, mDisplayColour, sound, soundID, flash, bold, italic, underline,
	                          flag1, flag2);
	for (TColourCaption* caption :
	     {mSymbolBig, mCurrentPriceBig, static_cast<TColourCaption*>(mChangePriceBig), mSymbolAlt,
	      mCurrentPriceAlt, static_cast<TColourCaption*>(mChangePriceAlt), mSymbolSmall,
	      mCurrentPriceSmall})
		if (caption != nullptr) {
			caption->ResetFaceStyle();
			caption->Bold(bold);
			caption->Italic(italic);
			caption->Underline(underline);
		}

	// A redraw shows the values; the flashing blanks them again from the next whole second.
	ShowFlashingValues(true);
	if (flash) {
		mNextFlashTick = UDisplay::FlashTickOn();
		mFlashPhase = false;
		StartIdling();
	} else {
		StopIdling();
	}

	RedoNormalContent();
	for (SInt32 i = 0; i < mNewsCount && i < kNewsCount; ++i)
		if (mNewsItems[i] != nullptr)
			UPPUtils::SetNewsItem(mNewsItems[i], mSecurity, i + 1);

	if (mActionButton != nullptr) {
		mActionButton->EnableItem(kActPrint, true);
		mActionButton->EnableItem(kActEdit, true);
		mActionButton->EnableItem(kActTrade,
		                          gPreferences != nullptr && gPreferences->useTradeURL != 0);
		mActionButton->EnableItem(kActFilings, mSecurity->Type() == securityStock);
		mActionButton->EnableItem(kActCharts, false);
		mActionButton->SetCurrentMenuItem(mViewType == kViewAlt ? kActAlt : kActBig);
	}
	if (mSecurity->UpdateSecurityReference() != nullptr)
		StartUpdating();
	else
		FinishUpdating();
}

void TDetailWindow::RedoUpdating()
{
	UDetailPanes::ShowUpdating(mUpdateButton, mUpdateArrows, mUpdating);
}

void TDetailWindow::SpendTime(const EventRecord&)
{
	if (TickCount() < mNextFlashTick)
		return;
	ShowFlashingValues(mFlashPhase);
	mNextFlashTick = mFlashPhase ? UDisplay::FlashTickOff() : UDisplay::FlashTickOn();
	mFlashPhase = !mFlashPhase;
}

void TDetailWindow::SetBannerSize()
{
	if (mSmallLayout)
		return;
	switch (mZoomState) {
	case kZoomFull:
	case kZoomBanner:
	case kZoomFirstPage:
	case kZoomSecondPage:
	case kZoomPage2:
		UWindowPanes::SetShown(mAltBanner, mViewType == kViewAlt);
		UWindowPanes::SetShown(mBigBanner, mViewType != kViewAlt);
		UWindowPanes::SetShown(mSmallBanner, false);
		break;
	case kZoomSmall:
		UWindowPanes::SetShown(mSmallBanner, true);
		UWindowPanes::SetShown(mAltBanner, false);
		UWindowPanes::SetShown(mBigBanner, false);
		break;
	default:
		break;
	}
}

void TDetailWindow::SelectPage(SInt32 inPage)
{
	if (mHeaders != nullptr)
		mHeaders->SetValue(inPage);
	if (mMultiPanelView != nullptr)
		mMultiPanelView->SwitchToPanel(UInt16(inPage));
}

void TDetailWindow::DoChangeView(int inItem)
{
	if (inItem != kActBig && inItem != kActAlt)
		return;
	mViewType = inItem == kActBig ? kViewBig : kViewAlt;
	SetBannerSize();
	RedoTitle();
	RedoContent();
}

void TDetailWindow::DoSetZoom(Boolean)
{
	// A window of the small layout has neither banner size to go to.
	if (mSmallLayout)
		return;
	Rect frame;
	GetGlobalBounds(frame);
	tZoomState current = mZoomState;
	if (UModifierKeys::ShiftKey())
		current = kZoomSmall;
	else if (UModifierKeys::OptionKey())
		current = kZoomFull;
	else if (UModifierKeys::ControlKey())
		current = kZoomBanner;

	SInt16 width = Width(frame), height = Height(frame);
	switch (current) {
	case kZoomFull:
	case kZoomFirstPage:
	case kZoomSecondPage:
	case kZoomPage2:
		mZoomState = kZoomBanner;
		height = Height(mBigBannerFrame);
		break;
	case kZoomBanner:
		mZoomState = kZoomSmall;
		width = Width(mSmallBannerFrame);
		height = Height(mSmallBannerFrame);
		break;
	case kZoomSmall:
		mZoomState = kZoomFull;
		width = Width(mFullFrame);
		height = Height(mFullFrame);
		break;
	default:
		return;
	}
	const Rect bounds = {frame.top, frame.left, SInt16(frame.top + height), SInt16(frame.left + width)};
	SetBannerSize();
	RedoTitle();
	DoSetBounds(bounds);
	Refresh();
	Select();
}

// Actions

void TDetailWindow::DoUpdate()
{
	// A request waiting in the round moves up; one being transferred brings the fresh quote.
	if (mSecurity != nullptr)
		USecurityRequests::SubmitUserURL(mSecurity);
}

void TDetailWindow::DoEdit()
{
	if (mSecurity != nullptr)
		mSecurity->ShowSelectDlog(this, 0, false);
}

void TDetailWindow::DoTrade()
{
	TDetailAction(mSecurity).DoTrade();
}

void TDetailWindow::DoEdgar()
{
	TDetailAction(mSecurity).DoFilings();
}

void TDetailWindow::DoCharts()
{
	TDetailAction(mSecurity).DoCharts();
}

void TDetailWindow::DoWeb()
{
	TDetailAction::OpenSourcePage(mSecurity, true);
}

void TDetailWindow::PrintWithDialog()
{
	UTablePrinting::AskAndPrint([this] { DoPrint(); });
}

SInt16 TDetailWindow::ContextMenuID() const
{
	return mSecurity != nullptr && mSecurity->Type() == securityStock ? kStockContextMenuID
	                                                                  : kOtherContextMenuID;
}

void TDetailWindow::DoContextItem(UInt16 inItem)
{
	struct Entry {
		UInt16 stockItem;
		UInt16 otherItem;
		CommandT command;
		SInt32 action;
	};
	static constexpr Entry kEntries[] = {{1, 1, kCmdWeb, 0},
	                                     {3, 3, kCmdAction, kActPrint},
	                                     {4, 4, kCmdAction, kActEdit},
	                                     {5, 0, kCmdAction, kActTrade},
	                                     {6, 0, kCmdAction, kActFilings},
	                                     {7, 0, kCmdAction, kActCharts},
	                                     {9, 6, kCmdUpdate, 0}};
	const bool stock = ContextMenuID() == kStockContextMenuID;
	for (const Entry& entry : kEntries)
		if ((stock ? entry.stockItem : entry.otherItem) == inItem) {
			SInt32 action = entry.action;
			ObeyCommand(entry.command, &action);
			return;
		}
}

void TDetailWindow::ClickInContent(const EventRecord& inMacEvent)
{
	if ((inMacEvent.modifiers & controlKey) == 0) {
		TVyWindow::ClickInContent(inMacEvent);
		return;
	}
	TContextualMenu menu(ContextMenuID(), true);
	unsigned long selection = TContextualMenu::kCMNothingSelected;
	SInt16 menuID = 0;
	UInt16 item = 0;
	menu.ShowMenu(inMacEvent.where, selection, menuID, item);
	if (selection == TContextualMenu::kCMMenuItemSelected)
		DoContextItem(item);
}

Boolean TDetailWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kCmdQuoteSource:
		if (mSecurity != nullptr) {
			char url[256] = {};
			TQuoterManager::GetQuoterHomePage(TQuoterManager::GetQuoterSig(mSecurity), url,
			                                  sizeof url);
			LaunchURL(url);
		}
		return true;
	case kCmdUpdate:
		// The button always asks the base: a kind's own DoUpdate is not the button's.
		TDetailWindow::DoUpdate();
		return true;
	case kCmdWeb:
		DoWeb();
		return true;
	case kCmdAction: {
		const SInt32 item = ioParam != nullptr ? *static_cast<SInt32*>(ioParam) : 0;
		switch (item) {
		case kActPrint:
			PrintWithDialog();
			break;
		case kActEdit:
			DoEdit();
			break;
		case kActTrade:
			DoTrade();
			break;
		case kActFilings:
			DoEdgar();
			break;
		case kActCharts:
			DoCharts();
			break;
		case kActBig:
		case kActAlt:
			DoChangeView(item);
			break;
		default:
			break;
		}
		if (mActionButton != nullptr)
			mActionButton->SetCurrentMenuItem(mViewType != kViewAlt ? kActBig : kActAlt);
		return true;
	}
	case kStockSaved:
	case kFundSaved:
	case kIndexSaved:
	case kCurrencySaved:
		return true;
	default:
		break;
	}
	for (SInt32 i = 0; i < mNewsCount && i < kNewsCount; ++i)
		if (inCommand == CommandT(kNewsIDs[i])) {
			if (mSecurity != nullptr)
				UPPUtils::LaunchNewsItem(mSecurity, i + 1);
			return true;
		}
	return TVyWindow::ObeyCommand(inCommand, ioParam);
}

void TDetailWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                      UInt16& outMark, Str255 outName)
{
	if (inCommand == kCmdClose) {
		outEnabled = true;
		return;
	}
	TVyWindow::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

void TDetailWindow::Suspend()
{
	TVyWindow::Suspend();
	if (gPreferences != nullptr && gPreferences->hideDetailWindowsInBackground != 0)
		Hide();
}

void TDetailWindow::Resume()
{
	TVyWindow::Resume();
	if (!IsClosing())
		Show();
}

// What the security sees

void TDetailWindow::TSecurityFace::Show()
{
	mWindow->Show();
}

void TDetailWindow::TSecurityFace::Select()
{
	mWindow->Select();
}

void TDetailWindow::TSecurityFace::Activate()
{
	mWindow->Activate();
}

void TDetailWindow::TSecurityFace::AttemptClose()
{
	mWindow->DoClose();
}

void TDetailWindow::WriteBanners() const
{
	const RGBColor* colour = &mDisplayColour;
	const float previous = mSecurity->YesterdayClose();
	const float current = mSecurity->CurrentTradePrice();
	const std::pair<TColourCaption*, const char*> symbols[] = {
	    {mSymbolBig, mSecurity->SecuritySymbol()},
	    {mSymbolAlt, mSecurity->SecurityName()},
	    {mSymbolSmall, mSecurity->SecuritySymbol()}};
	for (const auto& [caption, text] : symbols)
		if (caption != nullptr)
			UPPUtils::SetColourCaption(caption, text, colour);
	for (TColourCaption* price : {mCurrentPriceBig, mCurrentPriceAlt})
		if (price != nullptr)
			UPPUtils::SetColourQuote(price, colour, current, mUsesFractions);
	for (TColourCaptions* change : {mChangePriceBig, mChangePriceAlt})
		if (change != nullptr)
			UPPUtils::SetColourChange(change, colour, previous, current, mUsesFractions);
	if (mCurrentPriceSmall != nullptr)
		UPPUtils::SetColourChange(mCurrentPriceSmall, colour, previous, current, mUsesFractions);
	UPPUtils::SetUpdate(mLastTradeTime, mSecurity->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mSecurity->LastUpdate(), mSecurity->ErrorCode());
}

// Printing

std::unique_ptr<LPrintout> TDetailWindow::MakePrintout(ResIDT inPrintoutID)
{
	return UTablePrinting::CreatePrintout(inPrintoutID);
}

LCaption* TDetailWindow::PrintCaption(LView* inPrintout, PaneIDT inID)
{
	return UWindowPanes::FindAs<LCaption>(inPrintout, inID);
}

void TDetailWindow::SetPrintText(LView* inPrintout, PaneIDT inID, const char* inText)
{
	LCaption* caption = PrintCaption(inPrintout, inID);
	if (caption == nullptr)
		return;
	Str255 text;
	PascalStrings::FromString(inText != nullptr ? inText : "", text);
	caption->SetDescriptor(text);
}

void TDetailWindow::SetPrintQuoteSource(LView* inPrintout) const
{
	char name[256] = {};
	TQuoterManager::GetQuoterName(TQuoterManager::GetQuoterSig(mSecurity), name, 255);
	SetPrintText(inPrintout, FOUR_CHAR_CODE("Quot"), name);
}

void TDetailWindow::SetPrintPriceAndChange(LView* inPrintout, int inDecimals) const
{
	const float previous = mSecurity->YesterdayClose();
	const float current = mSecurity->CurrentTradePrice();
	if (previous == kNoValue || current == kNoValue) {
		const std::string missing = PascalStrings::ToString(GetStockString(0));
		SetPrintText(inPrintout, FOUR_CHAR_CODE("Crnt"), missing.c_str());
		SetPrintText(inPrintout, FOUR_CHAR_CODE("Chng"), missing.c_str());
		return;
	}
	// Whole part and fraction, either of which may be empty.
	auto joined = [](const char* number, const char* fraction) {
		const std::string text = *number != 0 && *fraction != 0 ? std::string(number) + " " + fraction
		                                                        : std::string(number) + fraction;
		return text.substr(0, 127);
	};
	char number[UZVUtils::kQuoteTextSize];
	char fraction[UZVUtils::kQuoteTextSize];
	UZVUtils::QuoteString(number, fraction, current, mUsesFractions, inDecimals);
	SetPrintText(inPrintout, FOUR_CHAR_CODE("Crnt"), joined(number, fraction).c_str());
	UZVUtils::QuoteChange(number, fraction, previous, current, mUsesFractions, inDecimals);
	const std::string change = joined(number, fraction);
	char percent[128];
	UZVUtils::QuotePercent(percent, 127, previous, current);
	SetPrintText(inPrintout, FOUR_CHAR_CODE("Chng"), (change + " (" + percent + ")").c_str());
}

void TDetailWindow::PrintAndClose(LPrintout* inPrintout)
{
	if (auto* footer = UWindowPanes::FindAs<TPrinterHeader>(inPrintout, FOUR_CHAR_CODE("Foot")))
		footer->PrepareCaption(inPrintout, nullptr, true);
	inPrintout->DoPrintJob();
}
