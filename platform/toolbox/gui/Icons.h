#pragma once
// Colour icons from the resource store ('cicn'), plotted scaled into a rectangle of the current port over
// what is there where they are transparent.

#include "platform/toolbox/gui/QuickDraw.h"

struct CIcon {
	PixMap iconPMap; // bounds: the icon's own size, top-left at 0,0
};
typedef CIcon* CIconPtr;
typedef CIconPtr* CIconHandle;

// A new handle to icon inID, or null when the store has none; the caller disposes of it (DisposeCIcon).
CIconHandle GetCIcon(SInt16 inID);
void PlotCIcon(const Rect* inDestination, CIconHandle inIcon);
void DisposeCIcon(CIconHandle inIcon);
