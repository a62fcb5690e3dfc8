#include "toolkit/UKsKeyFilters.h"

#include "toolkit/UKsCellFonts.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

EKeyStatus Float(UInt16 inChar)
{
	UInt16 c = inChar;
	return UKsKeyFilters::FloatField(nullptr, 0, c, 0);
}

EventRecord Key(UInt16 inChar)
{
	EventRecord event;
	event.what = keyDown;
	event.message = inChar;
	return event;
}

TEST(UKsKeyFiltersTest, NumberFieldsTakeDigitsAndPointsOnly)
{
	for (UInt16 c : {UInt16('1'), UInt16('2'), UInt16('.'), UInt16('5'), UInt16('0'), UInt16('9')})
		EXPECT_EQ(Float(c), keyStatus_Input) << char(c);
	for (UInt16 c : {UInt16('-'), UInt16(','), UInt16(' '), UInt16('e'), UInt16('+'), UInt16(0xA5)})
		EXPECT_EQ(Float(c), keyStatus_Reject) << int(c);
	EXPECT_EQ(Float(char_Backspace), keyStatus_TEDelete);
	EXPECT_EQ(Float(char_LeftArrow), keyStatus_TECursor);
	EXPECT_EQ(Float(char_DownArrow), keyStatus_TECursor);
	EXPECT_EQ(Float(char_Home), keyStatus_ExtraEdit);
	EXPECT_EQ(Float(char_FwdDelete), keyStatus_ExtraEdit);
	EXPECT_EQ(Float(char_Tab), keyStatus_PassUp);
	EXPECT_EQ(Float(char_Return), keyStatus_PassUp);
	EXPECT_EQ(Float(char_Enter), keyStatus_PassUp);
}

TEST(UKsKeyFiltersTest, SignedNumberFieldsTakeAMinusInFrontOnly)
{
	auto negative = [](const char* inText, SInt16 inCaret, UInt16 inChar) {
		OpaqueTEHandle field;
		field.text = inText;
		field.length = SInt16(std::strlen(inText));
		field.selStart = field.selEnd = inCaret;
		return UKsKeyFilters::NegativeFloatField(&field, 0, inChar, 0);
	};
	EXPECT_EQ(negative("", 0, '-'), keyStatus_Input);
	EXPECT_EQ(negative("25.5", 0, '-'), keyStatus_Input);
	EXPECT_EQ(negative("25.5", 2, '-'), keyStatus_Reject);
	EXPECT_EQ(negative("-25.5", 0, '-'), keyStatus_Reject);
	EXPECT_EQ(negative("-25.5", 0, '1'), keyStatus_Reject);
	EXPECT_EQ(negative("-25.5", 1, '1'), keyStatus_Input);
	EXPECT_EQ(negative("-25", 3, '.'), keyStatus_Input);
	EXPECT_EQ(negative("-25", 3, 'e'), keyStatus_Reject);
	EXPECT_EQ(negative("-25", 3, char_Backspace), keyStatus_TEDelete);
	EXPECT_EQ(negative("-25", 0, char_Tab), keyStatus_PassUp);
}

TEST(UKsKeyFiltersTest, AddressFieldsTakeTheVisibleAsciiCharacters)
{
	for (char c : {'@', '/', ':', '~', 'a', 'Z', '0', '?', '%'})
		EXPECT_EQ(UKsKeyFilters::InternetField(Key(UInt16(c))), keyStatus_Input) << c;
	for (UInt16 c : {UInt16(' '), UInt16(0x8E), UInt16(0xA5), UInt16(0), UInt16(7)})
		EXPECT_EQ(UKsKeyFilters::InternetField(Key(c)), keyStatus_Reject) << int(c);
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(char_Tab)), keyStatus_PassUp);
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(char_Escape)), keyStatus_PassUp);
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(char_Backspace)), keyStatus_TEDelete);
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(char_RightArrow)), keyStatus_TECursor);
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(char_FwdDelete)), keyStatus_ExtraEdit);
	// The key code in the high byte does not change the verdict.
	EXPECT_EQ(UKsKeyFilters::InternetField(Key(0x2500 | '@')), keyStatus_Input);
	EXPECT_TRUE(UKsKeyFilters::IsInternetSpecificChar(33));
	EXPECT_TRUE(UKsKeyFilters::IsInternetSpecificChar(127));
	EXPECT_FALSE(UKsKeyFilters::IsInternetSpecificChar(32));
	EXPECT_FALSE(UKsKeyFilters::IsInternetSpecificChar(128));
}

TEST(UKsKeyFiltersTest, OneLineFieldsRefuseLineBreaksAndTakeOtherPrintingCharacters)
{
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key(char_Return)), keyStatus_Reject);
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key(10)), keyStatus_Reject);
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key('a')), keyStatus_Input);
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key(' ')), keyStatus_Input);
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key(0x8E)), keyStatus_Input);
	EXPECT_EQ(UKsKeyFilters::LineInputField(Key(char_LeftArrow)), keyStatus_TECursor);
}

TEST(UKsCellFontsTest, RowsAndLinesForAFontSize)
{
	const struct {
		SInt32 size, minimum, height;
	} heights[] = {{12, 0, 19}, {20, 0, 30}, {12, 16, 18}, {10, 25, 25},
	               {14, 0, 21}, {9, -3, 19}, {13, 1, 19}};
	for (const auto& row : heights)
		EXPECT_EQ(UKsCellFonts::CellHeight(row.size, row.minimum), row.height)
		    << row.size << " " << row.minimum;

	const struct {
		SInt32 size, ascent, descent, leading, baseline, centre;
	} lines[] = {
	    {12, 9, 3, 3, 13, 9}, {14, 11, 3, 3, 15, 10}, {9, 7, 2, 5, 12, 9}, {20, 15, 5, 5, 20, 13}};
	for (const auto& row : lines) {
		SInt32 ascent, descent, leading;
		UKsCellFonts::CellFontInfo(row.size, ascent, descent, leading);
		EXPECT_EQ(ascent, row.ascent) << row.size;
		EXPECT_EQ(descent, row.descent) << row.size;
		EXPECT_EQ(leading, row.leading) << row.size;
		EXPECT_EQ(UKsCellFonts::CellBaseLine(row.size, 0), row.baseline) << row.size;
		EXPECT_EQ(UKsCellFonts::CellCentreLine(row.size, 0), row.centre) << row.size;
	}
	// In a taller row the lines move down with the row's bottom.
	EXPECT_EQ(UKsCellFonts::CellBaseLine(12, 25), 19);
	EXPECT_EQ(UKsCellFonts::CellCentreLine(12, 25), 15);
}
} // namespace
