#include "platform/toolbox/gui/Screens.h"

#include "platform/toolbox/gui/GrafPort.h"

#include <QGuiApplication>
#include <QScreen>
#include <deque>

namespace
{
std::deque<GDevice>& Devices()
{
	static std::deque<GDevice> devices; // a deque keeps every handle valid as screens come and go
	return devices;
}

GDHandle Refresh()
{
	std::deque<GDevice>& devices = Devices();
	QList<QScreen*> screens;
	if (QGuiApplication::instance()) {
		screens = QGuiApplication::screens();
		if (QScreen* primary = QGuiApplication::primaryScreen()) {
			screens.removeAll(primary);
			screens.prepend(primary);
		}
	}
	while (devices.size() < size_t(screens.size()))
		devices.emplace_back();
	GDevice* previous = nullptr;
	for (size_t i = 0; i < devices.size(); ++i) {
		GDevice& device = devices[i];
		device.master = &device;
		device.pixMapPtr = &device.pixMap;
		device.gdPMap = &device.pixMapPtr;
		device.next = nullptr;
		if (i >= size_t(screens.size())) {
			device.gdFlags = 0;
			continue;
		}
		device.gdRect = QD::ToRect(screens[qsizetype(i)]->geometry());
		device.pixMap.bounds = device.gdRect;
		device.pixMap.pixelSize = SInt16(screens[qsizetype(i)]->depth() <= 16 ? 16 : 32);
		device.gdFlags =
		    SInt16((1 << screenDevice) | (1 << screenActive) | (i == 0 ? 1 << mainScreen : 0));
		if (previous)
			previous->next = &device;
		previous = &device;
	}
	return screens.isEmpty() ? nullptr : &devices.front().master;
}
} // namespace

GDHandle GetMainDevice()
{
	return Refresh();
}

GDHandle GetDeviceList()
{
	return Refresh();
}

GDHandle GetNextDevice(GDHandle device)
{
	if (!device || !*device || !(*device)->next)
		return nullptr;
	return &(*device)->next->master;
}

GDHandle GetGDevice()
{
	return Refresh();
}

Boolean TestDeviceAttribute(GDHandle device, SInt16 attribute)
{
	return device && *device && attribute >= 0 && attribute < 16 && ((*device)->gdFlags >> attribute) & 1;
}
