#include "windows/security/TSecurityPrefsWindow.h"

#include "Includes/tKestrunPrefs.h"
#include "Includes/tStockTickerPrefs.h"
#include "Quoters/TQuoter.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UEnvironment.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"
#include "windows/security/TSecurityPrefsTable.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/UWindowPanes.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace
{
constexpr PaneIDT kMultiPanelID = FOUR_CHAR_CODE("MPV1");
constexpr PaneIDT kTableID = FOUR_CHAR_CODE("TBLE");
constexpr tStockExchange kAmericanExchange = 100;
constexpr tStockExchange kCanadianExchange = 200;
constexpr UInt8 kFirstView = 10;
constexpr UInt8 kSecondView = 11;
constexpr SInt32 kLastSystemWithoutSmoothing = 0x0FFF;

void SetCheck(LCheckBox* inBox, UInt8 inOn)
{
	if (inBox != nullptr)
		inBox->SetValue(inOn != 0 ? 1 : 0);
}

// Set past both values first, so that the box's enable broadcast always fires.
void SetGroupCheck(LCheckBoxGroupBox* inBox, UInt8 inOn)
{
	if (inBox != nullptr) {
		inBox->SetValue(999);
		inBox->SetValue(inOn != 0 ? 1 : 0);
	}
}

void SaveCheck(LCheckBox* inBox, UInt8& outOn)
{
	if (inBox != nullptr)
		outOn = inBox->GetValue() != 0 ? 1 : 0;
}

void SetPair(LRadioButton* inFirst, LRadioButton* inSecond, UInt8 inValue)
{
	LRadioButton* on = inValue == kFirstView ? inFirst : inSecond;
	LRadioButton* off = inValue == kFirstView ? inSecond : inFirst;
	if (on != nullptr)
		on->SetValue(1);
	if (off != nullptr)
		off->SetValue(0);
}

void SavePair(LRadioButton* inFirst, UInt8& outValue)
{
	if (inFirst != nullptr)
		outValue = inFirst->GetValue() >= 1 ? kFirstView : kSecondView;
}

void SetMenu(LPopupButton* inPopup, const tMenuItems* inTable, SInt32 inValue)
{
	if (inPopup != nullptr && inTable != nullptr)
		inPopup->SetValue(UMenus::TranslateMenu(true, inTable, int(inValue)));
}

template <class T> void SaveMenu(LPopupButton* inPopup, const tMenuItems* inTable, T& outValue)
{
	if (inPopup != nullptr && inTable != nullptr)
		outValue = T(UMenus::TranslateMenu(false, inTable, int(inPopup->GetValue())));
}

void SetColour(LColorWell* inWell, const RGBColor& inColour)
{
	if (inWell != nullptr)
		inWell->SetSwatchColor(inColour);
}

void SaveColour(LColorWell* inWell, RGBColor& outColour)
{
	if (inWell != nullptr)
		inWell->GetSwatchColor(outColour);
}

// A byte range of the settings record that a panel edits.
struct tField {
	std::size_t offset;
	std::size_t size;
};

#define EDITED(member)                                                                                       \
	tField                                                                                               \
	{                                                                                                    \
		offsetof(tStockTickerPrefs, member), sizeof(std::declval<tStockTickerPrefs&>().member)       \
	}
#define EDITED_ALERT(alert)                                                                                  \
	EDITED(alert.enabled), EDITED(alert.condition), EDITED(alert.limit), EDITED(alert.useColour),        \
	    EDITED(alert.colour), EDITED(alert.flash), EDITED(alert.bold), EDITED(alert.italic),             \
	    EDITED(alert.underline), EDITED(alert.playSound), EDITED(alert.soundID),                         \
	    EDITED(alert.soundAlways)

const std::vector<tField> kEditedFields[TSecurityPrefsWindow::kPanelCount] = {
    {EDITED(showSymbol), EDITED(showName), EDITED(showPrice), EDITED(showPercentChange), EDITED(showChange),
     EDITED(showVolume), EDITED(fractionMode)},
    {EDITED(upColour), EDITED(downColour), EDITED(unchangedColour), EDITED(normalColour),
     EDITED(useColourGradient), EDITED(gradientMiddleColour)},
    {EDITED(stockViewType), EDITED(fundViewType), EDITED(indexViewType), EDITED(currencyViewType),
     EDITED(hideDetailWindowsInBackground)},
    {EDITED_ALERT(losingAlert)},
    {EDITED_ALERT(gainingAlert)},
    {EDITED(idling.enabled), EDITED(idling.kind), EDITED(idling.threshold), EDITED(idling.useColour),
     EDITED(idling.colour), EDITED(idling.flash), EDITED(idling.bold), EDITED(idling.italic),
     EDITED(idling.underline)},
    {EDITED(stocksOn), EDITED(americanQuoter), EDITED(canadianQuoter), EDITED(stockMinutes),
     EDITED(detailUpdate)},
    {EDITED(fundsOn), EDITED(fundMinutes)},
    {EDITED(indexesOn), EDITED(indexMinutes)},
    {EDITED(currenciesOn), EDITED(currencyQuoter), EDITED(currencyMinutes)},
    {EDITED(summary.fontName), EDITED(summary.fontNumber), EDITED(summary.fontSize), EDITED(summary.grid),
     EDITED(summary.evenRowColour), EDITED(summary.oddRowColour), EDITED(summary.updateIndicator),
     EDITED(summary.indicatorAsDot), EDITED(summary.indicatorAsInvertedRow), EDITED(summary.antiAliased)},
    {EDITED(useTradeURL), EDITED(tradeURL)},
};

#undef EDITED_ALERT
#undef EDITED
} // namespace

