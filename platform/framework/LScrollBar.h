#pragma once
// A scroll bar: a native bar whose value runs from the minimum to the maximum; the user moves it with the
// arrows, the page areas and the thumb, and every change is broadcast. A bar wider than high is
// horizontal.

#include "platform/framework/LControl.h"

class LScrollBar : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("sbar") };

	LScrollBar(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue, SInt32 inMinValue,
	           SInt32 inMaxValue);
	// Reads the control's data.
	explicit LScrollBar(LStream* inStream);

	void SetMinValue(SInt32 inMinValue) override;
	void SetMaxValue(SInt32 inMaxValue) override;
	void SetPageStep(SInt32 inStep); // the amount a click in the page area moves

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;

private:
	void MakeNative();
	void SyncRange();
	Boolean mSyncing = false;
};
