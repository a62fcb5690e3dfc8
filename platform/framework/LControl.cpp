#include "platform/framework/LControl.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/gui/Events.h"

#include <algorithm>
#include <cstring>

LControl::LControl(const SPaneInfo& inPaneInfo, MessageT inValueMessage, SInt32 inValue, SInt32 inMinValue,
                   SInt32 inMaxValue)
    : LControlPane(inPaneInfo), mValueMessage(inValueMessage), mValue(inValue), mMinValue(inMinValue),
      mMaxValue(inMaxValue)
{
}

LControl::LControl(LStream* inStream) : LControlPane(inStream)
{
	*inStream >> mValueMessage >> mValue >> mMinValue >> mMaxValue;
}

void LControl::SetValue(SInt32 inValue)
{
	inValue = std::clamp(inValue, mMinValue, std::max(mMinValue, mMaxValue));
	if (inValue == mValue)
		return;
	mValue = inValue;
	ValueChanged();
	BroadcastValueMessage();
}

void LControl::SetMinValue(SInt32 inMinValue)
{
	mMinValue = inMinValue;
	if (mValue < mMinValue)
		SetValue(mMinValue);
}

void LControl::SetMaxValue(SInt32 inMaxValue)
{
	mMaxValue = inMaxValue;
	if (mValue > std::max(mMinValue, mMaxValue))
		SetValue(mMaxValue);
}

void LControl::SetDescriptor(ConstStr255Param inDescriptor)
{
	std::memcpy(mTitle, inDescriptor, size_t(inDescriptor[0]) + 1);
	TitleChanged();
}

StringPtr LControl::GetDescriptor(Str255 outDescriptor) const
{
	std::memcpy(outDescriptor, mTitle, size_t(mTitle[0]) + 1);
	return outDescriptor;
}

void LControl::BroadcastValueMessage()
{
	if (mValueMessage == msg_Nothing)
		return;
	SInt32 value = mValue;
	BroadcastMessage(mValueMessage, &value);
}

void LControl::SimulateHotSpotClick(SInt16 inHotSpot)
{
	HotSpotAction(inHotSpot, true, false);
	DoneTracking(inHotSpot, true);
	HotSpotResult(inHotSpot);
}

void LControl::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	const SInt16 hotSpot = FindHotSpot(inMouseDown.whereLocal);
	if (hotSpot == kControlNoPart)
		return;
	if (TrackHotSpot(hotSpot, inMouseDown.whereLocal, SInt16(inMouseDown.macEvent.modifiers)))
		HotSpotResult(hotSpot);
}

SInt16 LControl::FindHotSpot(Point) const
{
	return kControlButtonPart;
}

Boolean LControl::PointInHotSpot(Point inPoint, SInt16) const
{
	Rect frame;
	CalcLocalFrameRect(frame);
	return PtInRect(inPoint, &frame);
}

Boolean LControl::TrackHotSpot(SInt16 inHotSpot, Point inPoint, SInt16)
{
	Boolean inside = PointInHotSpot(inPoint, inHotSpot);
	HotSpotAction(inHotSpot, inside, false);
	// A real press: follow the mouse until it is released (a simulated click has no button down).
	LWindow* window = GetWindow();
	if (window && Button()) {
		Point last;
		GetGlobalMouse(&last);
		for (;;) {
			const Boolean down = StillDown();
			Point where;
			GetGlobalMouse(&where);
			if (where.h == last.h && where.v == last.v) {
				if (!down)
					break;
				continue;
			}
			last = where;
			window->GlobalToPortPoint(where);
			PortToLocalPoint(where);
			const Boolean now = PointInHotSpot(where, inHotSpot);
			if (now != inside)
				HotSpotAction(inHotSpot, now, inside);
			inside = now;
			if (!down)
				break;
		}
	}
	DoneTracking(inHotSpot, inside);
	return inside;
}

void LControl::HotSpotAction(SInt16, Boolean, Boolean) {}

void LControl::DoneTracking(SInt16, Boolean) {}

void LControl::HotSpotResult(SInt16) {}

void LControl::ValueChanged()
{
	Refresh();
}

void LControl::TitleChanged()
{
	Refresh();
}
