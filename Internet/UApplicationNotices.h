#pragma once
// What the request routing asks of the application: the system beep, and the new-version notice (its texts,
// opening its window with command 1010, a failed check). The application installs them at start-up;
// without them nothing happens.

#include <functional>

class UApplicationNotices
{
public:
	struct tHooks {
		std::function<void()> sysBeep;
		// The newest version's text and number, the message that comes with it, the download page.
		std::function<void(const char* text, long number)> newVersion;
		std::function<void(const char* message)> versionMessage;
		std::function<void(const char* address)> upgradePage;
		// Opens the notice window unless it is open already.
		std::function<void()> openVersionWindow;
		// The version check brought no readable answer.
		std::function<void()> versionCheckFailed;
	};

	static void Install(tHooks hooks);

	static void SysBeep();
	static void NewVersion(const char* text, long number);
	static void VersionMessage(const char* message);
	static void UpgradePage(const char* address);
	static void OpenVersionWindow();
	static void VersionCheckFailed();
};
