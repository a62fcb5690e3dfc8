#include "foundation/TSLinkList.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

class TCountedLink : public TKsLink
{
public:
	explicit TCountedLink(int value) : mValue(value) { sLive++; }
	~TCountedLink() override { sLive--; }

	int mValue;
	static int sLive;
};
int TCountedLink::sLive = 0;

class TSLinkListTest : public ::testing::Test
{
protected:
	void SetUp() override { TCountedLink::sLive = 0; }
	void Fill(std::initializer_list<int> values)
	{
		for (int v : values) {
			mLinks.push_back(new TCountedLink(v));
			mList.EnqueueTail(mLinks.back());
		}
	}
	// The values by the links; checks the count and that the tail takes the next EnqueueTail.
	std::vector<int> Values()
	{
		TCountedLink probe(0);
		mList.EnqueueTail(&probe);
		std::vector<int> out;
		for (TKsLink* link = mList.GetHead(); link != &probe; link = link->GetNext())
			out.push_back(static_cast<TCountedLink*>(link)->mValue);
		EXPECT_EQ(mList.DequeueTail(), &probe);
		EXPECT_EQ(out.size(), mList.GetListSize());
		return out;
	}

	TSLinkList mList;
	std::vector<TCountedLink*> mLinks;
};

TEST_F(TSLinkListTest, EnqueueOperations)
{
	mList.EnqueueHead(new TCountedLink(2));
	mList.EnqueueHead(new TCountedLink(1));
	TCountedLink* four = new TCountedLink(4);
	mList.EnqueueTail(four);
	mList.EnqueueAfter(mList.GetIndex(2), new TCountedLink(3));
	mList.EnqueueAfter(nullptr, new TCountedLink(0));
	mList.EnqueueAfter(four, new TCountedLink(5));
	mList.EnqueueHead(nullptr);
	mList.EnqueueAfter(four, nullptr);
	EXPECT_EQ(Values(), (std::vector<int>{0, 1, 2, 3, 4, 5}));

	mList.EnqueueAfterIndex(0, four);
	mList.EnqueueAfterIndex(1, new TCountedLink(10));
	mList.EnqueueAfterIndex(7, new TCountedLink(70));
	TCountedLink refused(80);
	try {
		mList.EnqueueAfterIndex(9, &refused);
		ADD_FAILURE() << "no exception";
	} catch (const TLinkList::TX& x) {
		EXPECT_EQ(x.GetErr(), TLinkList::TX::kIndexOutOfRange);
	}
	EXPECT_EQ(Values(), (std::vector<int>{0, 10, 1, 2, 3, 4, 5, 70}));
	EXPECT_EQ(mList.GetIndex(0), nullptr);
	EXPECT_EQ(mList.GetIndex(9), nullptr);
}

TEST_F(TSLinkListTest, DequeueUnlinksAnyLinkAndClearsItsNext)
{
	Fill({1, 2, 3, 4, 5});
	TCountedLink outsider(9);
	EXPECT_EQ(mList.Dequeue(&outsider), nullptr);
	EXPECT_EQ(mList.Dequeue(nullptr), nullptr);
	EXPECT_EQ(mList.GetListSize(), 5);

	EXPECT_EQ(mList.Dequeue(mLinks[2]), mLinks[2]);
	EXPECT_EQ(mLinks[2]->GetNext(), nullptr);
	EXPECT_EQ(mList.Dequeue(mLinks[0]), mLinks[0]);
	EXPECT_EQ(mList.Dequeue(mLinks[4]), mLinks[4]);
	EXPECT_EQ(mList.Dequeue(mLinks[4]), nullptr) << "already gone";
	EXPECT_EQ(Values(), (std::vector<int>{2, 4}));
	for (int i : {0, 2, 4})
		delete mLinks[i];
}

TEST_F(TSLinkListTest, DequeueHeadTailAndIndex)
{
	EXPECT_EQ(mList.DequeueHead(), nullptr);
	EXPECT_EQ(mList.DequeueTail(), nullptr);
	Fill({1, 2, 3, 4});
	EXPECT_THROW(mList.DequeueIndex(0), TLinkList::TX);
	EXPECT_THROW(mList.DequeueIndex(5), TLinkList::TX);
	EXPECT_EQ(mList.DequeueIndex(4), mLinks[3]);
	EXPECT_EQ(mList.DequeueIndex(2), mLinks[1]);
	EXPECT_EQ(mList.DequeueIndex(1), mLinks[0]);
	EXPECT_EQ(mList.DequeueTail(), mLinks[2]) << "a single link is head and tail";
	EXPECT_EQ(mList.GetHead(), nullptr);
	EXPECT_EQ(Values(), std::vector<int>{});
	for (TCountedLink* link : mLinks)
		delete link;
}

TEST_F(TSLinkListTest, DestroyAndTheDestructorDeleteTheLinks)
{
	Fill({1, 2, 3});
	mList.Destroy();
	EXPECT_EQ(TCountedLink::sLive, 0);
	EXPECT_EQ(mList.GetListSize(), 0);
	{
		TSLinkList list;
		list.EnqueueTail(new TCountedLink(1));
		list.EnqueueTail(new TCountedLink(2));
	}
	EXPECT_EQ(TCountedLink::sLive, 0);
}

} // namespace
