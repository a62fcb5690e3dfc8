#pragma once
// A commander over the fields laid out inside it: Tab moves the target to the next field that can take it
// (shift-Tab to the previous one) in reading order, round the end, and selects the field's text.
// Becoming the target hands it to the field that had it last, or to the first. A window's first tab group
// is the sub it makes target when it is activated, so a window opens with its first field taking typing.

#include "platform/framework/LCommander.h"
#include "platform/framework/LView.h"

#include <vector>

class LTabGroup : public LView, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tabg") };

	// Reads the pane's data.
	explicit LTabGroup(LStream* inStream);

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	// The next (or previous) sub commander after the one on duty that accepts being the target.
	virtual void RotateTarget(Boolean inBackward);

protected:
	void BeTarget() override;

private:
	// The subs that can be the target now (shown and enabled), top to bottom, left to right.
	std::vector<LCommander*> TabOrder() const;
};
