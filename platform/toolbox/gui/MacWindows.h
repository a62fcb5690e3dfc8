#pragma once
// Windows as the toolbox moves them: the framework's windows hand out a record with their port, their
// content bounds on the screen and how to place them; DragWindow and GrowWindow follow the mouse with it
// while the button is held.

#include "platform/toolbox/gui/QuickDraw.h"

#include <functional>

struct OpaqueWindowPtr {
	GrafPtr port = nullptr;
	std::function<Rect()> getBounds;            // content, global coordinates
	std::function<void(const Rect&)> setBounds; // moves (and resizes) the window there
};
typedef OpaqueWindowPtr* WindowRef;
typedef WindowRef WindowPtr;

CGrafPtr GetWindowPort(WindowRef window);
// Moves the window with the mouse from startPt (global) until the button is released; the mouse is kept
// inside boundsRect (global; null for anywhere).
void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect);
// Resizes the window with the mouse from startPt, its width and height kept within sizeConstraints
// (minimum as left and top, maximum as right and bottom). The new size, height in the high word and width
// in the low one; 0 when the size did not change.
SInt32 GrowWindow(WindowRef window, Point startPt, const Rect* sizeConstraints);
