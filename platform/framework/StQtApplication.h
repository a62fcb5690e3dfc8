#pragma once
// The program's Qt application for its lifetime. Before creating it: on a Wayland session, the X11
// platform (through XWayland) unless the user chose one, since tickers place their windows at screen
// edges, which Wayland does not let a client do. On X11, windows are drawn without shared memory. After
// creating it: numbers are formatted and scanned with '.' whatever the user's locale.

#include <memory>

class QApplication;

class StQtApplication
{
public:
	StQtApplication(int& argc, char** argv);
	~StQtApplication();
	StQtApplication(const StQtApplication&) = delete;
	StQtApplication& operator=(const StQtApplication&) = delete;

	// Whether windows reach a screen that someone may see (not the offscreen or minimal platform).
	static bool HasDisplay();

	// The platform chosen for a session with these variables (null: Qt's own choice).
	static const char* ChoosePlatform(const char* inPlatform, const char* inSessionType,
	                                  const char* inWaylandDisplay);

private:
	std::unique_ptr<QApplication> mApplication;
};
