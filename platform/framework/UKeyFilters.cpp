#include "platform/framework/UKeyFilters.h"

Boolean UKeyFilters::IsCmdPeriod(const EventRecord& inMacEvent)
{
	return (inMacEvent.what == keyDown || inMacEvent.what == autoKey) && (inMacEvent.modifiers & cmdKey) &&
	       (inMacEvent.message & charCodeMask) == '.';
}
