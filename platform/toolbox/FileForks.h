#pragma once
// What the file manager (Files.cpp) and its replace road (FileReplacement.cpp) share: the table of open
// forks and a few helpers. Not for use outside the toolbox.

#include "platform/toolbox/Files.h"

#include <map>
#include <mutex>
#include <string>

namespace fileforks
{

inline constexpr const char* kTypeAttr = "user.mac.type";
inline constexpr const char* kCreatorAttr = "user.mac.creator";
inline constexpr const char* kFlagsAttr = "user.mac.flags";
inline constexpr const char* kCreatedAttr = "user.mac.created";

struct Fork {
	int fd = -1;
	std::string path; // the file as the system names it
	SInt8 permission = fsRdPerm;
	SInt64 mark = 0;

	// A replacement: fd is its copy, made beside the file it replaces (the file a link names).
	int folderFd = -1; // the folder the copy lands in; -1 for a plain fork
	int formerFd = -1; // the former file; -1 when the replacement makes a new file
	std::string name;  // the replaced file's name in that folder
	std::string copyName;
	std::string keptName; // where the former file is copied before it is replaced

	bool IsReplacement() const { return folderFd >= 0; }
};

extern std::mutex sForkMutex;
extern std::map<SInt16, Fork> sForks;

Fork* FindFork(SInt16 refNum);
// 0 when the table is full.
SInt16 AddFork(Fork fork);
bool OpenForWriting(const std::string& path);
void FolderChanged();

OSErr ErrnoToOSErr(int e);
OSErr WriteAll(int fd, SInt64 offset, const char* data, size_t count, size_t* written);
OSErr Resolve(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, std::string* path);
std::string Join(const std::string& folder, const std::string& name);
std::string Parent(const std::string& path);
std::string LastName(const std::string& path);

// Where an absolute path leads: every link on it followed as the kernel follows links, with its rule for
// links in folders that are sticky and writable by all applied whatever the machine's setting. kNew: all but
// the last name is there, and target names the file to be made; kDanglingLink: the last name is a link that
// leads nowhere; kUntrustedLink: a link another user put in such a folder stands on the way.
struct FollowResult {
	int error = 0;
	enum Kind { kFound, kNew, kDanglingLink, kUntrustedLink, kError } kind = kFound;
};
FollowResult FollowPath(const std::string& path, std::string* target);
// An absolute path with the folder it names found as FollowPath finds it (a link, then a ".." after it, in
// the order they stand) and its last name kept, so a link there stays the link; unchanged where that folder
// cannot be found or the path names no file.
std::string FollowFolder(const std::string& path);

// Renames within or across folders of one file system without ever taking the place of a file of the new
// name, also where the file system refuses the flag that asks for it. 0 or the errno. openCopy, an open
// descriptor of the file, is closed (and set to -1) before a link's former name goes: FUSE keeps the name of
// an open file that is removed as a hidden file.
int RenameNoReplace(int fromFolder, const std::string& from, int toFolder, const std::string& to,
                    int* openCopy = nullptr);

// Ends a replacement: the copy takes the file's place (keep), or is thrown away. Closes its descriptors.
OSErr CloseReplacement(Fork& fork, bool keep);

} // namespace fileforks
