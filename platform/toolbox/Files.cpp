#include "platform/toolbox/Files.h"

#include "platform/toolbox/FileForks.h"
#include "platform/toolbox/FolderIDTable.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fileforks
{

std::mutex sForkMutex;
std::map<SInt16, Fork> sForks;

namespace
{

constexpr const char* kVolumeName = "Disk";
SInt16 sLastRef = 0;

struct Listing {
	std::vector<std::string> names;
	struct timespec modified = {};
	unsigned long generation = 0;
};
std::mutex sListingMutex;
std::map<std::string, Listing> sListings;
unsigned long sGeneration = 1;

} // namespace

void FolderChanged()
{
	std::lock_guard lock(sListingMutex);
	++sGeneration;
}

OSErr ErrnoToOSErr(int e)
{
	switch (e) {
	case 0:
		return noErr;
	case ENOENT:
		return fnfErr;
	case ENOTDIR:
		return dirNFErr;
	case EEXIST:
		return dupFNErr;
	case ENOSPC:
	case EDQUOT:
	case EFBIG:
		return dskFulErr;
	case EACCES:
	case EPERM:
		return permErr;
	case EROFS:
		return wPrErr;
	case ENAMETOOLONG:
		return bdNamErr;
	case ENOMEM:
		return mFulErr;
	case EMFILE:
	case ENFILE:
		return tmfoErr;
	case ENOTEMPTY:
	case EBUSY:
		return fBsyErr;
	case EBADF:
		return rfNumErr;
	case EINVAL:
		return paramErr;
	default:
		return ioErr;
	}
}

std::string Join(const std::string& folder, const std::string& name)
{
	return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string Parent(const std::string& path)
{
	const size_t slash = path.rfind('/');
	return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

std::string LastName(const std::string& path)
{
	return path.substr(path.rfind('/') + 1);
}

// Cut to the room of a Str63 on a character boundary: the system's bytes are one per character.
void SetPascal(StringPtr out, const std::string& text, size_t maxLength)
{
	const size_t n = std::min(text.size(), maxLength);
	out[0] = UInt8(n);
	std::memcpy(out + 1, text.data(), n);
}

bool FolderPath(SInt16 vRefNum, SInt32 dirID, std::string* path, OSErr* err)
{
	if (vRefNum != 0 && vRefNum != kVolumeRefNum) {
		*err = nsvErr;
		return false;
	}
	if (dirID == 0) {
		char buffer[4096];
		if (!getcwd(buffer, sizeof buffer)) {
			*err = ErrnoToOSErr(errno);
			return false;
		}
		*path = FolderIDTable::NormalisePath(buffer);
		return true;
	}
	if (!FolderIDTable::PathForID(dirID, path)) {
		*err = dirNFErr;
		return false;
	}
	return true;
}

// The POSIX path of (volume, folder, name). A name may be a partial path: a leading ':' or none starts in the
// folder, "::" steps up, and a name with an inner ':' but no leading one starts with the volume's name.
OSErr Resolve(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, std::string* path)
{
	std::string mac = PascalStrings::ToString(name);
	if (mac.find('\0') != std::string::npos)
		return bdNamErr;
	std::string folder;
	OSErr err = noErr;
	if (!mac.empty() && mac[0] != ':' && mac.find(':') != std::string::npos) {
		const std::string volume = mac.substr(0, mac.find(':'));
		if (volume != kVolumeName)
			return nsvErr;
		folder = "/";
		mac = mac.substr(volume.size());
	} else if (dirID == FolderIDTable::kRootParentID) {
		if (mac != kVolumeName && mac != std::string(kVolumeName) + ":")
			return fnfErr;
		*path = "/";
		return noErr;
	} else if (!FolderPath(vRefNum, dirID, &folder, &err)) {
		return err;
	}
	if (!mac.empty() && mac[0] == ':')
		mac.erase(0, 1);
	std::string result = folder;
	size_t start = 0;
	while (start <= mac.size() && !mac.empty()) {
		const size_t colon = mac.find(':', start);
		const std::string part =
		    mac.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
		if (part.empty()) {
			if (colon == std::string::npos)
				break;
			result = Parent(result);
		} else {
			const std::string disk = DiskNameFromMac(part);
			if (disk == "." || disk == "..")
				return bdNamErr;
			result = Join(result, disk);
		}
		if (colon == std::string::npos)
			break;
		start = colon + 1;
	}
	*path = result;
	return noErr;
}

OSErr ListFolder(const std::string& folder, std::vector<std::string>* names)
{
	struct stat st;
	if (stat(folder.c_str(), &st) != 0)
		return errno == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	if (!S_ISDIR(st.st_mode))
		return dirNFErr;
	{
		std::lock_guard lock(sListingMutex);
		auto it = sListings.find(folder);
		if (it != sListings.end() && it->second.generation == sGeneration &&
		    it->second.modified.tv_sec == st.st_mtim.tv_sec &&
		    it->second.modified.tv_nsec == st.st_mtim.tv_nsec) {
			*names = it->second.names;
			return noErr;
		}
	}
	DIR* dir = opendir(folder.c_str());
	if (!dir)
		return ErrnoToOSErr(errno);
	Listing listing;
	while (const dirent* entry = readdir(dir)) {
		if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
			listing.names.emplace_back(entry->d_name);
	}
	closedir(dir);
	std::sort(listing.names.begin(), listing.names.end());
	listing.modified = st.st_mtim;
	*names = listing.names;
	std::lock_guard lock(sListingMutex);
	listing.generation = sGeneration;
	sListings[folder] = std::move(listing);
	return noErr;
}

UInt32 ReadBigEndianAttr(const std::string& path, const char* attr, size_t size)
{
	unsigned char bytes[4] = {};
	if (getxattr(path.c_str(), attr, bytes, size) != ssize_t(size))
		return 0;
	UInt32 value = 0;
	for (size_t i = 0; i < size; ++i)
		value = (value << 8) | bytes[i];
	return value;
}

// A file system that refuses extended attributes simply does not keep them.
void WriteBigEndianAttr(const std::string& path, const char* attr, UInt32 value, size_t size)
{
	unsigned char bytes[4];
	for (size_t i = 0; i < size; ++i)
		bytes[i] = UInt8(value >> (8 * (size - 1 - i)));
	setxattr(path.c_str(), attr, bytes, size, 0);
}

UInt32 Clamp32(SInt64 v)
{
	return v < 0 ? 0 : v > SInt64(0xFFFFFFFF) ? 0xFFFFFFFF : UInt32(v);
}

UInt32 CreationTime(const std::string& path, const struct stat& st)
{
	if (UInt32 stored = ReadBigEndianAttr(path, kCreatedAttr, 4))
		return stored;
	struct statx stx;
	if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
		return Clamp32(stx.stx_btime.tv_sec);
	return Clamp32(st.st_mtim.tv_sec);
}

SInt16 OpenRefOf(const std::string& path)
{
	std::lock_guard lock(sForkMutex);
	for (const auto& [ref, fork] : sForks)
		if (fork.path == path)
			return ref;
	return 0;
}

bool OpenForWriting(const std::string& path)
{
	for (const auto& [ref, fork] : sForks)
		if (fork.path == path && (fork.permission & fsWrPerm))
			return true;
	return false;
}

OSErr FillCatInfo(CInfoPBRec* pb, const std::string& path)
{
	struct stat st;
	if (stat(path.c_str(), &st) != 0)
		return ErrnoToOSErr(errno);
	pb->ioFlParID = path == "/" ? FolderIDTable::kRootParentID : FolderIDTable::IDForPath(Parent(path));
	pb->ioFlCrDat = CreationTime(path, st);
	pb->ioFlMdDat = Clamp32(st.st_mtim.tv_sec);
	pb->ioFlFndrInfo = FInfo();
	pb->ioFlLgLen = 0;
	pb->ioFlRLgLen = 0;
	if (S_ISDIR(st.st_mode)) {
		pb->ioFlAttrib = kioFlAttribDirMask;
		pb->ioDrDirID = FolderIDTable::IDForPath(path);
		pb->ioFRefNum = 0;
	} else {
		pb->ioFlAttrib = 0;
		pb->ioDrDirID = 0;
		pb->ioFRefNum = OpenRefOf(path);
		pb->ioFlLgLen = Clamp32(st.st_size);
		pb->ioFlFndrInfo.fdType = ReadBigEndianAttr(path, kTypeAttr, 4);
		pb->ioFlFndrInfo.fdCreator = ReadBigEndianAttr(path, kCreatorAttr, 4);
		pb->ioFlFndrInfo.fdFlags = UInt16(ReadBigEndianAttr(path, kFlagsAttr, 2));
	}
	return noErr;
}

OSErr WriteAll(int fd, SInt64 offset, const char* data, size_t count, size_t* written)
{
	*written = 0;
	while (*written < count) {
		const ssize_t n = pwrite(fd, data + *written, count - *written, offset + SInt64(*written));
		if (n < 0 && errno == EINTR)
			continue;
		if (n <= 0)
			return n < 0 ? ErrnoToOSErr(errno) : OSErr(dskFulErr);
		*written += size_t(n);
	}
	return noErr;
}

Fork* FindFork(SInt16 refNum)
{
	auto it = sForks.find(refNum);
	return it == sForks.end() ? nullptr : &it->second;
}

SInt16 AddFork(Fork fork)
{
	for (int tries = 0; tries < 32767; ++tries) {
		sLastRef = sLastRef >= 32767 ? 1 : sLastRef + 1;
		if (!sForks.count(sLastRef)) {
			sForks[sLastRef] = std::move(fork);
			return sLastRef;
		}
	}
	return 0;
}

} // namespace fileforks

using namespace fileforks;

std::string MacNameFromDisk(const std::string& diskName)
{
	std::string mac = MacRoman::FromUTF8(diskName);
	std::replace(mac.begin(), mac.end(), ':', '/');
	return mac;
}

std::string DiskNameFromMac(const std::string& macName)
{
	std::string mac = macName;
	std::replace(mac.begin(), mac.end(), '/', ':');
	return MacRoman::ToUTF8(mac);
}

OSErr PBGetCatInfoSync(CInfoPBRec* pb)
{
	if (!pb)
		return paramErr;
	std::string path;
	if (pb->ioFDirIndex > 0) {
		std::string folder;
		OSErr err = noErr;
		if (!FolderPath(pb->ioVRefNum, pb->ioDirID, &folder, &err))
			return err;
		std::vector<std::string> names;
		if (OSErr listErr = ListFolder(folder, &names); listErr != noErr)
			return listErr;
		if (size_t(pb->ioFDirIndex) > names.size())
			return fnfErr;
		path = Join(folder, names[size_t(pb->ioFDirIndex) - 1]);
		if (pb->ioNamePtr)
			SetPascal(pb->ioNamePtr, MacNameFromDisk(names[size_t(pb->ioFDirIndex) - 1]), 63);
	} else if (pb->ioFDirIndex < 0) {
		OSErr err = noErr;
		if (!FolderPath(pb->ioVRefNum, pb->ioDirID, &path, &err))
			return err;
		if (pb->ioNamePtr)
			SetPascal(pb->ioNamePtr,
			          path == "/" ? std::string(kVolumeName) : MacNameFromDisk(LastName(path)),
			          63);
	} else {
		if (OSErr err = Resolve(pb->ioVRefNum, pb->ioDirID, pb->ioNamePtr, &path); err != noErr)
			return err;
	}
	return FillCatInfo(pb, path);
}

OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, FSSpec* spec)
{
	if (!spec)
		return paramErr;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	if (OSErr err = FSPathMakeFSSpec(path, spec); err != noErr)
		return err;
	struct stat st;
	if (stat(path.c_str(), &st) != 0)
		return ErrnoToOSErr(errno);
	return noErr;
}

OSErr HCreate(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, OSType creator, OSType fileType)
{
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
	if (fd < 0)
		return errno == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	close(fd);
	FolderChanged();
	if (fileType)
		WriteBigEndianAttr(path, kTypeAttr, fileType, 4);
	if (creator)
		WriteBigEndianAttr(path, kCreatorAttr, creator, 4);
	return noErr;
}

OSErr HDelete(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name)
{
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	struct stat st;
	if (lstat(path.c_str(), &st) != 0)
		return ErrnoToOSErr(errno);
	if (OpenRefOf(path) != 0)
		return fBsyErr;
	if ((S_ISDIR(st.st_mode) ? rmdir(path.c_str()) : unlink(path.c_str())) != 0)
		return ErrnoToOSErr(errno);
	FolderChanged();
	return noErr;
}

OSErr HRename(SInt16 vRefNum, SInt32 dirID, ConstStr255Param oldName, ConstStr255Param newName)
{
	const std::string newMac = PascalStrings::ToString(newName);
	if (newMac.empty() || newMac.find(':') != std::string::npos || newMac.find('\0') != std::string::npos)
		return bdNamErr;
	std::string from;
	if (OSErr err = Resolve(vRefNum, dirID, oldName, &from); err != noErr)
		return err;
	const std::string newDisk = DiskNameFromMac(newMac);
	if (newDisk == "." || newDisk == "..")
		return bdNamErr;
	const std::string to = Join(Parent(from), newDisk);
	struct stat st;
	if (lstat(from.c_str(), &st) != 0)
		return ErrnoToOSErr(errno);
	if (from == to)
		return noErr;
	if (const int e = RenameNoReplace(AT_FDCWD, from, AT_FDCWD, to); e != 0)
		return ErrnoToOSErr(e);
	FolderChanged();
	if (S_ISDIR(st.st_mode))
		FolderIDTable::PathRenamed(from, to);
	std::lock_guard lock(sForkMutex);
	for (auto& [ref, fork] : sForks) {
		if (fork.path == from)
			fork.path = to;
		else if (fork.path.compare(0, from.size() + 1, from + "/") == 0)
			fork.path = to + fork.path.substr(from.size());
	}
	return noErr;
}

OSErr DirCreate(SInt16 vRefNum, SInt32 parentDirID, ConstStr255Param name, SInt32* createdDirID)
{
	if (!name || name[0] == 0)
		return bdNamErr;
	std::string path;
	if (OSErr err = Resolve(vRefNum, parentDirID, name, &path); err != noErr)
		return err;
	if (mkdir(path.c_str(), 0777) != 0)
		return errno == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	FolderChanged();
	if (createdDirID)
		*createdDirID = FolderIDTable::IDForPath(path);
	return noErr;
}

OSErr HGetFInfo(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, FInfo* info)
{
	if (!info)
		return paramErr;
	CInfoPBRec pb;
	Str255 nameCopy = {};
	std::memcpy(nameCopy, name ? name : nameCopy, name ? name[0] + 1 : 1);
	pb.ioNamePtr = nameCopy;
	pb.ioVRefNum = vRefNum;
	pb.ioDirID = dirID;
	if (OSErr err = PBGetCatInfoSync(&pb); err != noErr)
		return err;
	*info = pb.ioFlFndrInfo;
	return noErr;
}

OSErr HSetFInfo(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, const FInfo* info)
{
	if (!info)
		return paramErr;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	if (access(path.c_str(), F_OK) != 0)
		return ErrnoToOSErr(errno);
	WriteBigEndianAttr(path, kTypeAttr, info->fdType, 4);
	WriteBigEndianAttr(path, kCreatorAttr, info->fdCreator, 4);
	WriteBigEndianAttr(path, kFlagsAttr, info->fdFlags, 2);
	return noErr;
}

OSErr HSetFileDates(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, UInt32 created, UInt32 modified)
{
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	if (modified) {
		// The access time as it stands: some FUSE file systems take "leave it" for "now" on both.
		struct stat st;
		if (stat(path.c_str(), &st) != 0)
			return ErrnoToOSErr(errno);
		struct timespec times[2] = {st.st_atim, {time_t(modified), 0}};
		if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
			return ErrnoToOSErr(errno);
	} else if (access(path.c_str(), F_OK) != 0) {
		return ErrnoToOSErr(errno);
	}
	// Linux cannot set a birth time; the system's own creation date is kept beside the file.
	if (created)
		WriteBigEndianAttr(path, kCreatedAttr, created, 4);
	return noErr;
}

// Opens only plain files: opening a pipe would wait for a writer for ever, and a device is no document. The
// path is looked up, opened without blocking (it may have been given to a pipe since) and what was opened is
// looked at again. The descriptor, still not blocking, or -1 with the problem as FSPathOpenProblem tells it.
static int OpenPlainFile(const std::string& path, int flags, int* problem)
{
	struct stat st;
	if (stat(path.c_str(), &st) != 0) {
		*problem = errno;
		// "name/" asks for a folder: when a file of that name is there, it is the wrong kind.
		const size_t end = path.find_last_not_of('/');
		if (*problem == ENOTDIR && end != std::string::npos && end + 1 < path.size())
			*problem = stat(path.substr(0, end + 1).c_str(), &st) == 0 ? kNotPlainFile : errno;
		return -1;
	}
	if (!S_ISREG(st.st_mode)) {
		*problem = kNotPlainFile;
		return -1;
	}
	const int fd = open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
	if (fd < 0) {
		*problem = errno;
		return -1;
	}
	if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
		close(fd);
		*problem = kNotPlainFile;
		return -1;
	}
	*problem = 0;
	return fd;
}

