#include "windows/portfolio/TPortfolioWindow.h"

#include "Includes/NoValue.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "Includes/tStockTickerPrefs.h"
#include "Internet/UApplicationNotices.h"
#include "app/TStockPlugin.h"
#include "foundation/UDisplay.h"
#include "foundation/UNumbers.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "model/UZVUtils.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LException.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"
#include "toolkit/TBanner.h"
#include "toolkit/TColourCaptions.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsScreen.h"
#include "toolkit/UPPUtils.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/security/StBindings.h"
#include "windows/security/UTablePrinting.h"
#include "windows/security/UWindowPanes.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace
{
constexpr int kPrintMenuString = 11;
constexpr int kNoValueString = 0;
constexpr MessageT kAddSymbols = 2000;
constexpr MessageT kRemoveSymbols = 2004;
constexpr float kAlertTolerance = 0.001f;
const unsigned char kEmptyText[1] = {0};

template <class T> T* FindAs(LView* inView, const char (&inID)[5])
{
	return UWindowPanes::FindAs<T>(inView, FOUR_CHAR_CODE(inID));
}

void SetRadio(LRadioButton* inButton)
{
	if (inButton != nullptr)
		inButton->SetValue(1);
}

void SetTitle(LRadioButton* inButton, int inString)
{
	if (inButton != nullptr)
		inButton->SetDescriptor(GetStockString(inString));
}

void StyleCaption(TColourCaption* inCaption, const RGBColor& inColour, const tAlertParameters* inAlert)
{
	if (inCaption == nullptr)
		return;
	inCaption->SetColour(&inColour);
	inCaption->Bold(inAlert != nullptr ? inAlert->bold : 0);
	inCaption->Italic(inAlert != nullptr ? inAlert->italic : 0);
	inCaption->Underline(inAlert != nullptr ? inAlert->underline : 0);
}

void SetChangeCaption(TColourCaptions* inCaption, float inReference, float inCurrent,
                      const RGBColor& inColour, const tAlertParameters* inAlert, const RGBColor& inUnchanged)
{
	if (inCaption == nullptr)
		return;
	if (inReference == kNoValue || inCurrent == kNoValue) {
		StyleCaption(inCaption, inUnchanged, nullptr);
		inCaption->SetStrings(PascalStrings::ToString(GetStockString(kNoValueString)).c_str(),
		                      nullptr);
		return;
	}
	std::string change, percent;
	TPortfolioWindow::ChangeTexts(inReference, inCurrent, change, percent);
	StyleCaption(inCaption, inColour, inAlert);
	inCaption->SetStrings((change + "  ").c_str(), percent.c_str());
}

const RGBColor& ChangeColour(const tPortfolioParameters& inParameters, float inCurrent, float inReference)
{
	if (inCurrent > inReference)
		return inParameters.gainColour;
	if (inReference > inCurrent)
		return inParameters.lossColour;
	return inParameters.unchangedColour;
}

UInt16 CurrentModifiers()
{
	return QtEventTranslation::Modifiers(int(QGuiApplication::queryKeyboardModifiers()));
}
} // namespace

TPortfolioWindow::TPortfolioWindow(LStream* inStream)
    : TVyWindow(inStream), LDragAndDrop(this), mList(new (std::nothrow) TList<tLineEntry>(true, true))
{
	ThrowIfNil_(mList);
}

TPortfolioWindow::~TPortfolioWindow()
{
	StopRepeating();
	StopIdling();
	delete mAccountant;
	ClearControls();
	delete mList;
}

