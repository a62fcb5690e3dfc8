#pragma once
// A commander over the fields laid out inside it: Tab moves the target to the next field that can take it
// (shift-Tab to the previous one), round the end. Becoming the target hands it to the field that had it
// last, or to the first.

#include "platform/framework/LCommander.h"
#include "platform/framework/LView.h"

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
};
