#include "platform/toolbox/Folders.h"

#include "platform/toolbox/Files.h"
#include "platform/toolbox/FolderIDTable.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string Env(const char* name)
{
	const char* value = std::getenv(name);
	// Relative values are invalid by the XDG rules and would depend on the working folder.
	return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomePath()
{
	std::string home = Env("HOME");
	if (home.empty()) {
		if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
			home = pw->pw_dir;
	}
	return home;
}

OSErr MakeFolders(const std::string& path, mode_t mode)
{
	for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
		const std::string part = path.substr(0, slash);
		if (mkdir(part.c_str(), mode) != 0 && errno != EEXIST)
			return errno == ENOSPC ? dskFulErr : permErr;
		if (slash == std::string::npos)
			break;
	}
	struct stat st;
	return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? OSErr(noErr) : OSErr(dirNFErr);
}

// Another user could have made the folder first in a shared place; only a private folder of ours will do.
OSErr MakePrivateFolder(const std::string& path)
{
	if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
		return permErr;
	struct stat st;
	if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
		return permErr;
	if ((st.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0)
		return permErr;
	return noErr;
}

bool IsFolder(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

OSErr FindFolderPath(OSType folderType, Boolean createFolder, std::string* path)
{
	if (!path)
		return paramErr;
	std::string found;
	switch (folderType) {
	case kPreferencesFolderType: {
		found = Env("XDG_CONFIG_HOME");
		if (found.empty()) {
			const std::string home = HomePath();
			if (home.empty())
				return fnfErr;
			found = home + "/.config";
		}
		found = FolderIDTable::NormalisePath(found);
		if (OSErr err = MakeFolders(found, 0700); err != noErr) {
			*path = found; // so that the user can be told which folder it was
			return err;
		}
		break;
	}
	case kTemporaryFolderType: {
		const std::string runtime = Env("XDG_RUNTIME_DIR");
		if (!runtime.empty() && IsFolder(runtime)) {
			found = FolderIDTable::NormalisePath(runtime) + "/vantorel";
		} else {
			std::string base = Env("TMPDIR");
			if (base.empty() || !IsFolder(base))
				base = "/tmp";
			found = FolderIDTable::NormalisePath(base) + "/vantorel-" + std::to_string(getuid());
		}
		if (OSErr err = MakePrivateFolder(found); err != noErr)
			return err;
		break;
	}
	case kSystemFolderType:
	case kTrashFolderType: {
		found = Env("XDG_DATA_HOME");
		if (found.empty()) {
			const std::string home = HomePath();
			if (home.empty())
				return fnfErr;
			found = home + "/.local/share";
		}
		if (folderType == kTrashFolderType)
			found += "/Trash/files";
		found = FolderIDTable::NormalisePath(found);
		if (createFolder) {
			if (OSErr err = MakeFolders(found, 0700); err != noErr)
				return err;
		} else if (!IsFolder(found)) {
			return fnfErr;
		}
		break;
	}
	default:
		return fnfErr;
	}
	*path = found;
	return noErr;
}

OSErr FindFolder(SInt16 vRefNum, OSType folderType, Boolean createFolder, SInt16* foundVRefNum,
                 SInt32* foundDirID)
{
	if (vRefNum != kOnSystemDisk && vRefNum != kVolumeRefNum && vRefNum != 0)
		return nsvErr;
	std::string path;
	if (OSErr err = FindFolderPath(folderType, createFolder, &path); err != noErr)
		return err;
	if (foundVRefNum)
		*foundVRefNum = kVolumeRefNum;
	if (foundDirID)
		*foundDirID = FolderIDTable::IDForPath(path);
	return noErr;
}
