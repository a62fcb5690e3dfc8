#include "platform/framework/LTabGroup.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/UKeyFilters.h"

#include <algorithm>

LTabGroup::LTabGroup(LStream* inStream) : LView(inStream) {}

Boolean LTabGroup::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt16 ch = UInt16(inKeyEvent.message & charCodeMask);
	if (ch == char_Tab && !(inKeyEvent.modifiers & (cmdKey | optionKey | controlKey))) {
		RotateTarget((inKeyEvent.modifiers & shiftKey) != 0);
		return true;
	}
	return LCommander::HandleKeyPress(inKeyEvent);
}

void LTabGroup::RotateTarget(Boolean inBackward)
{
	const auto& subs = GetSubCommanders();
	if (subs.empty())
		return;
	const auto onDuty =
	    std::find_if(subs.begin(), subs.end(), [](LCommander* c) { return c->IsOnDuty(); });
	const size_t count = subs.size();
	size_t start = onDuty == subs.end() ? (inBackward ? 0 : count - 1) : size_t(onDuty - subs.begin());
	for (size_t step = 1; step <= count; ++step) {
		const size_t i = inBackward ? (start + count - step) % count : (start + step) % count;
		LCommander* next = subs[i];
		if (auto* pane = dynamic_cast<LPane*>(next);
		    pane && (!pane->IsVisible() || !pane->IsEnabled()))
			continue;
		if (SwitchTarget(next)) {
			if (auto* field = dynamic_cast<LEditText*>(next))
				field->SelectAll();
			return;
		}
	}
}

void LTabGroup::BeTarget()
{
	LCommander* latent = GetLatentSub();
	if (latent && SwitchTarget(latent))
		return;
	RotateTarget(false);
}
