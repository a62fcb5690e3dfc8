#include "platform/toolbox/gui/QDOffscreen.h"

#include "platform/toolbox/Files.h"
#include "platform/toolbox/gui/GrafPort.h"

QDErr NewGWorld(GWorldPtr* offscreen, SInt16 pixelDepth, const Rect* bounds, CTabHandle, GDHandle,
                GWorldFlags)
{
	if (!offscreen)
		return paramErr;
	*offscreen = nullptr;
	if (!bounds || EmptyRect(bounds))
		return paramErr;
	if (pixelDepth == 0) {
		GDHandle main = GetMainDevice();
		pixelDepth = main ? (**(**main).gdPMap).pixelSize : SInt16(32);
	}
	QImage::Format format;
	switch (pixelDepth) {
	case 1:
	case 2:
	case 4:
	case 8:
	case 16:
		format = QImage::Format_RGB16;
		break;
	case 24:
	case 32:
		format = QImage::Format_RGB32;
		break;
	default:
		return paramErr;
	}
	auto image =
	    std::make_unique<QImage>(bounds->right - bounds->left, bounds->bottom - bounds->top, format);
	if (image->isNull())
		return memFullErr;
	image->fill(Qt::white);
	GrafPort* port = new GrafPort;
	port->ownedImage = std::move(image);
	port->image = port->ownedImage.get();
	port->origin = Point{bounds->top, bounds->left};
	port->RefreshPixMap();
	*offscreen = port;
	return noErr;
}

void DisposeGWorld(GWorldPtr offscreen)
{
	DisposePort(offscreen);
}

void GetGWorld(CGrafPtr* port, GDHandle* device)
{
	GetPort(port);
	if (device)
		*device = GetGDevice();
}

void SetGWorld(CGrafPtr port, GDHandle)
{
	SetPort(port);
}

PixMapHandle GetGWorldPixMap(GWorldPtr offscreen)
{
	return GetPortPixMap(offscreen);
}

Boolean LockPixels(PixMapHandle pixels)
{
	if (!pixels || !*pixels || !(*pixels)->port)
		return false;
	(*pixels)->port->pixelsLocked = true;
	return true;
}

void UnlockPixels(PixMapHandle pixels)
{
	if (pixels && *pixels && (*pixels)->port)
		(*pixels)->port->pixelsLocked = false;
}

Boolean PixelsAreLocked(PixMapHandle pixels)
{
	return pixels && *pixels && (*pixels)->port && (*pixels)->port->pixelsLocked;
}

SInt16 GetPixDepth(PixMapHandle pixels)
{
	return pixels && *pixels ? (*pixels)->pixelSize : SInt16(0);
}

Rect* GetPixBounds(PixMapHandle pixels, Rect* bounds)
{
	if (bounds && pixels && *pixels)
		*bounds = (*pixels)->bounds;
	return bounds;
}
