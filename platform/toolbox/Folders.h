#pragma once
// The folder manager: the user's well-known folders. The preferences and temporary folders are created when
// missing (they always exist for the system); the others are only found.

#include "platform/toolbox/MacTypes.h"

#include <string>

enum { kOnSystemDisk = -32768 };
enum { kDontCreateFolder = 0, kCreateFolder = 1 };

constexpr OSType kSystemFolderType = FOUR_CHAR_CODE("macs");
constexpr OSType kPreferencesFolderType = FOUR_CHAR_CODE("pref");
constexpr OSType kTemporaryFolderType = FOUR_CHAR_CODE("temp");
constexpr OSType kTrashFolderType = FOUR_CHAR_CODE("trsh");

OSErr FindFolder(SInt16 vRefNum, OSType folderType, Boolean createFolder, SInt16* foundVRefNum,
                 SInt32* foundDirID);

// The POSIX path of a well-known folder: preferences $XDG_CONFIG_HOME (or ~/.config); temporary
// $XDG_RUNTIME_DIR/vantorel (or /tmp/vantorel-<uid>), private to the user; system $XDG_DATA_HOME
// (or ~/.local/share); trash its Trash/files. When the preferences folder cannot be made, the path it
// would have had comes back with the error.
OSErr FindFolderPath(OSType folderType, Boolean createFolder, std::string* path);
