#include "foundation/TLinkList.h"

TLinkList::TScopedLock::TScopedLock(TLinkList* list) : mList(list)
{
	if (!mList->Lock())
		throw TX(TX::kLockRefused);
}

TLinkList::TScopedLock::~TScopedLock()
{
	mList->Unlock();
}

TKsLink* TLinkList::GetIndex(UInt16 index)
{
	TScopedLock lock(this);
	return WalkTo(index);
}

TKsLink* TLinkList::WalkTo(UInt16 index) const
{
	if (index == 0 || index > mCount)
		return nullptr;
	TKsLink* link = mHead;
	for (UInt16 i = 1; i < index; i++)
		link = link->GetNext();
	return link;
}

void TLinkList::Initialize()
{
	mHead = nullptr;
	mTail = nullptr;
	mCount = 0;
}
