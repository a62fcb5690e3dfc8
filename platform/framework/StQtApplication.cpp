#include "platform/framework/StQtApplication.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <cstring>

const char* StQtApplication::ChoosePlatform(const char* inPlatform, const char* inSessionType,
                                            const char* inWaylandDisplay)
{
	if (inPlatform && *inPlatform)
		return nullptr;
	const bool wayland = (inSessionType && std::strcmp(inSessionType, "wayland") == 0) ||
	                     (inWaylandDisplay && *inWaylandDisplay);
	return wayland ? "xcb" : nullptr;
}

StQtApplication::StQtApplication(int& argc, char** argv)
{
	if (const char* platform =
	        ChoosePlatform(std::getenv("QT_QPA_PLATFORM"), std::getenv("XDG_SESSION_TYPE"),
	                       std::getenv("WAYLAND_DISPLAY")))
		setenv("QT_QPA_PLATFORM", platform, 1);
	QApplication::setApplicationName(QStringLiteral("Vantorel"));
	QApplication::setDesktopFileName(QStringLiteral("vantorel"));
	mApplication = std::make_unique<QApplication>(argc, argv);
	std::setlocale(LC_NUMERIC, "C");
}

StQtApplication::~StQtApplication() = default;
