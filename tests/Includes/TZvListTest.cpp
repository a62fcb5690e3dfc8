// The ticker's ticklet list: where Add puts items, Nth's bounds, walking while removing, and deleting
// items only when the list owns them.

#include "Includes/TZvList.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

struct Item {
	explicit Item(char inName, int* ioDeleted = nullptr) : name(inName), deleted(ioDeleted) {}
	~Item()
	{
		if (deleted)
			++*deleted;
	}
	char name;
	int* deleted;
};

std::string Names(TZvList<Item>& list)
{
	std::string names;
	for (Item* item = list.GetFirst(); item; item = list.GetNext())
		names += item->name;
	return names;
}

TEST(TZvListTest, AddPutsItemsWhereAsked)
{
	Item a('a'), b('b'), c('c'), x('x'), y('y'), z('z'), w('w');
	TZvList<Item> list(false);
	list.Append(&a);
	list.Append(&b);
	list.Append(&c);
	list.Add(&x, 1); // after the first
	EXPECT_EQ(Names(list), "axbc");
	list.Add(&y, 4); // at the count: appended
	list.Add(&z, 0);
	list.Add(&w, -7); // below -1: at the front
	EXPECT_EQ(Names(list), "wzaxbcy");
	EXPECT_EQ(list.GetNth(0), nullptr);
	EXPECT_EQ(list.GetNth(8), nullptr);
	EXPECT_EQ(list.GetNth(7), &y);
	EXPECT_EQ(list.Count(), 7);
}

TEST(TZvListTest, TheItemJustReturnedMayBeRemovedDuringAWalk)
{
	int deleted = 0;
	TZvList<Item> list(true);
	for (char name : std::string("abcde"))
		list.Append(new Item(name, &deleted));
	std::string seen;
	for (Item* item = list.GetFirst(); item; item = list.GetNext()) {
		seen += item->name;
		if (item->name == 'b' || item->name == 'e') {
			EXPECT_GT(list.Remove(item), 0);
		}
	}
	EXPECT_EQ(seen, "abcde");
	EXPECT_EQ(Names(list), "acd");
	EXPECT_EQ(deleted, 2);
	Item absent('q');
	EXPECT_EQ(list.Remove(&absent), 0);
	EXPECT_EQ(list.Remove(list.GetNth(3)), 3);

	// A view shares the items and frees nothing.
	{
		TZvList<Item> view(&list);
		EXPECT_EQ(Names(view), "ac");
	}
	EXPECT_EQ(list.Count(), 2);
	list.Clear();
	EXPECT_EQ(deleted, 5);
}

} // namespace
