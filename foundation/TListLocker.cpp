#include "foundation/TListLocker.h"

TListLocker::TListLocker(TLinkList* list)
{
	if (list != nullptr && list->Lock()) {
		mList = list;
		mLocked = true;
	}
}

TListLocker::~TListLocker()
{
	if (mList != nullptr)
		mList->Unlock();
}
