#include "Includes/TKsRGBColor.h"

#include "foundation/UIntelConversion.h"

#include <array>
#include <gtest/gtest.h>

TEST(TKsRGBColor, NewColourIsBlackWithAZeroFourthWord)
{
	const TKsRGBColor colour;
	EXPECT_EQ(colour, TKsRGBColor(0, 0, 0, 0));
}

TEST(TKsRGBColor, CopiesAndStorageCarryTheFourthWord)
{
	TKsRGBColor colour(0x1234, 0x5678, 0x9ABC, 0xDEF0);
	TKsRGBColor copy;
	copy = colour;
	EXPECT_EQ(copy.extra, 0xDEF0);

	RGBColor plain;
	plain.red = 1;
	plain.green = 2;
	plain.blue = 3;
	copy.SetRGB(plain);
	EXPECT_EQ(copy, TKsRGBColor(1, 2, 3, 0xDEF0));
	EXPECT_EQ(copy.GetRGB().blue, 3);

	std::array<unsigned char, TKsRGBColor::kStoredSize> stored;
	UIntelConversion::ConvertTKsRGB(stored, &colour, false);
	EXPECT_EQ(stored, (std::array<unsigned char, 8>{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}));
	TKsRGBColor back;
	UIntelConversion::ConvertTKsRGB(stored, &back, true);
	EXPECT_EQ(back, colour);
}
