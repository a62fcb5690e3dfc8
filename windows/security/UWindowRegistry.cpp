#include "windows/security/UWindowRegistry.h"

#include "app/TStockPlugin.h"
#include "model/USecurityWindows.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/URegistrar.h"
#include "windows/portfolio/TCategoryTable.h"
#include "windows/portfolio/TLedgerFundSplitWindow.h"
#include "windows/portfolio/TLedgerFundWindow.h"
#include "windows/portfolio/TLedgerOtherWindow.h"
#include "windows/portfolio/TLedgerStockSplitWindow.h"
#include "windows/portfolio/TLedgerStockWindow.h"
#include "windows/portfolio/TLedgerTable.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/TCurrencyDetailView.h"
#include "windows/security/TCurrencyDetailWindow.h"
#include "windows/security/TCurrencyListWindow.h"
#include "windows/security/TCurrencyQQWindow.h"
#include "windows/security/TCurrencySelectWindow.h"
#include "windows/security/TFundDetailView.h"
#include "windows/security/TFundDetailWindow.h"
#include "windows/security/TFundListWindow.h"
#include "windows/security/TFundLookupWindow.h"
#include "windows/security/TFundSelectWindow.h"
#include "windows/security/TIndexDetailView.h"
#include "windows/security/TIndexDetailWindow.h"
#include "windows/security/TIndexListWindow.h"
#include "windows/security/TIndexLookupWindow.h"
#include "windows/security/TIndexSelectWindow.h"
#include "windows/security/TListTable.h"
#include "windows/security/TListWindow.h"
#include "windows/security/TLookupTable.h"
#include "windows/security/TSecurityPrefsTable.h"
#include "windows/security/TSecurityPrefsWindow.h"
#include "windows/security/TStockDetailView.h"
#include "windows/security/TStockDetailWindow.h"
#include "windows/security/TStockListWindow.h"
#include "windows/security/TStockLookupWindow.h"
#include "windows/security/TStockQQWindow.h"
#include "windows/security/TStockSelectWindow.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"

namespace
{
template <class T> void InstallSelectDlog(tSecurityType inKind)
{
	USecurityWindows::SetSelectDlogMaker(inKind, [](LCommander* inSuper) -> ISelectDlog* {
		return dynamic_cast<T*>(LWindow::CreateWindow(T::kLayoutID, inSuper));
	});
}

template <class T> void InstallDetailWindow(tSecurityType inKind)
{
	USecurityWindows::SetDetailWindowMaker(inKind, []() -> IDetailWindow* {
		TDetailWindow* window = TDetailWindow::Make(T::kLayoutID);
		return window != nullptr ? window->SecurityFace() : nullptr;
	});
}
} // namespace

void UWindowRegistry::Install()
{
	RegisterClasses();
	InstallOpeners();
}

void UWindowRegistry::RegisterClasses()
{
	// The windows' printouts.
	RegisterClass_(LPrintout);
	RegisterClass_(TSummaryWindow);
	RegisterClass_(TSummaryTable);
	RegisterClass_(TStockDetailView);
	RegisterClass_(TFundDetailView);
	RegisterClass_(TIndexDetailView);
	RegisterClass_(TCurrencyDetailView);
	RegisterClass_(TStockSelectWindow);
	RegisterClass_(TFundSelectWindow);
	RegisterClass_(TIndexSelectWindow);
	RegisterClass_(TCurrencySelectWindow);
	RegisterClass_(TFundDetailWindow);
	RegisterClass_(TStockDetailWindow);
	RegisterClass_(TStockQQWindow);
	RegisterClass_(TIndexDetailWindow);
	RegisterClass_(TCurrencyDetailWindow);
	RegisterClass_(TCurrencyQQWindow);
	RegisterClass_(TListWindow);
	RegisterClass_(TListTable);
	RegisterClass_(TStockListWindow);
	RegisterClass_(TFundListWindow);
	RegisterClass_(TIndexListWindow);
	RegisterClass_(TCurrencyListWindow);
	RegisterClass_(TLookupTable);
	RegisterClass_(TStockLookupWindow);
	RegisterClass_(TFundLookupWindow);
	RegisterClass_(TIndexLookupWindow);
	RegisterClass_(TPortfolioTable);
	RegisterClass_(TPortfolioWindow);
	RegisterClass_(TPortfolioPrefsWindow);
	RegisterClass_(TCategoryTable);
	RegisterClass_(TLedgerWindow);
	RegisterClass_(TLedgerTable);
	RegisterClass_(TLedgerStockWindow);
	RegisterClass_(TLedgerFundWindow);
	RegisterClass_(TLedgerOtherWindow);
	RegisterClass_(TLedgerStockSplitWindow);
	RegisterClass_(TLedgerFundSplitWindow);
	RegisterClass_(TSecurityPrefsWindow);
	RegisterClass_(TSecurityPrefsTable);
}

void UWindowRegistry::InstallOpeners()
{
	TStockPlugin::SetWindowOpener(windowSummary, &TSummaryWindow::Open);
	TStockPlugin::SetWindowOpener(windowSecurityPrefs, &TSecurityPrefsWindow::Open);
	TStockPlugin::SetWindowOpener(windowStockQQ, &TStockQQWindow::Open);
	TStockPlugin::SetWindowOpener(windowCurrencyQQ, &TCurrencyQQWindow::Open);
	TStockPlugin::SetWindowOpener(windowStockList, &TStockListWindow::Open);
	TStockPlugin::SetWindowOpener(windowFundList, &TFundListWindow::Open);
	TStockPlugin::SetWindowOpener(windowIndexList, &TIndexListWindow::Open);
	TStockPlugin::SetWindowOpener(windowCurrencyList, &TCurrencyListWindow::Open);
	TListWindow::SetLookupOpener(&TLookupWindow::Open);
	TPortfolio::InstallHooks();
	InstallSelectDlogs();
	InstallDetailWindows();
}

void UWindowRegistry::InstallSelectDlogs()
{
	InstallSelectDlog<TStockSelectWindow>(securityStock);
	InstallSelectDlog<TFundSelectWindow>(securityFund);
	InstallSelectDlog<TIndexSelectWindow>(securityIndex);
	InstallSelectDlog<TCurrencySelectWindow>(securityCurrency);
}

void UWindowRegistry::InstallDetailWindows()
{
	InstallDetailWindow<TFundDetailWindow>(securityFund);
	InstallDetailWindow<TStockDetailWindow>(securityStock);
	InstallDetailWindow<TIndexDetailWindow>(securityIndex);
	InstallDetailWindow<TCurrencyDetailWindow>(securityCurrency);
}
