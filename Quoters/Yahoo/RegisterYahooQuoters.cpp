#include "Quoters/QuoterFamilies.h"
#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooEurope.h"
#include "Quoters/Yahoo/TYahooUS.h"

#include <new>

void RegisterYahooQuoters()
{
	TQuoterManager::RegisterQuoterClass(TYahooEurope::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TYahooEurope; });
	TQuoterManager::RegisterQuoterClass(TYahooUS::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TYahooUS; });
}
