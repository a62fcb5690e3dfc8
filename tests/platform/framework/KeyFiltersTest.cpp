#include "platform/framework/UKeyFilters.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

struct FilterCase {
	UInt16 ch;
	UInt16 modifiers;
	EKeyStatus printing;
	EKeyStatus integer;
	EKeyStatus negative;
	EKeyStatus alphanumeric;
};

TEST(KeyFiltersTest, EachFilterSortsKeysIntoInputEditingRejectAndPassUp)
{
	const FilterCase cases[] = {
	    {'7', 0, keyStatus_Input, keyStatus_Input, keyStatus_Input, keyStatus_Input},
	    {'a', 0, keyStatus_Input, keyStatus_Reject, keyStatus_Reject, keyStatus_Input},
	    {'-', 0, keyStatus_Input, keyStatus_Reject, keyStatus_Input, keyStatus_Reject},
	    {' ', 0, keyStatus_Input, keyStatus_Reject, keyStatus_Reject, keyStatus_Reject},
	    {0x8E, 0, keyStatus_Input, keyStatus_Reject, keyStatus_Reject,
	     keyStatus_Reject}, // a Mac Roman letter
	    {char_Backspace, 0, keyStatus_TEDelete, keyStatus_TEDelete, keyStatus_TEDelete,
	     keyStatus_TEDelete},
	    {char_LeftArrow, shiftKey, keyStatus_TECursor, keyStatus_TECursor, keyStatus_TECursor,
	     keyStatus_TECursor},
	    {char_Home, 0, keyStatus_ExtraEdit, keyStatus_ExtraEdit, keyStatus_ExtraEdit,
	     keyStatus_ExtraEdit},
	    {char_FwdDelete, 0, keyStatus_ExtraEdit, keyStatus_ExtraEdit, keyStatus_ExtraEdit,
	     keyStatus_ExtraEdit},
	    {char_Tab, 0, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp},
	    {char_Return, 0, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp},
	    {'c', cmdKey, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp, keyStatus_PassUp},
	};
	for (const FilterCase& c : cases) {
		SCOPED_TRACE(testing::Message() << "char " << c.ch);
		UInt16 ch = c.ch;
		EXPECT_EQ(UKeyFilters::PrintingCharField(nullptr, 0, ch, c.modifiers), c.printing);
		EXPECT_EQ(UKeyFilters::IntegerField(nullptr, 0, ch, c.modifiers), c.integer);
		EXPECT_EQ(UKeyFilters::NegativeIntegerField(nullptr, 0, ch, c.modifiers), c.negative);
		EXPECT_EQ(UKeyFilters::AlphaNumericField(nullptr, 0, ch, c.modifiers), c.alphanumeric);
		EventRecord event;
		event.what = keyDown;
		event.message = c.ch;
		event.modifiers = c.modifiers;
		EXPECT_EQ(UKeyFilters::PrintingCharField(event), c.printing);
	}
}

TEST(KeyFiltersTest, NegativeNumbersTakeOneMinusInFrontOnly)
{
	const struct {
		const char* text;
		SInt16 selStart, selEnd;
		UInt16 ch;
		EKeyStatus status;
	} cases[] = {
	    {"", 0, 0, '-', keyStatus_Input},     {"12", 0, 0, '-', keyStatus_Input},
	    {"12", 1, 1, '-', keyStatus_Reject},  {"12", 2, 2, '-', keyStatus_Reject},
	    {"-12", 0, 0, '-', keyStatus_Reject}, {"-12", 1, 1, '-', keyStatus_Reject},
	    {"-12", 0, 1, '-', keyStatus_Input},  {"-12", 0, 3, '-', keyStatus_Input},
	    {"-12", 0, 0, '3', keyStatus_Reject}, {"-12", 1, 1, '3', keyStatus_Input},
	    {"-12", 0, 1, '3', keyStatus_Input},  {"-12", 3, 3, '3', keyStatus_Input},
	};
	for (const auto& c : cases) {
		OpaqueTEHandle field;
		field.text = c.text;
		field.length = SInt16(std::strlen(c.text));
		field.selStart = c.selStart;
		field.selEnd = c.selEnd;
		UInt16 ch = c.ch;
		EXPECT_EQ(UKeyFilters::NegativeIntegerField(&field, 0, ch, 0), c.status)
		    << c.text << " " << c.selStart << "-" << c.selEnd << " " << char(c.ch);
	}
}

} // namespace
