#include "platform/framework/UKeyFilters.h"

#include <cctype>

Boolean UKeyFilters::IsCmdPeriod(const EventRecord& inMacEvent)
{
	return (inMacEvent.what == keyDown || inMacEvent.what == autoKey) &&
	       (inMacEvent.modifiers & cmdKey) && (inMacEvent.message & charCodeMask) == '.';
}

Boolean UKeyFilters::IsExtraEditKey(UInt16 inChar)
{
	return inChar == char_Home || inChar == char_End || inChar == char_PageUp ||
	       inChar == char_PageDown || inChar == char_Help || inChar == char_FwdDelete;
}

namespace
{
// The editing keys every field understands; -1 when the key is not one of them.
int EditingStatus(UInt16 inChar)
{
	if (UKeyFilters::IsTEDeleteKey(inChar))
		return keyStatus_TEDelete;
	if (UKeyFilters::IsTECursorKey(inChar))
		return keyStatus_TECursor;
	if (UKeyFilters::IsExtraEditKey(inChar))
		return keyStatus_ExtraEdit;
	if (!UKeyFilters::IsPrintingChar(inChar))
		return keyStatus_PassUp;
	return -1;
}

template <class Accept> EKeyStatus Judge(UInt16 inChar, UInt16 inModifiers, Accept inAccept)
{
	if (inModifiers & cmdKey)
		return keyStatus_PassUp;
	const int editing = EditingStatus(inChar);
	if (editing >= 0)
		return EKeyStatus(editing);
	return inAccept(inChar) ? keyStatus_Input : keyStatus_Reject;
}
} // namespace

EKeyStatus UKeyFilters::PrintingCharField(const EventRecord& inKeyEvent)
{
	return Judge(UInt16(inKeyEvent.message & charCodeMask), inKeyEvent.modifiers,
	             [](UInt16) { return true; });
}

EKeyStatus UKeyFilters::PrintingCharField(TEHandle, UInt16, UInt16& ioCharCode, UInt16 inModifiers)
{
	return Judge(ioCharCode, inModifiers, [](UInt16) { return true; });
}

EKeyStatus UKeyFilters::IntegerField(TEHandle, UInt16, UInt16& ioCharCode, UInt16 inModifiers)
{
	return Judge(ioCharCode, inModifiers, [](UInt16 c) { return c >= '0' && c <= '9'; });
}

Boolean UKeyFilters::KeepsLeadingMinus(TEHandle inMacTEH, UInt16 inChar)
{
	if (inMacTEH == nullptr)
		return true;
	const bool minusAfter =
	    inMacTEH->selEnd < inMacTEH->length && inMacTEH->text[inMacTEH->selEnd] == '-';
	if (inChar == '-')
		return inMacTEH->selStart == 0 && !minusAfter;
	return !(inMacTEH->selStart == 0 && minusAfter);
}

EKeyStatus UKeyFilters::NegativeIntegerField(TEHandle inMacTEH, UInt16, UInt16& ioCharCode,
                                             UInt16 inModifiers)
{
	return Judge(ioCharCode, inModifiers, [inMacTEH](UInt16 c) {
		return ((c >= '0' && c <= '9') || c == '-') && KeepsLeadingMinus(inMacTEH, c);
	});
}

EKeyStatus UKeyFilters::AlphaNumericField(TEHandle, UInt16, UInt16& ioCharCode, UInt16 inModifiers)
{
	return Judge(ioCharCode, inModifiers, [](UInt16 c) { return c < 128 && std::isalnum(int(c)); });
}
