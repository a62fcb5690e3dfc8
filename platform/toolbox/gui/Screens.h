#pragma once
// The screens, as graphics devices: the main screen first, then the others, in global coordinates.

#include "platform/toolbox/gui/QuickDraw.h"

struct GDevice {
	Rect gdRect;
	PixMapHandle gdPMap = nullptr;
	SInt16 gdFlags = 0; // attribute bits, tested with TestDeviceAttribute
	GDevice* master = this;
	PixMap pixMap;
	PixMap* pixMapPtr = &pixMap;
	GDevice* next = nullptr;
};
typedef GDevice* GDPtr;
typedef GDevice** GDHandle;

enum : SInt16 { mainScreen = 11, screenDevice = 13, screenActive = 15 };

// Null when there is no screen (no application object, or no screen attached). Handles stay valid for the
// run; the devices are brought up to date with the screens on each call of these two.
GDHandle GetMainDevice();
GDHandle GetDeviceList();
GDHandle GetNextDevice(GDHandle device);
// The device drawing goes to: the main screen.
GDHandle GetGDevice();
Boolean TestDeviceAttribute(GDHandle device, SInt16 attribute);
