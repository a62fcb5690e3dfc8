#pragma once
// A singly linked queue that owns its links: Destroy and the destructor delete them.

#include "foundation/TLinkList.h"

class TSLinkList : public TLinkList
{
public:
	TSLinkList() = default;
	~TSLinkList() override;

	void EnqueueHead(TKsLink* link) override;
	void EnqueueTail(TKsLink* link) override;
	void EnqueueAfter(TKsLink* after, TKsLink* link) override;
	// Puts the link after the index-th link; index 0 does nothing.
	void EnqueueAfterIndex(UInt16 index, TKsLink* link) override;
	TKsLink* DequeueHead() override;
	TKsLink* Dequeue(TKsLink* link) override;
	TKsLink* DequeueTail() override;
	TKsLink* DequeueIndex(UInt16 index) override;
	void Destroy() override;

private:
	void LinkHead(TKsLink* link);
	void LinkTail(TKsLink* link);
	void LinkAfter(TKsLink* after, TKsLink* link);
	TKsLink* UnlinkHead();
	TKsLink* UnlinkTail();
	TKsLink* UnlinkAfter(TKsLink* before);
};
