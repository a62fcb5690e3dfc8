#include "app/UPrefsFolder.h"

#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "platform/toolbox/Folders.h"
#include "platform/toolbox/MacRoman.h"
#include "toolkit/KsAlerts.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr const char* kFolderName = "Vantorel Prefs \xC4"; // Mac Roman florin
// Hidden, and unlike a settings file or a save copy; never replaced, so every run locks the same inode.
constexpr const char* kLockName = ".vantorel-lock";

bool sTold = false;
int sLock = -1;

// The folder object in the settings folder, made when missing; outPreferences is the preferences folder's
// path, even when it cannot be used.
bool Enter(TVyFile* folder, std::string* outPreferences)
{
	if (FindFolderPath(kPreferencesFolderType, kCreateFolder, outPreferences) != noErr ||
	    folder->ChangeDir(kDirPreferences) != 0)
		return false;
	// Fails harmlessly when the folder is there; the change of folder below is what tells.
	folder->CreateDir(kFolderName);
	return folder->ChangeDir(kFolderName) == 0;
}

// Open to nobody else: another user who may read the folder could otherwise hold a lock on it and keep every
// run out. One that root (through sudo) makes becomes the folder owner's, so that the user's runs may lock
// it.
void KeepLockPrivate(int lock, const struct stat& info, const std::string& folder)
{
	if (info.st_uid != geteuid())
		return;
	if ((info.st_mode & 077) != 0)
		fchmod(lock, 0600);
	struct stat owner;
	if (stat(folder.c_str(), &owner) == 0 && owner.st_uid != info.st_uid) {
		[[maybe_unused]] const int given = fchown(lock, owner.st_uid, owner.st_gid);
	}
}

} // namespace

bool UPrefsFolder::Find(TVyFile* folder)
{
	std::string preferences;
	if (Enter(folder, &preferences))
		return true;
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

UPrefsFolder::ELock UPrefsFolder::LockForThisRun(std::string* outFolder, long* outHolder,
                                                 std::string* outReason)
{
	*outHolder = 0;
	TVyFile folder;
	std::string preferences;
	if (!Enter(&folder, &preferences))
		return ELock::kUnavailable;
	*outFolder = preferences + "/" + MacRoman::ToUTF8(kFolderName);
	if (sLock >= 0)
		return ELock::kTaken;
	const std::string path = *outFolder + "/" + kLockName;
	int lock = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
	// Made by another user (root through sudo, say): a lock needs only reading.
	if (lock < 0 && errno == EACCES)
		lock = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
	struct stat info = {};
	if (lock < 0 || fstat(lock, &info) != 0 || !S_ISREG(info.st_mode)) {
		*outReason = lock < 0 ? std::strerror(errno) : "it is not a file";
		if (lock >= 0)
			close(lock);
		return ELock::kUnavailable;
	}
	KeepLockPrivate(lock, info, *outFolder);
	// flock, unlike a process's record locks, is not dropped when some other descriptor of the file
	// is closed; on NFS the kernel maps it onto a server lock.
	if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
		const int error = errno;
		char text[24] = {};
		if (error == EWOULDBLOCK && pread(lock, text, sizeof(text) - 1, 0) > 0)
			*outHolder = std::strtol(text, nullptr, 10);
		close(lock);
		if (error == EWOULDBLOCK)
			return ELock::kHeld;
		*outReason = std::strerror(error);
		return ELock::kUnavailable;
	}
	// Who holds it, for a later start that would hand its documents over; without it that start tells
	// the user instead.
	const std::string pid = std::to_string(getpid()) + "\n";
	[[maybe_unused]] const bool named =
	    ftruncate(lock, 0) == 0 && pwrite(lock, pid.data(), pid.size(), 0) == ssize_t(pid.size());
	sLock = lock;
	return ELock::kTaken;
}

bool UPrefsFolder::IsLockHeld(std::string* outFolder, long* outHolder)
{
	*outHolder = 0;
	std::string preferences;
	if (FindFolderPath(kPreferencesFolderType, kDontCreateFolder, &preferences) != noErr)
		return false;
	*outFolder = preferences + "/" + MacRoman::ToUTF8(kFolderName);
	const std::string path = *outFolder + "/" + kLockName;
	const int lock = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
	struct stat info = {};
	if (lock < 0 || fstat(lock, &info) != 0 || !S_ISREG(info.st_mode)) {
		if (lock >= 0)
			close(lock);
		return false;
	}
	// Refused only while a run holds its exclusive lock; taken, it goes with the descriptor.
	const bool held = flock(lock, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
	char text[24] = {};
	if (held && pread(lock, text, sizeof(text) - 1, 0) > 0)
		*outHolder = std::strtol(text, nullptr, 10);
	close(lock);
	return held;
}
