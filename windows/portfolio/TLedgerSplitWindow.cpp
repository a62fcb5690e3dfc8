#include "windows/portfolio/TLedgerSplitWindow.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStaticText.h"
#include "windows/portfolio/ULedgerMenus.h"
#include "windows/security/UWindowPanes.h"

namespace
{
constexpr PaneIDT kSplit = FOUR_CHAR_CODE("Splt");
constexpr PaneIDT kConsolidate = FOUR_CHAR_CODE("Cons");
constexpr PaneIDT kSplitMenu = FOUR_CHAR_CODE("mSpl");
constexpr PaneIDT kConsolidateMenu = FOUR_CHAR_CODE("mCon");

SInt32 CodeOf(LPopupButton* inMenu, const tMenuItems* inTable)
{
	return inMenu != nullptr ? UMenus::TranslateMenu(false, inTable, inMenu->GetValue()) : inTable->value;
}
} // namespace

TLedgerSplitWindow::TLedgerSplitWindow(LStream* inStream) : TLedgerEditWindow(inStream)
{
	mHasUnits = false;
	mHasExchange = true;
	mHasConversion = false;
}

void TLedgerSplitWindow::FinishCreateSelf()
{
	TLedgerEditWindow::FinishCreateSelf();
	mSplit = FindField<LRadioButton>(kSplit);
	mSplitMenu = FindField<LPopupButton>(kSplitMenu);
	mSplitFrom = FindField<LEditText>(FOUR_CHAR_CODE("sFrm"));
	mSplitText = FindField<LStaticText>(FOUR_CHAR_CODE("sTxt"));
	mSplitTo = FindField<LEditText>(FOUR_CHAR_CODE("sToo"));
	mConsolidate = FindField<LRadioButton>(kConsolidate);
	mConsolidateMenu = FindField<LPopupButton>(kConsolidateMenu);
	mConsolidateFrom = FindField<LEditText>(FOUR_CHAR_CODE("cFrm"));
	mConsolidateText = FindField<LStaticText>(FOUR_CHAR_CODE("cTxt"));
	mConsolidateTo = FindField<LEditText>(FOUR_CHAR_CODE("cToo"));
	FilterNumbers({mSplitFrom, mSplitTo, mConsolidateFrom, mConsolidateTo});
}

void TLedgerSplitWindow::RedoContent()
{
	TLedgerEditWindow::RedoContent();
	if (mEntry == nullptr)
		return;
	const float from = mEntry->splitFrom, to = mEntry->splitTo;
	const bool split = to >= from;
	const SInt32 splitCode =
	    split ? ULedgerMenus::SplitCode(from, to) : ULedgerMenus::sStockSplits[0].value;
	const SInt32 consolidationCode =
	    split ? ULedgerMenus::sStockConsolidations[0].value : ULedgerMenus::ConsolidationCode(from, to);
	const bool customSplit = split && splitCode == ULedgerMenus::kCustomSplit;
	const bool customConsolidation = !split && consolidationCode == ULedgerMenus::kCustomConsolidation;
	SetNumber(mSplitFrom, customSplit ? from : 0);
	SetNumber(mSplitTo, customSplit ? to : 0);
	SetNumber(mConsolidateFrom, customConsolidation ? from : 0);
	SetNumber(mConsolidateTo, customConsolidation ? to : 0);
	mBusy = true;
	if (mSplit != nullptr && mConsolidate != nullptr) {
		mSplit->SetValue(split ? 1 : 0);
		mConsolidate->SetValue(split ? 0 : 1);
	}
	if (mSplitMenu != nullptr)
		mSplitMenu->SetValue(UMenus::TranslateMenu(true, ULedgerMenus::sStockSplits, splitCode));
	if (mConsolidateMenu != nullptr)
		mConsolidateMenu->SetValue(
		    UMenus::TranslateMenu(true, ULedgerMenus::sStockConsolidations, consolidationCode));
	mBusy = false;
	RedoEnabledItems();
}

void TLedgerSplitWindow::RedoEnabledItems()
{
	const bool split = mSplit != nullptr && mSplit->GetValue() > 0;
	const bool customSplit = CodeOf(mSplitMenu, ULedgerMenus::sStockSplits) == ULedgerMenus::kCustomSplit;
	const bool customConsolidation = CodeOf(mConsolidateMenu, ULedgerMenus::sStockConsolidations) ==
	                                 ULedgerMenus::kCustomConsolidation;
	UWindowPanes::SetEnabled(mSplitMenu, split);
	for (LPane* pane : {static_cast<LPane*>(mSplitFrom), static_cast<LPane*>(mSplitText),
	                    static_cast<LPane*>(mSplitTo)})
		UWindowPanes::SetEnabled(pane, split && customSplit);
	UWindowPanes::SetEnabled(mConsolidateMenu, !split);
	for (LPane* pane : {static_cast<LPane*>(mConsolidateFrom), static_cast<LPane*>(mConsolidateText),
	                    static_cast<LPane*>(mConsolidateTo)})
		UWindowPanes::SetEnabled(pane, !split && customConsolidation);
}

bool TLedgerSplitWindow::ChosenRatio(float& outFrom, float& outTo) const
{
	const bool split = mSplit != nullptr && mSplit->GetValue() > 0;
	const SInt32 code = split ? CodeOf(mSplitMenu, ULedgerMenus::sStockSplits)
	                          : CodeOf(mConsolidateMenu, ULedgerMenus::sStockConsolidations);
	if (!ULedgerMenus::RatioOf(code, outFrom, outTo)) {
		outFrom = GetNumber(split ? mSplitFrom : mConsolidateFrom);
		outTo = GetNumber(split ? mSplitTo : mConsolidateTo);
	}
	return outFrom > 0 && outTo > 0;
}

LEditText* TLedgerSplitWindow::RefusedField() const
{
	if (LEditText* field = TLedgerEditWindow::RefusedField())
		return field;
	float from = 0, to = 0;
	if (ChosenRatio(from, to))
		return nullptr;
	const bool split = mSplit != nullptr && mSplit->GetValue() > 0;
	if (from > 0)
		return split ? mSplitTo : mConsolidateTo;
	return split ? mSplitFrom : mConsolidateFrom;
}

void TLedgerSplitWindow::SaveContent()
{
	TLedgerEditWindow::SaveContent();
	float from = 0, to = 0;
	if (mEntry != nullptr && ChosenRatio(from, to)) {
		mEntry->splitFrom = from;
		mEntry->splitTo = to;
	}
}

Boolean TLedgerSplitWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (mBusy)
		return true;
	switch (inCommand) {
	case kSplit:
	case kConsolidate:
	case kSplitMenu:
	case kConsolidateMenu:
		RedoEnabledItems();
		return true;
	default:
		return TLedgerEditWindow::ObeyCommand(inCommand, ioParam);
	}
}
