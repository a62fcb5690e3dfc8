#pragma once

#include "platform/toolbox/gui/QuickDraw.h"

// Keeps the current port's fore and back colours and gives them back when it goes.
class StColorState
{
public:
	StColorState() { Save(); }
	~StColorState() { Restore(); }
	StColorState(const StColorState&) = delete;
	StColorState& operator=(const StColorState&) = delete;

	void Save()
	{
		GetPort(&mPort);
		GetForeColor(&mForeColor);
		GetBackColor(&mBackColor);
	}
	void Restore()
	{
		if (!mPort)
			return;
		GrafPtr current = nullptr;
		GetPort(&current);
		SetPort(mPort);
		RGBForeColor(&mForeColor);
		RGBBackColor(&mBackColor);
		SetPort(current);
	}
	// Black on white.
	static void Normalize()
	{
		const RGBColor black{0, 0, 0}, white{0xFFFF, 0xFFFF, 0xFFFF};
		RGBForeColor(&black);
		RGBBackColor(&white);
	}

private:
	GrafPtr mPort = nullptr;
	RGBColor mForeColor;
	RGBColor mBackColor;
};
