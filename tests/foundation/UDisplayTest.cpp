#include "foundation/UDisplay.h"

#include "foundation/USystem.h"
#include "platform/toolbox/TickCount.h"

#include <gtest/gtest.h>

TEST(UDisplay, FlashTicksFollowWholeSeconds)
{
	StTestClock clock(6000);
	EXPECT_EQ(USystem::TickCount(), 6000u);
	EXPECT_EQ(UDisplay::FlashTickOn(), 6060u);
	EXPECT_EQ(UDisplay::FlashTickOff(), 6040u);

	clock.SetTicks(6039);
	EXPECT_EQ(UDisplay::FlashTickOn(), 6060u);
	EXPECT_EQ(UDisplay::FlashTickOff(), 6040u);

	// Off is always strictly after now.
	clock.SetTicks(6040);
	EXPECT_EQ(UDisplay::FlashTickOff(), 6100u);
	clock.SetTicks(6059);
	EXPECT_EQ(UDisplay::FlashTickOn(), 6060u);
	EXPECT_EQ(UDisplay::FlashTickOff(), 6100u);
}

TEST(USystem, MakeRGBFillsTheComponents)
{
	RGBColor color;
	USystem::MakeRGB(&color, 0xFFFF, 0x8000, 1);
	EXPECT_EQ(color.red, 0xFFFF);
	EXPECT_EQ(color.green, 0x8000);
	EXPECT_EQ(color.blue, 1);
	EXPECT_EQ(USystem::TicksPerSecond(), 60u);
}
