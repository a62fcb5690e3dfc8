#include "app/USingleRun.h"

#include "app/TQuitSignalWatcher.h"
#include "app/UPrefsFolder.h"
#include "app/kestrunApp.h"
#include "platform/framework/StQtApplication.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/toolbox/MacRoman.h"
#include "toolkit/KsAlerts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace
{

// The running program has another working folder.
std::vector<std::string> Absolute(const std::vector<std::string>& inPaths)
{
	std::vector<std::string> paths;
	for (const std::string& path : inPaths) {
		std::error_code ignored;
		const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
		paths.push_back(absolute.empty() ? path : absolute.string());
	}
	return paths;
}

// scripts/run's own virtual display, which nobody looks at unless told to: an alert there would wait
// unseen, and the terminal was told already.
bool OnAnUnseenDisplay()
{
	const char* display = std::getenv("DISPLAY");
	const char* virtualDisplay = std::getenv("VANTOREL_VIRTUAL_DISPLAY");
	return display && virtualDisplay && *display && std::strcmp(display, virtualDisplay) == 0;
}

} // namespace

bool USingleRun::IsCheck()
{
	const char* check = std::getenv(kCheckVariable);
	return check && *check;
}

bool USingleRun::InUse()
{
	std::string folder;
	long holder = 0;
	return UPrefsFolder::IsLockHeld(&folder, &holder);
}

bool USingleRun::Take(const std::vector<std::string>& inDocuments, int* outStatus)
{
	std::string folder, reason;
	long holder = 0;
	UPrefsFolder::ELock lock = UPrefsFolder::ELock::kHeld;
	if (!IsCheck()) {
		lock = UPrefsFolder::LockForThisRun(&folder, &holder, &reason);
	} else if (!UPrefsFolder::IsLockHeld(&folder, &holder)) {
		*outStatus = kSettingsFree;
		return false;
	}
	if (lock == UPrefsFolder::ELock::kTaken)
		return true;
	if (lock == UPrefsFolder::ELock::kUnavailable) {
		// An unusable folder the application tells about as it always has.
		if (!folder.empty())
			std::fprintf(
			    stderr,
			    "vantorel: the settings folder \"%s\" cannot be locked (%s); another run on it "
			    "would not be noticed\n",
			    folder.c_str(), reason.c_str());
		return true;
	}

	std::string refused;
	if (!inDocuments.empty() &&
	    UAppleEventService::OpenDocumentsIn(holder, Absolute(inDocuments), &refused)) {
		std::fprintf(
		    stderr,
		    "vantorel: %zu %s handed to the program already running with the settings in \"%s\"\n",
		    inDocuments.size(), inDocuments.size() == 1 ? "file" : "files", folder.c_str());
		if (!refused.empty())
			std::fprintf(stderr, "vantorel: it answered: %s\n", refused.c_str());
		*outStatus = refused.empty() ? 0 : 1;
		return false;
	}
	const std::string named = MacRoman::FromUTF8Spelled(folder);
	std::fprintf(stderr, "vantorel: %s\n",
	             MacRoman::ToUTF8(KsMessageText(kMsgAlreadyRunning, named.c_str())).c_str());
	// This start writes nothing: Ctrl-C may end it during its message.
	if (TQuitSignalWatcher::EndOnQuitSignals() && StQtApplication::HasDisplay() && !OnAnUnseenDisplay())
		KsError(kMsgAlreadyRunning, named.c_str());
	*outStatus = 1;
	return false;
}
