#pragma once
// A group of radio buttons named by pane id anywhere in the window: at most one of them is on. The group
// is an invisible pane that finds its buttons when it is finished, so a layout lists it after them.

#include "platform/framework/LPane.h"
#include "platform/framework/LRadioSet.h"

#include <vector>

class LRadioGroup : public LPane, public LRadioSet
{
public:
	enum { class_ID = FOUR_CHAR_CODE("radg") };

	// Reads the pane's data, then a count (16) and that many button ids (32 each).
	explicit LRadioGroup(LStream* inStream);

protected:
	void FinishCreateSelf() override;

private:
	std::vector<PaneIDT> mRadioIDs;
};
