#pragma once
// A group box whose title is a check box: the box is drawn through the port around the panes laid out
// over it; only the title strip is a native check box.

#include "platform/framework/LCheckBox.h"

class LCheckBoxGroupBox : public LCheckBox
{
public:
	enum { class_ID = FOUR_CHAR_CODE("cbgb") };

	// Reads what a check box reads.
	explicit LCheckBoxGroupBox(LStream* inStream);

protected:
	void CalcNativeFrame(Rect& outPortRect) const override;
	Boolean PointInHotSpot(Point inPoint, SInt16 inHotSpot) const override;
	void DrawSelf() override;
};
