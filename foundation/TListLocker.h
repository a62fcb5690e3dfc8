#pragma once
// Locks a list for the length of a scope.

#include "foundation/TLinkList.h"

class TListLocker
{
public:
	explicit TListLocker(TLinkList* list);
	TListLocker(const TListLocker&) = delete;
	TListLocker& operator=(const TListLocker&) = delete;
	virtual ~TListLocker();

	bool IsLocked() const { return mLocked; }

private:
	TLinkList* mList = nullptr;
	bool mLocked = false;
};
