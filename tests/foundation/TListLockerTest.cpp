#include "foundation/TListLocker.h"

#include "foundation/TSLinkList.h"

#include <gtest/gtest.h>

namespace
{

// A list whose lock can be refused, counting the hook calls.
class TGuardedList : public TSLinkList
{
public:
	bool Lock() override
	{
		mLocks++;
		return mGrant;
	}
	void Unlock() override { mUnlocks++; }

	bool mGrant = true;
	int mLocks = 0;
	int mUnlocks = 0;
};

TEST(TListLocker, UnlocksOnlyWhatItLocked)
{
	TGuardedList list;
	{
		TListLocker locker(&list);
		EXPECT_TRUE(locker.IsLocked());
		EXPECT_EQ(list.mLocks, 1);
		EXPECT_EQ(list.mUnlocks, 0);
	}
	EXPECT_EQ(list.mUnlocks, 1);

	list.mGrant = false;
	{
		TListLocker locker(&list);
		EXPECT_FALSE(locker.IsLocked());
	}
	EXPECT_EQ(list.mLocks, 2);
	EXPECT_EQ(list.mUnlocks, 1);

	TListLocker none(nullptr);
	EXPECT_FALSE(none.IsLocked());
}

TEST(TListLocker, ListOperationsRunBetweenTheHooks)
{
	TGuardedList list;
	TKsLink* a = new TKsLink;
	list.EnqueueTail(a);
	list.Dequeue(a);
	list.EnqueueTail(a);
	EXPECT_THROW(list.DequeueIndex(0), TLinkList::TX);
	EXPECT_EQ(list.mLocks, 4);
	EXPECT_EQ(list.mUnlocks, 4) << "a failing operation still unlocks";

	list.mGrant = false;
	try {
		list.DequeueHead();
		ADD_FAILURE() << "no exception";
	} catch (const TLinkList::TX& x) {
		EXPECT_EQ(x.GetErr(), TLinkList::TX::kLockRefused);
	}
	TKsLink refused;
	EXPECT_THROW(list.EnqueueTail(&refused), TLinkList::TX);
	EXPECT_EQ(refused.GetNext(), nullptr);
	EXPECT_EQ(list.GetListSize(), 1);
	EXPECT_EQ(list.GetHead(), a);
	EXPECT_EQ(list.mUnlocks, 4) << "a refused lock is not released";
	list.mGrant = true;
	list.Destroy();
}

} // namespace
