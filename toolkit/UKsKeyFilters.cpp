#include "toolkit/UKsKeyFilters.h"

namespace
{
bool IsDigit(UInt16 inChar)
{
	return inChar >= '0' && inChar <= '9';
}

bool IsLetter(UInt16 inChar)
{
	return (inChar >= 'A' && inChar <= 'Z') || (inChar >= 'a' && inChar <= 'z');
}

constexpr UInt16 kLineFeed = 10;
} // namespace

EKeyStatus UKsKeyFilters::FloatField(TEHandle, UInt16, UInt16& ioCharCode, UInt16)
{
	const UInt16 c = ioCharCode;
	if (UKeyFilters::IsTEDeleteKey(c))
		return keyStatus_TEDelete;
	if (UKeyFilters::IsTECursorKey(c))
		return keyStatus_TECursor;
	if (UKeyFilters::IsExtraEditKey(c))
		return keyStatus_ExtraEdit;
	if (!UKeyFilters::IsPrintingChar(c))
		return keyStatus_PassUp;
	if (IsDigit(c) || c == '.')
		return keyStatus_Input;
	return keyStatus_Reject;
}

EKeyStatus UKsKeyFilters::NegativeFloatField(TEHandle inMacTEH, UInt16 inKeyCode, UInt16& ioCharCode,
                                             UInt16 inModifiers)
{
	const EKeyStatus status =
	    ioCharCode == '-' ? keyStatus_Input : FloatField(inMacTEH, inKeyCode, ioCharCode, inModifiers);
	if (status == keyStatus_Input && !UKeyFilters::KeepsLeadingMinus(inMacTEH, ioCharCode))
		return keyStatus_Reject;
	return status;
}

EKeyStatus UKsKeyFilters::LineInputField(const EventRecord& inKeyEvent)
{
	const UInt16 c = UInt16(inKeyEvent.message & charCodeMask);
	if (c == kLineFeed || c == char_Return)
		return keyStatus_Reject;
	return UKeyFilters::PrintingCharField(inKeyEvent);
}

EKeyStatus UKsKeyFilters::InternetField(const EventRecord& inKeyEvent)
{
	const UInt16 c = UInt16(inKeyEvent.message & charCodeMask);
	if (UKeyFilters::IsTEDeleteKey(c))
		return keyStatus_TEDelete;
	if (UKeyFilters::IsTECursorKey(c))
		return keyStatus_TECursor;
	if (UKeyFilters::IsExtraEditKey(c))
		return keyStatus_ExtraEdit;
	if (IsDigit(c) || IsLetter(c))
		return keyStatus_Input;
	if (IsInternetPassUpChar(c))
		return keyStatus_PassUp;
	if (IsInternetSpecificChar(c))
		return keyStatus_Input;
	return keyStatus_Reject;
}
