#include "windows/security/TCurrencySelectWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "platform/framework/LPopupButton.h"

tCurrency TCurrencySelectWindow::sLastCurrencyFromSelected = 0;
tCurrency TCurrencySelectWindow::sLastCurrencyToSelected = 0;

TCurrencySelectWindow::TCurrencySelectWindow(LStream* inStream) : TSelectDlog(inStream)
{
	mHasTabs = true;
	mLosingAlertPanel = 1;
	mGainingAlertPanel = 2;
}

void TCurrencySelectWindow::FinishCreateSelf()
{
	TSelectDlog::FinishCreateSelf();
	mCurrencyFrom = FindPane<LPopupButton>(FOUR_CHAR_CODE("From"));
	mCurrencyTo = FindPane<LPopupButton>(FOUR_CHAR_CODE("Tooo"));
	mCurrencies = TQuoterManager::GetCurrencyMenuItems();
	FillCurrencyMenu(mCurrencyFrom, mCurrencies);
	FillCurrencyMenu(mCurrencyTo, mCurrencies);
}

void TCurrencySelectWindow::SetSecurity(TSecurity* inSecurity)
{
	SetSecurity(dynamic_cast<TCurrency*>(inSecurity));
}

void TCurrencySelectWindow::SetSecurity(TCurrency* inCurrency)
{
	mCurrency = inCurrency;
	BindSecurity(inCurrency, 5144);
}

void TCurrencySelectWindow::RedoContent()
{
	if (mCurrency == nullptr)
		return;
	const tCurrency from = mIsNewSecurity ? sLastCurrencyFromSelected : mCurrency->CurrencyFrom();
	const tCurrency to = mIsNewSecurity ? sLastCurrencyToSelected : mCurrency->CurrencyTo();
	if (mCurrencyFrom != nullptr)
		mCurrencyFrom->SetValue(UMenus::TranslateMenu(true, mCurrencies, from));
	if (mCurrencyTo != nullptr)
		mCurrencyTo->SetValue(UMenus::TranslateMenu(true, mCurrencies, to));
	RedoAlertContent();
}

void TCurrencySelectWindow::SaveContent()
{
	if (mCurrency == nullptr)
		return;
	if (mCurrencyFrom != nullptr) {
		sLastCurrencyFromSelected =
		    tCurrency(UMenus::TranslateMenu(false, mCurrencies, mCurrencyFrom->GetValue()));
		mCurrency->CurrencyFrom(sLastCurrencyFromSelected);
	}
	if (mCurrencyTo != nullptr) {
		sLastCurrencyToSelected =
		    tCurrency(UMenus::TranslateMenu(false, mCurrencies, mCurrencyTo->GetValue()));
		mCurrency->CurrencyTo(sLastCurrencyToSelected);
	}
	TCurrencyConversion::SetCurrencyTitles(mCurrency);
	SaveAlertContent();
	UpdateSecurity();
}