static OSErr OpenFork(const std::string& path, SInt8 permission, SInt16* refNum)
{
	if (permission == fsCurPerm)
		permission = access(path.c_str(), W_OK) == 0 ? fsRdWrPerm : fsRdPerm;
	std::lock_guard lock(sForkMutex);
	if ((permission & fsWrPerm) && OpenForWriting(path))
		return opWrErr;
	const int flags = permission == fsRdPerm ? O_RDONLY : permission == fsWrPerm ? O_WRONLY : O_RDWR;
	int problem = 0;
	const int fd = OpenPlainFile(path, flags, &problem);
	if (fd < 0)
		return problem == kNotPlainFile                       ? OSErr(fnfErr)
		       : problem == EACCES && (permission & fsWrPerm) ? OSErr(wrPermErr)
		                                                      : ErrnoToOSErr(problem);
	if (fcntl(fd, F_SETFL, flags) != 0) {
		close(fd);
		return fnfErr;
	}
	Fork fork;
	fork.fd = fd;
	fork.path = path;
	fork.permission = permission;
	*refNum = AddFork(std::move(fork));
	if (*refNum == 0) {
		close(fd);
		return tmfoErr;
	}
	return noErr;
}

OSErr HOpenDF(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt8 permission, SInt16* refNum)
{
	if (!refNum)
		return paramErr;
	*refNum = 0;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	return OpenFork(path, permission, refNum);
}

