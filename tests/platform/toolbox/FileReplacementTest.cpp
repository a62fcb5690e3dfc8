#include "platform/toolbox/FileAccess.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/ChildProcesses.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/TempHomeFixture.h"

#include <acl/libacl.h>
#include <array>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <grp.h>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <poll.h>
#include <pwd.h>
#include <set>
#include <sys/acl.h>
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

	static bool ReadAccess(const std::string& path, fileaccess::FileAccess* access)
	{
		const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
		const bool read = fd >= 0 && fileaccess::ReadAccess(fd, access);
		if (fd >= 0)
			close(fd);
		return read;
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
		EXPECT_EQ(err, same ? OSErr(noErr) : fsRightsNotKeptErr);
		if (err == noErr) {
			ASSERT_EQ(SetEOF(ref, 0), noErr);
			EXPECT_EQ(Replace(ref, "saved"), noErr);
		}
		EXPECT_EQ(ReadText(under + "/" + name), same ? "saved" : "former");
		EXPECT_EQ(AccessAcl(under + "/" + name), naming(user));
		EXPECT_EQ(Mode(under + "/" + name), 0660u);
	}
	EXPECT_EQ(Entries(under), (std::vector<std::string>{"doc4242", "doc4243"}));
}

// Two accounts of this machine besides root and this process, each with a login group of its own that the
// other's account is not in; false where there are none.
bool TwoAccounts(struct passwd* a, struct passwd* b)
{
	std::vector<struct passwd> accounts;
	setpwent();
	while (const struct passwd* entry = getpwent())
		if (entry->pw_uid != 0 && entry->pw_uid != geteuid() && entry->pw_gid != 0)
			accounts.push_back(
			    {nullptr, nullptr, entry->pw_uid, entry->pw_gid, nullptr, nullptr, nullptr});
	endpwent();
	auto inGroup = [](uid_t uid, gid_t gid) {
		const struct passwd* entry = getpwuid(uid);
		gid_t groups[256];
		int count = 256;
		if (!entry || getgrouplist(entry->pw_name, entry->pw_gid, groups, &count) < 0)
			return true;
		return std::find(groups, groups + count, gid) != groups + count;
	};
	for (const struct passwd& first : accounts)
		for (const struct passwd& second : accounts)
			if (first.pw_gid != second.pw_gid && !inGroup(second.pw_uid, first.pw_gid) &&
			    !inGroup(first.pw_uid, second.pw_gid)) {
				*a = first;
				*b = second;
				return true;
			}
	return false;
}

// A process of that user with those groups (the first its own) and umask; -1 for this process's own.
struct Saver {
	uid_t uid;
	std::vector<gid_t> groups;
	mode_t umask;

	// The child's answer, or 1 where it could not become that user.
	template <typename Operation> OSErr Run(Operation operation) const
	{
		int answer[2];
		if (pipe2(answer, O_CLOEXEC) != 0)
			return ioErr;
		const pid_t child = ChildProcesses::Fork();
		if (child == 0) {
			::umask(umask);
			OSErr err = 1;
			if (uid == uid_t(-1) || (setgroups(groups.size(), groups.data()) == 0 &&
			                         setresgid(groups[0], groups[0], groups[0]) == 0 &&
			                         setresuid(uid, uid, uid) == 0))
				err = operation();
			_exit(write(answer[1], &err, sizeof err) == sizeof err ? 0 : 1);
		}
		close(answer[1]);
		OSErr err = 1;
		int status = 0;
		if (!ChildProcesses::EndsWithin(child, std::chrono::seconds(20), &status))
			ChildProcesses::Stop(child, SIGKILL);
		if (read(answer[0], &err, sizeof err) != sizeof err)
			err = 1;
		close(answer[0]);
		return err;
	}
};

