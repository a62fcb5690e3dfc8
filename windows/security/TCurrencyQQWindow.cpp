#include "windows/security/TCurrencyQQWindow.h"

#include "Includes/tStockTickerPrefs.h"
#include "Internet/UApplicationNotices.h"
#include "Quoters/TQuoterManager.h"
#include "app/TStockPlugin.h"
#include "foundation/UNumbers.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/UZVUtils.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "toolkit/UKsKeyFilters.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/UDetailPanes.h"
#include "windows/security/UWindowPanes.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

const tMenuItems TCurrencyQQWindow::sCommissions[] = {
    {1, 0},   {2, 200}, {3, 400}, {4, 100},  {5, 300},   {6, 500},
    {7, 600}, {8, 700}, {9, 800}, {10, 900}, {11, 1000}, {kEndOfMenuItems, kEndOfMenuItems}};

IPluginWindow* TCurrencyQQWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TCurrencyQQWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TCurrencyQQWindow::TCurrencyQQWindow(LStream* inStream) : TQuickQuoteWindow(inStream)
{
	mNewsCount = 0;
	mPageRecords[0].page = 1;
	mPageRecords[0].linksID = 5462;
	mPageRecords[1] = mPageRecords[0];
}

TCurrencyQQWindow::~TCurrencyQQWindow()
{
	Retire();
}

void TCurrencyQQWindow::FinishCreateSelf()
{
	TCurrencyDetailWindow::FinishCreateSelf();
	mFrom = UDetailPanes::Find<LPopupButton>(this, FOUR_CHAR_CODE("qqFm"));
	mTo = UDetailPanes::Find<LPopupButton>(this, FOUR_CHAR_CODE("qqTo"));
	mAmount = UDetailPanes::Find<LEditText>(this, FOUR_CHAR_CODE("qqCv"));
	mCommission = UDetailPanes::Find<LPopupButton>(this, FOUR_CHAR_CODE("qqCm"));
	mAddToList = UDetailPanes::Find<LPushButton>(this, FOUR_CHAR_CODE("qqAd"));
	mUpdate = UDetailPanes::Find<LPushButton>(this, kQuoteButton);
	mCurrencyMenus = TQuoterManager::GetCurrencyMenuItems();
	TSelectDlog::FillCurrencyMenu(mFrom, mCurrencyMenus);
	TSelectDlog::FillCurrencyMenu(mTo, mCurrencyMenus);
	if (mAmount != nullptr)
		mAmount->SetKeyFilter(UKsKeyFilters::FloatField);

	// Without plug-in settings (a layout built on its own) the window starts from blank choices.
	static const tStockTickerPrefs kBlank{};
	const tStockTickerPrefs* prefs = gPreferences != nullptr ? gPreferences : &kBlank;
	auto* pair = new (std::nothrow) TCurrency;
	if (pair == nullptr)
		throw LException(err_NilPointer);
	UZVUtils::DefaultCurrency(pair, prefs->currencyQQFrom, prefs->currencyQQTo);
	// Not the list's: no saved place, view or zoom is read into the window.
	mSecurity = mCurrency = pair;

	if (mFrom != nullptr)
		mFrom->SetValue(UMenus::TranslateMenu(true, mCurrencyMenus, prefs->currencyQQFrom));
	if (mTo != nullptr)
		mTo->SetValue(UMenus::TranslateMenu(true, mCurrencyMenus, prefs->currencyQQTo));
	TCurrencyConversion::SetCurrencyTitles(pair);
	if (mAmount != nullptr) {
		char amount[64];
		UNumbers::FormatFixed(amount, sizeof amount, prefs->currencyQQAmount, 6);
		mAmount->SetText(amount, Size(std::strlen(amount)));
	}
	if (mCommission != nullptr)
		mCommission->SetValue(UMenus::TranslateMenu(true, sCommissions, prefs->currencyQQAdjustment));
	RedoContent();
	UDetailPanes::PlaceWindow(this, prefs->currencyQQTop, prefs->currencyQQLeft);
}

TSecurity* TCurrencyQQWindow::QuoteSecurity() const
{
	return mCurrency;
}

