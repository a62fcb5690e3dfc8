#pragma once
// Questions about the screens, so that windows whose stored positions lie off every screen can be brought
// back. Coordinates are global.

#include "platform/toolbox/gui/Screens.h"

class UKsScreen
{
public:
	// The main screen's rectangle; unchanged without a main screen.
	static void ScreenRect(Rect* outRect);
	// The main screen's pixel depth, bottom and right edge; 0 without a main screen.
	static SInt16 ScreenBitDepth();
	static SInt16 ScreenHeight();
	static SInt16 ScreenWidth();

	// Whether the rectangle's top line meets an active screen: a window whose title bar can be reached
	// counts as on screen.
	static bool IsOnScreen(const Rect* inRect);
	// Moves the rectangle, keeping its size, to 100 pixels right of and below the main screen's top-left
	// ((100, 100) without a main screen).
	static void ForceOnScreen(Rect* ioRect);

	// The same over a given device list and main device (null: none).
	static bool IsOnScreen(const Rect* inRect, GDHandle inDeviceList);
	static void ForceOnScreen(Rect* ioRect, GDHandle inMainDevice);
};
