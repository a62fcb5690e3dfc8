#pragma once
// A row of tabs: the value is the chosen tab (from 1); a click on another tab chooses it and the value
// message is broadcast (a multi-panel view listening to it shows the matching panel).

#include "platform/framework/LControl.h"

class LTabsControl : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tabs") };

	// Reads the control's data, then a count (16) and that many tab titles (length-prefixed).
	explicit LTabsControl(LStream* inStream);

	SInt16 CountTabs() const;
	void SetTabTitle(SInt16 inTab, ConstStr255Param inTitle);
	void GetTabTitle(SInt16 inTab, Str255 outTitle) const;

protected:
	SInt16 FindHotSpot(Point inPoint) const override;
	Boolean PointInHotSpot(Point inPoint, SInt16 inHotSpot) const override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ValueChanged() override;
};
