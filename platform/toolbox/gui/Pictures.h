#pragma once
// Pictures from the resource store ('PICT'), drawn scaled into a rectangle of the current port.

#include "platform/toolbox/MacTypes.h"

struct Picture {
	SInt16 picSize = 0;
	Rect picFrame; // the picture's own size, top-left at 0,0
};
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

// A new handle to picture inID, or null when the store has none; the caller releases it (KillPicture).
PicHandle GetPicture(SInt16 inID);
void DrawPicture(PicHandle inPicture, const Rect* inDestination);
void KillPicture(PicHandle inPicture);
Rect* QDGetPictureBounds(PicHandle inPicture, Rect* outBounds);
