#include "Quoters/QuoteSite/QuoteSiteFamily.h"

#include "Quoters/QuoteSite/TPCQuoteCom.h"
#include "Quoters/QuoteSite/TQuoteCom.h"
#include "Quoters/TQuoterManager.h"

void RegisterQuoteSiteQuoters()
{
	TQuoterManager::RegisterQuoterClass(TPCQuoteCom::kSignature,
	                                    []() -> TQuoter* { return new TPCQuoteCom; });
	TQuoterManager::RegisterQuoterClass(TQuoteCom::kSignature,
	                                    []() -> TQuoter* { return new TQuoteCom; });
}
