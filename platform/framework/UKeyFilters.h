#pragma once
// Key tests shared by windows and fields, and the key filters of edit fields. A filter judges one key and
// answers what the field does with it.

#include "platform/toolbox/MacTypes.h"

enum EKeyStatus {
	keyStatus_Input = 0,     // insert the character
	keyStatus_TEDelete = 1,  // delete backwards
	keyStatus_TECursor = 2,  // move the insertion point
	keyStatus_ExtraEdit = 3, // home, end, page keys, forward delete
	keyStatus_Ignore = 4,
	keyStatus_Reject = 5, // beep
	keyStatus_PassUp = 6  // to the next commander
};

// What a filter sees of its field: the text (Mac Roman) and the selection that a typed key replaces. A
// null handle stands for no field: the key is judged alone.
struct OpaqueTEHandle {
	const char* text = "";
	SInt16 length = 0;
	SInt16 selStart = 0;
	SInt16 selEnd = 0;
};
typedef OpaqueTEHandle* TEHandle;
typedef EKeyStatus (*TEKeyFilterFunc)(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
                                      UInt16 inModifiers);
typedef EKeyStatus (*KeyFilterFunc)(const EventRecord& inKeyEvent);

// Character codes of the keys.
enum : UInt16 {
	char_Home = 1,
	char_Enter = 3,
	char_End = 4,
	char_Help = 5,
	char_Backspace = 8,
	char_Tab = 9,
	char_PageUp = 11,
	char_PageDown = 12,
	char_Return = 13,
	char_Escape = 27,
	char_LeftArrow = 28,
	char_RightArrow = 29,
	char_UpArrow = 30,
	char_DownArrow = 31,
	char_FwdDelete = 127
};

class UKeyFilters
{
public:
	// Command-period: the user's way of stopping what runs.
	static Boolean IsCmdPeriod(const EventRecord& inMacEvent);

	static Boolean IsTEDeleteKey(UInt16 inChar) { return inChar == char_Backspace; }
	static Boolean IsTECursorKey(UInt16 inChar)
	{
		return inChar >= char_LeftArrow && inChar <= char_DownArrow;
	}
	static Boolean IsExtraEditKey(UInt16 inChar);
	static Boolean IsPrintingChar(UInt16 inChar)
	{
		return inChar >= 32 && inChar != char_FwdDelete && inChar < 256;
	}

	// Printing characters are input; editing keys edit; the rest pass up.
	static EKeyStatus PrintingCharField(const EventRecord& inKeyEvent);
	static EKeyStatus PrintingCharField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                                    UInt16 inModifiers);
	// As printing characters, but only digits are input.
	static EKeyStatus IntegerField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                               UInt16 inModifiers);
	// Whether a key keeps a number's minus sign its first character and its only one: a minus goes only
	// in front, and nothing goes in front of a minus.
	static Boolean KeepsLeadingMinus(TEHandle inMacTEH, UInt16 inChar);

	// Digits and a leading minus sign.
	static EKeyStatus NegativeIntegerField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                                       UInt16 inModifiers);
	// Letters and digits.
	static EKeyStatus AlphaNumericField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                                    UInt16 inModifiers);
};
