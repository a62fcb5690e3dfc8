#include "foundation/UMenus.h"

#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(UMenus, TranslatesBothWaysWithTheFirstRowAsFallback)
{
	const tMenuItems table[] = {{1, 60}, {2, 120}, {4, 300}, {kEndOfMenuItems, 0}};
	EXPECT_EQ(UMenus::TranslateMenu(false, table, 2), 120);
	EXPECT_EQ(UMenus::TranslateMenu(false, table, 4), 300);
	EXPECT_EQ(UMenus::TranslateMenu(false, table, 3), 60);
	EXPECT_EQ(UMenus::TranslateMenu(true, table, 300), 4);
	EXPECT_EQ(UMenus::TranslateMenu(true, table, 999), 1);
	// The end row is not a row: its value 0 is not found.
	EXPECT_EQ(UMenus::TranslateMenu(true, table, 0), 1);

	const long before = Debugging::SignalCount();
	EXPECT_EQ(UMenus::TranslateMenu(true, nullptr, 1), 0);
	EXPECT_EQ(Debugging::SignalCount(), before + 1);
}

TEST(UMenus, FixupKeepsNamesAsWrittenButLineBreaksTabsAndALoneDash)
{
	unsigned char text[] = "\x19-Yahoo! Inc.;A&B^c<e/f(g)";
	UMenus::FixupMenuItem(text);
	EXPECT_EQ(std::memcmp(text + 1, "-Yahoo! Inc.;A&B^c<e/f(g)", 25), 0);

	unsigned char breaks[] = "\x06"
	                         "a\nb\rc\t";
	UMenus::FixupMenuItem(breaks);
	EXPECT_EQ(std::memcmp(breaks + 1, "a b c ", 6), 0);

	// A lone "-" would be a separator line; bytes past the length are not touched.
	unsigned char dash[] = "\x01-\t";
	UMenus::FixupMenuItem(dash);
	EXPECT_EQ(std::memcmp(dash + 1, " \t", 2), 0);
}
