#include "platform/toolbox/Files.h"

#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/ChildProcesses.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/TempHomeFixture.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{

class FilesTest : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		mDir = FolderIDTable::IDForPath(mWork);
	}

	// A length-prefixed name that lives as long as the fixture.
	const unsigned char* P(const std::string& text)
	{
		auto& p = mNames.emplace_back(text.size() + 1, 0);
		p[0] = UInt8(text.size());
		std::memcpy(p.data() + 1, text.data(), text.size());
		return p.data();
	}

	SInt32 mDir = 0;
	std::vector<std::vector<unsigned char>> mNames;
};

TEST_F(FilesTest, ForkReadWriteAndErrors)
{
	ASSERT_EQ(HCreate(0, mDir, P("f"), 0, 0), noErr);
	EXPECT_EQ(HCreate(0, mDir, P("f"), 0, 0), dupFNErr);
	EXPECT_EQ(HCreate(0, 999, P("f"), 0, 0), dirNFErr);
	SInt16 out = 0;
	ASSERT_EQ(HOpenDF(0, mDir, P("f"), fsWrPerm, &out), noErr);
	SInt16 again = 0;
	EXPECT_EQ(HOpenDF(0, mDir, P("f"), fsWrPerm, &again), opWrErr);
	SInt32 count = 6;
	EXPECT_EQ(FSWrite(out, &count, "abcdef"), noErr);
	EXPECT_EQ(SetEOF(out, 4), noErr);
	count = 1;
	char c;
	EXPECT_EQ(FSRead(out, &count, &c), permErr);

	SInt16 in = 0;
	ASSERT_EQ(HOpenDF(0, mDir, P("f"), fsRdPerm, &in), noErr);
	char buffer[8];
	count = 8;
	EXPECT_EQ(FSRead(in, &count, buffer), eofErr);
	EXPECT_EQ(count, 4);
	EXPECT_EQ(std::string(buffer, 4), "abcd");
	EXPECT_EQ(SetFPos(in, fsFromLEOF, -1), noErr);
	count = 1;
	EXPECT_EQ(FSRead(in, &count, buffer), noErr);
	EXPECT_EQ(buffer[0], 'd');
	EXPECT_EQ(SetFPos(in, fsFromStart, -1), posErr);
	count = 1;
	EXPECT_EQ(FSWrite(in, &count, "x"), wrPermErr);

	// An open file cannot be deleted from under its reader.
	EXPECT_EQ(HDelete(0, mDir, P("f")), fBsyErr);
	EXPECT_EQ(FSClose(in), noErr);
	EXPECT_EQ(FSClose(out), noErr);
	EXPECT_EQ(FSClose(out), rfNumErr);
	EXPECT_EQ(HDelete(0, mDir, P("f")), noErr);
	EXPECT_EQ(HOpenDF(0, mDir, P("f"), fsRdPerm, &in), fnfErr);
}

TEST_F(FilesTest, MacNamesAreUTF8OnDiskWithSeparatorsSwapped)
{
	// "Prefs ƒ" with a slash, in Mac Roman.
	const std::string mac = "a/b \xC4";
	ASSERT_EQ(HCreate(0, mDir, P(mac), 0, 0), noErr);
	EXPECT_TRUE(std::filesystem::exists(mWork + "/a:b \xC6\x92"));

	Str63 name;
	CInfoPBRec pb;
	pb.ioNamePtr = name;
	pb.ioDirID = mDir;
	pb.ioFDirIndex = 1;
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(name + 1), name[0]), mac);
	EXPECT_EQ(pb.ioFlParID, mDir);

	EXPECT_EQ(HCreate(0, mDir, P(".."), 0, 0), bdNamErr);
	EXPECT_EQ(HCreate(0, mDir, P(std::string("a\0b", 3)), 0, 0), bdNamErr);
	EXPECT_EQ(HRename(0, mDir, P(mac), P("x:y")), bdNamErr);
}

