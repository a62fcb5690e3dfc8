#pragma once
// Offscreen graphics worlds: ports that own their image. Depths up to 16 give 16-bit images, deeper ones
// 32-bit; depth 0 takes the main screen's.

#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/Screens.h"

typedef SInt16 QDErr;
typedef UInt32 GWorldFlags;
struct ColorTable;
typedef ColorTable** CTabHandle;

// The world's local coordinates are those of bounds; a new world is white. The colour table and the device
// are not used.
QDErr NewGWorld(GWorldPtr* offscreen, SInt16 pixelDepth, const Rect* bounds, CTabHandle colorTable,
                GDHandle device, GWorldFlags flags);
void DisposeGWorld(GWorldPtr offscreen);
void GetGWorld(CGrafPtr* port, GDHandle* device);
void SetGWorld(CGrafPtr port, GDHandle device);
PixMapHandle GetGWorldPixMap(GWorldPtr offscreen);
// Pixels never move here; locking is kept only so that the state can be asked.
Boolean LockPixels(PixMapHandle pixels);
void UnlockPixels(PixMapHandle pixels);
Boolean PixelsAreLocked(PixMapHandle pixels);
SInt16 GetPixDepth(PixMapHandle pixels);
Rect* GetPixBounds(PixMapHandle pixels, Rect* bounds);
