#include "Quoters/Nordic/NordicFamily.h"

#include "Quoters/Nordic/TAktieTorget.h"
#include "Quoters/Nordic/TNordicGrowth.h"
#include "Quoters/TQuoterManager.h"

void RegisterNordicQuoters()
{
	TQuoterManager::RegisterQuoterClass(TAktieTorget::kSignature,
	                                    []() -> TQuoter* { return new TAktieTorget; });
	TQuoterManager::RegisterQuoterClass(TNordicGrowth::kSignature,
	                                    []() -> TQuoter* { return new TNordicGrowth; });
}
