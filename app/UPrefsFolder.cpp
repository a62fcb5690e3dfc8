#include "app/UPrefsFolder.h"

#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "platform/toolbox/Folders.h"
#include "platform/toolbox/MacRoman.h"
#include "toolkit/KsAlerts.h"

#include <string>

namespace
{

constexpr const char* kFolderName = "Vantorel Prefs \xC4"; // Mac Roman florin

bool sTold = false;

} // namespace

bool UPrefsFolder::Find(TVyFile* folder)
{
	std::string preferences;
	const bool found = FindFolderPath(kPreferencesFolderType, kCreateFolder, &preferences) == noErr;
	if (found && folder->ChangeDir(kDirPreferences) == 0) {
		// Fails harmlessly when the folder is there; the change of folder below is what tells.
		folder->CreateDir(kFolderName);
		if (folder->ChangeDir(kFolderName) == 0)
			return true;
	}
	if (!sTold) {
		sTold = true;
		const std::string path = MacRoman::FromUTF8(preferences) + "/" + kFolderName;
		KsError(kMsgPrefsFolderUnusable, path.c_str());
	}
	return false;
}

void UPrefsFolder::Forget()
{
	sTold = false;
}