void TPortfolioWindow::FinishCreateSelf()
{
	mBusy = true;
	TVyWindow::FinishCreateSelf();
	mTable = FindAs<TPortfolioTable>(this, "Tble");
	if (mTable != nullptr)
		mTable->SetWindow(this);
	mBanner = FindAs<TBanner>(this, "pBnr");
	if (mBanner != nullptr) {
		mBanner->CalcLocalFrameRect(mBannerFrame);
		if (gStockPreferences != nullptr)
			mBanner->SetBackground(gStockPreferences->normalColour);
	}
	mPortfolioValue = FindAs<TColourCaption>(this, "pVal");
	if (mPortfolioValue != nullptr)
		mPortfolioValue->CalcLocalFrameRect(mValueFrame);
	mYesterdaysChange = FindAs<TColourCaptions>(this, "yChn");
	mOriginalChange = FindAs<TColourCaptions>(this, "oChn");
	mNameButton = FindAs<LRadioButton>(this, "nSrt");
	mSharesButton = FindAs<LRadioButton>(this, "sSrt");
	mOYPriceButton = FindAs<LRadioButton>(this, "pSrt");
	mOYTotalButton = FindAs<LRadioButton>(this, "tSrt");
	mCurrentPriceButton = FindAs<LRadioButton>(this, "aSrt");
	mCurrentTotalButton = FindAs<LRadioButton>(this, "bSrt");
	mChangeButton = FindAs<LRadioButton>(this, "cSrt");
	mDirectionButton = UWindowPanes::FindAs<LBevelButton>(this, UWindowPanes::kSortDirection);
	mBottomView = FindAs<LView>(this, "Bttm");
	mViewAsYesterday = FindAs<LRadioButton>(this, "vYes");
	mViewAsOriginal = FindAs<LRadioButton>(this, "vOri");
	mRangeButton = FindAs<LRadioButton>(this, "dRng");
	mSelectAllButton = FindAs<LRadioButton>(this, "dAll");
	mDateFrom = FindAs<LClock>(this, "dFrm");
	mDateTo = FindAs<LClock>(this, "dToo");
	CalcLocalFrameRect(mFullFrame);
	mZoomState = 1;
	mViewOriginal = true;
	if (mTable != nullptr)
		SetLatentSub(mTable);
	mBusy = false;
}

void TPortfolioWindow::SetList(TList<tCategory>* inCategories, TList<tLedgerEntry>* inLedger,
                               tPortfolioParameters* inParameters)
{
	SignalIf_(inCategories == nullptr || inLedger == nullptr || inParameters == nullptr);
	if (inCategories == nullptr || inLedger == nullptr || inParameters == nullptr)
		return;
	mCategoryList = inCategories;
	mLedgerList = inLedger;
	mParameters = inParameters;
	delete mAccountant;
	mAccountant = new (std::nothrow) TAccountant;
	ThrowIfNil_(mAccountant);
	mAccountant->SetLists(mCategoryList, mLedgerList, mParameters);
	mAccountant->SetCallback(&PortfolioAction, this);
	CheckAndAddSymbols();
	if (mTable != nullptr)
		mTable->SetTablePreferences();
	SwitchTarget(this);
	PlaceWindow();
	mSort = mParameters->sortKey;
	mDescending = mParameters->sortDescending != 0;
	mViewOriginal = mParameters->view != 0;
	RedoCicns();
	RedoHeaders();
	RedoContent();
	RedoBanners();
	mAccountant->SortDirection(mDescending);
	mAccountant->SortList(tPortfolioSort(mSort));
}

void TPortfolioWindow::PlaceWindow()
{
	const tPortfolioParameters& p = *mParameters;
	if (p.windowTop == 0 && p.windowLeft == 0 && p.windowHeight == 0 && p.windowWidth == 0)
		return;
	Rect bounds{SInt16(p.windowTop), SInt16(p.windowLeft), SInt16(p.windowTop + p.windowHeight),
	            SInt16(p.windowLeft + p.windowWidth)};
	if (!UKsScreen::IsOnScreen(&bounds))
		bounds = Rect{100, 100, SInt16(100 + p.windowHeight), SInt16(100 + p.windowWidth)};
	DoSetBounds(bounds);
}

void TPortfolioWindow::SaveParameters()
{
	SaveContent();
}

void TPortfolioWindow::SaveContent()
{
	if (mParameters == nullptr)
		return;
	tPortfolioParameters& p = *mParameters;
	p.allDates = mSelectAllButton != nullptr && mSelectAllButton->GetValue() > 0;
	if (mDateFrom != nullptr)
		UPPUtils::GetDate(&p.rangeStart, mDateFrom);
	if (mDateTo != nullptr)
		UPPUtils::GetDate(&p.rangeEnd, mDateTo);
	Rect bounds;
	GetGlobalBounds(bounds);
	p.windowTop = bounds.top;
	p.windowLeft = bounds.left;
	p.windowHeight = bounds.bottom - bounds.top;
	p.windowWidth = bounds.right - bounds.left;
	p.sortKey = mSort;
	p.sortDescending = mDescending;
	p.view = mViewOriginal;
}

