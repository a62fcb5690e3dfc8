#pragma once
// A pane with a value between a minimum and a maximum that tells its listeners when the value changes
// (its value message, with a pointer to the new SInt32 value as parameter) and that the user clicks:
// a click is tracked over the control's hot spot and acted on when released inside.

#include "platform/framework/LBroadcaster.h"
#include "platform/framework/LControlPane.h"

// Control parts, as the toolbox numbers them.
enum : SInt16 {
	kControlNoPart = 0,
	kControlButtonPart = 10,
	kControlCheckBoxPart = 11,
	kControlUpButtonPart = 20,
	kControlDownButtonPart = 21,
	kControlPageUpPart = 22,
	kControlPageDownPart = 23,
	kControlIndicatorPart = 129
};

class LControl : public LControlPane, public LBroadcaster
{
public:
	enum { class_ID = FOUR_CHAR_CODE("cntl") };

	LControl(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue, SInt32 inMinValue,
	         SInt32 inMaxValue);
	// Reads the pane's data, then: value message, value, minimum, maximum (32 each).
	explicit LControl(LStream* inStream);

	SInt32 GetValue() const override { return mValue; }
	// Pinned to the minimum and maximum; a change is shown and broadcast.
	void SetValue(SInt32 inValue) override;
	SInt32 GetMinValue() const { return mMinValue; }
	SInt32 GetMaxValue() const { return mMaxValue; }
	virtual void SetMinValue(SInt32 inMinValue);
	virtual void SetMaxValue(SInt32 inMaxValue);
	MessageT GetValueMessage() const { return mValueMessage; }
	void SetValueMessage(MessageT inMessage) { mValueMessage = inMessage; }

	// The control's title.
	void SetDescriptor(ConstStr255Param inDescriptor) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override;

	// Nothing when the value message is msg_Nothing.
	virtual void BroadcastValueMessage();

	// Acts as if the user had clicked the hot spot.
	virtual void SimulateHotSpotClick(SInt16 inHotSpot);

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	virtual SInt16 FindHotSpot(Point inPoint) const;
	virtual Boolean PointInHotSpot(Point inPoint, SInt16 inHotSpot) const;
	// Follows the mouse while the button is held; true when it was released inside the hot spot.
	virtual Boolean TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16 inModifiers);
	virtual void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside);
	virtual void DoneTracking(SInt16 inHotSpot, Boolean inGoodTrack);
	virtual void HotSpotResult(SInt16 inHotSpot);

	// The value or the title changed: controls with a native widget show it there.
	virtual void ValueChanged();
	virtual void TitleChanged();

	MessageT mValueMessage = msg_Nothing;
	SInt32 mValue = 0;
	SInt32 mMinValue = 0;
	SInt32 mMaxValue = 0;
	Str255 mTitle = {0};
};