OSErr HOpenRF(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt8, SInt16* refNum)
{
	if (!refNum)
		return paramErr;
	*refNum = 0;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	return fnfErr;
}

OSErr FSRead(SInt16 refNum, SInt32* count, void* buffer)
{
	if (!count || !buffer || *count < 0)
		return paramErr;
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	if (!(fork->permission & fsRdPerm))
		return permErr;
	SInt32 got = 0;
	OSErr err = noErr;
	while (got < *count) {
		const ssize_t n =
		    pread(fork->fd, static_cast<char*>(buffer) + got, size_t(*count - got), fork->mark + got);
		if (n < 0 && errno == EINTR)
			continue;
		if (n < 0) {
			err = ErrnoToOSErr(errno);
			break;
		}
		if (n == 0) {
			err = eofErr;
			break;
		}
		got += SInt32(n);
	}
	if (err != noErr && err != eofErr)
		return err;
	fork->mark += got;
	*count = got;
	return err;
}

OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffer)
{
	if (!count || (!buffer && *count > 0) || *count < 0)
		return paramErr;
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	if (!(fork->permission & fsWrPerm))
		return wrPermErr;
	if (fork->mark + *count > 0x7FFFFFFF)
		return dskFulErr;
	size_t written = 0;
	const OSErr err =
	    WriteAll(fork->fd, fork->mark, static_cast<const char*>(buffer), size_t(*count), &written);
	fork->mark += SInt64(written);
	*count = SInt32(written);
	return err;
}

