#pragma once
// Runs a file operation in a child process that is killed, as a crash or a power cut would stop it, when a
// replacement reaches the given step; lists a folder, to see what such a kill left; and makes copies that
// look like those of a save long killed or of one under way; holds new copies as another process would;
// mounts a folder with bindfs, as a disk that refuses some changes.

#include "platform/toolbox/Files.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ChildProcesses.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace killedreplace
{

inline ReplaceStep sStopAt = ReplaceStep::kReplaced;

inline void StopHere(ReplaceStep inStep)
{
	if (inStep == sStopAt)
		raise(SIGKILL);
}

// True when the child was killed at the step (the operation reached it).
inline bool KilledAt(ReplaceStep inStep, const std::function<void()>& inOperation)
{
	const pid_t child = ChildProcesses::Fork();
	if (child == 0) {
		sStopAt = inStep;
		SetReplaceStepHook(&StopHere);
		inOperation();
		_exit(0);
	}
	int status = 0;
	if (!ChildProcesses::EndsWithin(child, std::chrono::seconds(60), &status)) {
		ChildProcesses::Stop(child, SIGKILL);
		return false;
	}
	return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

inline constexpr ReplaceStep kEverySteps[] = {ReplaceStep::kResolved,        ReplaceStep::kCopyCreated,
                                              ReplaceStep::kCopyMade,        ReplaceStep::kCopyWritten,
                                              ReplaceStep::kKeptCopyWritten, ReplaceStep::kFormerKept,
                                              ReplaceStep::kReplaced};

// Writes the bytes at the replacement's mark and ends it, the copy taking the file's place.
inline OSErr Replace(SInt16 inRef, const std::string& inBytes)
{
	SInt32 count = SInt32(inBytes.size());
	if (OSErr err = FSWrite(inRef, &count, inBytes.data()); err != noErr)
		return err;
	return FSClose(inRef);
}

inline std::vector<std::string> Entries(const std::string& inFolder)
{
	std::vector<std::string> names;
	for (const auto& entry : std::filesystem::directory_iterator(inFolder))
		names.push_back(entry.path().filename().string());
	std::sort(names.begin(), names.end());
	return names;
}

// The wall clock moved minutes later, the ticks left running: every file changed until now looks as old as
// what a crash left long ago.
class StLaterWallClock : public TickSource
{
public:
	explicit StLaterWallClock(SInt64 inMinutes = 10)
	    : mLater(WallClockMilliseconds() + inMinutes * 60000 - SInt64(TickCount()) * 50 / 3),
	      mPrevious(SetTickSource(this))
	{
	}
	~StLaterWallClock() override { SetTickSource(mPrevious); }
	UInt64 Ticks() override
	{
		using namespace std::chrono;
		return UInt64(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count()) *
		       60 / 1'000'000;
	}
	SInt64 WallMilliseconds() override { return mLater + SInt64(Ticks()) * 50 / 3; }

private:
	SInt64 mLater;
	TickSource* mPrevious;
};

// A copy as a save under way holds it, open and locked; the descriptor is the writer's to close.
inline int HeldCopy(const std::string& inPath, const std::string& inContents)
{
	const int fd = open(inPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
	if (fd >= 0 && (flock(fd, LOCK_EX) != 0 || write(fd, inContents.data(), inContents.size()) < 0)) {
		close(fd);
		return -1;
	}
	return fd;
}

// Another process's shared lock on every new copy in a folder from the moment it is made (as another run's
// sweep, stopped while it looks at the copy, holds it), for the object's life; and the modes the copies had
// until they took their files' places.
class StHeldCopies
{
public:
	explicit StHeldCopies(const std::string& inFolder) : mPrevious(SetReplaceStepHook(&Hold))
	{
		sFolder = inFolder;
		sHolding = true;
		sSeen.clear();
		sModes.clear();
	}
	~StHeldCopies()
	{
		Release();
		SetReplaceStepHook(mPrevious);
	}
	StHeldCopies(const StHeldCopies&) = delete;
	StHeldCopies& operator=(const StHeldCopies&) = delete;

	// Lets the copies go, so that what waits for them goes on; inForGood: holds no more.
	void Release(bool inForGood = false)
	{
		if (inForGood)
			sHolding = false;
		for (int fd : sHeld)
			close(fd);
		sHeld.clear();
	}
	static size_t CountSeen() { return sSeen.size(); }
	static const std::vector<mode_t>& Modes() { return sModes; }

private:
	static void Hold(ReplaceStep inStep)
	{
		if (inStep != ReplaceStep::kCopyCreated && inStep != ReplaceStep::kCopyMade)
			return;
		for (const std::string& name : Entries(sFolder)) {
			const std::string path = sFolder + "/" + name;
			if (name[0] != '.' || name.find(".vantorel-save-") == std::string::npos)
				continue;
			struct stat st;
			if (lstat(path.c_str(), &st) == 0)
				sModes.push_back(st.st_mode & 07777);
			if (inStep != ReplaceStep::kCopyCreated || !sHolding ||
			    std::find(sSeen.begin(), sSeen.end(), name) != sSeen.end())
				continue;
			sSeen.push_back(name);
			const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
			if (fd >= 0 && flock(fd, LOCK_SH | LOCK_NB) == 0)
				sHeld.push_back(fd);
			else if (fd >= 0)
				close(fd);
		}
	}

	static inline std::atomic<bool> sHolding = false;
	static inline std::string sFolder;
	static inline std::vector<std::string> sSeen;
	static inline std::vector<int> sHeld;
	static inline std::vector<mode_t> sModes;
	ReplaceStepHook mPrevious;
};

// A bindfs mount of inUnder on inMount (both made already) with the options given, for the object's life. Its
// daemon runs in the foreground as the test's child: on every way out the mount is undone and the daemon
// ended. Where none could be made, Why() says what was missing.
class StBindfsMount
{
public:
	StBindfsMount(const std::string& inUnder, const std::string& inMount,
	              std::vector<std::string> inOptions)
	    : mMount(std::filesystem::weakly_canonical(inMount))
	{
		if (access("/dev/fuse", R_OK | W_OK) != 0) {
			mWhy = "this user cannot open /dev/fuse";
			return;
		}
		std::vector<std::string> args = {"bindfs", "-f"};
		// bindfs asks for allow_other unless told not to, which only root gets by default.
		if (std::find(inOptions.begin(), inOptions.end(), "allow_other") == inOptions.end())
			args.push_back("--no-allow-other");
		args.insert(args.end(), inOptions.begin(), inOptions.end());
		args.insert(args.end(), {inUnder, inMount});
		std::vector<char*> argv;
		for (std::string& arg : args)
			argv.push_back(arg.data());
		argv.push_back(nullptr);
		const std::string said = inMount + ".said";
		const int out = open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
		mDaemon = ChildProcesses::Fork();
		if (mDaemon == 0) {
			dup2(out, 1);
			dup2(out, 2);
			execvp(argv[0], argv.data());
			_exit(127);
		}
		close(out);
		const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
		while (!Mounted()) {
			int status = 0;
			if (ChildProcesses::Ended(mDaemon, &status)) {
				mDaemon = -1;
				std::ifstream in(said);
				mWhy = WIFEXITED(status) && WEXITSTATUS(status) == 127
				           ? "bindfs is not installed"
				           : "bindfs could not mount here: " +
				                 std::string(std::istreambuf_iterator<char>(in), {});
				return;
			}
			if (std::chrono::steady_clock::now() > bound) {
				mWhy = "bindfs did not mount within 10 s";
				return;
			}
			usleep(10'000);
		}
	}
	~StBindfsMount()
	{
		if (mDaemon < 0)
			return;
		// Root undoes the mount itself; another user's daemon undoes its own when it is ended.
		umount2(mMount.c_str(), 0);
		ChildProcesses::Stop(mDaemon, SIGTERM, std::chrono::seconds(10));
		if (Mounted())
			umount2(mMount.c_str(), MNT_DETACH);
	}
	StBindfsMount(const StBindfsMount&) = delete;
	StBindfsMount& operator=(const StBindfsMount&) = delete;

	// Empty when the mount stands.
	const std::string& Why() const { return mWhy; }

private:
	// From the kernel's table, never by a look at the mount, which a daemon that hangs would not answer.
	bool Mounted() const
	{
		std::ifstream table("/proc/self/mountinfo");
		std::string line, field;
		while (std::getline(table, line)) {
			std::istringstream fields(line);
			for (int i = 0; i < 5; ++i)
				fields >> field;
			if (Unescaped(field) == mMount)
				return true;
		}
		return false;
	}

	// The table writes a space, tab, newline and backslash of a path as \040, \011, \012 and \134.
	static std::string Unescaped(const std::string& inField)
	{
		std::string path;
		for (size_t i = 0; i < inField.size(); ++i) {
			const std::string code = inField.substr(i + 1, 3);
			if (inField[i] == '\\' && code.size() == 3 &&
			    code.find_first_not_of("01234567") == std::string::npos) {
				path += char(std::stoi(code, nullptr, 8));
				i += 3;
			} else {
				path += inField[i];
			}
		}
		return path;
	}

	std::string mMount;
	pid_t mDaemon = -1;
	std::string mWhy;
};

} // namespace killedreplace
