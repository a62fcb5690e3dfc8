#include "platform/framework/LTabGroup.h"

#include "platform/framework/LEditText.h"
#include "platform/framework/UKeyFilters.h"

#include <algorithm>

LTabGroup::LTabGroup(LStream* inStream) : LView(inStream)
{
	if (mSuperCommander && !mSuperCommander->GetLatentSub())
		mSuperCommander->SetLatentSub(this);
}

Boolean LTabGroup::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt16 ch = UInt16(inKeyEvent.message & charCodeMask);
	if (ch == char_Tab && !(inKeyEvent.modifiers & (cmdKey | optionKey | controlKey))) {
		RotateTarget((inKeyEvent.modifiers & shiftKey) != 0);
		return true;
	}
	return LCommander::HandleKeyPress(inKeyEvent);
}

std::vector<LCommander*> LTabGroup::TabOrder() const
{
	struct Stop {
		LCommander* commander;
		Rect frame;
	};
	std::vector<Stop> stops;
	for (LCommander* sub : GetSubCommanders()) {
		Stop stop{sub, {}};
		if (auto* pane = dynamic_cast<LPane*>(sub)) {
			// A field on a hidden panel is not there for the user.
			if (!pane->IsVisible() || !pane->IsEnabled())
				continue;
			pane->CalcPortFrameRect(stop.frame);
		}
		stops.push_back(stop);
	}
	std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
		return a.frame.top != b.frame.top ? a.frame.top < b.frame.top : a.frame.left < b.frame.left;
	});
	std::vector<LCommander*> order;
	for (const Stop& stop : stops)
		order.push_back(stop.commander);
	return order;
}

void LTabGroup::RotateTarget(Boolean inBackward)
{
	const std::vector<LCommander*> order = TabOrder();
	if (order.empty())
		return;
	const auto onDuty =
	    std::find_if(order.begin(), order.end(), [](LCommander* c) { return c->IsOnDuty(); });
	const size_t count = order.size();
	size_t start = onDuty == order.end() ? (inBackward ? 0 : count - 1) : size_t(onDuty - order.begin());
	for (size_t step = 1; step <= count; ++step) {
		const size_t i = inBackward ? (start + count - step) % count : (start + step) % count;
		LCommander* next = order[i];
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
	const std::vector<LCommander*> order = TabOrder();
	if (latent && std::find(order.begin(), order.end(), latent) != order.end() && SwitchTarget(latent))
		return;
	RotateTarget(false);
}