void TPortfolioWindow::RedoContent()
{
	mBusy = true;
	LRadioButton* sortButtons[] = {
	    mNameButton,    mSharesButton,       mOYPriceButton,      mOYTotalButton, mOYPriceButton,
	    mOYTotalButton, mCurrentPriceButton, mCurrentTotalButton, mChangeButton,  mChangeButton};
	if (mSort > kSortYesterdaysChange)
		mSort = kSortName;
	SetRadio(sortButtons[mSort]);
	SetRadio(mViewOriginal ? mViewAsOriginal : mViewAsYesterday);
	const bool allDates = mParameters != nullptr && mParameters->allDates != 0;
	SetRadio(allDates ? mSelectAllButton : mRangeButton);
	for (LClock* clock : {mDateFrom, mDateTo})
		UWindowPanes::SetEnabled(clock, !allDates);
	if (mParameters != nullptr) {
		if (mDateFrom != nullptr)
			UPPUtils::SetDate(&mParameters->rangeStart, mDateFrom);
		if (mDateTo != nullptr)
			UPPUtils::SetDate(&mParameters->rangeEnd, mDateTo);
	}
	mBusy = false;
}

void TPortfolioWindow::RedoSort(UInt8 inKind, SInt32 inValue)
{
	if (inValue == 0 || mAccountant == nullptr)
		return;
	mSort = inKind;
	mAccountant->SortList(tPortfolioSort(inKind));
	if (mTable != nullptr)
		mTable->Refresh();
	mLedgerList->Modified();
}

void TPortfolioWindow::RedoHeaders()
{
	SetTitle(mOYPriceButton, mViewOriginal ? 1 : 3);
	SetTitle(mOYTotalButton, mViewOriginal ? 2 : 4);
}

void TPortfolioWindow::RedoCicns()
{
	UWindowPanes::SetIcon(mDirectionButton, mDescending ? 1012 : 1013);
}

void TPortfolioWindow::PortfolioAction(tPortfolioAction inAction, void* inWindow, int inRows)
{
	auto* window = static_cast<TPortfolioWindow*>(inWindow);
	SignalIf_(window == nullptr);
	if (window == nullptr)
		return;
	switch (int(inAction)) {
	case 0:
	case 1:
		window->mRowsPending = true;
		window->mPendingRows = UInt32(inRows > 0 ? inRows : 0);
		window->StartRepeating();
		break;
	case 2:
		window->RedoBanners();
		break;
	default:
		break;
	}
}

void TPortfolioWindow::SpendTime(const EventRecord&)
{
	if (mRowsPending) {
		mRowsPending = false;
		RedoTable(int(mPendingRows));
	}
	if (!mBlinking) {
		StopRepeating();
		return;
	}
	if (TickCount() < mNextFlash)
		return;
	if (mBlinkPhase) {
		RedoBanners();
		mNextFlash = UDisplay::FlashTickOff();
	} else {
		BlankBanners();
		mNextFlash = UDisplay::FlashTickOn();
	}
	mBlinkPhase = !mBlinkPhase;
}

void TPortfolioWindow::BlankBanners()
{
	if (mPortfolioValue != nullptr)
		mPortfolioValue->SetDescriptor(kEmptyText);
	for (TColourCaptions* caption : {mOriginalChange, mYesterdaysChange})
		if (caption != nullptr)
			caption->SetStrings(nullptr, nullptr);
}

void TPortfolioWindow::RedoTable(int inRows)
{
	if (mTable == nullptr)
		return;
	mTable->RemoveAllRows(false);
	if (inRows > 0)
		mTable->InsertRows(UInt32(inRows), 0, nullptr, 0, false);
	RedoControls(inRows);
	mTable->Refresh();
}

