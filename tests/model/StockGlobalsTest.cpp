#include "model/StockGlobals.h"

#include "tests/support/ModelTestEnvironment.h"

#include <gtest/gtest.h>

namespace
{

using StockGlobalsTest = modeltest::ModelFixture;

TEST_F(StockGlobalsTest, MissingEntriesReadAsEmptyTexts)
{
	EXPECT_STREQ(GetStockCString(17), "Nothing was found.");
	EXPECT_EQ(gStockCStrings[3], nullptr);
	EXPECT_STREQ(GetStockCString(3), "");
	EXPECT_STREQ(GetStockCString(-1), "");
	EXPECT_STREQ(GetStockCString(kStockCStringCount), "");

	EXPECT_EQ(GetStockString(0)[0], 3);
	EXPECT_EQ(GetStockString(1)[0], 0);
	EXPECT_EQ(GetStockString(kStockStringCount)[0], 0);

	gStockStrings[0] = nullptr;
	EXPECT_EQ(GetStockString(0)[0], 0);
}

} // namespace
