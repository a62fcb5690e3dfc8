#include "Quoters/Currency/TXE.h"
#include "Quoters/QuoterFamilies.h"
#include "Quoters/TQuoterManager.h"

#include <new>

// Only the XE source is offered; TOanda stays unregistered.
void RegisterCurrencyQuoters()
{
	TQuoterManager::RegisterQuoterClass(TXE::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TXE; });
}
