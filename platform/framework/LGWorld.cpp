#include "platform/framework/LGWorld.h"

#include "platform/framework/LException.h"

LGWorld::LGWorld(const Rect& inBounds, SInt16 inPixelDepth, GWorldFlags inFlags, CTabHandle inCTableH,
                 GDHandle inGDeviceH)
    : mBounds(inBounds)
{
	ThrowIfOSErr_(NewGWorld(&mMacGWorld, inPixelDepth, &inBounds, inCTableH, inGDeviceH, inFlags));
}

LGWorld::~LGWorld()
{
	if (mDrawing)
		EndDrawing();
	DisposeGWorld(mMacGWorld);
}

Boolean LGWorld::BeginDrawing()
{
	if (mDrawing)
		return true;
	GetGWorld(&mSavePort, &mSaveDevice);
	SetGWorld(mMacGWorld, nullptr);
	mDrawing = true;
	return true;
}

void LGWorld::EndDrawing()
{
	if (!mDrawing)
		return;
	SetGWorld(mSavePort, mSaveDevice);
	mDrawing = false;
}

void LGWorld::CopyImage(GrafPtr inDestPort, const Rect& inDestRect, SInt16 inXferMode,
                        RgnHandle inMaskRegion) const
{
	CopyBits(GetPortBitMapForCopyBits(mMacGWorld), GetPortBitMapForCopyBits(inDestPort), &mBounds,
	         &inDestRect, inXferMode, inMaskRegion);
}
