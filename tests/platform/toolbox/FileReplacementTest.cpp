#include "platform/toolbox/Files.h"
#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/ChildProcesses.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/TempHomeFixture.h"

#include <array>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <grp.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{

using killedreplace::Entries;
using killedreplace::Replace;

class FileReplacementTest : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		mDir = FolderIDTable::IDForPath(mWork);
	}
	void TearDown() override
	{
		SetReplaceStepHook(nullptr);
		TempHomeFixture::TearDown();
	}

	const unsigned char* P(const std::string& text)
	{
		auto& p = mNames.emplace_back(text.size() + 1, 0);
		p[0] = UInt8(text.size());
		std::memcpy(p.data() + 1, text.data(), text.size());
		return p.data();
	}

	static mode_t Mode(const std::string& path)
	{
		struct stat st = {};
		lstat(path.c_str(), &st);
		return st.st_mode & 07777;
	}

	// An ACL as the system stores it, from entries of tag, permissions and id.
	static std::vector<char> Acl(std::initializer_list<std::array<UInt32, 3>> entries)
	{
		std::vector<char> bytes = {2, 0, 0, 0};
		for (const auto& [tag, perm, id] : entries)
			for (UInt32 value : {tag | perm << 16, id})
				for (int i = 0; i < 4; ++i)
					bytes.push_back(char(value >> 8 * i));
		return bytes;
	}
	static std::vector<char> AccessAcl(const std::string& path)
	{
		std::vector<char> bytes(256);
		const ssize_t n =
		    getxattr(path.c_str(), "system.posix_acl_access", bytes.data(), bytes.size());
		bytes.resize(size_t(std::max<ssize_t>(n, 0)));
		return bytes;
	}

	SInt32 mDir = 0;
	std::vector<std::vector<unsigned char>> mNames;
};

// Another run of the user's, stopped while its sweep looked at each new copy, holds a shared lock on it from
// the moment it is made: a save, a new file and a printout neither wait for it nor fail. The copy of a
// replaced file is never open to more than that file; a new file's copy has a new file's mode throughout.
TEST_F(FileReplacementTest, ACopyHeldFromItsFirstMomentIsNotWaitedForAndIsNeverOpenToMoreThanItsFile)
{
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	WriteText(mWork + "/Savings", "former");
	ASSERT_EQ(chmod((mWork + "/Savings").c_str(), 0640), 0);
	killedreplace::StHeldCopies held(mWork);
	const mode_t mask = umask(0);
	umask(mask);
	struct Case {
		const char* name;
		mode_t copyMode;
		std::function<OSErr()> write;
	};
	const Case cases[] = {
	    {"a save", 0640 & ~mask,
	     [&] {
		     SInt16 ref = 0;
		     const OSErr err = HOpenReplacement(0, mDir, P("Savings"), &ref);
		     return err != noErr ? err : (SetEOF(ref, 0), Replace(ref, "saved"));
	     }},
	    {"a new file", 0666 & ~mask,
	     [&] {
		     SInt16 ref = 0;
		     const OSErr err = HOpenNewReplacement(0, mDir, P("New"), &ref);
		     return err != noErr ? err : Replace(ref, "new");
	     }},
	    {"a printout", 0666 & ~mask,
	     [&] {
		     SInt16 ref = 0;
		     int writer = -1;
		     const OSErr err = PathOpenReplacement(mWork + "/Printout", false, &ref, &writer);
		     if (err != noErr)
			     return err;
		     const bool written = write(writer, "%PDF", 4) == 4;
		     close(writer);
		     return written ? FSClose(ref) : OSErr(ioErr);
	     }},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.name);
		const size_t modes = held.Modes().size();
		auto done = std::async(std::launch::async, c.write);
		const bool ended = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
		// Lets a save that waits go on, so that the test ends either way.
		held.Release();
		ASSERT_TRUE(ended) << "it waited for another process's lock";
		EXPECT_EQ(done.get(), noErr);
		ASSERT_GT(held.Modes().size(), modes);
		for (size_t i = modes; i < held.Modes().size(); ++i)
			EXPECT_EQ(held.Modes()[i], c.copyMode);
	}
	EXPECT_EQ(ReadText(mWork + "/Savings"), "saved");
	EXPECT_EQ(ReadText(mWork + "/New"), "new");
	EXPECT_EQ(ReadText(mWork + "/Printout"), "%PDF");
	EXPECT_EQ(Mode(mWork + "/Savings"), 0640u);
	EXPECT_EQ(Mode(mWork + "/New"), 0666u & ~mask);
	EXPECT_EQ(Mode(mWork + "/Printout"), 0666u & ~mask);
	// The copies given up for others are gone.
	EXPECT_EQ(Entries(mWork), (std::vector<std::string>{"New", "Printout", "Savings"}));
}

