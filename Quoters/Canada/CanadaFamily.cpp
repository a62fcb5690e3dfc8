#include "Quoters/Canada/CanadaFamily.h"

#include "Quoters/Canada/TCanoe.h"
#include "Quoters/Canada/TGlobeAndMail.h"
#include "Quoters/TQuoterManager.h"

void RegisterCanadianQuoters()
{
	TQuoterManager::RegisterQuoterClass(TCanoe::kSignature, []() -> TQuoter* { return new TCanoe; });
	TQuoterManager::RegisterQuoterClass(TGlobeAndMail::kSignature,
	                                    []() -> TQuoter* { return new TGlobeAndMail; });
}
