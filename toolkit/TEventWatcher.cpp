#include "toolkit/TEventWatcher.h"

#include "model/UModifierKeys.h"

UInt8 TEventWatcher::sShiftKey = 0;
UInt8 TEventWatcher::sCommandKey = 0;
UInt8 TEventWatcher::sOptionKey = 0;
UInt8 TEventWatcher::sControlKey = 0;

TEventWatcher::TEventWatcher() : LAttachment(msg_Event, true)
{
	UModifierKeys::SetSource([] {
		UModifierKeys::tKeys keys;
		keys.shift = ShiftKey();
		keys.command = CommandKey();
		keys.option = OptionKey();
		keys.control = ControlKey();
		return keys;
	});
}

void TEventWatcher::Reset()
{
	sShiftKey = sCommandKey = sOptionKey = sControlKey = 0;
}

void TEventWatcher::ExecuteSelf(MessageT inMessage, void* ioParam)
{
	if (inMessage != msg_Event || ioParam == nullptr)
		return;
	const EventRecord& event = *static_cast<const EventRecord*>(ioParam);
	switch (event.what) {
	case mouseDown:
	case mouseUp:
	case keyDown:
	case keyUp:
		sShiftKey = (event.modifiers & shiftKey) ? 1 : 0;
		sCommandKey = (event.modifiers & cmdKey) ? 1 : 0;
		sOptionKey = (event.modifiers & optionKey) ? 1 : 0;
		sControlKey = (event.modifiers & controlKey) ? 1 : 0;
		break;
	default:
		break;
	}
}
