#include "windows/security/TStockSelectWindow.h"

#include "Quoters/TQuoterManager.h"
#include "model/TExchange.h"
#include "model/TStock.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"

tStockExchange TStockSelectWindow::sLastExchangeSelected = 101;

TStockSelectWindow::TStockSelectWindow(LStream* inStream) : TSelectDlog(inStream)
{
	mHasTabs = true;
	mLosingAlertPanel = 1;
	mGainingAlertPanel = 2;
	mSourcesPanel = 3;
	mHTMLPanel = 4;
}

void TStockSelectWindow::FinishCreateSelf()
{
	TSelectDlog::FinishCreateSelf();
	mStockName = FindPane<LEditText>(FOUR_CHAR_CODE("Name"));
	mStockSymbol = FindPane<LEditText>(FOUR_CHAR_CODE("Symb"));
	mStockExchange = FindPane<LPopupButton>(FOUR_CHAR_CODE("Exch"));
	mExchanges = TQuoterManager::GetExchangeMenuItems();
	FillTableMenu(mStockExchange, mExchanges, [](SInt32 inCode) {
		char name[256];
		TExchange::GetExchangeName(tStockExchange(inCode), name, sizeof name);
		return std::string(name);
	});
	FillSourceMenu(mSourcesQuoter, securityStock);
}

void TStockSelectWindow::SetSecurity(TSecurity* inSecurity)
{
	SetSecurity(dynamic_cast<TStock*>(inSecurity));
}

void TStockSelectWindow::SetSecurity(TStock* inStock)
{
	mStock = inStock;
	BindSecurity(inStock, 5114);
}

void TStockSelectWindow::RedoContent()
{
	if (mStock == nullptr)
		return;
	RedoIdentity(mStockName, mStockSymbol);
	if (mStockExchange != nullptr)
		mStockExchange->SetValue(UMenus::TranslateMenu(
		    true, mExchanges, mIsNewSecurity ? sLastExchangeSelected : mStock->Exchange()));
	RedoAlertContent();
	RedoSourcesContent();
	RedoHTMLContent();
}

void TStockSelectWindow::SaveContent()
{
	if (mStock == nullptr)
		return;
	SaveIdentity(mStockName, mStockSymbol, 10);
	if (mStockExchange != nullptr) {
		sLastExchangeSelected =
		    tStockExchange(UMenus::TranslateMenu(false, mExchanges, mStockExchange->GetValue()));
		mStock->Exchange(sLastExchangeSelected);
	}
	SaveAlertContent();
	SaveSourcesContent();
	SaveHTMLContent();
	UpdateSecurity();
}