// A new file made through a copy gets what the folder's default ACL gives a file made there directly. A
// replaced file keeps its own ACL, or its lack of one: the user the folder's ACL names is not let in.
TEST_F(FileReplacementTest, ANewFileGetsTheFoldersDefaultAccessAndAReplacedOneKeepsItsOwn)
{
	enum : UInt32 { kOwner = 0x01, kUser = 0x02, kGroup = 0x04, kMask = 0x10, kOthers = 0x20 };
	constexpr UInt32 kNone = 0xFFFFFFFF;
	const std::string folder = mWork + "/shared";
	std::filesystem::create_directory(folder);
	WriteText(folder + "/plain", "plain");
	WriteText(folder + "/own", "own");
	const std::vector<char> own = Acl({{kOwner, 6, kNone},
	                                   {kUser, 4, 4243},
	                                   {kGroup, 4, kNone},
	                                   {kMask, 4, kNone},
	                                   {kOthers, 0, kNone}});
	if (setxattr((folder + "/own").c_str(), "system.posix_acl_access", own.data(), own.size(), 0) != 0)
		GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
	const std::vector<char> shared = Acl({{kOwner, 7, kNone},
	                                      {kUser, 6, 4242},
	                                      {kGroup, 5, kNone},
	                                      {kMask, 7, kNone},
	                                      {kOthers, 4, kNone}});
	if (setxattr(folder.c_str(), "system.posix_acl_default", shared.data(), shared.size(), 0) != 0)
		GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
	ASSERT_EQ(chmod((folder + "/plain").c_str(), 0640), 0);
	const int direct = open((folder + "/direct").c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
	ASSERT_GE(direct, 0);
	close(direct);
	const SInt32 dir = FolderIDTable::IDForPath(folder);
	SInt16 ref = 0;
	ASSERT_EQ(HOpenNewReplacement(0, dir, P("copied"), &ref), noErr);
	ASSERT_EQ(Replace(ref, "x"), noErr);
	EXPECT_EQ(Mode(folder + "/copied"), Mode(folder + "/direct"));
	EXPECT_FALSE(AccessAcl(folder + "/direct").empty());
	EXPECT_EQ(AccessAcl(folder + "/copied"), AccessAcl(folder + "/direct"));

	for (const char* name : {"plain", "own"}) {
		SCOPED_TRACE(name);
		ASSERT_EQ(HOpenReplacement(0, dir, P(name), &ref), noErr);
		ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
		ASSERT_EQ(Replace(ref, "!"), noErr);
		EXPECT_EQ(Mode(folder + "/" + name), 0640u);
	}
	EXPECT_EQ(ReadText(folder + "/plain"), "plain!");
	EXPECT_EQ(AccessAcl(folder + "/plain"), std::vector<char>());
	EXPECT_EQ(AccessAcl(folder + "/own"), own);
}

// Where the disk lets no ACL be set or removed (extended attributes read-only, as some FUSE and network file
// systems keep them), a replaced file whose copy took the folder's default ACL is saved where that names no
// one the former file's ACL did not, and is otherwise refused and left as it was: nobody new is let in.
TEST_F(FileReplacementTest, WhereNoACLCanBeSetAReplacedFileLetsInNobodyItsOwnDidNot)
{
	enum : UInt32 { kOwner = 0x01, kUser = 0x02, kGroup = 0x04, kMask = 0x10, kOthers = 0x20 };
	constexpr UInt32 kNone = 0xFFFFFFFF;
	const std::string under = mWork + "/under", mount = mWork + "/mount";
	std::filesystem::create_directories(under);
	std::filesystem::create_directories(mount);
	auto naming = [&](UInt32 user) {
		return Acl({{kOwner, 6, kNone},
		            {kUser, 6, user},
		            {kGroup, 4, kNone},
		            {kMask, 6, kNone},
		            {kOthers, 0, kNone}});
	};
	const std::vector<char> inherited = naming(4243);
	if (setxattr(under.c_str(), "system.posix_acl_default", inherited.data(), inherited.size(), 0) != 0)
		GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
	for (const UInt32 user : {4243u, 4242u}) {
		const std::vector<char> own = naming(user);
		const std::string name = "doc" + std::to_string(user);
		WriteText(under + "/" + name, "former");
		ASSERT_EQ(setxattr((under + "/" + name).c_str(), "system.posix_acl_access", own.data(),
		                   own.size(), 0),
		          0);
	}
	killedreplace::StBindfsMount mounted(under, mount, {"--xattr-ro"});
	if (!mounted.Why().empty())
		GTEST_SKIP() << mounted.Why();
	const SInt32 dir = FolderIDTable::IDForPath(mount);
	for (const UInt32 user : {4243u, 4242u}) {
		const bool same = user == 4243;
		const std::string name = "doc" + std::to_string(user);
		SCOPED_TRACE(name);
		SInt16 ref = 0;
		const OSErr err = HOpenReplacement(0, dir, P(name), &ref);
		if (err == noErr) {
			ASSERT_EQ(SetEOF(ref, 0), noErr);
			EXPECT_EQ(Replace(ref, "saved"), same ? OSErr(noErr) : OSErr(permErr));
		} else {
			EXPECT_FALSE(same) << err;
		}
		EXPECT_EQ(ReadText(under + "/" + name), same ? "saved" : "former");
		EXPECT_EQ(AccessAcl(under + "/" + name), naming(user));
		EXPECT_EQ(Mode(under + "/" + name), 0660u);
	}
	EXPECT_EQ(Entries(under), (std::vector<std::string>{"doc4242", "doc4243"}));
}

// In a folder a group shares, on a disk that keeps each file's mode but refuses to change it, a member's save
// over another's file leaves it open to the group as before, its former owner included, and no wider; the
// owner's own save leaves his file's mode as it was. The users share it as such users do, with umask 002.
TEST_F(FileReplacementTest, OnADiskThatRefusesModesASharedFileStaysOpenToItsGroup)
{
	if (geteuid() != 0)
		GTEST_SKIP() << "only root can save as two users of one group";
	constexpr uid_t kOwner = 4242, kMember = 4243;
	constexpr gid_t kShared = 4244;
	const std::string under = mWork + "/under", mount = mWork + "/mount";
	std::filesystem::create_directories(under);
	std::filesystem::create_directories(mount);
	// The users must reach the mount through the scratch folder.
	for (const std::string& folder : {mRoot, mWork})
		if (chmod(folder.c_str(), 0711) != 0)
			GTEST_SKIP() << "the scratch folder cannot be opened to other users: "
			             << std::strerror(errno);
	if (chown(under.c_str(), 0, kShared) != 0 || chmod(under.c_str(), 0775) != 0)
		GTEST_SKIP() << "the shared folder cannot be given to a group here: " << std::strerror(errno);
	killedreplace::StBindfsMount mounted(under, mount, {"--chmod-deny", "-o", "allow_other"});
	if (!mounted.Why().empty())
		GTEST_SKIP() << mounted.Why();
	const SInt32 dir = FolderIDTable::IDForPath(mount);
	// 0 where the user's save went through, 1 where it was refused, 2 where the user cannot reach the
	// folder.
	auto saveAs = [&](uid_t user) {
		const pid_t child = ChildProcesses::Fork();
		if (child == 0) {
			umask(002);
			if (setgroups(1, &kShared) != 0 || setresgid(kShared, kShared, kShared) != 0 ||
			    setresuid(user, user, user) != 0 || access(mount.c_str(), W_OK | X_OK) != 0)
				_exit(2);
			SInt16 ref = 0;
			_exit(HOpenReplacement(0, dir, P("Shared"), &ref) == noErr &&
			              SetEOF(ref, 0) == noErr &&
			              Replace(ref, "by " + std::to_string(user)) == noErr
			          ? 0
			          : 1);
		}
		int status = -1;
		if (!ChildProcesses::EndsWithin(child, std::chrono::seconds(20), &status))
			ChildProcesses::Stop(child, SIGKILL);
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	};
	for (const uid_t saver : {kMember, kOwner}) {
		SCOPED_TRACE(saver == kOwner ? "the owner's save" : "a member's save");
		WriteText(under + "/Shared", "the owner's");
		ASSERT_EQ(chown((under + "/Shared").c_str(), kOwner, kShared), 0);
		ASSERT_EQ(chmod((under + "/Shared").c_str(), 0664), 0);
		const int saved = saveAs(saver);
		if (saved == 2)
			GTEST_SKIP() << "the scratch folder's path is closed to other users";
		EXPECT_EQ(saved, 0);
		EXPECT_EQ(ReadText(under + "/Shared"), "by " + std::to_string(saver));
		struct stat st;
		ASSERT_EQ(stat((under + "/Shared").c_str(), &st), 0);
		EXPECT_EQ(st.st_gid, kShared);
		EXPECT_EQ(st.st_mode & 07777, 0664u);
		// Its former owner reads and writes it still.
		const pid_t child = ChildProcesses::Fork();
		if (child == 0)
			_exit(setresgid(kOwner, kOwner, kOwner) == 0 && setgroups(1, &kShared) == 0 &&
			              setresuid(kOwner, kOwner, kOwner) == 0 &&
			              access((mount + "/Shared").c_str(), R_OK | W_OK) == 0
			          ? 0
			          : 1);
		int status = -1;
		ASSERT_TRUE(ChildProcesses::EndsWithin(child, std::chrono::seconds(10), &status));
		EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
	}
	EXPECT_EQ(Entries(under), std::vector<std::string>{"Shared"});
}

// Links are followed to where the kernel would go: through folders, chains and "..", relative or absolute;
// one that leads nowhere, or round in a loop, names nothing to replace, and nothing is made.
TEST_F(FileReplacementTest, ALinkLeadsWhereTheKernelWouldFollowIt)
{
	namespace fs = std::filesystem;
	fs::create_directories(mWork + "/real/deep");
	WriteText(mWork + "/real/doc", "old");
	fs::create_directory_symlink("real", mWork + "/via");
	fs::create_symlink("chain2", mWork + "/chain1");
	fs::create_symlink(mWork + "/via/doc", mWork + "/chain2");
	fs::create_directory_symlink("real/deep", mWork + "/jump");
	fs::create_symlink("jump/../doc", mWork + "/back");
	fs::create_symlink("nowhere", mWork + "/dangling");
	fs::create_symlink("gone/doc", mWork + "/dangling2");
	fs::create_symlink("loop2", mWork + "/loop1");
	fs::create_symlink("loop1", mWork + "/loop2");
	fs::create_symlink("real/doc/", mWork + "/slashed");

	auto write = [&](const std::string& path, const std::string& bytes) {
		SInt16 ref = 0;
		int writer = -1;
		OSErr err = PathOpenReplacement(mWork + "/" + path, false, &ref, &writer);
		if (err != noErr)
			return err;
		close(writer);
		SInt32 count = SInt32(bytes.size());
		err = FSWrite(ref, &count, bytes.data());
		return err != noErr ? err : FSClose(ref);
	};
	EXPECT_EQ(write("via/doc", "1"), noErr);
	EXPECT_EQ(ReadText(mWork + "/real/doc"), "1");
	EXPECT_EQ(write("chain1", "2"), noErr);
	EXPECT_EQ(ReadText(mWork + "/real/doc"), "2");
	// ".." in a link after a link is the parent of where that link led.
	EXPECT_EQ(write("back", "3"), noErr);
	EXPECT_EQ(ReadText(mWork + "/real/doc"), "3");
	EXPECT_EQ(write("jump/made", "4"), noErr);
	EXPECT_EQ(ReadText(mWork + "/real/deep/made"), "4");

	EXPECT_EQ(write("dangling", "x"), fsDanglingLinkErr);
	EXPECT_EQ(write("dangling2", "x"), fsDanglingLinkErr);
	EXPECT_NE(write("loop1", "x"), noErr);
	EXPECT_EQ(write("missing/doc", "x"), dirNFErr);
	EXPECT_EQ(write("real/doc/x", "x"), dirNFErr);
	// A closing "/" asks for a folder, and a file is not one.
	EXPECT_EQ(write("slashed", "x"), dirNFErr);
	EXPECT_EQ(ReadText(mWork + "/real/doc"), "3");
	EXPECT_EQ(Entries(mWork),
	          (std::vector<std::string>{"back", "chain1", "chain2", "dangling", "dangling2", "jump",
	                                    "loop1", "loop2", "real", "slashed", "via"}));
	EXPECT_EQ(Entries(mWork + "/real"), (std::vector<std::string>{"deep", "doc"}));
	EXPECT_EQ(Entries(mWork + "/real/deep"), (std::vector<std::string>{"made"}));
	for (const char* link : {"back", "chain1", "chain2", "via", "dangling"})
		EXPECT_TRUE(fs::is_symlink(mWork + "/" + link)) << link;
}

// In a folder that is sticky and writable by all (as /tmp), a link that neither the user nor the folder's
// owner made is not followed, whether or not the machine's own rule is on: root's Ctrl+S onto such a link
// leaves the file it names as it is. The user's own link there is followed.
TEST_F(FileReplacementTest, AnotherUsersLinkInAFolderOpenToAllIsNotFollowed)
{
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	const std::string shared = mWork + "/shared";
	std::filesystem::create_directory(shared);
	ASSERT_EQ(chmod(mWork.c_str(), 0755), 0);
	ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
	WriteText(mWork + "/secret", "root only");
	ASSERT_EQ(chmod((mWork + "/secret").c_str(), 0600), 0);
	std::filesystem::create_symlink(mWork + "/secret", shared + "/mine");
	std::filesystem::create_symlink(mWork + "/secret", shared + "/theirs");
	const SInt32 folder = FolderIDTable::IDForPath(shared);

	SInt16 ref = 0;
	ASSERT_EQ(HOpenReplacement(0, folder, P("mine"), &ref), noErr);
	ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
	ASSERT_EQ(Replace(ref, "!"), noErr);
	EXPECT_EQ(ReadText(mWork + "/secret"), "root only!");

	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kGiveAway); !why.empty())
		GTEST_SKIP() << why;
	ASSERT_EQ(lchown((shared + "/theirs").c_str(), 65534, 65534), 0);
	EXPECT_EQ(HOpenReplacement(0, folder, P("theirs"), &ref), fsUntrustedLinkErr);
	int writer = -1;
	EXPECT_EQ(PathOpenReplacement(shared + "/theirs", false, &ref, &writer), fsUntrustedLinkErr);
	EXPECT_EQ(writer, -1);
	EXPECT_EQ(ReadText(mWork + "/secret"), "root only!");
	// The folder's owner's link is trusted, and so is any link where the folder is not open to all.
	ASSERT_EQ(chown(shared.c_str(), 65534, 65534), 0);
	ASSERT_EQ(HOpenReplacement(0, folder, P("theirs"), &ref), noErr);
	ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
	ASSERT_EQ(Replace(ref, "?"), noErr);
	EXPECT_EQ(ReadText(mWork + "/secret"), "root only!?");
	ASSERT_EQ(chown(shared.c_str(), 0, 0), 0);
	ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
	EXPECT_EQ(HOpenReplacement(0, folder, P("theirs"), &ref), noErr);
	EXPECT_EQ(FSCloseDiscarding(ref), noErr);
	EXPECT_EQ(Entries(shared), (std::vector<std::string>{"mine", "theirs"}));
}

} // namespace