void TPortfolioWindow::ClearControls()
{
	if (mList == nullptr)
		return;
	for (tListNode<tLineEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		node->mItem->Checkbox->PutInside(nullptr);
		delete node->mItem->Checkbox;
	}
	mList->Clear();
}

void TPortfolioWindow::RedoControls(int inRows)
{
	ClearControls();
	if (mTable == nullptr || mAccountant == nullptr)
		return;
	const SInt32 rowHeight = mTable->RowHeight();
	for (int i = 0; i < inRows; ++i) {
		const tPortfolioItem* item = mAccountant->GetNth(i + 1);
		if (item == nullptr)
			break;
		SPaneInfo info;
		info.width = 16;
		info.height = SInt16(rowHeight);
		info.left = item->isCategory ? 16 : item->inCategory ? 32 : 0;
		info.top = rowHeight * i;
		info.superView = mTable;
		auto* box = new (std::nothrow)
		    LCheckBox(info, MessageT(kFirstCheckboxCommand + i), item->enabled ? 1 : 0, kEmptyText);
		ThrowIfNil_(box);
		box->AddListener(this);
		tLineEntry line;
		line.Checkbox = box;
		mList->Append(&line);
	}
}

void TPortfolioWindow::RedoControlsVisibility(bool inShow)
{
	for (tListNode<tLineEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		if (inShow)
			node->mItem->Checkbox->Show();
		else
			node->mItem->Checkbox->Hide();
	}
}

LCheckBox* TPortfolioWindow::RowCheckbox(SInt32 inRow) const
{
	tLineEntry* line = mList->GetNth(inRow);
	return line != nullptr ? line->Checkbox : nullptr;
}

SInt32 TPortfolioWindow::CheckboxRow(CommandT inCommand) const
{
	const SInt32 rows = mList != nullptr ? SInt32(mList->Count()) : 0;
	return inCommand >= kFirstCheckboxCommand && inCommand - kFirstCheckboxCommand < rows
	           ? SInt32(inCommand - kFirstCheckboxCommand + 1)
	           : 0;
}

void TPortfolioWindow::ClickCheckbox(SInt32 inRow)
{
	tPortfolioItem* item = mAccountant != nullptr ? mAccountant->GetNth(inRow) : nullptr;
	if (item == nullptr || item->isCurrencyItem)
		return;
	item->enabled = item->enabled ? 0 : 1;
	if (item->isCategory) {
		if (item->pCategory != nullptr)
			item->pCategory->enabled = item->enabled;
	} else if (item->entries != nullptr) {
		for (tListNode<tLedgerEntry>* node = item->entries->GetEntryHead(); node != nullptr;
		     node = node->mNext)
			node->mItem->enabled = item->enabled;
	}
	// The flags are stored with the document.
	mLedgerList->Modified();
	mAccountant->RecalculateTotals();
	if (mTable != nullptr)
		mTable->Refresh();
}

void TPortfolioWindow::ClickTriangle(SInt32 inRow)
{
	tPortfolioItem* item = mAccountant != nullptr ? mAccountant->GetNth(inRow) : nullptr;
	if (item == nullptr || !item->isCategory)
		return;
	item->open = item->open ? 0 : 1;
	if (item->pCategory != nullptr)
		item->pCategory->open = item->open;
	mLedgerList->Modified();
	RebuildRows();
}

const tAlertParameters* TPortfolioWindow::CheckAlerts(float inValue, float inReference) const
{
	const float change = inValue - inReference;
	// A holding that cost nothing has changed by 0 per cent.
	const float percent = TAccountant::PercentChange(change, inReference);
	const tAlertParameters* raised = nullptr;
	const tAlertParameters& losing = mParameters->losingAlert;
	if (losing.enabled) {
		const float limit = std::fabs(losing.limit);
		switch (losing.condition) {
		case UZVUtils::alertLossByAmount:
			if (change < 0 && change <= kAlertTolerance - limit)
				raised = &losing;
			break;
		case UZVUtils::alertPriceAtOrBelow:
			if (limit >= inValue)
				raised = &losing;
			break;
		case UZVUtils::alertPercentLoss:
			if (change < 0 && std::fabs(percent) >= limit)
				raised = &losing;
			break;
		default:
			break;
		}
	}
	const tAlertParameters& gaining = mParameters->gainingAlert;
	if (gaining.enabled) {
		const float limit = std::fabs(gaining.limit);
		switch (gaining.condition) {
		case UZVUtils::alertGainByAmount:
			if (change > 0 && change >= limit)
				raised = &gaining;
			break;
		case UZVUtils::alertPriceAtOrAbove:
			if (inValue >= limit)
				raised = &gaining;
			break;
		case UZVUtils::alertPercentGain:
			if (change > 0 && std::fabs(percent) >= limit)
				raised = &gaining;
			break;
		default:
			break;
		}
	}
	return raised;
}

