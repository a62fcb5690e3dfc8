#include "Includes/TList.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace
{

// Counts live instances so that tests can see which items a list deleted.
class TItem
{
public:
	TItem() { sLive++; }
	explicit TItem(int value) : mValue(value) { sLive++; }
	TItem(const TItem& other) : mValue(other.mValue) { sLive++; }
	TItem& operator=(const TItem& other) = default;
	virtual ~TItem() { sLive--; }

	int mValue = 0;
	static int sLive;
};
int TItem::sLive = 0;

struct tRecord {
	SInt32 mA;
	char mName[8];
};

class TAbstractItem
{
public:
	virtual ~TAbstractItem() = default;
	virtual int Value() const = 0;
};

class TConcreteItem : public TAbstractItem
{
public:
	explicit TConcreteItem(int v) : mV(v) {}
	int Value() const override { return mV; }
	int mV;
};

// Reads the list forwards with the cursor and checks that the backward links agree.
std::vector<int> Values(TList<TItem>& list)
{
	std::vector<int> out, backwards;
	for (TItem* item = list.GetFirst(); item != nullptr; item = list.GetNext())
		out.push_back(item->mValue);
	for (TItem* item = list.GetLast(); item != nullptr; item = list.GetPrevious())
		backwards.insert(backwards.begin(), item->mValue);
	EXPECT_EQ(out, backwards);
	EXPECT_EQ(out.size(), size_t(list.Count()));
	return out;
}

void Fill(TList<TItem>& list, std::initializer_list<int> values)
{
	for (int v : values)
		list.Append(new TItem(v));
}

bool Greater(TItem* a, TItem* b)
{
	return a->mValue > b->mValue;
}

class TListTest : public ::testing::Test
{
protected:
	void SetUp() override { TItem::sLive = 0; }
};

TEST_F(TListTest, AddNormalisesThePosition)
{
	const std::pair<int, std::vector<int>> cases[] = {
	    {0, {9, 1, 2, 3}},  {3, {1, 2, 3, 9}}, {7, {1, 2, 3, 9}}, {-1, {1, 2, 3, 9}},
	    {-5, {9, 1, 2, 3}}, {2, {1, 2, 9, 3}}, {1, {1, 9, 2, 3}},
	};
	for (const auto& [k, expected] : cases) {
		TList<TItem> list;
		Fill(list, {1, 2, 3});
		list.Add(new TItem(9), k);
		EXPECT_EQ(Values(list), expected) << "k = " << k;
	}
}

TEST_F(TListTest, GetNthAndTheCursor)
{
	TList<TItem> list;
	EXPECT_EQ(list.GetNth(1), nullptr);
	Fill(list, {10, 20, 30});
	EXPECT_EQ(list.GetNth(0), nullptr);
	EXPECT_EQ(list.GetNth(4), nullptr);
	EXPECT_EQ(list.GetNth(-2)->mValue, 10);
	EXPECT_EQ(list.GetNth(2)->mValue, 20);
	EXPECT_EQ(list.GetNext()->mValue, 30);
	EXPECT_EQ(list.GetNext(), nullptr);
	EXPECT_EQ(list.GetNth(2)->mValue, 20);
	EXPECT_EQ(list.GetPrevious()->mValue, 10);
	EXPECT_EQ(list.GetPrevious(), nullptr);
}

TEST_F(TListTest, WalksSurviveChangesMadeThroughTheWalkingObject)
{
	TList<TItem> list;
	Fill(list, {1, 2, 3, 4});
	EXPECT_EQ(list.GetFirst()->mValue, 1);
	TItem* current = list.GetNext();
	EXPECT_EQ(list.Remove(current), 2);
	EXPECT_EQ(list.Remove(current), 0) << "already gone";
	EXPECT_EQ(list.GetNext()->mValue, 3) << "removing the current item keeps its follower next";
	list.Remove(list.GetNth(3));
	EXPECT_EQ(list.GetNth(2)->mValue, 3);
	EXPECT_EQ(list.GetNext(), nullptr) << "removing the next item moves the cursor past it";

	EXPECT_EQ(list.GetFirst()->mValue, 1);
	list.Add(new TItem(99), 1);
	EXPECT_EQ(list.GetNext()->mValue, 3)
	    << "an item added after the current one is not seen by this walk";
	EXPECT_EQ(Values(list), (std::vector<int>{1, 99, 3}));
	EXPECT_EQ(TItem::sLive, 3);
}

TEST_F(TListTest, OwnershipFlagsDecideWhatIsDeleted)
{
	TItem a(1), b(2);
	{
		TList<TItem> keeps(false, false);
		keeps.Append(&a);
		keeps.Append(&b);
		keeps.Remove(&a);
		keeps.Clear();
		keeps.Append(&b);
	}
	EXPECT_EQ(TItem::sLive, 2);
	{
		TList<TItem> owns;
		Fill(owns, {1, 2, 3});
		owns.Remove(owns.GetNth(2));
		EXPECT_EQ(TItem::sLive, 4);
	}
	EXPECT_EQ(TItem::sLive, 2);
}

TEST_F(TListTest, CopyOnAddCopiesClassesAndRecords)
{
	TList<TItem> copies(true, true);
	TItem original(7);
	copies.Append(&original);
	original.mValue = 8;
	ASSERT_NE(copies.GetFirst(), &original);
	EXPECT_EQ(copies.GetFirst()->mValue, 7);

	TList<tRecord> records(true, true);
	tRecord r{42, "abc"};
	records.Append(&r);
	r.mA = 0;
	ASSERT_NE(records.GetFirst(), &r);
	EXPECT_EQ(records.GetFirst()->mA, 42);
	EXPECT_STREQ(records.GetFirst()->mName, "abc");

	TList<TAbstractItem> abstract;
	abstract.Append(new TConcreteItem(3));
	EXPECT_EQ(abstract.GetFirst()->Value(), 3);
}

TEST_F(TListTest, ViewsShareItemsButNotCursors)
{
	auto* list = new TList<TItem>;
	Fill(*list, {1, 2, 3});
	{
		TList<TItem> view(list);
		view.Append(new TItem(4));
		EXPECT_EQ(list->Count(), 4);
		EXPECT_EQ(list->GetFirst()->mValue, 1);
		EXPECT_EQ(view.GetLast()->mValue, 4);
		EXPECT_EQ(list->GetNext()->mValue, 2) << "the view's walk does not move the list's cursor";
	}
	EXPECT_EQ(TItem::sLive, 4) << "destroying a view leaves the items";
	TList<TItem>(list).Clear();
	EXPECT_EQ(list->Count(), 0);
	EXPECT_EQ(TItem::sLive, 0);
	delete list;
}

TEST_F(TListTest, WalksGoOnThroughRemovalsMadeElsewhere)
{
	TList<TItem> list;
	Fill(list, {1, 2, 3, 4, 5});
	TList<TItem> view(&list);
	TList<TItem> other(&list);

	EXPECT_EQ(list.GetFirst()->mValue, 1);
	EXPECT_EQ(other.GetNth(4)->mValue, 4);
	view.Remove(view.GetNth(2));
	EXPECT_EQ(list.GetNext()->mValue, 3) << "the list's next item was removed by the view";
	EXPECT_EQ(other.GetNext()->mValue, 5) << "an unrelated removal leaves the walk alone";
	EXPECT_EQ(other.GetPrevious()->mValue, 4);

	// The item under the cursor removed elsewhere: the walk goes on from its neighbours.
	list.Remove(list.GetNth(2));
	EXPECT_EQ(view.GetFirst()->mValue, 1);
	EXPECT_EQ(view.GetNext()->mValue, 4);
	other.Remove(view.GetNth(2));
	EXPECT_EQ(view.GetPrevious()->mValue, 1);
	EXPECT_EQ(view.GetNext()->mValue, 5);
	EXPECT_EQ(Values(list), (std::vector<int>{1, 5}));

	other.Clear();
	EXPECT_EQ(list.GetNext(), nullptr);
	EXPECT_EQ(view.GetPrevious(), nullptr);
	EXPECT_EQ(TItem::sLive, 0);
	Fill(list, {6});
	EXPECT_EQ(view.GetFirst()->mValue, 6);
}

TEST_F(TListTest, BubbleSortDirectionAndModifiedFlag)
{
	TList<TItem> list;
	list.BubbleSort(Greater, false);
	EXPECT_FALSE(list.IsModified()) << "sorting an empty list changes nothing";

	Fill(list, {3, 1, 2, 5, 4, 2});
	list.ClearModified();
	list.BubbleSort(Greater, false);
	EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 2, 3, 4, 5}));
	EXPECT_TRUE(list.IsModified());
	list.BubbleSort(Greater, true);
	EXPECT_EQ(Values(list), (std::vector<int>{5, 4, 3, 2, 2, 1}));
}