// What each user and group the file names may do with it is kept through a save or a printout by its owner,
// by root, by a member of its group and by a user its ACL lets write it, on a local disk and on disks that
// refuse chgrp, chmod or ACLs; where it cannot be, nothing is written and the reason says so. An error in
// setting the ACL or the mode fails the save as a failed write would.
TEST_F(FileReplacementTest, WhatEachUserMayDoWithAFileIsKeptThroughASaveOrItIsRefused)
{
	struct passwd a = {}, b = {};
	const bool root = geteuid() == 0;
	const bool accounts = root && TwoAccounts(&a, &b);
	const gid_t shared = a.pw_gid;
	// The user the ACL names, where no second account saves.
	const uid_t named = accounts ? b.pw_uid : geteuid() == 65534 ? 65533 : 65534;
	const std::string under = mWork + "/under", mount = mWork + "/mount";
	std::filesystem::create_directories(under);
	std::filesystem::create_directories(mount);
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	// Other users write the folder; a link on the way would be another's to follow.
	if (root)
		for (const auto& [folder, mode] : {std::pair{mRoot, 0711}, {mWork, 0711}, {under, 0777}})
			if (chmod(folder.c_str(), mode_t(mode)) != 0)
				GTEST_SKIP() << "the scratch folder cannot be opened to other users: "
				             << std::strerror(errno);
	const std::vector<std::string> local, xattrRo = {"--xattr-ro"}, chmodDeny = {"--chmod-deny"},
	                                      bothDeny = {"--chmod-deny", "--chgrp-deny"};
	enum Who { kSelf, kRoot, kOther, kMember, kMemberOfShared };
	enum How { kSave, kPrint };
	struct Case {
		const char* name;
		const std::vector<std::string>& options;
		bool ownedByA; // else by this process, in its group
		mode_t mode;
		bool namesB; // the ACL lets B read and write it and closes its group
		Who who;
		How how;
		AttributeStep step;
		int fault;
		OSErr expected;
	};
	const Case cases[] = {
	    {"root's save over a user's file with an ACL", local, true, 0660, true, kRoot, kSave,
	     AttributeStep::kMode, 0, noErr},
	    {"a save through an ACL entry", local, true, 0660, true, kOther, kSave, AttributeStep::kMode, 0,
	     fsRightsNotKeptErr},
	    {"a printout through an ACL entry", local, true, 0660, true, kOther, kPrint, AttributeStep::kMode,
	     0, fsRightsNotKeptErr},
	    {"a member's save", local, true, 0664, false, kMember, kSave, AttributeStep::kMode, 0, noErr},
	    {"a member's printout where chgrp and chmod are refused", bothDeny, true, 0664, false, kMember,
	     kPrint, AttributeStep::kMode, 0, fsRightsNotKeptErr},
	    {"a save by a member in the shared group where chmod is refused", chmodDeny, true, 0664, false,
	     kMemberOfShared, kSave, AttributeStep::kMode, 0, noErr},
	    {"an ACL closing the group where extended attributes are read-only", xattrRo, false, 0660, true,
	     kSelf, kSave, AttributeStep::kMode, 0, fsRightsNotKeptErr},
	    {"an I/O error setting the ACL", local, false, 0660, true, kSelf, kSave,
	     AttributeStep::kAccessList, EIO, ioErr},
	    {"an I/O error setting the mode", local, false, 0664, false, kSelf, kSave, AttributeStep::kMode,
	     EIO, ioErr},
	};
	const Saver other = {b.pw_uid, {b.pw_gid}, 022};
	const bool reached = accounts && other.Run([&] {
		return access(under.c_str(), W_OK | X_OK) == 0 ? OSErr(noErr) : OSErr(permErr);
	}) == noErr;
	std::string skipped;
	for (const Case& c : cases) {
		SCOPED_TRACE(c.name);
		if ((c.ownedByA || c.who != kSelf) && !reached) {
			skipped += std::string("\n") + c.name +
			           (accounts ? ": the scratch folder's path is closed to other users"
			                     : ": only root can save as two users of this machine");
			continue;
		}
		const std::string file = under + "/Shared";
		std::filesystem::remove(file);
		WriteText(file, "former");
		if (c.ownedByA) {
			ASSERT_EQ(chown(file.c_str(), a.pw_uid, a.pw_gid), 0);
		}
		ASSERT_EQ(chmod(file.c_str(), c.mode), 0);
		if (c.namesB) {
			const std::string text =
			    "u::rw-,u:" + std::to_string(named) + ":rw-,g::---,m::rw-,o::---";
			acl_t acl = acl_from_text(text.c_str());
			const int set = acl_set_file(file.c_str(), ACL_TYPE_ACCESS, acl);
			acl_free(acl);
			if (set != 0) {
				skipped +=
				    std::string("\n") + c.name + ": no ACLs here: " + std::strerror(errno);
				continue;
			}
		}
		fileaccess::FileAccess before, after;
		ASSERT_TRUE(ReadAccess(file, &before));
		std::optional<killedreplace::StBindfsMount> mounted;
		if (!c.options.empty()) {
			std::vector<std::string> options = c.options;
			if (root)
				options.insert(options.end(), {"-o", "allow_other"});
			mounted.emplace(under, mount, options);
			if (!mounted->Why().empty()) {
				skipped += std::string("\n") + c.name + ": " + mounted->Why();
				continue;
			}
		}
		const std::string folder = c.options.empty() ? under : mount;
		const Saver saver = c.who == kSelf || c.who == kRoot ? Saver{uid_t(-1), {}, 022}
		                    : c.who == kOther                ? Saver{b.pw_uid, {b.pw_gid}, 022}
		                    : c.who == kMember ? Saver{b.pw_uid, {b.pw_gid, shared}, 022}
		                                       : Saver{b.pw_uid, {shared}, 002};
		const SInt32 dir = FolderIDTable::IDForPath(folder);
		const OSErr err = saver.Run([&] {
			SetAttributeFault(c.step, c.fault);
			SInt16 ref = 0;
			int writer = -1;
			OSErr opened = c.how == kSave
			                   ? HOpenReplacement(0, dir, P("Shared"), &ref)
			                   : PathOpenReplacement(folder + "/Shared", false, &ref, &writer);
			if (opened != noErr)
				return opened;
			if (writer >= 0)
				close(writer);
			return SetEOF(ref, 0) == noErr ? Replace(ref, "saved") : OSErr(ioErr);
		});
		mounted.reset();
		EXPECT_EQ(err, c.expected);
		const bool saved = c.expected == noErr;
		EXPECT_EQ(ReadText(file), saved ? "saved" : "former");
		EXPECT_EQ(Entries(under), std::vector<std::string>{"Shared"});
		ASSERT_TRUE(ReadAccess(file, &after));
		EXPECT_EQ(after.owner, saved && c.who >= kOther ? b.pw_uid : before.owner);
		EXPECT_EQ(after.group, before.group);
		EXPECT_TRUE(after.SameRights(before))
		    << std::oct << before.Mode() << " became " << after.Mode();
		// Its owner reads and writes it still.
		if (c.ownedByA) {
			const Saver owner = {a.pw_uid, {a.pw_gid}, 022};
			EXPECT_EQ(owner.Run([&] {
				return access(file.c_str(), R_OK | W_OK) == 0 ? OSErr(noErr) : OSErr(permErr);
			}),
			          noErr);
		}
	}
	if (!skipped.empty())
		std::cout << "Cases not run:" << skipped << "\n";
}

