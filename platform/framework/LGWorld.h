#pragma once
// An offscreen world that the framework owns for its user: draw into it between BeginDrawing and
// EndDrawing, then copy it into a port.

#include "platform/toolbox/gui/QDOffscreen.h"

class LGWorld
{
public:
	// Throws the world's error (LException) when it cannot be made.
	LGWorld(const Rect& inBounds, SInt16 inPixelDepth = 0, GWorldFlags inFlags = 0,
	        CTabHandle inCTableH = nullptr, GDHandle inGDeviceH = nullptr);
	virtual ~LGWorld();
	LGWorld(const LGWorld&) = delete;
	LGWorld& operator=(const LGWorld&) = delete;

	// Makes the world the current port, remembering the one it replaces.
	Boolean BeginDrawing();
	void EndDrawing();
	// Copies the whole world to inDestRect of inDestPort.
	void CopyImage(GrafPtr inDestPort, const Rect& inDestRect, SInt16 inXferMode = srcCopy,
	               RgnHandle inMaskRegion = nullptr) const;

	GWorldPtr GetMacGWorld() const { return mMacGWorld; }
	void GetBounds(Rect& outBounds) const { outBounds = mBounds; }

private:
	GWorldPtr mMacGWorld = nullptr;
	Rect mBounds;
	CGrafPtr mSavePort = nullptr;
	GDHandle mSaveDevice = nullptr;
	bool mDrawing = false;
};
