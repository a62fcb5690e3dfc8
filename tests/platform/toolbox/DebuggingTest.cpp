#include "platform/toolbox/Debugging.h"

#include "platform/toolbox/MacTypes.h"

#include <gtest/gtest.h>

TEST(Debugging, SignalReportsOnlyWhenTheConditionHoldsAndGoesOn)
{
	const long before = Debugging::SignalCount();
	SignalIf_(1 + 1 == 3);
	EXPECT_EQ(Debugging::SignalCount(), before);
	SignalIf_(1 + 1 == 2);
	SignalIfNot_(false);
	EXPECT_EQ(Debugging::SignalCount(), before + 2);
}

TEST(Debugging, AssertStopsTheProgram)
{
	EXPECT_DEATH(Assert_(false), "assertion failed");
}

TEST(MacTypes, FourCharCodePutsTheFirstCharacterInTheHighByte)
{
	EXPECT_EQ(FOUR_CHAR_CODE("zv22"), 0x7A763232u);
	EXPECT_EQ(FOUR_CHAR_CODE("qNON"), 0x714E4F4Eu);
}