const tMenuItems TSecurityPrefsWindow::sDefaultMinutes[] = {
    {1, 1},  {2, 2},  {3, 3},  {4, 4},  {5, 5},   {6, 10},
    {7, 15}, {8, 30}, {9, 60}, {11, 0}, {12, -1}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSecurityPrefsWindow::sFundMinutes[] = {
    {1, 15},  {2, 30},  {3, 60},
    {4, 120}, {5, 180}, {6, 360},
    {8, 0},   {9, -1},  {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSecurityPrefsWindow::sIdleMinutes[] = {
    {1, 5},  {2, 10},   {3, 15},   {4, 20},   {5, 25},  {6, 30},  {7, 45},
    {9, 60}, {10, 120}, {11, 180}, {12, 360}, {14, -1}, {16, -2}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSecurityPrefsWindow::sLosingAlerts[] = {
    {1, 41}, {2, 43}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSecurityPrefsWindow::sGainingAlerts[] = {
    {1, 40}, {2, 42}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSecurityPrefsWindow::sFractions[] = {
    {1, 1}, {2, 2}, {3, 3}, {kEndOfMenuItems, kEndOfMenuItems}};

IPluginWindow* TSecurityPrefsWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TSecurityPrefsWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TSecurityPrefsWindow::TSecurityPrefsWindow(LStream* inStream) : TVyWindow(inStream) {}

TSecurityPrefsWindow::~TSecurityPrefsWindow() = default;

template <class T> T* TSecurityPrefsWindow::Find(int inPanel, const char (&inID)[5])
{
	LView* panel = GetPanel(inPanel);
	const PaneIDT id = PaneIDT((UInt32(UInt8(inID[0])) << 24) | (UInt32(UInt8(inID[1])) << 16) |
	                           (UInt32(UInt8(inID[2])) << 8) | UInt32(UInt8(inID[3])));
	T* pane = panel != nullptr ? dynamic_cast<T*>(panel->FindPaneByID(id)) : nullptr;
	SignalIfNot_(pane);
	return pane;
}

void TSecurityPrefsWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mMultiPanelView = dynamic_cast<LMultiPanelView*>(FindPaneByID(kMultiPanelID));
	mTable = dynamic_cast<TSecurityPrefsTable*>(FindPaneByID(kTableID));
	SignalIfNot_(mMultiPanelView && mTable);
	if (mTable != nullptr)
		mTable->SetWindow(this);
	if (mMultiPanelView == nullptr)
		return;
	mMultiPanelView->CreateAllPanels();
	ShowPanel(mMultiPanelView->GetCurrentIndex());
	for (int n = 1; n <= kPanelCount; ++n) {
		mPanels[n - 1] = mMultiPanelView->GetPanel(UInt16(n));
		SignalIfNot_(mPanels[n - 1]);
		if (mPanels[n - 1] != nullptr)
			UReanimator::LinkListenerToBroadcasters(this, mPanels[n - 1], ResIDT(kLayoutID + n));
	}

	mDisplaySymbol = Find<LCheckBox>(1, "dSym");
	mDisplayName = Find<LCheckBox>(1, "dNam");
	mDisplayPrice = Find<LCheckBox>(1, "dPrc");
	mDisplayPercentage = Find<LCheckBox>(1, "dPct");
	mDisplayChange = Find<LCheckBox>(1, "dChg");
	mDisplayVolume = Find<LCheckBox>(1, "dVol");
	mFractions = Find<LPopupButton>(1, "dFrc");
	mHideTickers = Find<LCheckBox>(1, "hTck");
	mGainingColour = Find<LColorWell>(2, "cGan");
	mLosingColour = Find<LColorWell>(2, "cLos");
	mNeutralColour = Find<LColorWell>(2, "cUnc");
	mBackgroundColour = Find<LColorWell>(2, "cBgn");
	mGradiation = Find<LCheckBox>(2, "xGrd");
	mGradiationColour = Find<LColorWell>(2, "cGrd");
	mStockSymbolView = Find<LRadioButton>(3, "sSym");
	mStockNameView = Find<LRadioButton>(3, "sNam");
	mFundSymbolView = Find<LRadioButton>(3, "fSym");
	mFundNameView = Find<LRadioButton>(3, "fNam");
	mIndexSymbolView = Find<LRadioButton>(3, "iSym");
	mIndexNameView = Find<LRadioButton>(3, "iNam");
	mCurrencySymbolView = Find<LRadioButton>(3, "cSym");
	mCurrencyNameView = Find<LRadioButton>(3, "cNam");
	mHideReports = Find<LCheckBox>(3, "hRep");
	UAlertPanel::FindControls(GetPanel(kLosingPanel), 'l', mLosing);
	UAlertPanel::FindControls(GetPanel(kGainingPanel), 'g', mGaining);
	mAllowIdling = Find<LCheckBoxGroupBox>(6, "Idle");
	mIdleOnLastUpdate = Find<LRadioButton>(6, "iUpd");
	mIdleOnLastTrade = Find<LRadioButton>(6, "iTrd");
	mIdleMinutes = Find<LPopupButton>(6, "iMin");
	mIdleUseColour = Find<LCheckBox>(6, "iCol");
	mIdleColour = Find<LColorWell>(6, "iClr");
	mIdleBlink = Find<LCheckBox>(6, "iBln");
	mIdleBold = Find<LCheckBox>(6, "iBld");
	mIdleItalic = Find<LCheckBox>(6, "iIta");
	mIdleUnderline = Find<LCheckBox>(6, "iUnd");
	mAllowStocks = Find<LCheckBoxGroupBox>(7, "sYes");
	mAmerican = Find<LPopupButton>(7, "Amer");
	mCanadian = Find<LPopupButton>(7, "Cndn");
	mStockUpdateMinutes = Find<LPopupButton>(7, "sUpd");
	mForceDetailUpdate = Find<LCheckBox>(7, "frUp");
	mQuoterVersion = Find<LStaticText>(7, "vQtr");
	mAllowFunds = Find<LCheckBoxGroupBox>(8, "fYes");
	mFundUpdateMinutes = Find<LPopupButton>(8, "fUpd");
	mAllowIndexes = Find<LCheckBoxGroupBox>(9, "iYes");
	mIndexUpdateMinutes = Find<LPopupButton>(9, "iUpd");
	mAllowCurrencies = Find<LCheckBoxGroupBox>(10, "cYes");
	mCurrencies = Find<LPopupButton>(10, "cQtr");
	mCurrencyUpdateMinutes = Find<LPopupButton>(10, "cUpd");
	mSummaryFontName = Find<TFontMenu>(11, "Font");
	mSummaryFontSize = Find<TFontSizeMenu>(11, "Size");
	mSummaryUseGrid = Find<LCheckBoxGroupBox>(11, "uGrd");
	mSummaryEvenColour = Find<LColorWell>(11, "cEvn");
	mSummaryOddColour = Find<LColorWell>(11, "cOdd");
	mSummaryUpdateIcon = Find<LCheckBox>(11, "smUI");
	mSummaryAntiAliasText = Find<LCheckBox>(11, "smAA");
	mTradingSiteEnable = Find<LCheckBoxGroupBox>(12, "Trad");
	mTradingSite = Find<LEditText>(12, "Site");

	TSelectDlog::FillSourceTexts(mAmerican, TQuoterManager::GetMenuTexts(kAmericanExchange));
	mAmericanItems.reset(TQuoterManager::GetMenuItems(kAmericanExchange));
	TSelectDlog::FillSourceTexts(mCanadian, TQuoterManager::GetMenuTexts(kCanadianExchange));
	mCanadianItems.reset(TQuoterManager::GetMenuItems(kCanadianExchange));
	TSelectDlog::FillSourceTexts(mCurrencies, TQuoterManager::GetMenuTexts(securityCurrency, false));
	mCurrencyItems.reset(TQuoterManager::GetMenuItems(securityCurrency, false));
}

void TSecurityPrefsWindow::SetPrefs(tStockTickerPrefs* inPrefs)
{
	SignalIfNot_(inPrefs);
	mPreferences = inPrefs;
	if (inPrefs == nullptr)
		return;
	mSavedPrefs = std::make_unique<tStockTickerPrefs>(*inPrefs);
	RedoContent();
}

void TSecurityPrefsWindow::RedoContent()
{
	if (mPreferences == nullptr)
		return;
	RedoAppearanceTicker();
	RedoAppearanceColours();
	RedoAppearanceReports();
	RedoAlertsLosing();
	RedoAlertsGaining();
	RedoAlertsIdling();
	RedoSourcesStocks();
	RedoSourcesFunds();
	RedoSourcesIndexes();
	RedoSourcesCurrencies();
	RedoSummaryAppearance();
	RedoOtherTrading();
}

void TSecurityPrefsWindow::SaveContent()
{
	if (mPreferences == nullptr)
		return;
	SaveAppearanceTicker();
	SaveAppearanceColours();
	SaveAppearanceReports();
	SaveAlertsLosing();
	SaveAlertsGaining();
	SaveAlertsIdling();
	SaveSourcesStocks();
	SaveSourcesFunds();
	SaveSourcesIndexes();
	SaveSourcesCurrencies();
	SaveSummaryAppearance();
	SaveOtherTrading();
}

bool TSecurityPrefsWindow::CheckAlertLimits()
{
	const std::pair<int, LEditText*> limits[] = {{kLosingPanel, mLosing.value},
	                                             {kGainingPanel, mGaining.value}};
	for (const auto& [panel, field] : limits)
		if (!UWindowPanes::IsNumber(field)) {
			ShowPanel(panel);
			UWindowPanes::RefuseField(field);
			return false;
		}
	return true;
}

void TSecurityPrefsWindow::ShowPanel(int inPanel)
{
	// The list marks the row of the panel shown, not its group's heading.
	for (TableIndexT row = 1; mTable != nullptr && mTable->GetPrefsCategory(row) != nullptr; ++row) {
		const tPrefsCategory* entry = mTable->GetPrefsCategory(row);
		if (entry->group == 0 && entry->panel == inPanel) {
			mTable->SelectCell(STableCell(row, 1));
			break;
		}
	}
	if (mMultiPanelView != nullptr)
		mMultiPanelView->SwitchToPanel(UInt16(inPanel));
}

void TSecurityPrefsWindow::RestoreEditedFields()
{
	if (mPreferences == nullptr || mSavedPrefs == nullptr)
		return;
	auto* to = reinterpret_cast<unsigned char*>(mPreferences);
	const auto* from = reinterpret_cast<const unsigned char*>(mSavedPrefs.get());
	for (const std::vector<tField>& panel : kEditedFields)
		for (const tField& field : panel)
			std::memcpy(to + field.offset, from + field.offset, field.size);
}

void TSecurityPrefsWindow::SendToSuper(CommandT inCommand)
{
	if (LCommander* super = GetSuperCommander())
		super->ObeyCommand(inCommand, nullptr);
}

Boolean TSecurityPrefsWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kOKButton:
	case cmd_OKOther:
		if (!CheckAlertLimits())
			return true;
		SaveContent();
		SendToSuper(cmd_SaveAndApply);
		AttemptClose();
		return true;
	case kCancelButton:
		if (mApplied) {
			RestoreEditedFields();
			SendToSuper(cmd_Apply);
		}
		AttemptClose();
		return true;
	case cmd_Apply:
		if (TEventWatcher::OptionKey()) {
			ShowQuoterVersion();
			return true;
		}
		if (!CheckAlertLimits())
			return true;
		mApplied = true;
		SaveContent();
		SendToSuper(cmd_Apply);
		return true;
	case msg_LosingSound:
	case msg_GainingSound:
		if (!mRedoing)
			UAlertPanel::PlaySound(inCommand == msg_LosingSound ? mLosing : mGaining);
		return true;
	default:
		return LWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TSecurityPrefsWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean&, UInt16&,
                                             Str255)
{
	// Menu commands are unavailable while the window is the target.
	outEnabled = inCommand == kOKButton || inCommand == kCancelButton;
}

void TSecurityPrefsWindow::ShowQuoterVersion()
{
	if (mAmerican == nullptr || mQuoterVersion == nullptr || mAmericanItems == nullptr)
		return;
	const OSType signature =
	    OSType(UMenus::TranslateMenu(false, mAmericanItems.get(), int(mAmerican->GetValue())));
	TQuoter* quoter = TQuoterManager::GetQuoterBySignature(signature);
	if (quoter == nullptr)
		return;
	const char code[5] = {char(signature >> 24), char(signature >> 16), char(signature >> 8),
	                      char(signature), 0};
	const long version = quoter->GetVers();
	char text[64];
	std::snprintf(text, sizeof text, "%s %ld (0x%lX)", code, version,
	              static_cast<unsigned long>(version));
	Str255 descriptor;
	pstrcpycn(descriptor, text, 255);
	mQuoterVersion->SetDescriptor(descriptor);
	mQuoterVersion->Enable();
	mQuoterVersion->Show();
}

void TSecurityPrefsWindow::RedoAppearanceTicker()
{
	SetCheck(mDisplaySymbol, mPreferences->showSymbol);
	SetCheck(mDisplayName, mPreferences->showName);
	SetCheck(mDisplayPrice, mPreferences->showPrice);
	SetCheck(mDisplayPercentage, mPreferences->showPercentChange);
	SetCheck(mDisplayChange, mPreferences->showChange);
	SetCheck(mDisplayVolume, mPreferences->showVolume);
	SetMenu(mFractions, sFractions, mPreferences->fractionMode);
	if (gAppPreferences != nullptr)
		SetCheck(mHideTickers, gAppPreferences->hideTickersInBackground);
}

void TSecurityPrefsWindow::SaveAppearanceTicker()
{
	SaveCheck(mDisplaySymbol, mPreferences->showSymbol);
	SaveCheck(mDisplayName, mPreferences->showName);
	SaveCheck(mDisplayPrice, mPreferences->showPrice);
	SaveCheck(mDisplayPercentage, mPreferences->showPercentChange);
	SaveCheck(mDisplayChange, mPreferences->showChange);
	SaveCheck(mDisplayVolume, mPreferences->showVolume);
	SaveMenu(mFractions, sFractions, mPreferences->fractionMode);
	if (gAppPreferences != nullptr)
		SaveCheck(mHideTickers, gAppPreferences->hideTickersInBackground);
}

void TSecurityPrefsWindow::RedoAppearanceColours()
{
	SetColour(mGainingColour, mPreferences->upColour);
	SetColour(mLosingColour, mPreferences->downColour);
	SetColour(mNeutralColour, mPreferences->unchangedColour);
	SetColour(mBackgroundColour, mPreferences->normalColour);
	SetCheck(mGradiation, mPreferences->useColourGradient);
	SetColour(mGradiationColour, mPreferences->gradientMiddleColour);
}

void TSecurityPrefsWindow::SaveAppearanceColours()
{
	SaveColour(mGainingColour, mPreferences->upColour);
	SaveColour(mLosingColour, mPreferences->downColour);
	SaveColour(mNeutralColour, mPreferences->unchangedColour);
	SaveColour(mBackgroundColour, mPreferences->normalColour);
	SaveCheck(mGradiation, mPreferences->useColourGradient);
	SaveColour(mGradiationColour, mPreferences->gradientMiddleColour);
}

void TSecurityPrefsWindow::RedoAppearanceReports()
{
	SetPair(mStockSymbolView, mStockNameView, mPreferences->stockViewType);
	SetPair(mFundSymbolView, mFundNameView, mPreferences->fundViewType);
	SetPair(mIndexSymbolView, mIndexNameView, mPreferences->indexViewType);
	SetPair(mCurrencySymbolView, mCurrencyNameView, mPreferences->currencyViewType);
	SetCheck(mHideReports, mPreferences->hideDetailWindowsInBackground);
}

void TSecurityPrefsWindow::SaveAppearanceReports()
{
	SavePair(mStockSymbolView, mPreferences->stockViewType);
	SavePair(mFundSymbolView, mPreferences->fundViewType);
	SavePair(mIndexSymbolView, mPreferences->indexViewType);
	SavePair(mCurrencySymbolView, mPreferences->currencyViewType);
	SaveCheck(mHideReports, mPreferences->hideDetailWindowsInBackground);
}

void TSecurityPrefsWindow::RedoAlertsLosing()
{
	mRedoing = true;
	UAlertPanel::Redo(mLosing, &mPreferences->losingAlert, mPreferences->losingAlert.enabled != 0,
	                  sLosingAlerts);
	mRedoing = false;
}

void TSecurityPrefsWindow::SaveAlertsLosing()
{
	UAlertPanel::Save(mLosing, &mPreferences->losingAlert, sLosingAlerts);
}

void TSecurityPrefsWindow::RedoAlertsGaining()
{
	mRedoing = true;
	UAlertPanel::Redo(mGaining, &mPreferences->gainingAlert, mPreferences->gainingAlert.enabled != 0,
	                  sGainingAlerts);
	mRedoing = false;
}

void TSecurityPrefsWindow::SaveAlertsGaining()
{
	UAlertPanel::Save(mGaining, &mPreferences->gainingAlert, sGainingAlerts);
}

void TSecurityPrefsWindow::RedoAlertsIdling()
{
	mRedoing = true;
	const tIdleParameters& idling = mPreferences->idling;
	SetGroupCheck(mAllowIdling, idling.enabled);
	SetPair(mIdleOnLastUpdate, mIdleOnLastTrade, idling.kind);
	SetMenu(mIdleMinutes, sIdleMinutes, idling.threshold);
	SetCheck(mIdleUseColour, idling.useColour);
	SetColour(mIdleColour, idling.colour);
	SetCheck(mIdleBlink, idling.flash);
	SetCheck(mIdleBold, idling.bold);
	SetCheck(mIdleItalic, idling.italic);
	SetCheck(mIdleUnderline, idling.underline);
	mRedoing = false;
}

void TSecurityPrefsWindow::SaveAlertsIdling()
{
	tIdleParameters& idling = mPreferences->idling;
	SaveCheck(mAllowIdling, idling.enabled);
	SavePair(mIdleOnLastUpdate, idling.kind);
	SaveMenu(mIdleMinutes, sIdleMinutes, idling.threshold);
	SaveCheck(mIdleUseColour, idling.useColour);
	SaveColour(mIdleColour, idling.colour);
	SaveCheck(mIdleBlink, idling.flash);
	SaveCheck(mIdleBold, idling.bold);
	SaveCheck(mIdleItalic, idling.italic);
	SaveCheck(mIdleUnderline, idling.underline);
}

void TSecurityPrefsWindow::RedoSourcesStocks()
{
	SetGroupCheck(mAllowStocks, mPreferences->stocksOn);
	SetMenu(mAmerican, mAmericanItems.get(), SInt32(mPreferences->americanQuoter));
	SetMenu(mCanadian, mCanadianItems.get(), SInt32(mPreferences->canadianQuoter));
	SetMenu(mStockUpdateMinutes, sDefaultMinutes, mPreferences->stockMinutes);
	SetCheck(mForceDetailUpdate, mPreferences->detailUpdate);
}

void TSecurityPrefsWindow::SaveSourcesStocks()
{
	SaveCheck(mAllowStocks, mPreferences->stocksOn);
	SaveMenu(mAmerican, mAmericanItems.get(), mPreferences->americanQuoter);
	SaveMenu(mCanadian, mCanadianItems.get(), mPreferences->canadianQuoter);
	SaveMenu(mStockUpdateMinutes, sDefaultMinutes, mPreferences->stockMinutes);
	SaveCheck(mForceDetailUpdate, mPreferences->detailUpdate);
}

void TSecurityPrefsWindow::RedoSourcesFunds()
{
	SetGroupCheck(mAllowFunds, mPreferences->fundsOn);
	SetMenu(mFundUpdateMinutes, sFundMinutes, mPreferences->fundMinutes);
}

void TSecurityPrefsWindow::SaveSourcesFunds()
{
	SaveCheck(mAllowFunds, mPreferences->fundsOn);
	SaveMenu(mFundUpdateMinutes, sFundMinutes, mPreferences->fundMinutes);
}

void TSecurityPrefsWindow::RedoSourcesIndexes()
{
	SetGroupCheck(mAllowIndexes, mPreferences->indexesOn);
	SetMenu(mIndexUpdateMinutes, sDefaultMinutes, mPreferences->indexMinutes);
}

void TSecurityPrefsWindow::SaveSourcesIndexes()
{
	SaveCheck(mAllowIndexes, mPreferences->indexesOn);
	SaveMenu(mIndexUpdateMinutes, sDefaultMinutes, mPreferences->indexMinutes);
}

void TSecurityPrefsWindow::RedoSourcesCurrencies()
{
	SetGroupCheck(mAllowCurrencies, mPreferences->currenciesOn);
	SetMenu(mCurrencies, mCurrencyItems.get(), SInt32(mPreferences->currencyQuoter));
	SetMenu(mCurrencyUpdateMinutes, sDefaultMinutes, mPreferences->currencyMinutes);
}

void TSecurityPrefsWindow::SaveSourcesCurrencies()
{
	SaveCheck(mAllowCurrencies, mPreferences->currenciesOn);
	SaveMenu(mCurrencies, mCurrencyItems.get(), mPreferences->currencyQuoter);
	SaveMenu(mCurrencyUpdateMinutes, sDefaultMinutes, mPreferences->currencyMinutes);
}

void TSecurityPrefsWindow::RedoSummaryAppearance()
{
	const tSummaryParameters& summary = mPreferences->summary;
	if (mSummaryFontName != nullptr)
		mSummaryFontName->SetFont(summary.fontName);
	if (mSummaryFontSize != nullptr)
		mSummaryFontSize->SetSize(summary.fontSize);
	SetGroupCheck(mSummaryUseGrid, summary.grid);
	SetColour(mSummaryEvenColour, summary.evenRowColour);
	SetColour(mSummaryOddColour, summary.oddRowColour);
	SetCheck(mSummaryUpdateIcon, summary.indicatorAsDot);
	SetCheck(mSummaryAntiAliasText, summary.antiAliased);
	if (mSummaryAntiAliasText != nullptr && UEnvironment::GetOSVersion() <= kLastSystemWithoutSmoothing)
		mSummaryAntiAliasText->Hide();
}

void TSecurityPrefsWindow::SaveSummaryAppearance()
{
	tSummaryParameters& summary = mPreferences->summary;
	// A font or size the menus do not offer stays as it was.
	if (mSummaryFontName != nullptr && mSummaryFontName->GetValue() > 0) {
		constexpr long kMostCharacters = 30;
		char name[tSummaryParameters::kFontNameSize] = {};
		mSummaryFontName->GetFont(name, kMostCharacters + 1);
		std::memcpy(summary.fontName, name, sizeof summary.fontName);
		summary.fontNumber = mSummaryFontName->GetFontNumber();
	}
	if (mSummaryFontSize != nullptr && mSummaryFontSize->GetValue() > 0)
		summary.fontSize = mSummaryFontSize->GetSize();
	SaveCheck(mSummaryUseGrid, summary.grid);
	SaveColour(mSummaryEvenColour, summary.evenRowColour);
	SaveColour(mSummaryOddColour, summary.oddRowColour);
	if (mSummaryUpdateIcon != nullptr) {
		summary.updateIndicator = summary.indicatorAsDot =
		    mSummaryUpdateIcon->GetValue() != 0 ? 1 : 0;
		summary.indicatorAsInvertedRow = 0;
	}
	SaveCheck(mSummaryAntiAliasText, summary.antiAliased);
}

void TSecurityPrefsWindow::RedoOtherTrading()
{
	SetGroupCheck(mTradingSiteEnable, mPreferences->useTradeURL);
	char text[tStockTickerPrefs::kTradeURLSize];
	strcpyn(text, mPreferences->tradeURL, long(sizeof text) - 1);
	UAlertPanel::SetFieldText(mTradingSite, text);
}

void TSecurityPrefsWindow::SaveOtherTrading()
{
	SaveCheck(mTradingSiteEnable, mPreferences->useTradeURL);
	if (mTradingSite != nullptr) {
		char text[256];
		UAlertPanel::GetFieldText(mTradingSite, text);
		std::memset(mPreferences->tradeURL, 0, sizeof mPreferences->tradeURL);
		strcpyn(mPreferences->tradeURL, text, long(sizeof mPreferences->tradeURL) - 1);
	}
}

void TSecurityPrefsWindow::TPluginFace::Delete()
{
	// The plug-in's record may go before the window's deletion comes round.
	mWindow->mPreferences = nullptr;
	mWindow->DoClose();
}
