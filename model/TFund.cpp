#include "model/TFund.h"

#include "model/StockGlobals.h"

TFund::TFund()
{
	mType = securityFund;
	mParameters.viewType = gPreferences != nullptr ? gPreferences->fundViewType : kDefaultViewType;
}

TFund& TFund::operator=(const TFund& other)
{
	TSecurity::operator=(other);
	return *this;
}

void TFund::Copy(TSecurity* other)
{
	SignalIf_(other == nullptr || other->Type() != securityFund);
	TFund* fund = dynamic_cast<TFund*>(other);
	if (fund == nullptr || fund == this)
		return;
	SecurityName(fund->SecurityName());
	SecuritySymbol(fund->SecuritySymbol());
	AllParameters(fund->AllParameters());
}
