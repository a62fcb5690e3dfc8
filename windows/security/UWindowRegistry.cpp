#include "windows/security/UWindowRegistry.h"

#include "app/TStockPlugin.h"
#include "model/USecurityWindows.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/URegistrar.h"
#include "windows/portfolio/TLedgerFundSplitWindow.h"
#include "windows/portfolio/TLedgerFundWindow.h"
#include "windows/portfolio/TLedgerOtherWindow.h"
#include "windows/portfolio/TLedgerStockSplitWindow.h"
#include "windows/portfolio/TLedgerStockWindow.h"
#include "windows/portfolio/TLedgerTable.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/portfolio/TCategoryTable.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"
#include "windows/security/TCurrencyDetailView.h"
#include "windows/security/TCurrencySelectWindow.h"
#include "windows/security/TFundDetailView.h"
#include "windows/security/TFundSelectWindow.h"
#include "windows/security/TIndexDetailView.h"
#include "windows/security/TIndexSelectWindow.h"
#include "windows/security/TStockDetailView.h"
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
	RegisterClass_(TLedgerWindow);
	RegisterClass_(TLedgerTable);
	RegisterClass_(TLedgerStockWindow);
	RegisterClass_(TLedgerFundWindow);
	RegisterClass_(TLedgerOtherWindow);
	RegisterClass_(TLedgerStockSplitWindow);
	RegisterClass_(TLedgerFundSplitWindow);
	RegisterClass_(TPortfolioTable);
	RegisterClass_(TPortfolioWindow);
	RegisterClass_(TPortfolioPrefsWindow);
	RegisterClass_(TCategoryTable);
}

void UWindowRegistry::InstallOpeners()
{
	TStockPlugin::SetWindowOpener(windowSummary, &TSummaryWindow::Open);
	InstallSelectDlogs();
}

void UWindowRegistry::InstallSelectDlogs()
{
	InstallSelectDlog<TStockSelectWindow>(securityStock);
	InstallSelectDlog<TFundSelectWindow>(securityFund);
	InstallSelectDlog<TIndexSelectWindow>(securityIndex);
	InstallSelectDlog<TCurrencySelectWindow>(securityCurrency);
}
