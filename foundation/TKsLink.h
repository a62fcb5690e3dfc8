#pragma once
// An element of the intrusive lists: it carries its own links, and the lists only chain elements that the
// caller made.

class TLinkList;

class TKsLink
{
public:
	TKsLink() = default;
	TKsLink(const TKsLink&) = delete;
	TKsLink& operator=(const TKsLink&) = delete;
	virtual ~TKsLink() = default;

	TKsLink* GetNext() const { return mNext; }
	// Only the circular queue keeps this one.
	TKsLink* GetPrev() const { return mPrev; }

private:
	friend class TLinkList;

	TKsLink* mNext = nullptr;
	TKsLink* mPrev = nullptr;
};
