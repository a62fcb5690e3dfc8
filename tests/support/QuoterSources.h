#pragma once
// The quote sources are static: finishing the manager keeps the sources it made until it starts again, so
// a test that started them leaves them answering for the tests after it unless it empties them.

#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"

namespace QuoterSources
{

// No sources, no kind defaults and the usual hosts; the families stay loaded for the next start.
inline void Drop()
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::ClearQuoterClasses();
	TQuoterManager::InitQuoterManager();
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	TQuoterHosts::ResetHosts();
}

} // namespace QuoterSources
