#include "windows/security/RegisterSecurityDialogs.h"

#include "model/USecurityWindows.h"
#include "platform/framework/URegistrar.h"
#include "windows/security/TCurrencyDetailView.h"
#include "windows/security/TCurrencySelectWindow.h"
#include "windows/security/TFundDetailView.h"
#include "windows/security/TFundSelectWindow.h"
#include "windows/security/TIndexDetailView.h"
#include "windows/security/TIndexSelectWindow.h"
#include "windows/security/TStockDetailView.h"
#include "windows/security/TStockSelectWindow.h"

namespace
{
template <class T> void InstallSelectDlog(tSecurityType inKind)
{
	USecurityWindows::SetSelectDlogMaker(inKind, [](LCommander* inSuper) -> ISelectDlog* {
		return dynamic_cast<T*>(LWindow::CreateWindow(T::kLayoutID, inSuper));
	});
}
} // namespace

void RegisterSecurityDialogs()
{
	RegisterClass_(TStockDetailView);
	RegisterClass_(TFundDetailView);
	RegisterClass_(TIndexDetailView);
	RegisterClass_(TCurrencyDetailView);
	RegisterClass_(TStockSelectWindow);
	RegisterClass_(TFundSelectWindow);
	RegisterClass_(TIndexSelectWindow);
	RegisterClass_(TCurrencySelectWindow);
	InstallSelectDlog<TStockSelectWindow>(securityStock);
	InstallSelectDlog<TFundSelectWindow>(securityFund);
	InstallSelectDlog<TIndexSelectWindow>(securityIndex);
	InstallSelectDlog<TCurrencySelectWindow>(securityCurrency);
}
