#include "platform/toolbox/Files.h"

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
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{

constexpr const char* kVolumeName = "Disk";
constexpr const char* kTypeAttr = "user.mac.type";
constexpr const char* kCreatorAttr = "user.mac.creator";
constexpr const char* kFlagsAttr = "user.mac.flags";
constexpr const char* kCreatedAttr = "user.mac.created";

struct Fork {
	int fd = -1;
	std::string path; // the file as the system names it
	SInt8 permission = fsRdPerm;
	SInt64 mark = 0;
	std::string tempPath;  // non-empty for a replacement copy
	std::string target;    // what the replacement replaces: the file itself, never a link to it
	bool creating = false; // the replacement makes a new file
	std::string keptPath;  // where the former file is copied before it is replaced
};

std::mutex sForkMutex;
std::map<SInt16, Fork> sForks;
SInt16 sLastRef = 0;

ReplaceStepHook sReplaceStepHook = nullptr;

void ReplaceStepReached(ReplaceStep step)
{
	if (sReplaceStepHook)
		sReplaceStepHook(step);
}

struct Listing {
	std::vector<std::string> names;
	struct timespec modified = {};
	unsigned long generation = 0;
};
std::mutex sListingMutex;
std::map<std::string, Listing> sListings;
unsigned long sGeneration = 1;

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

// A replacement copy is named ".<file>.vantorel-save-" and six letters or digits, a name no user picks by
// chance: only such copies are ever removed as stale, so a user's ".Savings.old123" stays.
std::string ReplacementPrefix(const std::string& target)
{
	return "." + LastName(target).substr(0, 200) + ".vantorel-save-";
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

// Keeps what the system stores beside the contents when a replacement copy takes the file's place.
void CopyAttributes(const std::string& from, const std::string& to)
{
	for (const char* attr : {kTypeAttr, kCreatorAttr, kFlagsAttr, kCreatedAttr}) {
		unsigned char bytes[8];
		const ssize_t n = getxattr(from.c_str(), attr, bytes, sizeof bytes);
		if (n > 0)
			setxattr(to.c_str(), attr, bytes, size_t(n), 0);
	}
}

// A replacement copy is made as any new file is (the umask and the folder's defaults apply), under a name
// no other file has.
int CreateReplacementCopy(const std::string& target, std::string* copy)
{
	static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
	static std::mt19937 random(std::random_device{}() ^ UInt32(getpid()));
	static std::mutex randomMutex;
	const std::string stem = Join(Parent(target), ReplacementPrefix(target));
	for (int tries = 0; tries < 100; ++tries) {
		*copy = stem;
		{
			std::lock_guard lock(randomMutex);
			for (int i = 0; i < 6; ++i)
				*copy += kLetters[random() % (sizeof kLetters - 1)];
		}
		const int fd = open(copy->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
		if (fd >= 0 || errno != EEXIST)
			return fd;
	}
	errno = EEXIST;
	return -1;
}

// The former file's owner and group where the system lets this user give them, then its mode (a change of
// owner clears the set-id bits).
OSErr TakeOwnerAndMode(int fd, const struct stat& former)
{
	struct stat mine;
	if (fstat(fd, &mine) == 0 && (mine.st_uid != former.st_uid || mine.st_gid != former.st_gid) &&
	    fchown(fd, former.st_uid, former.st_gid) != 0 && mine.st_gid != former.st_gid) {
		// A user may give a group of his own, never another owner.
		const int groupGiven = fchown(fd, uid_t(-1), former.st_gid);
		(void)groupGiven;
	}
	return fchmod(fd, former.st_mode & 07777) == 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
}

OSErr CopyBytes(int source, int fd)
{
	char buffer[65536];
	SInt64 offset = 0;
	for (;;) {
		const ssize_t n = read(source, buffer, sizeof buffer);
		if (n < 0 && errno == EINTR)
			continue;
		if (n < 0)
			return ErrnoToOSErr(errno);
		if (n == 0)
			return noErr;
		size_t written = 0;
		if (OSErr err = WriteAll(fd, offset, buffer, size_t(n), &written); err != noErr)
			return err;
		offset += n;
	}
}

// Makes the copy (open as fd at copyPath) take over the former file: its bytes when asked, its owner, group,
// mode and what the system stores beside it.
OSErr TakeOverFormer(const std::string& former, const struct stat& st, int fd, const std::string& copyPath,
                     bool withBytes)
{
	if (withBytes) {
		const int source = open(former.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
		if (source < 0)
			return ErrnoToOSErr(errno);
		const OSErr err = CopyBytes(source, fd);
		close(source);
		if (err != noErr)
			return err;
	}
	if (OSErr err = TakeOwnerAndMode(fd, st); err != noErr)
		return err;
	CopyAttributes(former, copyPath);
	return noErr;
}

void SyncFolder(const std::string& folder)
{
	if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
		fsync(dir);
		close(dir);
	}
}

// Where a replacement of path lands: the file itself, or the file a symbolic link names; a new file's folder
// must be there. A file that stands must be a plain file this user may write (a locked file stays locked:
// the rename would otherwise get round it).
OSErr ReplacementTarget(const std::string& path, std::string* target, struct stat* former, bool* exists)
{
	struct stat st;
	if (lstat(path.c_str(), &st) != 0) {
		if (errno != ENOENT)
			return errno == ENOTDIR ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
		char* folder = realpath(Parent(path).c_str(), nullptr);
		if (!folder)
			return errno == ENOENT || errno == ENOTDIR ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
		*target = Join(folder, LastName(path));
		std::free(folder);
		*exists = false;
		return noErr;
	}
	if (stat(path.c_str(), former) != 0)
		return errno == ENOTDIR ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	if (!S_ISREG(former->st_mode))
		return fnfErr;
	if (access(path.c_str(), W_OK) != 0)
		return errno == EACCES || errno == EPERM || errno == EROFS ? OSErr(wrPermErr)
		                                                           : ErrnoToOSErr(errno);
	char* real = realpath(path.c_str(), nullptr);
	if (!real)
		return ErrnoToOSErr(errno);
	*target = real;
	std::free(real);
	*exists = true;
	return noErr;
}

OSErr OpenReplacementOf(const std::string& path, bool copyContents, SInt16* refNum, std::string* copyPath)
{
	std::string target;
	struct stat former = {};
	bool exists = false;
	if (OSErr err = ReplacementTarget(path, &target, &former, &exists); err != noErr)
		return err;

	std::lock_guard lock(sForkMutex);
	if (OpenForWriting(path))
		return opWrErr;
	std::string temp;
	const int fd = CreateReplacementCopy(target, &temp);
	if (fd < 0)
		return errno == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	if (OSErr err = exists ? TakeOverFormer(target, former, fd, temp, copyContents) : OSErr(noErr);
	    err != noErr) {
		close(fd);
		unlink(temp.c_str());
		return err;
	}
	Fork fork;
	fork.fd = fd;
	fork.path = path;
	fork.permission = fsRdWrPerm;
	fork.tempPath = temp;
	fork.target = target;
	fork.creating = !exists;
	*refNum = AddFork(std::move(fork));
	if (*refNum == 0) {
		close(fd);
		unlink(temp.c_str());
		return tmfoErr;
	}
	if (copyPath)
		*copyPath = temp;
	return noErr;
}

// Copies the former file whole to a free name beside it: a copy first, which takes the name in one step, so
// the name never shows a part of the file.
OSErr KeepFormer(const std::string& former, const std::string& kept)
{
	struct stat st;
	if (stat(former.c_str(), &st) != 0)
		return ErrnoToOSErr(errno);
	std::string temp;
	const int fd = CreateReplacementCopy(kept, &temp);
	if (fd < 0)
		return ErrnoToOSErr(errno);
	OSErr err = TakeOverFormer(former, st, fd, temp, true);
	if (err == noErr) {
		const struct timespec times[2] = {st.st_atim, st.st_mtim};
		futimens(fd, times);
		if (fsync(fd) != 0)
			err = ErrnoToOSErr(errno);
	}
	if (close(fd) != 0 && err == noErr)
		err = ErrnoToOSErr(errno);
	if (err == noErr) {
		ReplaceStepReached(ReplaceStep::kKeptCopyWritten);
		if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, kept.c_str(), RENAME_NOREPLACE) != 0)
			err = ErrnoToOSErr(errno);
	}
	if (err != noErr)
		unlink(temp.c_str());
	return err;
}

bool IsReplacementCopy(const std::string& entry)
{
	static const std::string kMark = ".vantorel-save-";
	return entry.size() > 1 + kMark.size() + 6 && entry[0] == '.' &&
	       entry.compare(entry.size() - 6 - kMark.size(), kMark.size(), kMark) == 0 &&
	       std::all_of(entry.end() - 6, entry.end(),
	                   [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

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
	if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
		return ErrnoToOSErr(errno);
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
		struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(modified), 0}};
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

OSErr HOpenReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt16* refNum)
{
	if (!refNum)
		return paramErr;
	*refNum = 0;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	return OpenReplacementOf(path, true, refNum, nullptr);
}

OSErr PathOpenReplacement(const std::string& posixPath, SInt16* refNum, std::string* copyPath)
{
	if (!refNum || posixPath.empty() || posixPath[0] != '/' || posixPath.back() == '/')
		return paramErr;
	*refNum = 0;
	return OpenReplacementOf(FolderIDTable::NormalisePath(posixPath), false, refNum, copyPath);
}

OSErr HSetReplacementInfo(SInt16 refNum, OSType type, OSType creator)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork || fork->tempPath.empty())
		return rfNumErr;
	WriteBigEndianAttr(fork->tempPath, kTypeAttr, type, 4);
	WriteBigEndianAttr(fork->tempPath, kCreatorAttr, creator, 4);
	return noErr;
}

