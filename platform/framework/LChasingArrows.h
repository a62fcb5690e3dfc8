#pragma once
// A busy indicator drawn through the port: it turns while it is visible.

#include "platform/framework/LPane.h"
#include "platform/framework/LPeriodical.h"

class LChasingArrows : public LPane, public LPeriodical
{
public:
	enum { class_ID = FOUR_CHAR_CODE("carr") };

	// Reads the pane's data.
	explicit LChasingArrows(LStream* inStream);

	void SpendTime(const EventRecord& inMacEvent) override;
	SInt16 GetStep() const { return mStep; }

protected:
	void ShowSelf() override;
	void HideSelf() override;
	void DrawSelf() override;

private:
	SInt16 mStep = 0;
	UInt32 mLastTick = 0;
};