void TPortfolioWindow::RedoBanners()
{
	if (mAccountant == nullptr || mParameters == nullptr)
		return;
	const tPortfolioParameters& p = *mParameters;
	const float current = mAccountant->CurrentTotal();
	const float original = mAccountant->OriginalTotal();
	const float yesterday = mAccountant->YesterdaysTotal();
	RGBColor valueColour = ChangeColour(p, current, original);
	RGBColor yesterdayColour = ChangeColour(p, current, yesterday);
	const tAlertParameters* valueAlert = CheckAlerts(current, original);
	const tAlertParameters* yesterdayAlert = CheckAlerts(current, yesterday);
	bool blinking = false;
	if (valueAlert != nullptr) {
		valueColour = valueAlert->colour;
		blinking = valueAlert->flash != 0;
	}
	if (yesterdayAlert != nullptr)
		yesterdayColour = yesterdayAlert->colour;

	if (mPortfolioValue != nullptr) {
		if (current == kNoValue) {
			StyleCaption(mPortfolioValue, p.unchangedColour, nullptr);
			mPortfolioValue->SetDescriptor(GetStockString(kNoValueString));
		} else {
			char text[64];
			UNumbers::FormatFixed(text, sizeof(text), current, 2);
			UNumbers::AddCommas(text, sizeof(text));
			StyleCaption(mPortfolioValue, valueColour, valueAlert);
			Str255 title;
			PascalStrings::FromString(text, title);
			mPortfolioValue->SetDescriptor(title);
		}
	}
	SetChangeCaption(mOriginalChange, original, current, valueColour, valueAlert, p.unchangedColour);
	SetChangeCaption(mYesterdaysChange, yesterday, current, yesterdayColour, yesterdayAlert,
	                 p.unchangedColour);

	if (blinking && !mBlinking) {
		mBlinking = true;
		// The banner is drawn now; it blanks at the next off moment, in step with the other blinkers.
		mBlinkPhase = false;
		mNextFlash = UDisplay::FlashTickOff();
		StartIdling();
		StartRepeating();
	} else if (!blinking && mBlinking) {
		mBlinking = false;
		StopIdling();
		if (!mRowsPending)
			StopRepeating();
	}
}

void TPortfolioWindow::CheckAndAddSymbols()
{
	const std::vector<tLedgerEntry*> unknown = mAccountant->UnknownEntries();
	if (unknown.empty())
		return;
	// The ledger window's OK may have freed the entries the rows were made from: quotes arriving while
	// the question waits must find the new ones.
	RebuildRows();
	const MessageT answer = UKsDialogs::Dialog(kAddSymbolsDialogID);
	if (answer == kAddSymbols) {
		for (const tLedgerEntry* entry : unknown) {
			// An earlier entry of the same symbol may have added it.
			if (!TPortfolio::IsUnknownEntry(entry))
				continue;
			if (entry->type == kStockBuy || entry->type == kStockSell)
				TStockPlugin::AddStock(entry->symbol, entry->exchange);
			else if (entry->type == kFundBuy || entry->type == kFundSell)
				TStockPlugin::AddFund(entry->symbol);
		}
	} else if (answer == kRemoveSymbols) {
		for (tLedgerEntry* entry : unknown)
			mLedgerList->Remove(entry);
	}
	// The rows were built before securities came or entries went.
	if (answer == kAddSymbols || answer == kRemoveSymbols)
		RebuildRows();
	if (GetSuperCommander() != nullptr)
		GetSuperCommander()->ProcessCommand(kCmdRebuildMenus, nullptr);
	SetUpdateCommandStatus(true);
}