// Another user who looks into the folder at every step of a save and tries to open each file there.
class StWatcher
{
public:
	StWatcher(const std::string& folder, uid_t uid, gid_t gid)
	{
		int ask[2], answer[2];
		if (pipe2(ask, O_CLOEXEC) != 0 || pipe2(answer, O_CLOEXEC) != 0)
			return;
		mChild = ChildProcesses::Fork();
		if (mChild == 0) {
			close(ask[1]);
			close(answer[0]);
			const char reaches = setgroups(1, &gid) == 0 && setresgid(gid, gid, gid) == 0 &&
			                     setresuid(uid, uid, uid) == 0 &&
			                     access(folder.c_str(), R_OK | X_OK) == 0;
			if (write(answer[1], &reaches, 1) != 1 || !reaches)
				_exit(1);
			char request;
			while (read(ask[0], &request, 1) == 1) {
				// How many files it opened, and whether it opened the one left open to all.
				int seen[2] = {0, 0};
				std::error_code unread;
				for (const auto& entry :
				     std::filesystem::directory_iterator(folder, unread)) {
					const std::string name = entry.path().filename();
					const int fd = open((folder + "/" + name).c_str(),
					                    O_RDONLY | O_NONBLOCK | O_CLOEXEC);
					if (fd >= 0) {
						++seen[name == "Open" ? 1 : 0];
						close(fd);
					}
				}
				if (write(answer[1], seen, sizeof seen) != sizeof seen)
					_exit(1);
			}
			_exit(0);
		}
		close(ask[0]);
		close(answer[1]);
		sAsk = ask[1];
		sAnswer = answer[0];
		sOpened = sLooks = sControlOpened = 0;
		// A watcher that ended must not end the test.
		mPipeWas = signal(SIGPIPE, SIG_IGN);
		struct pollfd ready = {sAnswer, POLLIN, 0};
		char reaches = 0;
		mReaches = poll(&ready, 1, 10000) == 1 && read(sAnswer, &reaches, 1) == 1 && reaches;
	}
	bool Reaches() const { return mReaches; }
	~StWatcher()
	{
		close(std::exchange(sAsk, -1));
		close(std::exchange(sAnswer, -1));
		if (mChild > 0 && !ChildProcesses::EndsWithin(mChild, std::chrono::seconds(10)))
			ChildProcesses::Stop(mChild, SIGKILL);
		signal(SIGPIPE, mPipeWas);
	}
	static void Look(ReplaceStep)
	{
		int seen[2];
		struct pollfd ready = {sAnswer, POLLIN, 0};
		if (write(sAsk, "?", 1) != 1 || poll(&ready, 1, 5000) != 1 ||
		    read(sAnswer, seen, sizeof seen) != sizeof seen)
			return;
		++sLooks;
		sOpened += seen[0];
		sControlOpened += seen[1];
	}
	static inline int sAsk = -1, sAnswer = -1, sOpened = 0, sLooks = 0, sControlOpened = 0;

private:
	pid_t mChild = -1;
	bool mReaches = false;
	sighandler_t mPipeWas = SIG_DFL;
};

