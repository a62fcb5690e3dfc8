// The replace road: a file is written whole to a copy beside it, and the copy then takes its name in one
// step. The target is resolved once; from then on everything goes through descriptors of its folder and of
// the former file, so a link swapped in later is never followed.

#include "platform/toolbox/FileAccess.h"
#include "platform/toolbox/FileForks.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"

#include <acl/libacl.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <memory>
#include <random>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <type_traits>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fileforks
{

namespace
{

using fileaccess::FileAccess;
using fileaccess::GivesMore;
using fileaccess::KeepsAll;
using fileaccess::ReadAccess;

ReplaceStepHook sReplaceStepHook = nullptr;
RenameRefusal sRenameRefusal = RenameRefusal::kNone;
struct {
	AttributeStep step;
	int error;
} sAttributeFault = {AttributeStep::kMode, 0};

void ReplaceStepReached(ReplaceStep step)
{
	if (sReplaceStepHook)
		sReplaceStepHook(step);
}

// Closes on every way out unless released.
struct Descriptor {
	int fd = -1;
	~Descriptor()
	{
		if (fd >= 0)
			close(fd);
	}
	int Release() { return std::exchange(fd, -1); }
};

constexpr const char* kCopyMark = ".vantorel-save-";

// A copy is named ".<file>.vantorel-save-" and six letters or digits, a name no user picks by chance: only
// such copies are ever removed as stale, so a user's ".Savings.old123" stays.
bool IsReplacementCopy(const std::string& entry)
{
	static const std::string kMark = kCopyMark;
	return entry.size() > 1 + kMark.size() + 6 && entry[0] == '.' &&
	       entry.compare(entry.size() - 6 - kMark.size(), kMark.size(), kMark) == 0 &&
	       std::all_of(entry.end() - 6, entry.end(),
	                   [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool SameFile(const struct stat& a, const struct stat& b)
{
	return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Closes a copy given up and removes its name, unless another program put something else under it.
void RemoveCopy(int folder, const std::string& name, int* fd)
{
	struct stat copy, named;
	const bool known = *fd >= 0 && fstat(*fd, &copy) == 0;
	// Closed first: FUSE keeps the name of an open file that is removed as a hidden file.
	if (*fd >= 0)
		close(std::exchange(*fd, -1));
	if (known && fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(copy, named))
		unlinkat(folder, name.c_str(), 0);
}

// How a new copy's lock went.
enum class CopyLock { kLocked, kHeld, kNoLocks };

// Another run of the user's may hold a shared lock on a new copy for an instant (its sweep looking at it),
// or for as long as it is stopped there: never waited for beyond a few milliseconds.
CopyLock LockNewCopy(int fd)
{
	for (int tries = 0; tries < 10; ++tries) {
		if (flock(fd, LOCK_EX | LOCK_NB) == 0)
			return CopyLock::kLocked;
		if (errno != EWOULDBLOCK && errno != EINTR)
			return CopyLock::kNoLocks;
		const struct timespec pause = {0, 5'000'000};
		nanosleep(&pause, nullptr);
	}
	return CopyLock::kHeld;
}

// Where a step's error is the disk or the system saying no (the outcome is then judged); any other error
// fails the save as a failed write does.
bool Refused(int e)
{
	return e == EPERM || e == EACCES || e == EOPNOTSUPP || e == ENOSYS || e == EROFS;
}

int StepResult(AttributeStep step, int result)
{
	if (sAttributeFault.error != 0 && sAttributeFault.step == step) {
		errno = sAttributeFault.error;
		return -1;
	}
	return result;
}

OSErr ReadOrFail(int fd, FileAccess* access)
{
	return ReadAccess(fd, access) ? OSErr(noErr) : ErrnoToOSErr(errno);
}

// 0, or the errno of a step that failed for another reason than a refusal.
int Unrefused(int result)
{
	return result == 0 || Refused(errno) ? 0 : errno;
}

// A step taken on the copy: a refusal is judged by what the copy then allows, which is read anew; any other
// error fails.
OSErr TakeStep(int fd, AttributeStep step, int result, FileAccess* now)
{
	if (const int e = Unrefused(StepResult(step, result)))
		return ErrnoToOSErr(e);
	return ReadOrFail(fd, now);
}

// The copy's mode as it is made. Open to its owner alone, unless the state it is made in (its owner this
// process, its group the folder's where the folder passes its own on, else this process's; no ACL, the folder
// giving none and the former file having none) lets nobody in whom the former file kept out: then with the
// former file's bits, so that where the disk refuses chmod a shared file stays open to its group.
mode_t CreationMode(int folder, const FileAccess& former)
{
	struct stat st;
	if (former.extended || fstat(folder, &st) != 0)
		return 0600;
	if (fgetxattr(folder, "system.posix_acl_default", nullptr, 0) >= 0 ||
	    (errno != ENODATA && errno != EOPNOTSUPP && errno != ENOSYS))
		return 0600;
	const gid_t group = (st.st_mode & S_ISGID) ? st.st_gid : getegid();
	const FileAccess made = FileAccess::FromMode(geteuid(), group, former.Mode());
	return GivesMore(former, made, geteuid()) ? 0600 : former.Mode();
}

// The former file's permission bits, unless they would let someone do more than the former file let him
// (the copy's group or ACL is not yet the former's): the judgement after it then refuses the copy.
OSErr GiveMode(int fd, const FileAccess& former, FileAccess* now)
{
	FileAccess next = *now;
	next.SetMode(former.Mode());
	if (now->Mode() == former.Mode() || GivesMore(former, next, geteuid()))
		return noErr;
	return TakeStep(fd, AttributeStep::kMode, fchmod(fd, former.Mode()), now);
}

// Gives the copy the former file's group, then its ACL, then its mode, each on its descriptor and before a
// byte is written; no step is taken whose result would let anyone do more than the former file let him. The
// owner stays this process's until the close, so that no other user can change the copy meanwhile. Where
// the file, once its owner is given, could not keep every party's rights, nothing is written at all.
OSErr TakeFormerAccess(int fd, int formerFd, const FileAccess& former)
{
	const uid_t saver = geteuid();
	FileAccess now;
	if (OSErr err = ReadOrFail(fd, &now); err != noErr)
		return err;
	if (now.group != former.group) {
		if (OSErr err =
		        TakeStep(fd, AttributeStep::kGroup, fchown(fd, uid_t(-1), former.group), &now);
		    err != noErr)
			return err;
	}
	if ((now.extended || former.extended) && !now.SameRights(former)) {
		FileAccess next = former;
		next.owner = now.owner;
		next.group = now.group;
		if (GivesMore(former, next, saver))
			return fsRightsNotKeptErr;
		const std::unique_ptr<std::remove_pointer_t<acl_t>, int (*)(void*)> acl(
		    former.extended ? acl_get_fd(formerFd) : acl_from_mode(former.Mode()), acl_free);
		if (!acl)
			return ErrnoToOSErr(errno);
		if (OSErr err = TakeStep(fd, AttributeStep::kAccessList, acl_set_fd(fd, acl.get()), &now);
		    err != noErr)
			return err;
	}
	if (OSErr err = GiveMode(fd, former, &now); err != noErr)
		return err;
	if (GivesMore(former, now, saver))
		return fsRightsNotKeptErr;
	// Only root gives the file back to its owner, at the close.
	FileAccess end = now;
	if (saver == 0)
		end.owner = former.owner;
	return KeepsAll(former, end, saver) ? OSErr(noErr) : fsRightsNotKeptErr;
}

// A copy is made under a name no other file has, and locked before anything is written in it: a sweep leaves
// a locked copy alone. One that another process holds is given up for another; where none can be locked, the
// last is used unlocked (a sweep leaves copies that young alone). A new file's copy is made with 0666, so
// that the umask and the folder's default ACL give it what a file made there directly gets. The copy of a
// file being replaced (formerFd) takes that file's group, ACL and mode before it is handed back, and is open
// to nobody the former file was closed to from its first moment. announce: the step kCopyCreated is this
// copy's.
OSErr CreateCopy(int folder, const std::string& of, std::string* copyName, bool announce, int formerFd,
                 int* copyFd)
{
	static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
	static std::mt19937 random(std::random_device{}() ^ UInt32(getpid()));
	static std::mutex randomMutex;
	static constexpr int kHeldCopies = 3;
	*copyFd = -1;
	const std::string stem = "." + of.substr(0, 200) + kCopyMark;
	FileAccess former;
	if (formerFd >= 0 && !ReadAccess(formerFd, &former))
		return ErrnoToOSErr(errno);
	const mode_t mode = formerFd >= 0 ? CreationMode(folder, former) : 0666;
	int held = 0;
	for (int tries = 0; tries < 100; ++tries) {
		*copyName = stem;
		{
			std::lock_guard lock(randomMutex);
			for (int i = 0; i < 6; ++i)
				*copyName += kLetters[random() % (sizeof kLetters - 1)];
		}
		int fd = openat(folder, copyName->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
		                mode);
		if (fd < 0) {
			if (errno != EEXIST)
				return errno == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
			continue;
		}
		if (announce)
			ReplaceStepReached(ReplaceStep::kCopyCreated);
		if (LockNewCopy(fd) != CopyLock::kHeld || ++held == kHeldCopies) {
			const OSErr err =
			    formerFd >= 0 ? TakeFormerAccess(fd, formerFd, former) : OSErr(noErr);
			if (err == noErr) {
				*copyFd = fd;
				return noErr;
			}
			RemoveCopy(folder, *copyName, &fd);
			return err;
		}
		RemoveCopy(folder, *copyName, &fd);
	}
	return dupFNErr;
}

// At the close: root gives the former file's owner and group, and the mode is given again where that cleared
// bits. The file that then stands must let every party do what it could, and no one more.
OSErr TakeOwnerAndMode(int fd, int formerFd)
{
	const uid_t saver = geteuid();
	FileAccess former, now;
	if (OSErr err = ReadOrFail(formerFd, &former); err != noErr)
		return err;
	if (OSErr err = ReadOrFail(fd, &now); err != noErr)
		return err;
	if (saver == 0 && (now.owner != former.owner || now.group != former.group)) {
		if (OSErr err =
		        TakeStep(fd, AttributeStep::kOwner, fchown(fd, former.owner, former.group), &now);
		    err != noErr)
			return err;
	}
	if (OSErr err = GiveMode(fd, former, &now); err != noErr)
		return err;
	return !GivesMore(former, now, saver) && KeepsAll(former, now, saver) ? OSErr(noErr)
	                                                                      : fsRightsNotKeptErr;
}

OSErr CopyBytes(int source, int fd)
{
	char buffer[65536];
	SInt64 offset = 0;
	for (;;) {
		const ssize_t n = pread(source, buffer, sizeof buffer, offset);
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

// Makes the copy take over the former file's bytes, when asked, and what the system stores beside it.
void TakeOverFormer(int former, int copy)
{
	for (const char* attr : {kTypeAttr, kCreatorAttr, kFlagsAttr, kCreatedAttr}) {
		unsigned char bytes[8];
		const ssize_t n = fgetxattr(former, attr, bytes, sizeof bytes);
		if (n > 0)
			fsetxattr(copy, attr, bytes, size_t(n), 0);
	}
}

// Where a replacement of path lands: the file itself, or the file a symbolic link names now.
OSErr ResolveTarget(const std::string& path, std::string* folder, std::string* name)
{
	std::string target;
	const FollowResult followed = FollowPath(path, &target);
	switch (followed.kind) {
	case FollowResult::kFound:
	case FollowResult::kNew:
		break;
	case FollowResult::kDanglingLink:
		return fsDanglingLinkErr;
	case FollowResult::kUntrustedLink:
		return fsUntrustedLinkErr;
	case FollowResult::kError:
		return followed.error == ENOENT || followed.error == ENOTDIR ? OSErr(dirNFErr)
		                                                             : ErrnoToOSErr(followed.error);
	}
	*folder = Parent(target);
	*name = LastName(target);
	return noErr;
}

// The folder of a path resolved already: a link that stands anywhere on that path now was swapped in since,
// and is not followed (kernels before openat2 check only the last step).
int OpenResolvedFolder(const std::string& folder)
{
	struct open_how how = {};
	how.flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
	how.resolve = RESOLVE_NO_SYMLINKS;
	const long fd = syscall(SYS_openat2, AT_FDCWD, folder.c_str(), &how, sizeof how);
	if (fd >= 0 || (errno != ENOSYS && errno != EPERM))
		return int(fd);
	return open(folder.c_str(), int(how.flags));
}

bool IsMountPoint(int folder, const std::string& name, const struct stat& file)
{
	struct statx stx;
	if (statx(folder, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &stx) == 0 &&
	    (stx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT))
		return (stx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
	// Older kernels: a file whose device is not its folder's (a file bound over another of the same file
	// system is then seen only when the rename answers EBUSY).
	struct stat parent;
	return fstat(folder, &parent) == 0 && parent.st_dev != file.st_dev;
}

// Opens the former file of that name in the folder, or finds there is none (-1 and noErr). Only a plain file
// this user may write is replaced: a locked file stays locked, as the rename would otherwise get round it.
OSErr OpenFormer(int folder, const std::string& name, int* fd, struct stat* st)
{
	*fd = -1;
	if (fstatat(folder, name.c_str(), st, AT_SYMLINK_NOFOLLOW) != 0)
		return errno == ENOENT    ? OSErr(noErr)
		       : errno == ENOTDIR ? OSErr(dirNFErr)
		                          : ErrnoToOSErr(errno);
	if (S_ISFIFO(st->st_mode) || S_ISCHR(st->st_mode) || S_ISBLK(st->st_mode) || S_ISSOCK(st->st_mode) ||
	    S_ISDIR(st->st_mode))
		return fsNotAFileErr;
	// A link here was put in after the name was resolved.
	if (!S_ISREG(st->st_mode))
		return fnfErr;
	Descriptor former{
	    openat(folder, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
	if (former.fd < 0)
		return errno == EACCES || errno == EPERM || errno == EROFS ? OSErr(wrPermErr)
		       : errno == ELOOP                                    ? OSErr(fnfErr)
		                                                           : ErrnoToOSErr(errno);
	struct stat opened;
	if (fstat(former.fd, &opened) != 0 || !SameFile(opened, *st))
		return fnfErr;
	if (IsMountPoint(folder, name, opened))
		return fsMountPointErr;
	*st = opened;
	*fd = former.Release();
	return noErr;
}

bool FolderGone(int folder)
{
	struct stat st;
	return fstat(folder, &st) == 0 && st.st_nlink == 0;
}

OSErr RenameError(int e, int folder)
{
	if (e == EBUSY)
		return fsMountPointErr;
	// The copy's name is gone from a folder that is still there.
	if (e == ENOENT && !FolderGone(folder))
		return fsCopyTakenErr;
	return e == ENOENT ? OSErr(dirNFErr) : ErrnoToOSErr(e);
}

// Copies the former file whole to the kept name beside it: a copy first, which takes the name in one step, so
// the name never shows a part of the file.
OSErr KeepFormer(const Fork& fork)
{
	struct stat st;
	if (fstat(fork.formerFd, &st) != 0)
		return ErrnoToOSErr(errno);
	std::string temp;
	Descriptor copy;
	OSErr err = CreateCopy(fork.folderFd, fork.keptName, &temp, false, fork.formerFd, &copy.fd);
	if (err != noErr)
		return err;
	err = CopyBytes(fork.formerFd, copy.fd);
	if (err == noErr) {
		TakeOverFormer(fork.formerFd, copy.fd);
		err = TakeOwnerAndMode(copy.fd, fork.formerFd);
	}
	if (err == noErr) {
		const struct timespec times[2] = {st.st_atim, st.st_mtim};
		futimens(copy.fd, times);
		if (fsync(copy.fd) != 0)
			err = ErrnoToOSErr(errno);
	}
	if (err == noErr) {
		ReplaceStepReached(ReplaceStep::kKeptCopyWritten);
		if (const int e =
		        RenameNoReplace(fork.folderFd, temp, fork.folderFd, fork.keptName, &copy.fd);
		    e != 0)
			err = RenameError(e, fork.folderFd);
	}
	if (err != noErr)
		RemoveCopy(fork.folderFd, temp, &copy.fd);
	return err;
}

void CloseDescriptors(const Fork& fork)
{
	for (int fd : {fork.fd, fork.formerFd, fork.folderFd})
		if (fd >= 0)
			close(fd);
}

// A writer of its own gets a duplicate of the copy's descriptor: the same open file, found by no name.
OSErr WriterDescriptor(int fd, int* writerFd)
{
	*writerFd = fcntl(fd, F_DUPFD_CLOEXEC, 0);
	return *writerFd >= 0 ? OSErr(noErr) : ErrnoToOSErr(errno);
}

OSErr OpenReplacementOf(const std::string& path, bool copyContents, bool mustBeNew, SInt16* refNum,
                        int* writerFd)
{
	std::string folderPath, name;
	if (OSErr err = ResolveTarget(path, &folderPath, &name); err != noErr)
		return err;
	ReplaceStepReached(ReplaceStep::kResolved);
	Descriptor folder{OpenResolvedFolder(folderPath)};
	if (folder.fd < 0)
		return errno == ENOENT || errno == ENOTDIR || errno == ELOOP ? OSErr(dirNFErr)
		                                                             : ErrnoToOSErr(errno);
	Descriptor former;
	struct stat st = {};
	if (mustBeNew) {
		// Whatever stands under a name chosen as new was put there by another program since.
		if (fstatat(folder.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
			return dupFNErr;
		if (errno != ENOENT)
			return errno == ENOTDIR ? OSErr(dirNFErr) : ErrnoToOSErr(errno);
	} else if (OSErr err = OpenFormer(folder.fd, name, &former.fd, &st); err != noErr) {
		return err;
	}

	{
		std::lock_guard lock(sForkMutex);
		if (OpenForWriting(path))
			return opWrErr;
	}
	Fork fork;
	Descriptor copy;
	if (OSErr err = CreateCopy(folder.fd, name, &fork.copyName, true, former.fd, &copy.fd); err != noErr)
		return err;
	OSErr err = former.fd >= 0 && copyContents ? CopyBytes(former.fd, copy.fd) : OSErr(noErr);
	if (former.fd >= 0)
		TakeOverFormer(former.fd, copy.fd);
	fork.fd = copy.fd;
	fork.path = path;
	fork.permission = fsRdWrPerm;
	fork.folderFd = folder.fd;
	fork.formerFd = former.fd;
	fork.name = name;
	if (err == noErr && writerFd)
		err = WriterDescriptor(copy.fd, writerFd);
	if (err == noErr) {
		// Another writer of the file may have come while the copy was made.
		std::lock_guard lock(sForkMutex);
		if (OpenForWriting(path))
			err = opWrErr;
		else if ((*refNum = AddFork(fork)) == 0)
			err = tmfoErr;
	}
	if (err != noErr) {
		if (writerFd && *writerFd >= 0)
			close(std::exchange(*writerFd, -1));
		RemoveCopy(folder.fd, fork.copyName, &copy.fd);
		return err;
	}
	copy.Release();
	folder.Release();
	former.Release();
	ReplaceStepReached(ReplaceStep::kCopyMade);
	return noErr;
}

void SetBigEndianAttr(int fd, const char* attr, UInt32 value)
{
	const unsigned char bytes[4] = {UInt8(value >> 24), UInt8(value >> 16), UInt8(value >> 8),
	                                UInt8(value)};
	fsetxattr(fd, attr, bytes, sizeof bytes, 0);
}

} // namespace

int RenameNoReplace(int fromFolder, const std::string& from, int toFolder, const std::string& to,
                    int* openCopy)
{
	if (sRenameRefusal == RenameRefusal::kNone) {
		if (renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0)
			return 0;
		if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
			return errno;
	}
	// NFS, FUSE, ecryptfs, 9p: a link also shows the whole file under the new name in one step, and fails
	// on a name that is taken.
	int e = EPERM;
	if (sRenameRefusal != RenameRefusal::kNoReplaceFlagAndLinks)
		e = linkat(fromFolder, from.c_str(), toFolder, to.c_str(), 0) == 0 ? 0 : errno;
	struct stat source, named;
	// Over NFS a link whose answer was lost may have been made all the same.
	if (e == 0 ||
	    (fstatat(fromFolder, from.c_str(), &source, AT_SYMLINK_NOFOLLOW) == 0 &&
	     fstatat(toFolder, to.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(source, named))) {
		if (openCopy && *openCopy >= 0)
			close(std::exchange(*openCopy, -1));
		unlinkat(fromFolder, from.c_str(), 0);
		return 0;
	}
	if (e != EPERM && e != EOPNOTSUPP && e != EMLINK && e != ENOSYS && e != EXDEV)
		return e;
	// Links refused too: the name is checked free just before the rename, the best such a file system
	// allows.
	if (fstatat(toFolder, to.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0)
		return EEXIST;
	if (errno != ENOENT)
		return errno;
	return renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0 ? 0 : errno;
}

OSErr CloseReplacement(Fork& fork, bool keep)
{
	// A replaced file's owner, group and mode come last: another user may not change its copy meanwhile.
	OSErr err = keep && fork.formerFd >= 0 ? TakeOwnerAndMode(fork.fd, fork.formerFd) : OSErr(noErr);
	if (keep && err == noErr && fsync(fork.fd) != 0)
		err = ErrnoToOSErr(errno);
	if (keep && err == noErr) {
		ReplaceStepReached(ReplaceStep::kCopyWritten);
		bool kept = false;
		if (!fork.keptName.empty() && fork.formerFd >= 0) {
			err = KeepFormer(fork);
			kept = err == noErr;
			// The kept copy is on the disk under its name before the former file goes.
			if (kept) {
				fsync(fork.folderFd);
				ReplaceStepReached(ReplaceStep::kFormerKept);
			}
		}
		// Whatever else stands under the copy's name now was put there by another user of the folder.
		struct stat named, copy;
		if (err == noErr &&
		    (fstatat(fork.folderFd, fork.copyName.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
		     fstat(fork.fd, &copy) != 0 || !SameFile(named, copy)))
			err = fsCopyTakenErr;
		if (err == noErr) {
			// FUSE would keep a replaced file that is still open as a hidden file.
			const bool creating = fork.formerFd < 0;
			if (!creating)
				close(std::exchange(fork.formerFd, -1));
			const int e = creating ? RenameNoReplace(fork.folderFd, fork.copyName, fork.folderFd,
			                                         fork.name, &fork.fd)
			              : renameat(fork.folderFd, fork.copyName.c_str(), fork.folderFd,
			                         fork.name.c_str()) == 0
			                  ? 0
			                  : errno;
			if (e != 0) {
				err = RenameError(e, fork.folderFd);
				if (kept)
					unlinkat(fork.folderFd, fork.keptName.c_str(), 0);
			}
		}
	}
	if (err != noErr || !keep) {
		RemoveCopy(fork.folderFd, fork.copyName, &fork.fd);
		CloseDescriptors(fork);
		return err;
	}
	// Make the rename itself durable.
	fsync(fork.folderFd);
	CloseDescriptors(fork);
	FolderChanged();
	ReplaceStepReached(ReplaceStep::kReplaced);
	return noErr;
}

} // namespace fileforks

using namespace fileforks;

static OSErr OpenReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, bool mustBeNew,
                             SInt16* refNum)
{
	if (!refNum)
		return paramErr;
	*refNum = 0;
	std::string path;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	return OpenReplacementOf(path, true, mustBeNew, refNum, nullptr);
}

OSErr HOpenReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt16* refNum)
{
	return OpenReplacement(vRefNum, dirID, name, false, refNum);
}

OSErr HOpenNewReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt16* refNum)
{
	return OpenReplacement(vRefNum, dirID, name, true, refNum);
}

OSErr PathOpenReplacement(const std::string& posixPath, bool mustBeNew, SInt16* refNum, int* writerFd)
{
	if (!refNum || !writerFd || posixPath.empty() || posixPath[0] != '/' || posixPath.back() == '/')
		return paramErr;
	*refNum = 0;
	*writerFd = -1;
	// Taken as the kernel takes it: a ".." after a link leads out of the folder the link names.
	return OpenReplacementOf(posixPath, false, mustBeNew, refNum, writerFd);
}

OSErr HSetReplacementInfo(SInt16 refNum, OSType type, OSType creator)
{
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork || !fork->IsReplacement())
		return rfNumErr;
	SetBigEndianAttr(fork->fd, kTypeAttr, type);
	SetBigEndianAttr(fork->fd, kCreatorAttr, creator);
	return noErr;
}

static OSErr KeptDiskName(ConstStr255Param keptName, std::string* disk)
{
	const std::string mac = PascalStrings::ToString(keptName);
	if (mac.empty() || mac.find(':') != std::string::npos || mac.find('\0') != std::string::npos)
		return bdNamErr;
	*disk = DiskNameFromMac(mac);
	return *disk == "." || *disk == ".." ? OSErr(bdNamErr) : OSErr(noErr);
}

OSErr HSetReplacementKeepsFormer(SInt16 refNum, ConstStr255Param keptName)
{
	std::string disk;
	if (OSErr err = KeptDiskName(keptName, &disk); err != noErr)
		return err;
	std::lock_guard lock(sForkMutex);
	Fork* fork = FindFork(refNum);
	if (!fork || !fork->IsReplacement())
		return rfNumErr;
	fork->keptName = disk;
	return noErr;
}

// Where the kept copy of the named file goes: beside the file a link names.
static OSErr KeptPath(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, ConstStr255Param keptName,
                      std::string* kept)
{
	std::string path, folder, target, disk;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	if (OSErr err = KeptDiskName(keptName, &disk); err != noErr)
		return err;
	if (OSErr err = ResolveTarget(path, &folder, &target); err != noErr)
		return err;
	*kept = Join(folder, disk);
	return noErr;
}

bool HKeptNameIsFree(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, ConstStr255Param keptName)
{
	std::string kept;
	struct stat st;
	// A folder that cannot be read answers every name as taken.
	return KeptPath(vRefNum, dirID, name, keptName, &kept) == noErr && lstat(kept.c_str(), &st) != 0 &&
	       errno == ENOENT;
}

OSErr HDeleteKept(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, ConstStr255Param keptName)
{
	std::string kept;
	if (OSErr err = KeptPath(vRefNum, dirID, name, keptName, &kept); err != noErr)
		return err;
	if (unlink(kept.c_str()) != 0 && errno != ENOENT)
		return ErrnoToOSErr(errno);
	FolderChanged();
	return noErr;
}

OSErr HRemoveStaleReplacements(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, UInt32 olderThan)
{
	std::string path, folder, target;
	if (OSErr err = Resolve(vRefNum, dirID, name, &path); err != noErr)
		return err;
	if (ResolveTarget(path, &folder, &target) != noErr)
		folder = Parent(path);
	return PathRemoveStaleReplacements(folder, olderThan);
}

static OSErr RemoveStaleReplacementsIn(DIR* dir, UInt32 olderThan)
{
	if (!dir)
		return ErrnoToOSErr(errno);
	const int folderFd = dirfd(dir);
	const SInt64 limit = WallClockMilliseconds() / 1000 - SInt64(olderThan);
	bool removed = false;
	while (const dirent* entry = readdir(dir)) {
		if (!IsReplacementCopy(entry->d_name))
			continue;
		// A shared lock needs only reading, also over NFS, and fails while a writer holds its own.
		Descriptor copy{openat(folderFd, entry->d_name,
		                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
		struct stat st, named;
		if (copy.fd < 0 || fstat(copy.fd, &st) != 0 || !S_ISREG(st.st_mode))
			continue;
		if (flock(copy.fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
			continue;
		// The change time is one no program can set back.
		if (st.st_ctim.tv_sec > limit)
			continue;
		if (fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
		    !SameFile(st, named))
			continue;
		removed = unlinkat(folderFd, entry->d_name, 0) == 0 || removed;
	}
	closedir(dir);
	if (removed)
		FolderChanged();
	return noErr;
}

OSErr PathRemoveStaleReplacements(const std::string& folder, UInt32 olderThan)
{
	return RemoveStaleReplacementsIn(opendir(folder.c_str()), olderThan);
}

OSErr FSRemoveStaleReplacementsBeside(SInt16 refNum, UInt32 olderThan)
{
	int folder;
	{
		std::lock_guard lock(sForkMutex);
		Fork* fork = FindFork(refNum);
		if (!fork || !fork->IsReplacement())
			return rfNumErr;
		folder = openat(fork->folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	}
	if (folder < 0)
		return ErrnoToOSErr(errno);
	DIR* dir = fdopendir(folder);
	if (!dir)
		close(folder);
	return RemoveStaleReplacementsIn(dir, olderThan);
}

ReplaceStepHook SetReplaceStepHook(ReplaceStepHook hook)
{
	return std::exchange(sReplaceStepHook, hook);
}

void SetRenameRefusal(RenameRefusal refusal)
{
	sRenameRefusal = refusal;
}

void SetAttributeFault(AttributeStep step, int error)
{
	sAttributeFault = {step, error};
}
