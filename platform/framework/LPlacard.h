#pragma once
// A light grey panel with a frame, drawn through the port, that holds other panes.

#include "platform/framework/LView.h"

class LPlacard : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("plcd") };

	// Reads the pane's data.
	explicit LPlacard(LStream* inStream) : LView(inStream) {}

protected:
	void DrawSelf() override;
};
