#include "Includes/TKsFont.h"

#include "foundation/UIntelConversion.h"
#include "platform/toolbox/Debugging.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(TKsFont, NewFontIsSizeNineWithAnEmptyNameAndClearFlags)
{
	TKsFont font;
	EXPECT_EQ(font.GetFontSize(), 9);
	EXPECT_STREQ(font.GetFontName(), "");
	for (std::size_t i = 0; i < TKsFont::kFlagCount; ++i)
		EXPECT_EQ(font.GetFlag(i), 0);
}

TEST(TKsFont, NamesAreLimitedAndAlwaysTerminated)
{
	TKsFont font;
	const std::string sixtyFour(64, 'n');
	font.FontName(sixtyFour.c_str());
	EXPECT_EQ(std::string(font.GetFontName()), std::string(63, 'n'));

	// A shorter name clears what the longer one left behind.
	font.FontName("Geneva");
	TKsFont fresh;
	fresh.FontName("Geneva");
	EXPECT_EQ(font, fresh);

	font.FontName(nullptr);
	EXPECT_STREQ(font.GetFontName(), "");
}

TEST(TKsFont, CopiesCarryFlagsNameAndSize)
{
	TKsFont font;
	font.SetFlag(0, 1);
	font.SetFlag(4, 0x80);
	font.FontName("Monaco");
	font.FontSize(24);
	TKsFont copy;
	copy = font;
	EXPECT_EQ(copy.GetFlag(4), 0x80);
	EXPECT_STREQ(copy.GetFontName(), "Monaco");
	EXPECT_EQ(copy.GetFontSize(), 24);
	EXPECT_EQ(copy, font);
}

TEST(TKsFont, FlagIndexOutsideTheFiveIsSignalled)
{
	TKsFont font;
	const long before = Debugging::SignalCount();
	font.SetFlag(5, 1);
	EXPECT_EQ(font.GetFlag(5), 0);
	EXPECT_EQ(Debugging::SignalCount(), before + 2);
}

TEST(TKsFont, StoredFormHasTheSizeBigEndianAtSeventyTwo)
{
	TKsFont font;
	font.SetFlag(1, 1);
	font.FontName("Geneva");
	font.FontSize(0x01020304);
	std::array<unsigned char, TKsFont::kStoredSize> stored;
	stored.fill(0xAA);
	UIntelConversion::ConvertTKsFont(stored, &font, false);
	EXPECT_EQ(stored[1], 1);
	EXPECT_EQ(std::memcmp(stored.data() + 5, "Geneva", 7), 0);
	EXPECT_EQ(stored[71], 0);
	const unsigned char size[4] = {1, 2, 3, 4};
	EXPECT_EQ(std::memcmp(stored.data() + 72, size, 4), 0);

	TKsFont back;
	UIntelConversion::ConvertTKsFont(stored, &back, true);
	EXPECT_EQ(back, font);
}

TEST(TKsFont, DamagedStoredNameIsCutAndTerminated)
{
	std::array<unsigned char, TKsFont::kStoredSize> stored;
	stored.fill('m');
	TKsFont font;
	UIntelConversion::ConvertTKsFont(stored, &font, true);
	EXPECT_EQ(std::string(font.GetFontName()), std::string(63, 'm'));
}
