#pragma once

#include "platform/toolbox/gui/StColorState.h"

// Keeps the current port's colours and pen and gives them back when it goes.
class StColorPenState
{
public:
	StColorPenState() { Save(); }
	~StColorPenState() { Restore(); }
	StColorPenState(const StColorPenState&) = delete;
	StColorPenState& operator=(const StColorPenState&) = delete;

	void Save()
	{
		GetPort(&mPort);
		mColors.Save();
		GetPenState(&mPenState);
	}
	void Restore()
	{
		if (!mPort)
			return;
		mColors.Restore();
		GrafPtr current = nullptr;
		GetPort(&current);
		SetPort(mPort);
		SetPenState(&mPenState);
		SetPort(current);
	}
	// Black on white with a normal pen.
	static void Normalize()
	{
		StColorState::Normalize();
		PenNormal();
	}

private:
	GrafPtr mPort = nullptr;
	StColorState mColors;
	PenState mPenState;
};
