#pragma once
// The mouse as the toolbox reports it. The framework's input path records every press, release and move of
// the button here; tracking loops ask Button, StillDown and GetMouse instead of polling the window system.

#include "platform/toolbox/MacTypes.h"

// The button is held now.
Boolean Button();
// Held since the last mouse-down. Waits for input first (at most about a tick), so that tracking loops sleep
// until the mouse does something instead of spinning.
Boolean StillDown();
Boolean WaitMouseUp();
// The mouse in the current port's local coordinates, and on the screen.
void GetMouse(Point* outLocal);
void GetGlobalMouse(Point* outGlobal);
// Two clicks this many ticks apart or less, close together, are a double click.
UInt32 GetDblTime();

namespace MouseState
{
// From the input path. inFromWindowSystem: the window system reports the button's state (otherwise the
// program scripted the press, and its release or the end of its script lets go).
void Pressed(Point inGlobal, Boolean inFromWindowSystem);
void Released(Point inGlobal);
void Moved(Point inGlobal);
// Counts a press: clicks within the double-click time and 4 pixels of the last one count up.
SInt16 CountClick(UInt32 inWhen, Point inGlobal);
// Forgets everything (between tests).
void Reset();
} // namespace MouseState
