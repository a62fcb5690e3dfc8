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

bool StQtApplication::HasDisplay()
{
	const QString platform = QGuiApplication::platformName();
	return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

StQtApplication::StQtApplication(int& argc, char** argv)
{
	if (const char* platform =
	        ChoosePlatform(std::getenv("QT_QPA_PLATFORM"), std::getenv("XDG_SESSION_TYPE"),
	                       std::getenv("WAYLAND_DISPLAY")))
		setenv("QT_QPA_PLATFORM", platform, 1);
	QApplication::setApplicationName(QStringLiteral("Vantorel"));
	QApplication::setDesktopFileName(QStringLiteral("vantorel"));
	// Through shared memory, a window drawn again where it was drawn last (a ticker, 60 times a second)
	// waits each time for the display to have read the last frame; sent down the connection, it need not.
	const bool ownChoice = std::getenv("QT_XCB_NO_MITSHM") != nullptr;
	if (!ownChoice)
		setenv("QT_XCB_NO_MITSHM", "1", 1);
	// Every dialog Qt opens, its own inner ones too (the print dialog's file browser), is a window of this
	// program that a quit can close, never a desktop's dialog running outside it.
	QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
	mApplication = std::make_unique<QApplication>(argc, argv);
	if (!ownChoice)
		unsetenv("QT_XCB_NO_MITSHM"); // not for the programs it starts
	std::setlocale(LC_NUMERIC, "C");
}

StQtApplication::~StQtApplication() = default;
