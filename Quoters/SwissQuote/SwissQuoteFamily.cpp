#include "Quoters/SwissQuote/SwissQuoteFamily.h"

#include "Quoters/SwissQuote/TSwissQuote.h"
#include "Quoters/TQuoterManager.h"

#include <new>

void RegisterSwissQuoteQuoters()
{
	TQuoterManager::RegisterQuoterClass(TSwissQuote::kSignature,
	                                    []() -> TQuoter* { return new (std::nothrow) TSwissQuote; });
}