OSErr SetFPos(SInt16 refNum, SInt16 posMode, SInt32 posOff)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	SInt64 base = 0;
	if (posMode == fsFromLEOF) {
		struct stat st;
		if (fstat(fork->fd, &st) != 0)
			return ErrnoToOSErr(errno);
		base = st.st_size;
	} else if (posMode == fsFromMark) {
		base = fork->mark;
	} else if (posMode == fsAtMark) {
		return noErr;
	}
	const SInt64 mark = base + posOff;
	if (mark < 0 || mark > 0x7FFFFFFF)
		return posErr;
	fork->mark = mark;
	return noErr;
}

OSErr GetFPos(SInt16 refNum, SInt32* filePos)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	if (filePos)
		*filePos = SInt32(fork->mark);
	return noErr;
}

OSErr GetEOF(SInt16 refNum, SInt32* logEOF)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	struct stat st;
	if (fstat(fork->fd, &st) != 0)
		return ErrnoToOSErr(errno);
	if (logEOF)
		*logEOF = SInt32(std::min<SInt64>(st.st_size, 0x7FFFFFFF));
	return noErr;
}

OSErr SetEOF(SInt16 refNum, SInt32 logEOF)
{
	if (logEOF < 0)
		return paramErr;
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	if (!(fork->permission & fsWrPerm))
		return wrPermErr;
	if (ftruncate(fork->fd, logEOF) != 0)
		return ErrnoToOSErr(errno);
	return noErr;
}

