#include "app/TDetailWindowSeam.h"

#include "model/SecurityTypes.h"
#include "model/USecurityWindows.h"

void TDetailWindowSeam::Install()
{
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		USecurityWindows::SetDetailWindowMaker(kind, [] { return new TDetailWindowSeam; });
}
