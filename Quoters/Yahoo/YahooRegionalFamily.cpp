#include "Quoters/Yahoo/YahooRegionalFamily.h"

#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooAustralia.h"
#include "Quoters/Yahoo/TYahooInternational.h"
#include "Quoters/Yahoo/TYahooJapan.h"

#include <new>

void RegisterYahooRegionalQuoters()
{
	TQuoterManager::RegisterQuoterClass(TYahooInternational::kSignature, []() -> TQuoter* {
		return new (std::nothrow) TYahooInternational;
	});
	TQuoterManager::RegisterQuoterClass(TYahooAustralia::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TYahooAustralia; });
	TQuoterManager::RegisterQuoterClass(TYahooJapan::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TYahooJapan; });
}
