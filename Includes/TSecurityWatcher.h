#pragma once
// Follows the updates of the securities it watches. A security holds its watchers without owning them and
// tells each Remove when it goes, so the watcher can drop its pointer.

#include "platform/toolbox/MacTypes.h"

class TSecurity;

class TSecurityWatcher
{
public:
	virtual ~TSecurityWatcher() = default;

	virtual void UpdateBegins(TSecurity*) {}
	virtual void UpdateEnds(TSecurity*) {}
	virtual void Remove(TSecurity*) {}
	virtual bool IsPortfolio() { return mIsPortfolio != 0; }

protected:
	UInt8 mIsPortfolio = 0;
};
