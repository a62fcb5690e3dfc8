#pragma once
// A private folder for one test, with the user's folders (home, preferences, temporary) moved inside it,
// and small helpers to make and read its files behind the file object's back.

#include "foundation/TVyFile.h"
#include "platform/toolbox/Files.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

class ScratchFolder
{
public:
	// HOME, the preferences, runtime and data folders and TMPDIR all point inside the scratch folder:
	// <root>/home, <root>/config, <root>/runtime, <root>/data and <root> itself.
	ScratchFolder()
	{
		// Under TMPDIR when set, so that the whole suite can be run on another file system.
		std::string pattern = Base() + "/vantorel-test-XXXXXX";
		// Without the folder the test ends here, its reason reported, before anything is redirected:
		// it would otherwise work in the user's own folders.
		if (mkdtemp(pattern.data()) == nullptr)
			throw std::runtime_error("no scratch folder could be made as " + pattern + ": " +
			                         std::strerror(errno));
		mPath = pattern;
		// The FUSE pass names the folder that TMPDIR's mount shows, so that a test can change a file
		// behind the mount's back as another program on that machine would.
		const char* backing = std::getenv("VANTOREL_TEST_BACKING_DIR");
		mBacking = backing && *backing ? backing + mPath.substr(mPath.rfind('/')) : mPath;
		// A full disk still makes folders (on tmpfs) but no file in them: the test ends here all the
		// same.
		const std::string probe = mPath + "/.probe";
		const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
		const ssize_t wrote = fd >= 0 ? write(fd, kProbe, sizeof kProbe) : -1;
		bool made = wrote == ssize_t(sizeof kProbe);
		if (wrote >= 0 && !made)
			errno = ENOSPC; // a short write says no more
		if (fd >= 0 && close(fd) != 0)
			made = false;
		// Qt warns about a runtime folder that others may read. Made so, not changed after: a disk
		// may refuse every change of mode.
		made = made && unlink(probe.c_str()) == 0 && mkdir((mPath + "/config").c_str(), 0777) == 0 &&
		       mkdir((mPath + "/runtime").c_str(), 0700) == 0;
		if (!made) {
			const std::string reason = std::strerror(errno);
			std::error_code ignored;
			std::filesystem::remove_all(mPath, ignored);
			throw std::runtime_error("no scratch folder could be made as " + mPath + ": " +
			                         reason);
		}
		Redirect("HOME", mPath + "/home");
		Redirect("XDG_CONFIG_HOME", mPath + "/config");
		Redirect("XDG_RUNTIME_DIR", mPath + "/runtime");
		Redirect("XDG_DATA_HOME", mPath + "/data");
		Redirect("TMPDIR", mPath);
		if (backing && *backing)
			Redirect("VANTOREL_TEST_BACKING_DIR", mBacking);
	}
	~ScratchFolder()
	{
		for (auto& [name, value] : mSaved) {
			if (value)
				setenv(name.c_str(), value->c_str(), 1);
			else
				unsetenv(name.c_str());
		}
		RemoveAsListed(mPath);
	}
	ScratchFolder(const ScratchFolder&) = delete;
	ScratchFolder& operator=(const ScratchFolder&) = delete;

	// The folder scratch folders are made in.
	static std::string Base()
	{
		const char* base = std::getenv("TMPDIR");
		return base && *base ? base : "/tmp";
	}

	std::string Path(const std::string& name = "") const
	{
		return name.empty() ? mPath : mPath + "/" + name;
	}

	// The same file as seen behind the FUSE mount the folder is on, or the folder's own path.
	std::string Backing(const std::string& name = "") const
	{
		return name.empty() ? mBacking : mBacking + "/" + name;
	}

	void Write(const std::string& name, const std::string& bytes) const
	{
		std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
		out << bytes;
	}
	std::string Read(const std::string& name) const
	{
		std::ifstream in(Path(name), std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}
	bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }
	void MakeFolder(const std::string& name) const { std::filesystem::create_directories(Path(name)); }

	// A file object naming the file (or folder) at that path inside the scratch folder.
	std::unique_ptr<TVyFile> File(const std::string& name) const
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(Path(name), &spec), noErr) << name;
		return std::make_unique<TVyFile>(&spec);
	}

private:
	// Each folder is listed once: on FUSE a file still open, as a failed test may leave one, is not
	// removed but renamed to a new hidden name at every try, which a removal listing again would chase.
	static void RemoveAsListed(const std::filesystem::path& inPath)
	{
		std::error_code ignored;
		if (std::filesystem::is_directory(std::filesystem::symlink_status(inPath, ignored))) {
			std::vector<std::filesystem::path> entries;
			for (std::filesystem::directory_iterator it(inPath, ignored), end;
			     !ignored && it != end; it.increment(ignored))
				entries.push_back(it->path());
			for (const auto& entry : entries)
				RemoveAsListed(entry);
		}
		std::filesystem::remove(inPath, ignored);
	}
	void Redirect(const char* name, const std::string& value)
	{
		const char* old = std::getenv(name);
		mSaved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
		setenv(name, value.c_str(), 1);
	}

	static constexpr char kProbe[4096] = {};

	std::string mPath;
	std::string mBacking;
	std::vector<std::pair<std::string, std::optional<std::string>>> mSaved;
};

// Makes every write that would take a file past the limit fail (as a full disk would), while it lives.
class StFileSizeLimit
{
public:
	explicit StFileSizeLimit(rlim_t limit)
	{
		getrlimit(RLIMIT_FSIZE, &mOld);
		mOldHandler = std::signal(SIGXFSZ, SIG_IGN);
		rlimit lower = mOld;
		lower.rlim_cur = limit;
		setrlimit(RLIMIT_FSIZE, &lower);
	}
	~StFileSizeLimit()
	{
		setrlimit(RLIMIT_FSIZE, &mOld);
		std::signal(SIGXFSZ, mOldHandler);
	}
	StFileSizeLimit(const StFileSizeLimit&) = delete;
	StFileSizeLimit& operator=(const StFileSizeLimit&) = delete;

private:
	rlimit mOld{};
	void (*mOldHandler)(int) = nullptr;
};
