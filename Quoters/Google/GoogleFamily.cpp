#include "Quoters/Google/GoogleFamily.h"

#include "Quoters/Google/TGoogle.h"
#include "Quoters/TQuoterManager.h"

#include <new>

void RegisterGoogleQuoters()
{
	TQuoterManager::RegisterQuoterClass(TGoogle::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TGoogle; });
}