TEST_F(FilesTest, ListingIsSortedAndFollowsChanges)
{
	for (const char* n : {"b", "C", "a"})
		ASSERT_EQ(HCreate(0, mDir, P(n), 0, 0), noErr);
	auto nth = [&](SInt16 index) {
		Str63 name = {};
		CInfoPBRec pb;
		pb.ioNamePtr = name;
		pb.ioDirID = mDir;
		pb.ioFDirIndex = index;
		const OSErr err = PBGetCatInfoSync(&pb);
		return err == noErr ? std::string(reinterpret_cast<char*>(name + 1), name[0])
		                    : std::to_string(err);
	};
	EXPECT_EQ(nth(1) + nth(2) + nth(3), "Cab");
	EXPECT_EQ(nth(4), std::to_string(fnfErr));
	ASSERT_EQ(HDelete(0, mDir, P("C")), noErr);
	EXPECT_EQ(nth(1), "a");
	// A change made behind the file manager's back is seen too.
	WriteText(mWork + "/0", "");
	EXPECT_EQ(nth(1), "0");
}

TEST_F(FilesTest, PartialPathsAndFolderInfo)
{
	std::filesystem::create_directories(mWork + "/x/y");
	CInfoPBRec pb;
	pb.ioNamePtr = const_cast<unsigned char*>(P(":x:y"));
	pb.ioDirID = mDir;
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_TRUE(pb.ioFlAttrib & kioFlAttribDirMask);
	const SInt32 y = pb.ioDrDirID;

	pb = CInfoPBRec();
	pb.ioNamePtr = const_cast<unsigned char*>(P("::"));
	pb.ioDirID = y;
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_EQ(pb.ioDrDirID, FolderIDTable::IDForPath(mWork + "/x"));

	std::string full = "Disk" + mWork + "/x";
	std::replace(full.begin(), full.end(), '/', ':');
	pb = CInfoPBRec();
	pb.ioNamePtr = const_cast<unsigned char*>(P(full));
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_EQ(pb.ioDrDirID, FolderIDTable::IDForPath(mWork + "/x"));
	pb.ioNamePtr = const_cast<unsigned char*>(P("Other:x"));
	EXPECT_EQ(PBGetCatInfoSync(&pb), nsvErr);

	Str63 name;
	pb = CInfoPBRec();
	pb.ioNamePtr = name;
	pb.ioDirID = FolderIDTable::kRootID;
	pb.ioFDirIndex = -1;
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(name + 1), name[0]), "Disk");
	EXPECT_EQ(pb.ioFlParID, FolderIDTable::kRootParentID);
}

TEST_F(FilesTest, RenamedFolderKeepsItsID)
{
	std::filesystem::create_directories(mWork + "/old/child");
	const SInt32 child = FolderIDTable::IDForPath(mWork + "/old/child");
	ASSERT_EQ(HRename(0, mDir, P("old"), P("new")), noErr);
	std::string path;
	ASSERT_TRUE(FolderIDTable::PathForID(child, &path));
	EXPECT_EQ(path, mWork + "/new/child");
	ASSERT_EQ(HCreate(0, child, P("f"), 0, 0), noErr);
	EXPECT_TRUE(std::filesystem::exists(mWork + "/new/child/f"));
}

TEST_F(FilesTest, TypeCreatorAndDates)
{
	ASSERT_EQ(HCreate(0, mDir, P("f"), FOUR_CHAR_CODE("zVRN"), FOUR_CHAR_CODE("zvFL")), noErr);
	ASSERT_EQ(HSetFileDates(0, mDir, P("f"), 1000000000, 1100000000), noErr);
	CInfoPBRec pb;
	pb.ioNamePtr = const_cast<unsigned char*>(P("f"));
	pb.ioDirID = mDir;
	ASSERT_EQ(PBGetCatInfoSync(&pb), noErr);
	EXPECT_EQ(pb.ioFlMdDat, 1100000000u);
	if (getxattr((mWork + "/f").c_str(), "user.mac.type", nullptr, 0) < 0)
		GTEST_SKIP() << "the file system keeps no extended attributes";
	EXPECT_EQ(pb.ioFlFndrInfo.fdType, FOUR_CHAR_CODE("zvFL"));
	EXPECT_EQ(pb.ioFlFndrInfo.fdCreator, FOUR_CHAR_CODE("zVRN"));
	EXPECT_EQ(pb.ioFlCrDat, 1000000000u);
	FInfo info{FOUR_CHAR_CODE("TEXT"), FOUR_CHAR_CODE("ttxt"), kIsInvisible};
	ASSERT_EQ(HSetFInfo(0, mDir, P("f"), &info), noErr);
	FInfo back;
	ASSERT_EQ(HGetFInfo(0, mDir, P("f"), &back), noErr);
	EXPECT_EQ(back.fdType, info.fdType);
	EXPECT_EQ(back.fdFlags, kIsInvisible);
}