// Rebuilt rows come in ledger order: sorting them again keeps the order the sort buttons show.
void TPortfolioWindow::RebuildRows()
{
	mAccountant->UpdateLists(false, false);
	mAccountant->SortList(tPortfolioSort(mSort));
}

void TPortfolioWindow::Recalculate()
{
	if (mAccountant != nullptr)
		RebuildRows();
	if (mTable != nullptr)
		mTable->Refresh();
	if (mLedgerList != nullptr)
		mLedgerList->Modified();
}

Boolean TPortfolioWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (mBusy)
		return true;
	if (IsControlCommand(inCommand) && LedgerWindow() != nullptr) {
		RefuseWhileLedgerOpen(inCommand, ioParam);
		return true;
	}
	auto value = [ioParam] { return ioParam != nullptr ? *static_cast<SInt32*>(ioParam) : 1; };
	if (inCommand >= kFirstTriangleCommand && inCommand <= 13998) {
		ClickTriangle(SInt32(inCommand - 13000));
		return true;
	}
	if (const SInt32 row = CheckboxRow(inCommand); row > 0) {
		ClickCheckbox(row);
		return true;
	}
	switch (inCommand) {
	case FOUR_CHAR_CODE("dAll"):
	case FOUR_CHAR_CODE("dRng"): {
		const bool range = inCommand == FOUR_CHAR_CODE("dRng");
		if (value() == 0)
			return true;
		for (LClock* clock : {mDateFrom, mDateTo})
			if (clock != nullptr)
				range ? clock->Enable() : clock->Disable();
		SaveContent();
		Recalculate();
		return true;
	}
	case FOUR_CHAR_CODE("dFrm"):
	case FOUR_CHAR_CODE("dToo"):
	case kCmdDateChanged:
		SaveContent();
		Recalculate();
		return true;
	case FOUR_CHAR_CODE("nSrt"):
		RedoSort(kSortName, value());
		return true;
	case FOUR_CHAR_CODE("sSrt"):
		RedoSort(kSortShares, value());
		return true;
	case FOUR_CHAR_CODE("pSrt"):
		RedoSort(mViewOriginal ? kSortPurchasePrice : kSortYesterdaysPrice, value());
		return true;
	case FOUR_CHAR_CODE("tSrt"):
		RedoSort(mViewOriginal ? kSortPurchaseTotal : kSortYesterdaysTotal, value());
		return true;
	case FOUR_CHAR_CODE("aSrt"):
		RedoSort(kSortCurrentPrice, value());
		return true;
	case FOUR_CHAR_CODE("bSrt"):
		RedoSort(kSortCurrentTotal, value());
		return true;
	case FOUR_CHAR_CODE("cSrt"):
		RedoSort(mViewOriginal ? kSortOriginalChange : kSortYesterdaysChange, value());
		return true;
	case UWindowPanes::kSortDirection:
		mDescending = !mDescending;
		if (mAccountant != nullptr)
			mAccountant->SortDirection(mDescending);
		RedoSort(mSort, 1);
		RedoCicns();
		return true;
	case FOUR_CHAR_CODE("vOri"):
	case FOUR_CHAR_CODE("vYes"): {
		if (value() == 0)
			return true;
		mViewOriginal = inCommand == FOUR_CHAR_CODE("vOri");
		RedoHeaders();
		// The reference columns follow the view.
		static constexpr UInt8 kToOriginal[] = {0, 1, 2, 3, 2, 3, 6, 7, 8, 8};
		static constexpr UInt8 kToYesterday[] = {0, 1, 4, 5, 4, 5, 6, 7, 9, 9};
		if (mSort <= kSortYesterdaysChange)
			mSort = mViewOriginal ? kToOriginal[mSort] : kToYesterday[mSort];
		RedoSort(mSort, 1);
		if (mTable != nullptr)
			mTable->Refresh();
		mLedgerList->Modified();
		return true;
	}
	case kCmdSettingsOK:
		if (mTable != nullptr)
			mTable->SetTablePreferences();
		Recalculate();
		SetUpdateCommandStatus(true);
		return true;
	case kCmdLedgerOK:
		CheckAndAddSymbols();
		Recalculate();
		SetUpdateCommandStatus(true);
		return true;
	case kCmdEntryOK: {
		std::unique_ptr<tLedgerEntry> entry = TakeDroppedEntry(ioParam);
		SignalIf_(entry == nullptr);
		if (entry != nullptr) {
			mLedgerList->Append(entry.get());
			// A list that does not keep copies has taken this one.
			if (mLedgerList->GetNth(mLedgerList->Count()) == entry.get())
				entry.release();
			ObeyCommand(kCmdLedgerOK, nullptr);
		}
		return true;
	}
	case kCmdEntryCancel:
		SignalIf_(ioParam == nullptr);
		TakeDroppedEntry(ioParam);
		return true;
	case kCmdOpenLedger:
		OpenLedgerWindow();
		return true;
	case kCmdOpenSettings:
		OpenSettingsWindow();
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TPortfolioWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                         UInt16& outMark, Str255 outName)
{
	if (UTablePrinting::FindCommandStatus(inCommand, kPrintMenuString, outEnabled, outName))
		return;
	TVyWindow::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

LWindow* TPortfolioWindow::LiveSub(LWindow* inWindow) const
{
	if (inWindow == nullptr)
		return nullptr;
	const std::vector<LCommander*>& subs = GetSubCommanders();
	const bool open =
	    std::find(subs.begin(), subs.end(), static_cast<LCommander*>(inWindow)) != subs.end();
	return open && !inWindow->IsClosing() ? inWindow : nullptr;
}

void TPortfolioWindow::OpenLedgerWindow()
{
	if (LWindow* ledger = LedgerWindow()) {
		ledger->Select();
		return;
	}
	// A dropped entry still in its edit window would be written over by the ledger's copy.
	if (!mDropEdits.empty()) {
		UApplicationNotices::SysBeep();
		mDropEdits.back().window->Select();
		return;
	}
	if (mLedgerList == nullptr)
		return;
	Str255 title;
	GetDescriptor(title);
	mLedgerWindow = TLedgerWindow::Open(this, PascalStrings::ToString(title).c_str(), mLedgerList,
	                                    mCategoryList, tCurrency(mParameters->baseCurrency));
}

void TPortfolioWindow::CancelEditors()
{
	for (LWindow* editor : {LedgerWindow(), SettingsWindow()})
		if (editor != nullptr)
			editor->ObeyCommand(kCancelButton, nullptr);
}

bool TPortfolioWindow::HoldsUnappliedEdits() const
{
	if (SettingsWindow() != nullptr || !mDropEdits.empty())
		return true;
	const auto* ledger = dynamic_cast<TLedgerWindow*>(LedgerWindow());
	return ledger != nullptr && (ledger->CountEditWindows() > 0 ||
	                             (ledger->GetList() != nullptr && ledger->GetList()->IsModified()));
}

bool TPortfolioWindow::ApplyEditors()
{
	// The entries first: the ledger's OK cancels those still open. The first one refused stops the save.
	std::vector<TLedgerEditWindow*> entries;
	for (const tDropEdit& edit : mDropEdits)
		if (auto* entry = dynamic_cast<TLedgerEditWindow*>(edit.window))
			entries.push_back(entry);
	auto* ledger = dynamic_cast<TLedgerWindow*>(LedgerWindow());
	if (ledger != nullptr)
		for (LCommander* sub : ledger->GetSubCommanders())
			if (auto* edit = dynamic_cast<TLedgerEditWindow*>(sub))
				entries.push_back(edit);
	Str255 title;
	GetDescriptor(title);
	for (TLedgerEditWindow* entry : entries)
		if (!entry->AcceptForSave(title))
			return false;
	if (!mDropEdits.empty() || (ledger != nullptr && ledger->CountEditWindows() > 0))
		return false;
	if (LWindow* editor = LedgerWindow())
		editor->ObeyCommand(kOKButton, nullptr);
	if (auto* settings = dynamic_cast<TPortfolioPrefsWindow*>(SettingsWindow()))
		settings->AcceptForSave(title);
	return LedgerWindow() == nullptr && SettingsWindow() == nullptr;
}

void TPortfolioWindow::OpenSettingsWindow()
{
	if (LWindow* settings = SettingsWindow()) {
		settings->Select();
		return;
	}
	if (mParameters == nullptr)
		return;
	mPrefsWindow = TPortfolioPrefsWindow::Open(this, mParameters, mCategoryList);
	// Opening counts as a change, even when the settings are then cancelled.
	mLedgerList->Modified();
}

Boolean TPortfolioWindow::AllowSubRemoval(LCommander* inSub)
{
	if (inSub != nullptr && inSub == mLedgerWindow)
		mLedgerWindow = nullptr;
	if (inSub != nullptr && inSub == mPrefsWindow)
		mPrefsWindow = nullptr;
	if (inSub != nullptr && !IsClosing()) {
		Select();
		SwitchTarget(this);
		SetUpdateCommandStatus(true);
	}
	return true;
}

// With its ledger open the window still comes forward and takes the keys; its controls wait for the ledger.
void TPortfolioWindow::HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount)
{
	if (dynamic_cast<LClock*>(GetTarget()) == nullptr)
		SwitchTarget(this);
	TVyWindow::HandleClick(inMacEvent, inClickCount);
}