OSErr HSetReplacementKeepsFormer(SInt16 refNum, ConstStr255Param keptName)
{
	const std::string mac = PascalStrings::ToString(keptName);
	if (mac.empty() || mac.find(':') != std::string::npos || mac.find('\0') != std::string::npos)
		return bdNamErr;
	const std::string disk = DiskNameFromMac(mac);
	if (disk == "." || disk == "..")
		return bdNamErr;
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork || fork->tempPath.empty())
		return rfNumErr;
	fork->keptPath = Join(Parent(fork->target), disk);
	return noErr;
}

OSErr HRemoveStaleReplacements(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, UInt32 olderThan)
{
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	char* real = realpath(path.c_str(), nullptr);
	const std::string target = real ? std::string(real) : path;
	std::free(real);
	return PathRemoveStaleReplacements(Parent(target), olderThan);
}

OSErr PathRemoveStaleReplacements(const std::string& folder, UInt32 olderThan)
{
	DIR* dir = opendir(folder.c_str());
	if (!dir)
		return ErrnoToOSErr(errno);
	const time_t now = time(nullptr);
	std::lock_guard lock(sForkMutex);
	bool removed = false;
	while (const dirent* entry = readdir(dir)) {
		if (!IsReplacementCopy(entry->d_name))
			continue;
		const std::string copy = Join(folder, entry->d_name);
		struct stat st;
		if (lstat(copy.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
		    st.st_mtime > now - time_t(olderThan))
			continue;
		if (std::any_of(sForks.begin(), sForks.end(),
		                [&](const auto& open) { return open.second.tempPath == copy; }))
			continue;
		removed = unlink(copy.c_str()) == 0 || removed;
	}
	closedir(dir);
	if (removed)
		FolderChanged();
	return noErr;
}

ReplaceStepHook SetReplaceStepHook(ReplaceStepHook hook)
{
	return std::exchange(sReplaceStepHook, hook);
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
	if (fork.tempPath.empty()) {
		return close(fork.fd) == 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
	}
	OSErr err = noErr;
	if (keep && fsync(fork.fd) != 0)
		err = ErrnoToOSErr(errno);
	if (close(fork.fd) != 0 && err == noErr)
		err = ErrnoToOSErr(errno);
	if (!keep || err != noErr) {
		unlink(fork.tempPath.c_str());
		return err;
	}
	ReplaceStepReached(ReplaceStep::kCopyWritten);
	bool kept = false;
	if (!fork.keptPath.empty() && access(fork.target.c_str(), F_OK) == 0) {
		if ((err = KeepFormer(fork.target, fork.keptPath)) != noErr) {
			unlink(fork.tempPath.c_str());
			return err;
		}
		kept = true;
		ReplaceStepReached(ReplaceStep::kFormerKept);
	}
	// A new file must not take the place of one made since under its name.
	const int renamed = fork.creating ? renameat2(AT_FDCWD, fork.tempPath.c_str(), AT_FDCWD,
	                                              fork.target.c_str(), RENAME_NOREPLACE)
	                                  : rename(fork.tempPath.c_str(), fork.target.c_str());
	if (renamed != 0) {
		err = ErrnoToOSErr(errno);
		unlink(fork.tempPath.c_str());
		if (kept)
			unlink(fork.keptPath.c_str());
		return err;
	}
	// Make the rename itself durable.
	SyncFolder(Parent(fork.target));
	FolderChanged();
	ReplaceStepReached(ReplaceStep::kReplaced);
	return noErr;
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
