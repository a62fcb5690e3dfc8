#pragma once

#include "platform/toolbox/gui/QuickDraw.h"

// Keeps the current port's clip and gives it back when it goes; can clip meanwhile.
class StClipRgnState
{
public:
	StClipRgnState() : mClip(NewRgn())
	{
		GetPort(&mPort);
		GetClip(mClip);
	}
	explicit StClipRgnState(const Rect& inClipRect) : StClipRgnState() { ClipRect(&inClipRect); }
	~StClipRgnState()
	{
		if (mPort) {
			GrafPtr current = nullptr;
			GetPort(&current);
			SetPort(mPort);
			SetClip(mClip);
			SetPort(current);
		}
		DisposeRgn(mClip);
	}
	StClipRgnState(const StClipRgnState&) = delete;
	StClipRgnState& operator=(const StClipRgnState&) = delete;

	// Clips to the part of the current clip that lies in the rectangle.
	void ClipToIntersection(const Rect& inRect)
	{
		RgnHandle area = NewRgn();
		RgnHandle clip = NewRgn();
		RectRgn(area, &inRect);
		GetClip(clip);
		SectRgn(clip, area, clip);
		SetClip(clip);
		DisposeRgn(clip);
		DisposeRgn(area);
	}

private:
	GrafPtr mPort = nullptr;
	RgnHandle mClip;
};
