#pragma once
// A circular queue: the links form a ring through both their next and previous links, and the list keeps
// only the head. It owns its links.

#include "foundation/TLinkList.h"

class TCircularQ : public TLinkList
{
public:
	TCircularQ() = default;
	~TCircularQ() override;

	void EnqueueHead(TKsLink* link) override;
	// Links before the head and leaves the head in place, so the link becomes the last.
	void EnqueueTail(TKsLink* link) override;
	// Not supported: both throw TX(kNotSupported).
	void EnqueueAfter(TKsLink* after, TKsLink* link) override;
	void EnqueueAfterIndex(UInt16 index, TKsLink* link) override;
	TKsLink* DequeueHead() override;
	TKsLink* Dequeue(TKsLink* link) override;
	TKsLink* DequeueTail() override;
	// Removes nothing; answers null.
	TKsLink* DequeueIndex(UInt16 index) override;
	void Destroy() override;

private:
	void LinkBeforeHead(TKsLink* link);
	TKsLink* Unlink(TKsLink* link);
};
