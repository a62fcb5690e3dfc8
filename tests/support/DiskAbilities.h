#pragma once
// What a test may do itself to the files of a folder, found by trying it on a small file and folder of its
// own there: a disk may refuse or ignore modes and owners (FAT, NTFS and some CIFS and FUSE mounts), only
// root gives files away, and permissions bind root only where the disk checks them.

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace DiskAbilities
{

enum Need : unsigned {
	kSetMode = 1,
	// Files given to uid and gid 65534.
	kGiveAway = 2,
	// A file of mode 0000 is not opened.
	kBeDenied = 4,
	// A file keeps the extended attributes its type and creator are stored in.
	kKeepTypes = 8,
};

// Empty when the folder's disk and this process allow each need; otherwise why not, such as "this disk
// refuses chmod: Operation not permitted".
inline std::string WhyNot(const std::string& inFolder, unsigned inNeeds)
{
	if ((inNeeds & kGiveAway) && geteuid() == 65534)
		return "this process is uid 65534, the other user files would be given to";
	std::string file = inFolder + "/.disk-ability-XXXXXX";
	const int fd = mkstemp(file.data());
	if (fd < 0)
		return "no file could be made in " + inFolder + " to try it: " + std::strerror(errno);
	close(fd);
	std::string folder = inFolder + "/.disk-ability-XXXXXX";
	if (mkdtemp(folder.data()) == nullptr)
		folder.clear();
	// A change the disk answers as done but does not keep is refused too.
	const auto tried = [](const std::string& path, const std::string& refused, int result,
	                      auto kept) -> std::string {
		struct stat st;
		if (result != 0)
			return refused + ": " + std::strerror(errno);
		if (lstat(path.c_str(), &st) != 0 || !kept(st))
			return refused + ": the disk answers done but keeps nothing";
		return {};
	};
	std::string why;
	for (const std::string& path : {file, folder}) {
		if (path.empty())
			why = "no folder could be made in " + inFolder + " to try it";
		if (!why.empty())
			break;
		if (inNeeds & (kSetMode | kBeDenied))
			why = tried(path, "this disk refuses chmod", chmod(path.c_str(), 0750),
			            [](const struct stat& st) { return (st.st_mode & 07777) == 0750; });
		if (why.empty() && (inNeeds & kGiveAway))
			why = tried(
			    path, "chown to another user is refused here", chown(path.c_str(), 65534, 65534),
			    [](const struct stat& st) { return st.st_uid == 65534 && st.st_gid == 65534; });
	}
	if (why.empty() && (inNeeds & kKeepTypes) &&
	    setxattr(file.c_str(), "user.mac.type", "TEXT", 4, 0) != 0)
		why = std::string("this disk keeps no extended attributes, where types are kept: ") +
		      std::strerror(errno);
	if (why.empty() && (inNeeds & kBeDenied) && chmod(file.c_str(), 0) == 0) {
		const int opened = open(file.c_str(), O_RDONLY);
		if (opened >= 0) {
			close(opened);
			why = "permissions do not bind this process here: it opened a file of mode 0000";
		}
	}
	std::error_code ignored;
	std::filesystem::remove(file, ignored);
	if (!folder.empty())
		std::filesystem::remove(folder, ignored);
	return why;
}

// Empty when the folder's disk has inBytes free for this process; otherwise how little it has.
inline std::string WhyNoRoom(const std::string& inFolder, unsigned long long inBytes)
{
	struct statvfs disk;
	if (statvfs(inFolder.c_str(), &disk) != 0)
		return "the free space of " + inFolder + " cannot be read: " + std::strerror(errno);
	const unsigned long long free = (unsigned long long)disk.f_bavail * disk.f_frsize;
	if (free >= inBytes)
		return {};
	return "the disk of " + inFolder + " has " + std::to_string(free / 1024) +
	       " KiB free, less than the " + std::to_string(inBytes / 1024) + " KiB the test needs";
}

} // namespace DiskAbilities