// The settings root rewrites, closed to all but root, in a folder whose files take a group the watcher is in,
// or whose default ACL names him: he opens no copy at any moment of a save (its kept copy's included).
TEST_F(FileReplacementTest, AUserTheFileIsClosedToOpensNoCopyOfIt)
{
	struct passwd watcher = {}, other = {};
	if (geteuid() != 0 || !TwoAccounts(&watcher, &other))
		GTEST_SKIP() << "only root can save while another user of this machine watches";
	for (const std::string& folder : {mRoot, mWork})
		if (chmod(folder.c_str(), 0711) != 0)
			GTEST_SKIP() << "the scratch folder cannot be opened to other users: "
			             << std::strerror(errno);
	for (const bool byAcl : {false, true}) {
		SCOPED_TRACE(byAcl ? "a default ACL naming the watcher"
		                   : "a set-group-id folder of his group");
		const std::string folder = mWork + (byAcl ? "/acl" : "/setgid");
		std::filesystem::create_directory(folder);
		ASSERT_EQ(chmod(folder.c_str(), byAcl ? 0755 : 02775), 0);
		if (byAcl) {
			const std::string text =
			    "u::rwx,u:" + std::to_string(watcher.pw_uid) + ":rwx,g::r-x,m::rwx,o::r-x";
			acl_t acl = acl_from_text(text.c_str());
			const int set = acl_set_file(folder.c_str(), ACL_TYPE_DEFAULT, acl);
			acl_free(acl);
			if (set != 0)
				GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
		} else {
			ASSERT_EQ(chown(folder.c_str(), 0, watcher.pw_gid), 0);
		}
		WriteText(folder + "/Settings", "former");
		WriteText(folder + "/Open", "open to all");
		for (const auto& [name, text] :
		     {std::pair{"Settings", "u::rw-,g::r--,o::---"}, {"Open", "u::rw-,g::r--,o::r--"}}) {
			const std::string path = folder + "/" + name;
			acl_t acl = acl_from_text(text);
			ASSERT_EQ(acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl), 0);
			acl_free(acl);
			ASSERT_EQ(chown(path.c_str(), 0, 0), 0);
		}
		StWatcher watching(folder, watcher.pw_uid, watcher.pw_gid);
		if (!watching.Reaches())
			GTEST_SKIP() << "the scratch folder's path is closed to other users";
		SetReplaceStepHook(&StWatcher::Look);
		const SInt32 dir = FolderIDTable::IDForPath(folder);
		constexpr int kSaves = 6;
		for (int i = 0; i < kSaves; ++i) {
			SInt16 ref = 0;
			ASSERT_EQ(HOpenReplacement(0, dir, P("Settings"), &ref), noErr);
			ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Settings.old" + std::to_string(i))),
			          noErr);
			ASSERT_EQ(SetEOF(ref, 0), noErr);
			ASSERT_EQ(Replace(ref, "saved " + std::to_string(i)), noErr);
		}
		SetReplaceStepHook(nullptr);
		// He looked at every step, and could open what was open to him.
		EXPECT_EQ(StWatcher::sLooks, kSaves * 7);
		EXPECT_EQ(StWatcher::sControlOpened, StWatcher::sLooks);
		EXPECT_EQ(StWatcher::sOpened, 0);
		EXPECT_EQ(ReadText(folder + "/Settings"), "saved " + std::to_string(kSaves - 1));
		EXPECT_EQ(Mode(folder + "/Settings"), 0640u);
	}
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
