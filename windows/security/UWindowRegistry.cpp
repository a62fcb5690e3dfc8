#include "windows/security/UWindowRegistry.h"

#include "app/TStockPlugin.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/URegistrar.h"
#include "windows/security/RegisterSecurityDialogs.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"

void UWindowRegistry::Install()
{
	RegisterClasses();
	InstallOpeners();
}

void UWindowRegistry::RegisterClasses()
{
	// The detail views and the per-security settings dialogs (their makers with them).
	RegisterSecurityDialogs();
	// The windows' printouts.
	RegisterClass_(LPrintout);
	RegisterClass_(TSummaryWindow);
	RegisterClass_(TSummaryTable);
}

void UWindowRegistry::InstallOpeners()
{
	TStockPlugin::SetWindowOpener(windowSummary, &TSummaryWindow::Open);
}
