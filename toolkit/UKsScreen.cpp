#include "toolkit/UKsScreen.h"

#include "platform/toolbox/Debugging.h"

namespace
{
constexpr SInt16 kForcedInset = 100;
}

void UKsScreen::ScreenRect(Rect* outRect)
{
	SignalIfNot_(outRect != nullptr);
	if (GDHandle main = GetMainDevice(); main && outRect)
		*outRect = (**main).gdRect;
}

SInt16 UKsScreen::ScreenBitDepth()
{
	GDHandle main = GetMainDevice();
	return main ? (**(**main).gdPMap).pixelSize : SInt16(0);
}

SInt16 UKsScreen::ScreenHeight()
{
	GDHandle main = GetMainDevice();
	return main ? (**main).gdRect.bottom : SInt16(0);
}

SInt16 UKsScreen::ScreenWidth()
{
	GDHandle main = GetMainDevice();
	return main ? (**main).gdRect.right : SInt16(0);
}

bool UKsScreen::IsOnScreen(const Rect* inRect)
{
	return IsOnScreen(inRect, GetDeviceList());
}

void UKsScreen::ForceOnScreen(Rect* ioRect)
{
	ForceOnScreen(ioRect, GetMainDevice());
}

bool UKsScreen::IsOnScreen(const Rect* inRect, GDHandle inDeviceList)
{
	SignalIfNot_(inRect != nullptr);
	if (!inRect)
		return false;
	const Rect strip{inRect->top, inRect->left, SInt16(inRect->top + 1), inRect->right};
	for (GDHandle device = inDeviceList; device; device = GetNextDevice(device)) {
		Rect common;
		if (TestDeviceAttribute(device, screenDevice) && TestDeviceAttribute(device, screenActive) &&
		    SectRect(&strip, &(**device).gdRect, &common))
			return true;
	}
	return false;
}

void UKsScreen::ForceOnScreen(Rect* ioRect, GDHandle inMainDevice)
{
	SignalIfNot_(ioRect != nullptr);
	if (!ioRect)
		return;
	SInt16 left = 0, top = 0;
	if (inMainDevice) {
		left = (**inMainDevice).gdRect.left;
		top = (**inMainDevice).gdRect.top;
	}
	const SInt16 width = SInt16(ioRect->right - ioRect->left),
	             height = SInt16(ioRect->bottom - ioRect->top);
	ioRect->left = SInt16(left + kForcedInset);
	ioRect->top = SInt16(top + kForcedInset);
	ioRect->right = SInt16(ioRect->left + width);
	ioRect->bottom = SInt16(ioRect->top + height);
}