TEST_F(FilesTest, ReplacementKeepsAttributesAndLeavesNoLitter)
{
	WriteText(mWork + "/doc", "old");
	FInfo info{FOUR_CHAR_CODE("zvFL"), FOUR_CHAR_CODE("zVRN"), 0};
	ASSERT_EQ(HSetFInfo(0, mDir, P("doc"), &info), noErr);
	SInt16 ref = 0;
	ASSERT_EQ(HOpenReplacement(0, mDir, P("doc"), &ref), noErr);
	SInt16 other = 0;
	EXPECT_EQ(HOpenDF(0, mDir, P("doc"), fsWrPerm, &other), opWrErr);
	SInt32 count = 3;
	ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
	ASSERT_EQ(FSWrite(ref, &count, "new"), noErr);
	EXPECT_EQ(ReadText(mWork + "/doc"), "old");
	ASSERT_EQ(FSClose(ref), noErr);
	EXPECT_EQ(ReadText(mWork + "/doc"), "oldnew");
	FInfo back;
	ASSERT_EQ(HGetFInfo(0, mDir, P("doc"), &back), noErr);
	EXPECT_EQ(back.fdType,
	          getxattr((mWork + "/doc").c_str(), "user.mac.type", nullptr, 0) < 0 ? 0u : info.fdType);
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mWork), {}), 1);
}

using killedreplace::Entries;
using killedreplace::Replace;

// Also where the file system refuses the no-replace rename (NFS, FUSE, ecryptfs) and links too.
class FilesOnEveryFileSystemTest : public FilesTest, public testing::WithParamInterface<RenameRefusal>
{
protected:
	void SetUp() override
	{
		FilesTest::SetUp();
		SetRenameRefusal(GetParam());
	}
	void TearDown() override
	{
		SetRenameRefusal(RenameRefusal::kNone);
		FilesTest::TearDown();
	}
};

INSTANTIATE_TEST_SUITE_P(Refusals, FilesOnEveryFileSystemTest,
                         testing::Values(RenameRefusal::kNone, RenameRefusal::kNoReplaceFlag,
                                         RenameRefusal::kNoReplaceFlagAndLinks));