OSErr FSFlushFork(SInt16 refNum)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork)
		return rfNumErr;
	return fsync(fork->fd) == 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
}

static OSErr CloseFork(SInt16 refNum, bool keep)
{
	Fork fork;
	{
		std::lock_guard lock(sForkMutex);
		Fork* found = FindFork(refNum);
		if (!found)
			return rfNumErr;
		fork = *found;
		sForks.erase(refNum);
	}
	if (fork.IsReplacement())
		return CloseReplacement(fork, keep);
	return close(fork.fd) == 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
}

OSErr FSClose(SInt16 refNum)
{
	return CloseFork(refNum, true);
}

OSErr FSCloseDiscarding(SInt16 refNum)
{
	return CloseFork(refNum, false);
}

OSErr HGetVol(StringPtr volName, SInt16* vRefNum, SInt32* dirID)
{
	std::string cwd;
	OSErr err = noErr;
	if (!FolderPath(0, 0, &cwd, &err))
		return err;
	if (volName)
		SetPascal(volName, kVolumeName, 255);
	if (vRefNum)
		*vRefNum = kVolumeRefNum;
	if (dirID)
		*dirID = FolderIDTable::IDForPath(cwd);
	return noErr;
}

OSErr HSetVol(ConstStr255Param volName, SInt16 vRefNum, SInt32 dirID)
{
	if (volName) {
		std::string name = PascalStrings::ToString(volName);
		if (!name.empty() && name.back() == ':')
			name.pop_back();
		if (name != kVolumeName)
			return nsvErr;
	} else if (vRefNum != 0 && vRefNum != kVolumeRefNum) {
		return nsvErr;
	}
	if (dirID == 0)
		return noErr;
	std::string path;
	OSErr err = noErr;
	if (!FolderPath(kVolumeRefNum, dirID, &path, &err))
		return err;
	return chdir(path.c_str()) == 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
}

