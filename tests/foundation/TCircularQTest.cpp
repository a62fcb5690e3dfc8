#include "foundation/TCircularQ.h"

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

// Reads the ring from the head, checking that it closes after the count and that every previous link
// mirrors the next one.
std::vector<int> Ring(const TCircularQ& q)
{
	std::vector<int> out;
	const TKsLink* link = q.GetHead();
	if (link == nullptr) {
		EXPECT_EQ(q.GetListSize(), 0);
		return out;
	}
	for (UInt16 i = 0; i < q.GetListSize(); i++) {
		EXPECT_EQ(link->GetNext()->GetPrev(), link);
		out.push_back(static_cast<const TCountedLink*>(link)->mValue);
		link = link->GetNext();
	}
	EXPECT_EQ(link, q.GetHead()) << "the ring does not close after the count";
	return out;
}

class TCircularQTest : public ::testing::Test
{
protected:
	void SetUp() override { TCountedLink::sLive = 0; }
	void Fill(std::initializer_list<int> values)
	{
		for (int v : values) {
			mLinks.push_back(new TCountedLink(v));
			mQ.EnqueueTail(mLinks.back());
		}
	}

	TCircularQ mQ;
	std::vector<TCountedLink*> mLinks;
};

TEST_F(TCircularQTest, EnqueueKeepsTheRing)
{
	Fill({1, 2});
	TCountedLink* c = new TCountedLink(3);
	mQ.EnqueueTail(c);
	EXPECT_EQ(Ring(mQ), (std::vector<int>{1, 2, 3}));
	EXPECT_EQ(mQ.GetHead(), mLinks[0]);
	EXPECT_EQ(mQ.GetHead()->GetPrev(), c);

	mQ.EnqueueHead(new TCountedLink(0));
	EXPECT_EQ(Ring(mQ), (std::vector<int>{0, 1, 2, 3}));
	EXPECT_EQ(mQ.GetIndex(4), c);
	mQ.EnqueueHead(nullptr);
	EXPECT_EQ(mQ.GetListSize(), 4);
}

TEST_F(TCircularQTest, DequeueOfTheHeadKeepsTheRing)
{
	Fill({1, 2, 3});
	EXPECT_EQ(mQ.Dequeue(mLinks[0]), mLinks[0]);
	EXPECT_EQ(mLinks[0]->GetNext(), nullptr);
	EXPECT_EQ(mLinks[0]->GetPrev(), nullptr);
	EXPECT_EQ(mQ.GetHead(), mLinks[1]);
	EXPECT_EQ(Ring(mQ), (std::vector<int>{2, 3}));
	delete mLinks[0];
}

TEST_F(TCircularQTest, DequeueElsewhereKeepsTheHead)
{
	Fill({1, 2, 3, 4});
	TCountedLink outsider(9);
	EXPECT_EQ(mQ.Dequeue(&outsider), nullptr);
	EXPECT_EQ(mQ.Dequeue(nullptr), nullptr);
	EXPECT_EQ(mQ.DequeueIndex(1), nullptr);
	EXPECT_THROW(mQ.EnqueueAfter(mLinks[0], &outsider), TLinkList::TX);
	EXPECT_THROW(mQ.EnqueueAfterIndex(1, &outsider), TLinkList::TX);
	EXPECT_EQ(Ring(mQ), (std::vector<int>{1, 2, 3, 4}));

	EXPECT_EQ(mQ.Dequeue(mLinks[2]), mLinks[2]);
	EXPECT_EQ(mQ.DequeueTail(), mLinks[3]);
	EXPECT_EQ(mQ.GetHead(), mLinks[0]);
	EXPECT_EQ(Ring(mQ), (std::vector<int>{1, 2}));
	EXPECT_EQ(mQ.DequeueHead(), mLinks[0]);
	EXPECT_EQ(mQ.DequeueTail(), mLinks[1]) << "the last link is the head";
	EXPECT_EQ(mQ.GetHead(), nullptr);
	EXPECT_EQ(mQ.DequeueTail(), nullptr);
	mQ.EnqueueTail(mLinks[1]);
	EXPECT_EQ(Ring(mQ), std::vector<int>{2});
	for (int i : {0, 2, 3})
		delete mLinks[i];
}

TEST_F(TCircularQTest, DestroyDeletesEveryLink)
{
	Fill({1, 2, 3});
	mQ.Destroy();
	EXPECT_EQ(TCountedLink::sLive, 0);
	EXPECT_EQ(mQ.GetHead(), nullptr);
	{
		TCircularQ q;
		q.EnqueueTail(new TCountedLink(1));
		q.EnqueueHead(new TCountedLink(2));
	}
	EXPECT_EQ(TCountedLink::sLive, 0);
}

} // namespace
