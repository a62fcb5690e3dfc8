#pragma once
// Runs a file operation in a child process that is killed, as a crash or a power cut would stop it, when a
// replacement reaches the given step; lists a folder, to see what such a kill left; and makes copies that
// look like those of a save long killed or of one under way; holds new copies as another process would.

#include "platform/toolbox/Files.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ChildProcesses.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/file.h>
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

} // namespace killedreplace