void TPortfolioWindow::ClickInGrow(const EventRecord& inMacEvent)
{
	if (mZoomState == 3) {
		ZoomWith(0);
		return;
	}
	TVyWindow::ClickInGrow(inMacEvent);
}

void TPortfolioWindow::DoSetZoom(Boolean)
{
	ZoomWith(CurrentModifiers());
}

void TPortfolioWindow::ZoomWith(UInt16 inModifiers)
{
	UInt8 state = mZoomState;
	if (inModifiers & shiftKey)
		state = 3;
	else if (inModifiers & optionKey)
		state = 1;
	Rect bounds;
	GetGlobalBounds(bounds);
	SInt16 height = SInt16(bounds.bottom - bounds.top);
	SInt16 width = SInt16(bounds.right - bounds.left);
	const bool full = state == 3;
	if (state == 2) {
		height = SInt16(mBannerFrame.bottom - mBannerFrame.top);
		width = SInt16(mValueFrame.right - mValueFrame.left);
		mZoomState = 3;
	} else if (state == 3) {
		height = SInt16(mFullFrame.bottom - mFullFrame.top);
		width = SInt16(mFullFrame.right - mFullFrame.left);
		mZoomState = 1;
	} else {
		// Only the full size is worth remembering: an option-zoom from a reduced state keeps it.
		if (mZoomState == 1)
			CalcLocalFrameRect(mFullFrame);
		height = SInt16(mBannerFrame.bottom - mBannerFrame.top);
		mZoomState = 2;
	}
	// The bottom view keeps its size while hidden, so that the full size finds it as it was.
	std::unique_ptr<StBindings> keepBottom;
	if (mBottomView != nullptr) {
		keepBottom = std::make_unique<StBindings>(mBottomView);
		keepBottom->TurnOffAll();
		UWindowPanes::SetShown(mBottomView, full);
	}
	Hide();
	DoSetBounds(Rect{bounds.top, bounds.left, SInt16(bounds.top + height), SInt16(bounds.left + width)});
	Refresh();
	Show();
	Select();
}

void TPortfolioWindow::ChangeTexts(float inReference, float inCurrent, std::string& outChange,
                                   std::string& outPercent)
{
	char number[UZVUtils::kQuoteTextSize] = {}, fraction[UZVUtils::kQuoteTextSize] = {};
	UZVUtils::QuoteChange(number, fraction, inReference, inCurrent, false, 2);
	outChange = number;
	if (fraction[0] != 0)
		outChange = outChange.empty() ? std::string(fraction) : outChange + " " + fraction;
	char percent[128] = {};
	UZVUtils::QuotePercent(percent, 127, inReference, inCurrent);
	outPercent = percent;
}