// The sort as the list defines it: n - 1 passes over the items, each one pair shorter than the last,
// swapping a pair whenever the comparison differs from the direction.
std::vector<TItem*> ByPasses(std::vector<TItem*> items, bool (*cmp)(TItem*, TItem*), bool descending)
{
	for (size_t bound = items.size(); bound > 1; --bound)
		for (size_t a = 0; a + 1 < bound; ++a)
			if (cmp(items[a], items[a + 1]) != descending)
				std::swap(items[a], items[a + 1]);
	return items;
}

std::vector<TItem*> Items(TList<TItem>& list)
{
	std::vector<TItem*> items;
	for (TItem* item = list.GetFirst(); item != nullptr; item = list.GetNext())
		items.push_back(item);
	return items;
}

// Sorts the list both ways, again and again (so also lists already sorted either way), and compares each
// result, item by item, with the passes made on the same items.
void ExpectThePassesOrder(TList<TItem>& list, bool (*cmp)(TItem*, TItem*))
{
	for (bool descending : {false, true, true, false, false}) {
		const std::vector<TItem*> expected = ByPasses(Items(list), cmp, descending);
		list.BubbleSort(cmp, descending);
		ASSERT_EQ(Items(list), expected) << (descending ? "descending" : "ascending") << ", "
		                                 << list.Count() << " items";
	}
}