TEST_P(FilesOnEveryFileSystemTest, ANewFileAppearsOnlyWholeAndNeverOverAnotherMadeMeanwhile)
{
	SInt16 ref = 0;
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Savings"), &ref), noErr);
	ASSERT_EQ(HSetReplacementInfo(ref, FOUR_CHAR_CODE("zvFL"), FOUR_CHAR_CODE("zVRN")), noErr);
	SInt32 count = 5;
	ASSERT_EQ(FSWrite(ref, &count, "whole"), noErr);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/Savings"));
	ASSERT_EQ(FSClose(ref), noErr);
	EXPECT_EQ(ReadText(mWork + "/Savings"), "whole");
	const mode_t mask = umask(0);
	umask(mask);
	struct stat st;
	ASSERT_EQ(stat((mWork + "/Savings").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
	if (getxattr((mWork + "/Savings").c_str(), "user.mac.type", nullptr, 0) >= 0) {
		EXPECT_EQ(FileTypeAtPath(mWork + "/Savings"), FOUR_CHAR_CODE("zvFL"));
	}

	// Another program took the name while the copy was written: its file stays.
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Notes"), &ref), noErr);
	WriteText(mWork + "/Notes", "theirs");
	EXPECT_EQ(Replace(ref, "mine"), dupFNErr);
	EXPECT_EQ(ReadText(mWork + "/Notes"), "theirs");

	// A name the user chose as new that another program took before the save opened it stays that
	// program's, as does one it takes while the copy is written.
	WriteText(mWork + "/Taken", "theirs");
	int copy = -1;
	EXPECT_EQ(HOpenNewReplacement(0, mDir, P("Taken"), &ref), dupFNErr);
	EXPECT_EQ(PathOpenReplacement(mWork + "/Taken", true, &ref, &copy), dupFNErr);
	EXPECT_EQ(ReadText(mWork + "/Taken"), "theirs");
	ASSERT_EQ(HOpenNewReplacement(0, mDir, P("Later"), &ref), noErr);
	WriteText(mWork + "/Later", "theirs");
	EXPECT_EQ(Replace(ref, "mine"), dupFNErr);
	EXPECT_EQ(ReadText(mWork + "/Later"), "theirs");
	std::filesystem::remove(mWork + "/Taken");
	std::filesystem::remove(mWork + "/Later");

	// Discarded, or in a folder that is not there: nothing is made.
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Dropped"), &ref), noErr);
	EXPECT_EQ(FSCloseDiscarding(ref), noErr);
	EXPECT_EQ(HOpenReplacement(0, mDir, P(":gone:Savings"), &ref), dirNFErr);
	EXPECT_EQ(Entries(mWork), (std::vector<std::string>{"Notes", "Savings"}));

	// A kept copy and a renamed file take only free names too.
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Savings"), &ref), noErr);
	ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Savings.old")), noErr);
	ASSERT_EQ(SetFPos(ref, fsFromLEOF, 0), noErr);
	ASSERT_EQ(Replace(ref, "!"), noErr);
	EXPECT_EQ(ReadText(mWork + "/Savings.old"), "whole");
	EXPECT_EQ(ReadText(mWork + "/Savings"), "whole!");
	EXPECT_EQ(HRename(0, mDir, P("Savings.old"), P("Notes")), dupFNErr);
	ASSERT_EQ(HRename(0, mDir, P("Savings.old"), P("Savings 1")), noErr);
	EXPECT_EQ(Entries(mWork), (std::vector<std::string>{"Notes", "Savings", "Savings 1"}));
}

TEST_F(FilesTest, AReplacementGoesThroughLinksAndKeepsModeOwnerAndGroup)
{
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	WriteText(mWork + "/report.pdf", "old");
	chmod((mWork + "/report.pdf").c_str(), 0600);
	std::filesystem::create_symlink("report.pdf", mWork + "/latest");
	const bool givesAway = DiskAbilities::WhyNot(mWork, DiskAbilities::kGiveAway).empty();
	if (givesAway) {
		ASSERT_EQ(chown((mWork + "/report.pdf").c_str(), 65534, 65534), 0);
	}

	SInt16 ref = 0;
	int copy = -1;
	ASSERT_EQ(PathOpenReplacement(mWork + "/latest", false, &ref, &copy), noErr);
	// A printer fills the copy through the descriptor it is given.
	const std::string printout = "new printout";
	ASSERT_EQ(write(copy, printout.data(), printout.size()), ssize_t(printout.size()));
	close(copy);
	EXPECT_EQ(ReadText(mWork + "/report.pdf"), "old");
	ASSERT_EQ(FSClose(ref), noErr);
	EXPECT_TRUE(std::filesystem::is_symlink(mWork + "/latest"));
	EXPECT_EQ(ReadText(mWork + "/report.pdf"), "new printout");
	struct stat st;
	ASSERT_EQ(stat((mWork + "/report.pdf").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 07777, 0600u);
	if (givesAway) {
		EXPECT_EQ(st.st_uid, 65534u);
		EXPECT_EQ(st.st_gid, 65534u);
	}
	EXPECT_EQ(Entries(mWork), (std::vector<std::string>{"latest", "report.pdf"}));

	EXPECT_EQ(PathOpenReplacement(mWork + "/", false, &ref, &copy), paramErr);
	std::filesystem::create_directory(mWork + "/folder");
	EXPECT_EQ(PathOpenReplacement(mWork + "/folder", false, &ref, &copy), fsNotAFileErr);
	// A named pipe is neither written through nor waited on.
	ASSERT_EQ(mkfifo((mWork + "/pipe").c_str(), 0600), 0);
	EXPECT_EQ(PathOpenReplacement(mWork + "/pipe", false, &ref, &copy), fsNotAFileErr);
	EXPECT_EQ(HOpenReplacement(0, mDir, P("pipe"), &ref), fsNotAFileErr);
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kBeDenied); !why.empty())
		GTEST_SKIP() << why;
	chmod((mWork + "/report.pdf").c_str(), 0400);
	EXPECT_EQ(PathOpenReplacement(mWork + "/latest", false, &ref, &copy), wrPermErr);
	EXPECT_EQ(HOpenReplacement(0, mDir, P("report.pdf"), &ref), wrPermErr);
	EXPECT_EQ(ReadText(mWork + "/report.pdf"), "new printout");
}

TEST_F(FilesTest, TheFormerFileIsKeptWholeUnderAFreeNameBeforeItIsReplaced)
{
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	WriteText(mWork + "/Stocks", "former");
	chmod((mWork + "/Stocks").c_str(), 0640);
	FInfo info{FOUR_CHAR_CODE("zvSF"), FOUR_CHAR_CODE("KSTR"), 0};
	ASSERT_EQ(HSetFInfo(0, mDir, P("Stocks"), &info), noErr);
	const bool typesKept = FileTypeAtPath(mWork + "/Stocks") != 0;

	SInt16 ref = 0;
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Stocks"), &ref), noErr);
	ASSERT_EQ(HSetReplacementInfo(ref, FOUR_CHAR_CODE("zvSF"), FOUR_CHAR_CODE("zVRN")), noErr);
	ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Stocks.old")), noErr);
	ASSERT_EQ(SetEOF(ref, 0), noErr);
	ASSERT_EQ(Replace(ref, "converted"), noErr);
	EXPECT_EQ(ReadText(mWork + "/Stocks"), "converted");
	EXPECT_EQ(ReadText(mWork + "/Stocks.old"), "former");
	struct stat st;
	ASSERT_EQ(stat((mWork + "/Stocks.old").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0640u);
	if (typesKept) {
		FInfo kept;
		ASSERT_EQ(HGetFInfo(0, mDir, P("Stocks.old"), &kept), noErr);
		EXPECT_EQ(kept.fdCreator, FOUR_CHAR_CODE("KSTR"));
		ASSERT_EQ(HGetFInfo(0, mDir, P("Stocks"), &kept), noErr);
		EXPECT_EQ(kept.fdCreator, FOUR_CHAR_CODE("zVRN"));
	}

	// A name taken since it was chosen is not written over, and nothing is replaced.
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Stocks"), &ref), noErr);
	ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Stocks.old")), noErr);
	ASSERT_EQ(SetEOF(ref, 0), noErr);
	EXPECT_EQ(Replace(ref, "again"), dupFNErr);
	EXPECT_EQ(ReadText(mWork + "/Stocks"), "converted");
	EXPECT_EQ(ReadText(mWork + "/Stocks.old"), "former");
	EXPECT_EQ(Entries(mWork), (std::vector<std::string>{"Stocks", "Stocks.old"}));

	// Another program's sweep while the copies are written, however long that takes, leaves them.
	static std::string sSwept;
	sSwept = mWork;
	killedreplace::StLaterWallClock later;
	SetReplaceStepHook([](ReplaceStep step) {
		if (step == ReplaceStep::kCopyWritten || step == ReplaceStep::kKeptCopyWritten)
			PathRemoveStaleReplacements(sSwept, 60);
	});
	ASSERT_EQ(HOpenReplacement(0, mDir, P("Stocks"), &ref), noErr);
	ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Stocks 2.old")), noErr);
	ASSERT_EQ(SetEOF(ref, 0), noErr);
	EXPECT_EQ(Replace(ref, "third"), noErr);
	SetReplaceStepHook(nullptr);
	EXPECT_EQ(ReadText(mWork + "/Stocks"), "third");
	EXPECT_EQ(ReadText(mWork + "/Stocks 2.old"), "converted");
}

int sSwapAt = -1;
std::string sSwapped, sSwappedTo;

// Root saving in a user's folder, while the user puts a link to root's own in place of his file, or of a
// folder on its path, at one moment of the save: the link is never followed, nothing of root's is read into
// the user's files or written over, and no copy carries a set-id bit.
TEST_F(FilesTest, ALinkSwappedInDuringRootsSaveInAUsersFolderIsNeverFollowed)
{
	if (const std::string why =
	        DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode | DiskAbilities::kGiveAway);
	    !why.empty())
		GTEST_SKIP() << why;
	const std::string secret = mWork + "/root/in/doc";
	std::filesystem::create_directories(mWork + "/root/in");
	WriteText(secret, "root only");
	ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
	const std::string home = mWork + "/home";
	for (const bool folder : {false, true}) {
		for (int step = -1; step <= int(ReplaceStep::kFormerKept); ++step) {
			SCOPED_TRACE(std::to_string(folder) + " " + std::to_string(step));
			std::filesystem::remove_all(home);
			std::filesystem::create_directories(home + "/sub/in");
			WriteText(home + "/sub/in/doc", "mine");
			for (const std::string& path :
			     {home, home + "/sub", home + "/sub/in", home + "/sub/in/doc"})
				ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
			ASSERT_EQ(chmod((home + "/sub/in/doc").c_str(), 04755), 0);
			struct stat st;
			ASSERT_EQ(stat((home + "/sub/in/doc").c_str(), &st), 0);
			const ino_t original = st.st_ino;
			sSwapAt = step;
			sSwapped = folder ? home + "/sub" : home + "/sub/in/doc";
			sSwappedTo = folder ? mWork + "/root" : secret;
			SetReplaceStepHook([](ReplaceStep reached) {
				if (int(reached) == sSwapAt &&
				    rename(sSwapped.c_str(), (sSwapped + ".moved").c_str()) == 0)
					sSwapAt = symlink(sSwappedTo.c_str(), sSwapped.c_str());
			});
			SInt16 ref = 0;
			if (HOpenReplacement(0, FolderIDTable::IDForPath(home + "/sub/in"), P("doc"), &ref) ==
			        noErr &&
			    HSetReplacementKeepsFormer(ref, P("doc.old")) == noErr &&
			    SetFPos(ref, fsFromLEOF, 0) == noErr)
				Replace(ref, " and more");
			SetReplaceStepHook(nullptr);

			EXPECT_EQ(Entries(mWork + "/root/in"), std::vector<std::string>{"doc"});
			EXPECT_EQ(ReadText(secret), "root only");
			ASSERT_EQ(stat(secret.c_str(), &st), 0);
			EXPECT_EQ(st.st_mode & 07777, 0600u);
			EXPECT_EQ(st.st_uid, 0u);
			for (const auto& entry : std::filesystem::recursive_directory_iterator(home)) {
				SCOPED_TRACE(entry.path().string());
				ASSERT_EQ(lstat(entry.path().c_str(), &st), 0);
				if (S_ISREG(st.st_mode)) {
					EXPECT_EQ(ReadText(entry.path()).find("root"), std::string::npos);
					// Only the user's own file, where the save left it alone, keeps its
					// set-id bit.
					EXPECT_EQ(st.st_mode & 07777, st.st_ino == original ? 04755u : 0755u);
					EXPECT_EQ(st.st_uid, 65534u);
				}
			}
			if (step == -1) {
				EXPECT_EQ(ReadText(home + "/sub/in/doc"), "mine and more");
				EXPECT_EQ(ReadText(home + "/sub/in/doc.old"), "mine");
			}
		}
	}
}

// A FUSE file system refuses the no-replace rename, as NFS does: files are made there all the same, also
// where it refuses every mode and owner (as FAT for all users does) or lets no extended attribute be changed
// (as some FUSE and network file systems do), with what a file made there gets; a replaced file keeps its
// mode, and is not left open to more than it was.
TEST_F(FilesTest, OnAFuseMountNewFilesReplacementsAndKeptCopiesAreMade)
{
	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	const mode_t mask = umask(0);
	umask(mask);
	const std::vector<std::string> plain,
	    readOnlyAttributes = {"--xattr-ro"},
	    refusing = {"--chmod-deny", "--chown-deny", "--chgrp-deny", "--create-with-perms=go+r"};
	for (const std::vector<std::string>& options : {plain, readOnlyAttributes, refusing}) {
		const bool refusesModes = options == refusing;
		SCOPED_TRACE(refusesModes ? "refusing modes" : options.empty() ? "plain" : options[0]);
		const std::string under = mWork + "/under", mount = mWork + "/mount";
		std::filesystem::remove_all(under);
		std::filesystem::create_directories(under);
		std::filesystem::create_directories(mount);
		killedreplace::StBindfsMount mounted(under, mount, options);
		if (!mounted.Why().empty())
			GTEST_SKIP() << mounted.Why();
		const SInt32 folder = FolderIDTable::IDForPath(mount);
		SInt16 ref = 0;
		ASSERT_EQ(HOpenReplacement(0, folder, P("Settings"), &ref), noErr);
		ASSERT_EQ(Replace(ref, "first"), noErr);
		struct stat st;
		ASSERT_EQ(stat((under + "/Settings").c_str(), &st), 0);
		EXPECT_EQ(st.st_mode & 07777, (0666 & ~mask) | (refusesModes ? 044 : 0));
		ASSERT_EQ(HOpenReplacement(0, folder, P("Settings"), &ref), noErr);
		ASSERT_EQ(HSetReplacementKeepsFormer(ref, P("Settings.old")), noErr);
		ASSERT_EQ(SetEOF(ref, 0), noErr);
		ASSERT_EQ(Replace(ref, "second"), noErr);
		EXPECT_EQ(ReadText(under + "/Settings"), "second");
		EXPECT_EQ(ReadText(under + "/Settings.old"), "first");
		EXPECT_EQ(Entries(under), (std::vector<std::string>{"Settings", "Settings.old"}));
		ASSERT_EQ(chmod((under + "/Settings").c_str(), 0600), 0);
		// The copy, made open to others' reading, could not be closed to them: refused before a byte.
		const OSErr opened = HOpenReplacement(0, folder, P("Settings"), &ref);
		EXPECT_EQ(opened, refusesModes ? fsRightsNotKeptErr : OSErr(noErr));
		if (opened == noErr) {
			ASSERT_EQ(SetEOF(ref, 0), noErr);
			EXPECT_EQ(Replace(ref, "third"), noErr);
		}
		EXPECT_EQ(ReadText(under + "/Settings"), refusesModes ? "second" : "third");
		EXPECT_EQ(Entries(under), (std::vector<std::string>{"Settings", "Settings.old"}));
		ASSERT_EQ(stat((under + "/Settings").c_str(), &st), 0);
		EXPECT_EQ(st.st_mode & 07777, 0600u);
	}
}

TEST_F(FilesTest, AKillAtAnyStepLeavesTheFileWholeAndOnlyCopiesThatAreSwept)
{
	const std::string former(200000, 'f');
	const std::string next(300000, 'n');
	for (ReplaceStep step : killedreplace::kEverySteps) {
		SCOPED_TRACE(int(step));
		std::filesystem::remove_all(mWork + "/f");
		std::filesystem::create_directory(mWork + "/f");
		WriteText(mWork + "/f/Stocks", former);
		const SInt32 folder = FolderIDTable::IDForPath(mWork + "/f");
		ASSERT_TRUE(killedreplace::KilledAt(step, [&] {
			SInt16 ref = 0;
			if (HOpenReplacement(0, folder, P("Stocks"), &ref) == noErr &&
			    HSetReplacementKeepsFormer(ref, P("Stocks.old")) == noErr &&
			    SetEOF(ref, 0) == noErr)
				Replace(ref, next);
		}));

		const bool replaced = step == ReplaceStep::kReplaced;
		EXPECT_EQ(ReadText(mWork + "/f/Stocks"), replaced ? next : former);
		const bool kept = step == ReplaceStep::kFormerKept || replaced;
		EXPECT_EQ(std::filesystem::exists(mWork + "/f/Stocks.old"), kept);
		if (kept) {
			EXPECT_EQ(ReadText(mWork + "/f/Stocks.old"), former);
		}
		ASSERT_EQ(PathRemoveStaleReplacements(mWork + "/f", 0), noErr);
		const std::vector<std::string> left = kept ? std::vector<std::string>{"Stocks", "Stocks.old"}
		                                           : std::vector<std::string>{"Stocks"};
		EXPECT_EQ(Entries(mWork + "/f"), left);
	}
}

TEST_F(FilesTest, OnlyCopiesNamedAsReplacementsAndNoLongerWrittenAreSwept)
{
	const std::vector<std::string> stale = {".Savings.vantorel-save-AbC123",
	                                        ".Stocks.old.vantorel-save-Zz9Yy8",
	                                        ".report.pdf.vantorel-save-000000"};
	const std::vector<std::string> others = {
	    "Savings.vantorel-save-AbC123", ".Savings.vantorel-save-AbC12", ".Savings.vantorel-save-AbC12!",
	    ".Savings.old123", "Savings"};
	for (const auto& name : stale)
		WriteText(mWork + "/" + name, "part");
	for (const auto& name : others)
		WriteText(mWork + "/" + name, "keep");
	std::filesystem::create_directory(mWork + "/.Folder.vantorel-save-Qq1Ww2");
	std::vector<std::string> left = others;
	left.push_back(".Folder.vantorel-save-Qq1Ww2");
	std::sort(left.begin(), left.end());
	// A copy changed a moment ago may be one whose writer has not locked it yet.
	ASSERT_EQ(HRemoveStaleReplacements(0, mDir, P("Savings"), 60), noErr);
	EXPECT_EQ(Entries(mWork).size(), left.size() + stale.size());

	// A writer in another process, stalled past the limit, keeps its copy until it is killed.
	int ready[2];
	ASSERT_EQ(pipe(ready), 0);
	const pid_t writer = ChildProcesses::Fork();
	if (writer == 0) {
		close(ready[0]);
		SInt16 ref = 0;
		SInt32 count = 5;
		if (HOpenReplacement(0, mDir, P("Notes"), &ref) != noErr ||
		    FSWrite(ref, &count, "notes") != noErr || write(ready[1], "w", 1) != 1)
			_exit(1);
		pause();
		_exit(0);
	}
	// A writer that failed ends, and the read with it.
	close(ready[1]);
	char written = 0;
	const bool wrote = read(ready[0], &written, 1) == 1;
	close(ready[0]);
	killedreplace::StLaterWallClock later;
	const OSErr removed = HRemoveStaleReplacements(0, mDir, P("Savings"), 60);
	const std::vector<std::string> withWriters = Entries(mWork);
	ChildProcesses::Stop(writer, SIGKILL);
	ASSERT_TRUE(wrote) << "the writer did not write its copy";
	ASSERT_EQ(removed, noErr);
	ASSERT_EQ(withWriters.size(), left.size() + 1);
	EXPECT_EQ(std::count_if(
	              withWriters.begin(), withWriters.end(),
	              [](const std::string& name) { return name.rfind(".Notes.vantorel-save-", 0) == 0; }),
	          1);
	ASSERT_EQ(HRemoveStaleReplacements(0, mDir, P("Savings"), 60), noErr);
	EXPECT_EQ(Entries(mWork), left);
}

TEST_F(FilesTest, SpecsAndPaths)
{
	FSSpec spec;
	EXPECT_EQ(FSMakeFSSpec(0, mDir, P("later"), &spec), fnfErr);
	EXPECT_EQ(spec.parID, mDir);
	std::string path;
	ASSERT_EQ(FSpGetPOSIXPath(&spec, &path), noErr);
	EXPECT_EQ(path, mWork + "/later");
	ASSERT_EQ(FSPathMakeFSSpec("/", &spec), noErr);
	EXPECT_EQ(spec.parID, FolderIDTable::kRootParentID);
	ASSERT_EQ(FSpGetPOSIXPath(&spec, &path), noErr);
	EXPECT_EQ(path, "/");

	// Only the file's own name must have a Mac Roman spelling: folders are found by id. A name without
	// one is refused rather than turned into another file's.
	const std::string kanji = "\xE6\xA0\xAA"; // U+682A
	std::filesystem::create_directory(mWork + "/" + kanji);
	ASSERT_EQ(FSPathMakeFSSpec(mWork + "/" + kanji + "/a:b", &spec), noErr);
	ASSERT_EQ(FSpGetPOSIXPath(&spec, &path), noErr);
	EXPECT_EQ(path, mWork + "/" + kanji + "/a:b");
	EXPECT_EQ(std::string(reinterpret_cast<char*>(spec.name + 1), spec.name[0]), "a/b");
	const FSSpec kept = spec;
	for (const std::string& name :
	     {kanji + ".pf", std::string("\xF0\x9F\x93\x88.pf"), std::string("\xFF.pf"),
	      std::string("e\xCC\x81"), std::string(64, 'n'), std::string("Growth\0.pf", 10)}) {
		EXPECT_EQ(FSPathMakeFSSpec(mWork + "/" + name, &spec), bdNamErr) << name;
		EXPECT_EQ(spec.parID, kept.parID) << name;
		EXPECT_EQ(std::memcmp(spec.name, kept.name, sizeof spec.name), 0) << name;
	}
	ASSERT_EQ(FSPathMakeFSSpec(mWork + "/" + std::string(63, 'n'), &spec), noErr);
	EXPECT_EQ(spec.name[0], 63);

	SInt16 vRefNum = 0;
	SInt32 dirID = 0;
	ASSERT_EQ(HGetVol(nullptr, &vRefNum, &dirID), noErr);
	EXPECT_EQ(dirID, mDir);
	EXPECT_EQ(HSetVol(P("Elsewhere"), 0, 0), nsvErr);
}

} // namespace
