#include "app/UPrefsFolder.h"

#include "tests/support/ChildProcesses.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/ScratchFolder.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// The lock that keeps a second run off the settings is open to nobody else: another user who may read the
// folder could otherwise hold it and keep every run out. One that root made in a user's folder (a run through
// sudo) becomes the user's, so that the user's runs can still take it.
TEST(UPrefsFolderTest, TheSettingsLockIsOpenToNobodyElseAndStaysTheFolderOwners)
{
	ScratchFolder scratch;
	if (const std::string why = DiskAbilities::WhyNot(scratch.Path(), DiskAbilities::kSetMode);
	    !why.empty())
		GTEST_SKIP() << why;
	const std::string folder = scratch.Path("config/Vantorel Prefs \xC6\x92");
	std::filesystem::create_directories(folder);
	const std::string lock = folder + "/.vantorel-lock";
	// As an earlier version made it: readable by all.
	std::ofstream(lock) << "";
	ASSERT_EQ(chmod(lock.c_str(), 0644), 0);
	const bool givesAway = DiskAbilities::WhyNot(scratch.Path(), DiskAbilities::kGiveAway).empty();
	if (givesAway) {
		ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
	}

	// Taken by a run of its own, whose lock goes with it.
	const pid_t run = ChildProcesses::Fork();
	if (run == 0) {
		std::string path, reason;
		long holder = 0;
		const bool taken =
		    UPrefsFolder::LockForThisRun(&path, &holder, &reason) == UPrefsFolder::ELock::kTaken;
		// Nobody else gets even a shared lock while the run holds it.
		const int other = open(lock.c_str(), O_RDONLY | O_CLOEXEC);
		const bool alone = other >= 0 && flock(other, LOCK_SH | LOCK_NB) != 0;
		_exit(taken && path == folder ? alone ? 0 : 2 : 1);
	}
	int status = 0;
	ASSERT_TRUE(ChildProcesses::EndsWithin(run, std::chrono::seconds(30), &status));
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
	struct stat st;
	ASSERT_EQ(stat(lock.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 07777, 0600u);
	if (givesAway) {
		EXPECT_EQ(st.st_uid, 65534u);
		EXPECT_EQ(st.st_gid, 65534u);
	}
}

} // namespace
