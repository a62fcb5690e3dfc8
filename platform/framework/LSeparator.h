#pragma once
// A grey line across the longer side of its frame, drawn through the port.

#include "platform/framework/LPane.h"

class LSeparator : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("sepr") };

	// Reads the pane's data.
	explicit LSeparator(LStream* inStream) : LPane(inStream) {}

protected:
	void DrawSelf() override;
};
