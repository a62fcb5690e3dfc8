#pragma once

#include "platform/toolbox/gui/QuickDraw.h"

// Keeps the current port's font, size, face and text mode and gives them back when it goes.
class StTextState
{
public:
	StTextState() { Save(); }
	~StTextState() { Restore(); }
	StTextState(const StTextState&) = delete;
	StTextState& operator=(const StTextState&) = delete;

	void Save()
	{
		GetPort(&mPort);
		if (!mPort)
			return;
		mFont = GetPortTextFont(mPort);
		mSize = GetPortTextSize(mPort);
		mFace = GetPortTextFace(mPort);
		mMode = GetPortTextMode(mPort);
	}
	void Restore()
	{
		if (!mPort)
			return;
		GrafPtr current = nullptr;
		GetPort(&current);
		SetPort(mPort);
		TextFont(mFont);
		TextSize(mSize);
		TextFace(mFace);
		TextMode(mMode);
		SetPort(current);
	}
	// The system font in its default size, plain, drawn over what is there.
	static void Normalize()
	{
		TextFont(0);
		TextSize(0);
		TextFace(normal);
		TextMode(srcOr);
	}

private:
	GrafPtr mPort = nullptr;
	SInt16 mFont = 0;
	SInt16 mSize = 0;
	Style mFace = normal;
	SInt16 mMode = srcOr;
};