void GetVolumeName(Str255 name)
{
	SetPascal(name, kVolumeName, 255);
}

OSErr GetVolumeFreeBytes(SInt16 vRefNum, SInt32 dirID, UInt64* freeBytes)
{
	std::string path;
	OSErr err = noErr;
	if (!FolderPath(vRefNum, dirID, &path, &err))
		return err;
	struct statvfs vfs;
	if (statvfs(path.c_str(), &vfs) != 0)
		return ErrnoToOSErr(errno);
	if (freeBytes)
		*freeBytes = UInt64(vfs.f_bavail) * vfs.f_frsize;
	return noErr;
}

OSErr FSpGetPOSIXPath(const FSSpec* spec, std::string* path)
{
	if (!spec || !path)
		return paramErr;
	return Resolve(spec->vRefNum, spec->parID, spec->name, path);
}

OSErr FSPathMakeFSSpec(const std::string& posixPath, FSSpec* spec)
{
	if (!spec || posixPath.empty() || posixPath[0] != '/')
		return paramErr;
	if (posixPath.find('\0') != std::string::npos)
		return bdNamErr;
	const std::string path = FolderIDTable::NormalisePath(posixPath);
	if (path == "/") {
		spec->vRefNum = kVolumeRefNum;
		spec->parID = FolderIDTable::kRootParentID;
		SetPascal(spec->name, kVolumeName, 63);
		return noErr;
	}
	// Folders are found by id whatever their names; the file's own name must come back from Mac Roman
	// unchanged, or the FSSpec would name another file (a '?' in place of each letter Mac Roman lacks).
	const std::string disk = LastName(path);
	const std::string mac = MacNameFromDisk(disk);
	if (mac.size() > 63 || DiskNameFromMac(mac) != disk)
		return bdNamErr;
	spec->vRefNum = kVolumeRefNum;
	spec->parID = FolderIDTable::IDForPath(Parent(path));
	SetPascal(spec->name, mac, 63);
	return noErr;
}

int FSPathOpenProblem(const std::string& posixPath)
{
	int problem = 0;
	const int fd = OpenPlainFile(posixPath, O_RDONLY, &problem);
	if (fd >= 0)
		close(fd);
	return problem;
}

OSType FileTypeAtPath(const std::string& posixPath)
{
	return ReadBigEndianAttr(posixPath, kTypeAttr, 4);
}