void TCurrencyQQWindow::Retire()
{
	if (mCurrency == nullptr)
		return;
	if (gPreferences != nullptr)
		UDetailPanes::GetTopLeft(this, gPreferences->currencyQQTop, gPreferences->currencyQQLeft);
	UnlinkAndCancel();
	mUpdating = false;
	Discard();
	delete mCurrency;
	mCurrency = nullptr;
}

Boolean TCurrencyQQWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kQuoteButton:
		if (UWindowPanes::IsNumber(mAmount))
			UpdateMe();
		else
			UWindowPanes::RefuseField(mAmount);
		return true;
	case FOUR_CHAR_CODE("qqCm"):
	case FOUR_CHAR_CODE("qqCv"):
		// The lines follow from the last rate and the last amount the field gave; nothing is fetched,
		// and nothing is refused while the user types.
		SaveContent();
		RedoNormalContent();
		return true;
	case FOUR_CHAR_CODE("qqAd"):
		AddToList();
		return true;
	default:
		return TCurrencyDetailWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TCurrencyQQWindow::SaveContent()
{
	tStockTickerPrefs* prefs = gPreferences;
	if (mCurrency == nullptr || prefs == nullptr)
		return;
	if (mFrom != nullptr)
		prefs->currencyQQFrom =
		    SInt16(UMenus::TranslateMenu(false, mCurrencyMenus, SInt32(mFrom->GetValue())));
	mCurrency->CurrencyFrom(tCurrency(prefs->currencyQQFrom));
	if (mTo != nullptr)
		prefs->currencyQQTo =
		    SInt16(UMenus::TranslateMenu(false, mCurrencyMenus, SInt32(mTo->GetValue())));
	mCurrency->CurrencyTo(tCurrency(prefs->currencyQQTo));
	float amount = 0;
	if (UWindowPanes::ReadNumber(mAmount, amount))
		prefs->currencyQQAmount = amount;
	if (mCommission != nullptr)
		prefs->currencyQQAdjustment =
		    UMenus::TranslateMenu(false, sCommissions, SInt32(mCommission->GetValue()));
	TCurrencyConversion::SetCurrencyTitles(mCurrency);
}

void TCurrencyQQWindow::AddToList()
{
	SaveContent();
	if (mCurrency == nullptr)
		return;
	if (TStockPlugin::GetCurrency(mCurrency->CurrencyFrom(), mCurrency->CurrencyTo()) != nullptr)
		UApplicationNotices::SysBeep();
	else
		TStockPlugin::AddCurrency(mCurrency->CurrencyFrom(), mCurrency->CurrencyTo());
}

void TCurrencyQQWindow::RedoNormalContent()
{
	if (mCurrency == nullptr || gPreferences == nullptr)
		return;
	WriteRateBanners();
	const float amount = gPreferences->currencyQQAmount;
	// The lines take the amount as a double with two decimals: the double of its rounded text prints as
	// that text, rounded as every other window rounds.
	char rounded[64];
	UNumbers::FormatFixed(rounded, sizeof rounded, amount, 2);
	const double shown = std::strtod(rounded, nullptr);
	const int commission = int(gPreferences->currencyQQAdjustment);
	const char* from = FromSymbol();
	const char* to = ToSymbol();
	char converted[64];
	GetAdjustedPrice(converted, sizeof converted, amount, currencyBuy, commission, 2);
	SetConversionLine(mBuyFrom, 33, shown, from, converted, to);
	GetAdjustedPrice(converted, sizeof converted, amount, currencySell, commission, 2);
	SetConversionLine(mSellFrom, 34, shown, from, converted, to);
	GetReciprocalPrice(converted, sizeof converted, amount, currencyBuy, commission, 2);
	SetConversionLine(mBuyTo, 35, shown, to, converted, from);
	GetReciprocalPrice(converted, sizeof converted, amount, currencySell, commission, 2);
	SetConversionLine(mSellTo, 36, shown, to, converted, from);
	UPPUtils::SetQuoteSource(mQuoteSource, mCurrency);
}
