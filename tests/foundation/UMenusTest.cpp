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

TEST(UMenus, FixupReplacesMetacharacters)
{
	unsigned char text[] = "\x0E-a;b^c!d<e/f(g\rh";
	UMenus::FixupMenuItem(text);
	EXPECT_EQ(std::memcmp(text + 1, " a b c d e f g h", 14), 0);

	// A '-' elsewhere stays, and bytes past the length are not touched.
	unsigned char other[] = "\x03"
	                        "a-b;";
	UMenus::FixupMenuItem(other);
	EXPECT_EQ(std::memcmp(other + 1, "a-b;", 4), 0);
}
