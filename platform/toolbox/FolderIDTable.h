#pragma once
// Folder ids for POSIX folders. An id is derived from the folder's path, so the same folder mostly gets the
// same id in every run; ids that a stored file reference holds are also kept in a small table in the
// preferences folder, which settles collisions and lets a later run find the folder again. The root folder
// is 2 and its parent 1.

#include "platform/toolbox/MacTypes.h"

#include <string>

namespace FolderIDTable
{
constexpr SInt32 kRootParentID = 1;
constexpr SInt32 kRootID = 2;

// The id of an absolute path (normalised first); assigns one when the path has none.
SInt32 IDForPath(const std::string& path);
// False for an id that names no folder (1 included).
bool PathForID(SInt32 id, std::string* path);
// Writes the id into the table, so that later runs resolve it; false when the table cannot be written.
bool Keep(SInt32 id);
// A folder was renamed or moved: its id and those of its subfolders follow it.
void PathRenamed(const std::string& from, const std::string& to);
// Drops what this run has learnt, as if the program had just started (for tests).
void Forget();
// Where the table lives.
std::string TablePath();
std::string NormalisePath(const std::string& path);
} // namespace FolderIDTable
