#pragma once
// Base of the intrusive lists. Every operation of a list runs between Lock() and Unlock(), the hooks for a
// list shared between threads; here they always succeed.

#include "foundation/TKsLink.h"
#include "platform/toolbox/MacTypes.h"

class TLinkList
{
public:
	class TX
	{
	public:
		typedef UInt8 tErr;
		enum : tErr { kLockRefused = 1, kIndexOutOfRange = 3, kNotSupported = 4 };

		explicit TX(tErr err) : mErr(err) {}
		tErr GetErr() const { return mErr; }

	private:
		tErr mErr;
	};

	TLinkList() = default;
	TLinkList(const TLinkList&) = delete;
	TLinkList& operator=(const TLinkList&) = delete;
	// Deletes nothing: only subclasses own their links.
	virtual ~TLinkList() = default;

	virtual void EnqueueHead(TKsLink* link) = 0;
	virtual void EnqueueTail(TKsLink* link) = 0;
	virtual void EnqueueAfter(TKsLink* after, TKsLink* link) = 0;
	virtual void EnqueueAfterIndex(UInt16 index, TKsLink* link) = 0;
	virtual TKsLink* DequeueHead() = 0;
	virtual TKsLink* Dequeue(TKsLink* link) = 0;
	virtual TKsLink* DequeueTail() = 0;
	virtual TKsLink* DequeueIndex(UInt16 index) = 0;
	virtual TKsLink* GetIndex(UInt16 index);
	virtual void Destroy() = 0;
	virtual bool Lock() { return true; }
	virtual void Unlock() {}

	TKsLink* GetHead() const { return mHead; }
	UInt16 GetListSize() const { return mCount; }
	void Initialize();

protected:
	// Holds the list's lock for a scope; throws TX(kLockRefused) when Lock() refuses.
	class TScopedLock
	{
	public:
		explicit TScopedLock(TLinkList* list);
		~TScopedLock();
		TScopedLock(const TScopedLock&) = delete;
		TScopedLock& operator=(const TScopedLock&) = delete;

	private:
		TLinkList* mList;
	};

	static void SetNext(TKsLink* link, TKsLink* next) { link->mNext = next; }
	static void SetPrev(TKsLink* link, TKsLink* prev) { link->mPrev = prev; }
	// The index-th link (1-based) counted from the head, without locking; null when out of range.
	TKsLink* WalkTo(UInt16 index) const;

	TKsLink* mHead = nullptr;
	TKsLink* mTail = nullptr;
	UInt16 mCount = 0;
};
