#include "foundation/TSLinkList.h"

TSLinkList::~TSLinkList()
{
	Destroy();
}

void TSLinkList::EnqueueHead(TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	LinkHead(link);
}

void TSLinkList::EnqueueTail(TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	LinkTail(link);
}

void TSLinkList::EnqueueAfter(TKsLink* after, TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	if (after == nullptr)
		LinkHead(link);
	else
		LinkAfter(after, link);
}

void TSLinkList::EnqueueAfterIndex(UInt16 index, TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	if (index > mCount)
		throw TX(TX::kIndexOutOfRange);
	if (index == 0)
		return;
	LinkAfter(WalkTo(index), link);
}

TKsLink* TSLinkList::DequeueHead()
{
	TScopedLock lock(this);
	return UnlinkHead();
}

TKsLink* TSLinkList::Dequeue(TKsLink* link)
{
	TScopedLock lock(this);
	if (link == nullptr || mHead == nullptr)
		return nullptr;
	if (link == mHead)
		return UnlinkHead();
	for (TKsLink* before = mHead; before->GetNext() != nullptr; before = before->GetNext())
		if (before->GetNext() == link)
			return UnlinkAfter(before);
	return nullptr;
}

TKsLink* TSLinkList::DequeueTail()
{
	TScopedLock lock(this);
	return UnlinkTail();
}

TKsLink* TSLinkList::DequeueIndex(UInt16 index)
{
	TScopedLock lock(this);
	if (index == 0 || index > mCount)
		throw TX(TX::kIndexOutOfRange);
	if (index == 1)
		return UnlinkHead();
	return UnlinkAfter(WalkTo(index - 1));
}

void TSLinkList::Destroy()
{
	TScopedLock lock(this);
	TKsLink* link = mHead;
	while (link != nullptr) {
		TKsLink* next = link->GetNext();
		delete link;
		link = next;
	}
	Initialize();
}

void TSLinkList::LinkHead(TKsLink* link)
{
	SetNext(link, mHead);
	mHead = link;
	if (mTail == nullptr)
		mTail = link;
	mCount++;
}

void TSLinkList::LinkTail(TKsLink* link)
{
	SetNext(link, nullptr);
	if (mTail == nullptr)
		mHead = link;
	else
		SetNext(mTail, link);
	mTail = link;
	mCount++;
}

void TSLinkList::LinkAfter(TKsLink* after, TKsLink* link)
{
	if (after == mTail) {
		LinkTail(link);
		return;
	}
	SetNext(link, after->GetNext());
	SetNext(after, link);
	mCount++;
}

TKsLink* TSLinkList::UnlinkHead()
{
	TKsLink* head = mHead;
	if (head == nullptr)
		return nullptr;
	mHead = head->GetNext();
	if (mHead == nullptr)
		mTail = nullptr;
	SetNext(head, nullptr);
	mCount--;
	return head;
}

TKsLink* TSLinkList::UnlinkTail()
{
	if (mHead == nullptr)
		return nullptr;
	if (mHead == mTail)
		return UnlinkHead();
	TKsLink* before = mHead;
	while (before->GetNext() != mTail)
		before = before->GetNext();
	return UnlinkAfter(before);
}

TKsLink* TSLinkList::UnlinkAfter(TKsLink* before)
{
	TKsLink* link = before->GetNext();
	SetNext(before, link->GetNext());
	if (link == mTail)
		mTail = before;
	SetNext(link, nullptr);
	mCount--;
	return link;
}