TEST_F(TListTest, BubbleSortLeavesEqualItemsWhereThePassesDo)
{
	// Descending, equal neighbours are swapped: two equal items alone change places, but with a smaller
	// item behind them they end in their first order.
	TList<TItem> two, three;
	Fill(two, {1, 1});
	Fill(three, {1, 1, 0});
	const std::vector<TItem*> pair = Items(two), triple = Items(three);
	two.BubbleSort(Greater, true);
	three.BubbleSort(Greater, true);
	EXPECT_EQ(Items(two), (std::vector<TItem*>{pair[1], pair[0]}));
	EXPECT_EQ(Items(three), triple);

	std::mt19937 random(20261207);
	for (int round = 0; round < 3000; ++round) {
		TList<TItem> items;
		const int count = int(random() % 40);
		const int values = 1 + int(random() % 6);
		for (int i = 0; i < count; ++i)
			items.Append(new TItem(int(random() % unsigned(values))));
		ExpectThePassesOrder(items, Greater);
	}
	TList<TItem> large;
	for (int i = 0; i < 3000; ++i)
		large.Append(new TItem(int(random() % 300)));
	ExpectThePassesOrder(large, Greater);
}

TEST_F(TListTest, BubbleSortFollowsComparisonsThatAreNoOrder)
{
	// Comparisons the program has that call an item after itself: "at or below", and one that looks at the
	// first item only.
	bool (*const atOrAbove)(TItem*, TItem*) = [](TItem* a, TItem* b) { return a->mValue >= b->mValue; };
	bool (*const firstOnly)(TItem*, TItem*) = [](TItem* a, TItem*) { return a->mValue != 0; };
	std::mt19937 random(7);
	for (int round = 0; round < 500; ++round) {
		TList<TItem> list;
		const int count = int(random() % 20);
		for (int i = 0; i < count; ++i)
			list.Append(new TItem(int(random() % 3)));
		ExpectThePassesOrder(list, atOrAbove);
		ExpectThePassesOrder(list, firstOnly);
	}
}

TEST_F(TListTest, BubbleSortByKeyMakesEachKeyOnce)
{
	TList<TItem> list;
	std::mt19937 random(11);
	for (int i = 0; i < 500; ++i)
		list.Append(new TItem(int(random() % 50)));
	int made = 0;
	auto key = [&made](TItem* item) {
		++made;
		return std::to_string(item->mValue);
	};
	bool (*const asText)(TItem*, TItem*) = [](TItem* a, TItem* b) {
		return std::to_string(a->mValue) > std::to_string(b->mValue);
	};
	for (bool descending : {true, false, true}) {
		made = 0;
		list.ClearModified();
		const std::vector<TItem*> expected = ByPasses(Items(list), asText, descending);
		list.BubbleSortByKey(key, std::greater<std::string>(), descending);
		EXPECT_EQ(made, 500);
		EXPECT_TRUE(list.IsModified());
		EXPECT_EQ(Items(list), expected);
	}
}

TEST_F(TListTest, AssignmentReplacesContentsAndFlags)
{
	TList<TItem> emptySource(true, true);
	TList<TItem> target(false, false);
	TItem stray(0);
	target.Append(&stray);
	target = emptySource;
	EXPECT_EQ(target.Count(), 0);
	EXPECT_FALSE(target.IsModified());

	TList<TItem> source(true, true);
	TItem a(1), b(2);
	source.Append(&a);
	source.Append(&b);
	target = source;
	EXPECT_TRUE(target.IsModified());
	EXPECT_EQ(Values(target), (std::vector<int>{1, 2}));
	EXPECT_NE(target.GetFirst(), source.GetFirst()) << "the inherited copy-on-add copies the items";
	EXPECT_EQ(TItem::sLive, 3 + 2 + 2);

	// Assigning into a view detaches it; the list it viewed keeps its items.
	TList<TItem> view(&source);
	view = emptySource;
	EXPECT_EQ(source.Count(), 2);
}

TEST_F(TListTest, SelfAssignmentKeepsTheList)
{
	TList<TItem> list;
	Fill(list, {1, 2, 3});
	list.ClearModified();
	TList<TItem>& alias = list;
	list = alias;
	TList<TItem> view(&list);
	view = list;
	list = view;
	EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
	EXPECT_FALSE(list.IsModified());
	EXPECT_EQ(TItem::sLive, 3);
}

TEST(TListDeathTest, NullItemsAndDoubleOwnershipStop)
{
	TList<TItem> list;
	EXPECT_DEATH(list.Add(nullptr, -1), "ptr != NULL");
	EXPECT_DEATH(TList<TItem> view(nullptr), "list != NULL");

	TList<TItem> owner(false, true);
	owner.Append(new TItem(1));
	TList<TItem> target;
	EXPECT_DEATH(target = owner, "assertion failed");
}

} // namespace
