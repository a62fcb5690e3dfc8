#pragma once

#include "platform/toolbox/gui/QuickDraw.h"

// Restores the current port when it goes; optionally makes another port current meanwhile.
class StGrafPortSaver
{
public:
	StGrafPortSaver() { GetPort(&mOriginalPort); }
	explicit StGrafPortSaver(GrafPtr inGrafPtr) : StGrafPortSaver()
	{
		if (inGrafPtr)
			SetPort(inGrafPtr);
	}
	~StGrafPortSaver() { SetPort(mOriginalPort); }
	StGrafPortSaver(const StGrafPortSaver&) = delete;
	StGrafPortSaver& operator=(const StGrafPortSaver&) = delete;

	GrafPtr GetSavedPort() const { return mOriginalPort; }

private:
	GrafPtr mOriginalPort = nullptr;
};
