#pragma once
// Key filters of edit fields: numbers with a decimal point, one-line input, Internet addresses.

#include "platform/framework/UKeyFilters.h"

class UKsKeyFilters
{
public:
	// Digits and points (several are let through); editing keys edit; other printing characters are
	// refused; keys that print nothing pass up.
	static EKeyStatus FloatField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                             UInt16 inModifiers);
	// As FloatField, with one minus sign in front.
	static EKeyStatus NegativeFloatField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
	                                     UInt16 inModifiers);
	// Refuses line feed and return; everything else as a printing-character field.
	static EKeyStatus LineInputField(const EventRecord& inKeyEvent);
	// The characters of addresses (33 to 127); tab and escape pass up; space and the rest are refused.
	static EKeyStatus InternetField(const EventRecord& inKeyEvent);

	static bool IsInternetSpecificChar(UInt16 inChar) { return inChar >= 33 && inChar <= 127; }
	static bool IsInternetPassUpChar(UInt16 inChar)
	{
		return inChar == char_Tab || inChar == char_Escape;
	}
};
