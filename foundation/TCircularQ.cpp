#include "foundation/TCircularQ.h"

TCircularQ::~TCircularQ()
{
	Destroy();
}

void TCircularQ::EnqueueHead(TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	LinkBeforeHead(link);
	mHead = link;
}

void TCircularQ::EnqueueTail(TKsLink* link)
{
	if (link == nullptr)
		return;
	TScopedLock lock(this);
	LinkBeforeHead(link);
}

void TCircularQ::EnqueueAfter(TKsLink*, TKsLink*)
{
	TScopedLock lock(this);
	throw TX(TX::kNotSupported);
}

void TCircularQ::EnqueueAfterIndex(UInt16, TKsLink*)
{
	TScopedLock lock(this);
	throw TX(TX::kNotSupported);
}

TKsLink* TCircularQ::DequeueHead()
{
	TScopedLock lock(this);
	if (mHead == nullptr)
		return nullptr;
	return Unlink(mHead);
}

TKsLink* TCircularQ::Dequeue(TKsLink* link)
{
	TScopedLock lock(this);
	if (link == nullptr)
		return nullptr;
	TKsLink* walk = mHead;
	for (UInt16 i = 0; i < mCount; i++, walk = walk->GetNext())
		if (walk == link)
			return Unlink(link);
	return nullptr;
}

TKsLink* TCircularQ::DequeueTail()
{
	TScopedLock lock(this);
	if (mHead == nullptr)
		return nullptr;
	return Unlink(mHead->GetPrev());
}

TKsLink* TCircularQ::DequeueIndex(UInt16)
{
	TScopedLock lock(this);
	return nullptr;
}

void TCircularQ::Destroy()
{
	TScopedLock lock(this);
	if (mHead != nullptr) {
		SetNext(mHead->GetPrev(), nullptr);
		TKsLink* link = mHead;
		while (link != nullptr) {
			TKsLink* next = link->GetNext();
			delete link;
			link = next;
		}
	}
	Initialize();
}

void TCircularQ::LinkBeforeHead(TKsLink* link)
{
	if (mHead == nullptr) {
		SetNext(link, link);
		SetPrev(link, link);
		mHead = link;
	} else {
		TKsLink* last = mHead->GetPrev();
		SetNext(link, mHead);
		SetPrev(link, last);
		SetNext(last, link);
		SetPrev(mHead, link);
	}
	mCount++;
}

// Unlinks a link of the ring; the head moves on only when it is the link removed.
TKsLink* TCircularQ::Unlink(TKsLink* link)
{
	if (link->GetNext() == link) {
		mHead = nullptr;
	} else {
		SetNext(link->GetPrev(), link->GetNext());
		SetPrev(link->GetNext(), link->GetPrev());
		if (link == mHead)
			mHead = link->GetNext();
	}
	SetNext(link, nullptr);
	SetPrev(link, nullptr);
	mCount--;
	return link;
}
