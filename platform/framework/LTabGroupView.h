#pragma once
// A tab group that is also a view of its own in the layouts.

#include "platform/framework/LTabGroup.h"

class LTabGroupView : public LTabGroup
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tbgv") };

	// Reads the pane's data.
	explicit LTabGroupView(LStream* inStream) : LTabGroup(inStream) {}
};
