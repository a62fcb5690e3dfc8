#include "foundation/TVyFile.h"

#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/TempHomeFixture.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <type_traits>

namespace
{

static_assert(std::has_virtual_destructor_v<TVyFile>);

class TVyFileTest : public TempHomeFixture
{
protected:
	short WriteFile(TVyFile& file, const std::string& text)
	{
		file.SetMode(kFileModeWrite);
		if (short err = file.Open())
			return err;
		const short err = file.Write(text.data(), text.size());
		const short closeErr = file.Close();
		return err ? err : closeErr;
	}

	std::string ReadAll(TVyFile& file)
	{
		file.SetMode(kFileModeRead);
		if (file.Open() != 0)
			return "<open failed>";
		char buffer[4096];
		unsigned long count = sizeof buffer;
		file.Read(buffer, &count);
		file.Close();
		return std::string(buffer, count);
	}
};

TEST_F(TVyFileTest, CreateWriteReadAndRewriteShorter)
{
	TVyFile file;
	file.SetFileName("Notes");
	EXPECT_EQ(file.Exists(), 0);
	ASSERT_EQ(file.CreateFile(), 0);
	EXPECT_EQ(file.GetMode(), kFileModeWrite);
	EXPECT_EQ(file.CreateFile(), kVyFileDuplicate);
	ASSERT_EQ(WriteFile(file, "a longer first text"), 0);
	ASSERT_EQ(WriteFile(file, "short"), 0);
	EXPECT_EQ(ReadText(mWork + "/Notes"), "short");
	EXPECT_EQ(file.Size(), 5u);
	EXPECT_EQ(ReadAll(file), "short");
}

TEST_F(TVyFileTest, ReadAtEndReportsWhatItGot)
{
	WriteText(mWork + "/data", "abcdef");
	TVyFile file;
	file.SetFileName("data");
	ASSERT_EQ(file.Open(), 0);
	char buffer[16];
	unsigned long count = 4;
	EXPECT_EQ(file.Read(buffer, &count), 0);
	EXPECT_EQ(count, 4u);
	count = 10;
	EXPECT_EQ(file.Read(buffer, &count), kVyFileEOF);
	EXPECT_EQ(count, 2u);
	EXPECT_EQ(std::string(buffer, 2), "ef");
	count = 10;
	EXPECT_EQ(file.Read(buffer, &count), kVyFileEOF);
	EXPECT_EQ(count, 0u);

	file.Seek(kSeekBackward, 3);
	count = 3;
	EXPECT_EQ(file.Read(buffer, &count), 0);
	EXPECT_EQ(std::string(buffer, 3), "def");
	EXPECT_EQ(file.Tell(), 6u);
	// Tell answers where the next read starts, straight after a seek too.
	file.Seek(kSeekAbsolute, 1);
	EXPECT_EQ(file.Tell(), 1u);
	file.Seek(kSeekForward, 2);
	EXPECT_EQ(file.Tell(), 3u);
	file.Seek(kSeekToEnd, 0);
	EXPECT_EQ(file.Tell(), 6u);
	file.Seek(kSeekAbsolute, 1);
	count = 1;
	EXPECT_EQ(file.Read(buffer, &count), 0);
	EXPECT_EQ(buffer[0], 'b');
	EXPECT_EQ(file.Tell(), 2u);
	EXPECT_EQ(file.Close(), 0);
	EXPECT_EQ(file.Tell(), 0u);

	// And where the next write starts.
	file.SetMode(kFileModeWrite);
	ASSERT_EQ(file.Open(), 0);
	file.Seek(kSeekAbsolute, 4);
	EXPECT_EQ(file.Tell(), 4u);
	EXPECT_EQ(file.Write("XY", 2), 0);
	EXPECT_EQ(file.Tell(), 6u);
	file.Seek(kSeekBackward, 5);
	EXPECT_EQ(file.Tell(), 1u);
	EXPECT_EQ(file.Write("Q", 1), 0);
	file.Seek(kSeekToEnd, 0);
	EXPECT_EQ(file.Close(), 0);
	EXPECT_EQ(ReadText(mWork + "/data"), "aQcdXY");
}

TEST_F(TVyFileTest, WrongModeAndClosedFile)
{
	WriteText(mWork + "/data", "abc");
	TVyFile file;
	file.SetFileName("data");
	char buffer[4];
	unsigned long count = 1;
	EXPECT_EQ(file.Read(buffer, &count), kVyFileBadParam);
	EXPECT_EQ(file.Write("x", 1), kVyFilePermission);
	ASSERT_EQ(file.Open(), 0);
	EXPECT_EQ(file.Write("x", 1), kVyFilePermission);
	EXPECT_EQ(file.Close(), 0);
	file.SetMode(kFileModeWrite);
	ASSERT_EQ(file.Open(), 0);
	EXPECT_EQ(file.Read(buffer, &count), kVyFilePermission);
	TVyFile second(&file, nullptr);
	second.SetMode(kFileModeWrite);
	EXPECT_EQ(second.Open(), kVyFileOpenForWriting);
	file.Seek(kSeekToEnd, 0);
	EXPECT_EQ(file.Close(), 0);
	EXPECT_EQ(ReadText(mWork + "/data"), "abc");
}

TEST_F(TVyFileTest, CreateRefusesEmptyAndHiddenNames)
{
	TVyFile file;
	EXPECT_EQ(file.CreateFile(), kVyFileBadName);
	file.SetFileName(".hidden");
	EXPECT_EQ(file.CreateFile(), kVyFileBadName);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/.hidden"));
	// Names are cut to 63 characters.
	file.SetFileName(std::string(70, 'n').c_str());
	ASSERT_EQ(file.CreateFile(), 0);
	EXPECT_TRUE(std::filesystem::exists(mWork + "/" + std::string(63, 'n')));
}

TEST_F(TVyFileTest, RenameAndRemove)
{
	WriteText(mWork + "/old", "1");
	WriteText(mWork + "/taken", "2");
	TVyFile file;
	file.SetFileName("old");
	EXPECT_EQ(file.RenameFile("taken"), kVyFileDuplicate);
	EXPECT_EQ(file.GetFileName()[0], 3);
	ASSERT_EQ(file.RenameFile("new"), 0);
	char name[64];
	file.GetFileName(name);
	EXPECT_STREQ(name, "new");
	EXPECT_EQ(ReadText(mWork + "/new"), "1");
	EXPECT_EQ(file.RemoveFile(), 0);
	EXPECT_EQ(file.RemoveFile(), kVyFileNotFound);
	TVyFile unnamed;
	EXPECT_EQ(unnamed.RemoveFile(), kVyFileBadParam);
}

TEST_F(TVyFileTest, FolderMovesAndPaths)
{
	std::filesystem::create_directories(mWork + "/sub/inner");
	WriteText(mWork + "/sub/inner/f", "x");
	TVyFile file;
	ASSERT_EQ(file.ChangeDir("sub"), 0);
	ASSERT_EQ(file.ChangeDir("inner"), 0);
	file.SetFileName("f");
	EXPECT_EQ(file.Exists(), 1);

	std::string expected = "Disk" + mWork + "/sub/inner/f";
	std::replace(expected.begin(), expected.end(), '/', ':');
	char path[256];
	EXPECT_EQ(file.GetFullPath(path), 0);
	EXPECT_EQ(std::string(path), expected);
	EXPECT_EQ(file.GetDirectoryPath(path), 0);
	EXPECT_EQ(std::string(path), expected.substr(0, expected.size() - 2));

	ASSERT_EQ(file.PrevDir(), 0);
	EXPECT_EQ(file.GetDirName()[0], 3);
	EXPECT_EQ(file.ChangeDir("missing"), kVyFileNotFound);
	EXPECT_EQ(file.ChangeDir("inner:"), 0);

	// A leading colon starts at the root folder.
	std::string fromRoot = mWork + "/sub";
	std::replace(fromRoot.begin(), fromRoot.end(), '/', ':');
	TVyFile other;
	ASSERT_EQ(other.ChangeDir(fromRoot.c_str()), 0);
	EXPECT_EQ(other.GetDirID(), file.GetParentID());

	ASSERT_EQ(other.ChangeDir(kDirRoot), 0);
	EXPECT_EQ(other.GetDirID(), 2);
	EXPECT_EQ(other.PrevDir(), kVyFileNotFound);
	ASSERT_EQ(other.ChangeDir(kDirHome), 0);
	EXPECT_EQ(other.GetDirID(), TVyFile().GetDirID());
}

TEST_F(TVyFileTest, WellKnownFolders)
{
	TVyFile file;
	ASSERT_EQ(file.ChangeDir(kDirPreferences), 0);
	EXPECT_EQ(file.CreateDir("Prefs \xC4"), 0); // 0xC4 is the Mac Roman florin
	EXPECT_EQ(file.CreateDir("Prefs \xC4"), kVyFileDuplicate);
	ASSERT_EQ(file.ChangeDir("Prefs \xC4"), 0);
	file.SetFileName("Settings");
	ASSERT_EQ(file.CreateFile(), 0);
	EXPECT_TRUE(std::filesystem::exists(mRoot + "/config/Prefs \xC6\x92/Settings"));

	ASSERT_EQ(file.ChangeDir(kDirTemporary), 0);
	file.SetFileName("scratch");
	ASSERT_EQ(file.CreateFile(), 0);
	struct stat st;
	ASSERT_EQ(stat((mRoot + "/runtime/vantorel").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0700u);
	EXPECT_TRUE(std::filesystem::exists(mRoot + "/runtime/vantorel/scratch"));

	EXPECT_EQ(file.ChangeDir(kDirTrash), kVyFileNotFound);
	EXPECT_GT(file.GetFreeBytes(), 0u);
}

TEST_F(TVyFileTest, IterationIsSortedAndSurvivesDeletion)
{
	for (const char* name : {"c", "a", "b"})
		WriteText(mWork + "/" + name, name);
	std::filesystem::create_directory(mWork + "/d");
	TVyFile folder;
	tFileInformation info;
	ASSERT_EQ(folder.FindFirst(), 0);
	folder.FindInfo(&info);
	EXPECT_STREQ(info.name, "a");
	EXPECT_EQ(folder.FindPrevious(), kVyFileNotFound);
	EXPECT_EQ(folder.FindNext(), 0);
	EXPECT_EQ(folder.FindNext(), 0);
	EXPECT_EQ(folder.FindNext(), 0);
	folder.FindInfo(&info);
	EXPECT_STREQ(info.name, "d");
	EXPECT_EQ(info.flags, kFileInfoIsFolder);
	EXPECT_EQ(folder.FindNext(), kVyFileNotFound);
	EXPECT_EQ(folder.GetEntryIndex(), 4);
	EXPECT_EQ(folder.FindPrevious(), 0);
	folder.FindInfo(&info);
	EXPECT_STREQ(info.name, "c");

	std::vector<std::string> seen;
	for (short err = folder.FindFirst(); err == 0; err = folder.FindNext()) {
		folder.FindInfo(&info);
		seen.push_back(info.name);
		TVyFile entry;
		folder.FindInfo(&entry);
		EXPECT_EQ(info.flags & kFileInfoIsFolder ? entry.RemoveDir(nullptr) : entry.RemoveFile(), 0);
	}
	EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "d"}));
	EXPECT_TRUE(std::filesystem::is_empty(mWork));
}

TEST_F(TVyFileTest, InformationAndSetInfo)
{
	WriteText(mWork + "/doc", "12345");
	TVyFile file;
	file.SetFileName("doc");
	tFileInformation info;
	ASSERT_EQ(file.GetInfo(&info), 0);
	EXPECT_EQ(info.size, 5u);
	EXPECT_EQ(info.flags, 0u);
	EXPECT_EQ(file.GetInfo(nullptr), kVyFileBadParam);

	info.type = FOUR_CHAR_CODE("APPL");
	info.creator = FOUR_CHAR_CODE("zVRN");
	info.nativeModified = 0;
	info.modified.SetYear(2006);
	info.modified.SetMonth(3);
	info.modified.SetDay(4);
	info.modified.SetHour(5);
	info.modified.SetMinute(6);
	info.modified.SetSecond(7);
	ASSERT_EQ(file.SetInfo(&info), 0);
	tFileInformation after;
	ASSERT_EQ(file.GetInfo(&after), 0);
	EXPECT_EQ(after.nativeModified, 1141448767u); // 2006-03-04 05:06:07 UTC
	EXPECT_EQ(after.modified.GetYear(), 2006);
	EXPECT_EQ(after.modified.GetDayOfWeek(), 6);
	EXPECT_EQ(after.size, 5u);
	if (after.type == 0)
		GTEST_SKIP() << "the file system keeps no extended attributes";
	EXPECT_EQ(after.type, FOUR_CHAR_CODE("APPL"));
	EXPECT_EQ(after.creator, FOUR_CHAR_CODE("zVRN"));
	EXPECT_EQ(after.flags, kFileInfoIsApplication);
}

TEST_F(TVyFileTest, ExistsDoesNotTakeAFileOfTheParentFolder)
{
	std::filesystem::create_directory(mWork + "/inner");
	WriteText(mWork + "/same", "parent's");
	TVyFile file;
	ASSERT_EQ(file.ChangeDir("inner"), 0);
	file.SetFileName("same");
	EXPECT_EQ(file.Exists(), 0);
	// A folder named by its own name is still found.
	file.SetFileName("inner");
	EXPECT_EQ(file.Exists(), 1);
}

TEST_F(TVyFileTest, SpecOfFolderAndOfNewFile)
{
	std::filesystem::create_directory(mWork + "/folder");
	FSSpec spec;
	ASSERT_EQ(FSPathMakeFSSpec(mWork + "/folder", &spec), noErr);
	TVyFile folder(&spec);
	folder.SetFileName("inside");
	ASSERT_EQ(folder.CreateFile(), 0);
	EXPECT_TRUE(std::filesystem::exists(mWork + "/folder/inside"));

	ASSERT_EQ(FSPathMakeFSSpec(mWork + "/fresh", &spec), noErr);
	TVyFile fresh(&spec);
	EXPECT_EQ(fresh.Exists(), 0);
	EXPECT_EQ(fresh.CreateFile(), 0);
	FSSpec back;
	EXPECT_EQ(fresh.GetFSSpec(&back), 0);
	EXPECT_EQ(back.parID, spec.parID);
	EXPECT_EQ(std::memcmp(back.name, spec.name, spec.name[0] + 1), 0);
}

TEST_F(TVyFileTest, DestroyingAnOpenFileLeavesItOpen)
{
	WriteText(mWork + "/data", "abc");
	SInt16 ref = 0;
	{
		TVyFile file;
		file.SetFileName("data");
		ASSERT_EQ(file.Open(), 0);
		ref = file.GetFileRef();
	}
	SInt32 eof = 0;
	EXPECT_EQ(GetEOF(ref, &eof), noErr);
	EXPECT_EQ(eof, 3);
	EXPECT_EQ(FSClose(ref), noErr);
}

TEST_F(TVyFileTest, StoredReferenceFindsTheFolderInALaterRun)
{
	std::filesystem::create_directories(mWork + "/docs/deep");
	TVyFile target;
	ASSERT_EQ(target.ChangeDir("docs:deep"), 0);
	target.SetFileName("Portfolio");

	TVyFile store;
	store.SetFileName("ref");
	ASSERT_EQ(store.CreateFile(), 0);
	ASSERT_EQ(store.Open(), 0);
	ASSERT_EQ(target.Backup(&store), 0);
	ASSERT_EQ(store.Close(), 0);
	EXPECT_EQ(std::filesystem::file_size(mWork + "/ref"), 74u);

	FolderIDTable::Forget();
	TVyFile restored;
	store.SetMode(kFileModeRead);
	ASSERT_EQ(store.Open(), 0);
	ASSERT_EQ(restored.Restore(&store), 0);
	store.Close();
	EXPECT_EQ(restored.GetDirID(), target.GetDirID());
	EXPECT_EQ(restored.GetParentID(), target.GetParentID());
	ASSERT_EQ(restored.CreateFile(), 0);
	EXPECT_TRUE(std::filesystem::exists(mWork + "/docs/deep/Portfolio"));
}

TEST_F(TVyFileTest, RestoreRejectsAnOverlongName)
{
	std::string record(74, '\0');
	record[10] = char(200);
	std::memset(record.data() + 11, 'z', 63);
	WriteText(mWork + "/bad", record);
	TVyFile store;
	store.SetFileName("bad");
	ASSERT_EQ(store.Open(), 0);
	TVyFile restored;
	EXPECT_EQ(restored.Restore(&store), kVyFileOther);
	EXPECT_EQ(restored.GetFileName()[0], 0);
	store.Close();

	WriteText(mWork + "/short", record.substr(0, 20));
	store.SetFileName("short");
	ASSERT_EQ(store.Open(), 0);
	EXPECT_EQ(restored.Restore(&store), kVyFileEOF);
	store.Close();
}

class TVyFileReplaceTest : public TVyFileTest
{
protected:
	void SetUp() override
	{
		TVyFileTest::SetUp();
		WriteText(mWork + "/doc", "original contents");
		chmod((mWork + "/doc").c_str(), 0640);
		mFile = std::make_unique<TVyFile>();
		mFile->SetFileName("doc");
		mFile->SetReplaceSafely(true);
		mFile->SetMode(kFileModeWrite);
	}

	void TearDown() override
	{
		mFile.reset();
		TVyFileTest::TearDown();
	}

	size_t EntriesInWork() const
	{
		return size_t(std::distance(std::filesystem::directory_iterator(mWork), {}));
	}

	// Made in SetUp, once the working folder is the test's.
	std::unique_ptr<TVyFile> mFile;
};

TEST_F(TVyFileReplaceTest, GoodWriteReplacesOnClose)
{
	// 0640, or what a disk refusing chmod made it.
	const std::filesystem::perms mode = std::filesystem::status(mWork + "/doc").permissions();
	ASSERT_EQ(mFile->Open(), 0);
	EXPECT_EQ(mFile->Write("new", 3), 0);
	EXPECT_EQ(ReadText(mWork + "/doc"), "original contents");
	EXPECT_EQ(mFile->Close(), 0);
	EXPECT_EQ(ReadText(mWork + "/doc"), "new");
	EXPECT_EQ(std::filesystem::status(mWork + "/doc").permissions(), mode);
	EXPECT_EQ(EntriesInWork(), 1u);

	// Appending still sees the former contents.
	ASSERT_EQ(mFile->Open(), 0);
	mFile->Seek(kSeekToEnd, 0);
	EXPECT_EQ(mFile->Write("er", 2), 0);
	EXPECT_EQ(mFile->Close(), 0);
	EXPECT_EQ(ReadText(mWork + "/doc"), "newer");
}

TEST_F(TVyFileReplaceTest, FailedWriteOrAbandonKeepsTheOldFile)
{
	ASSERT_EQ(mFile->Open(), 0);
	EXPECT_EQ(mFile->Write("partial", 7), 0);
	mFile->Seek(kSeekAbsolute, 0x7FFFFFF0);
	EXPECT_EQ(mFile->Write("0123456789abcdefXYZ", 19), kVyFileFull);
	EXPECT_EQ(mFile->Close(), kVyFileFull);
	EXPECT_EQ(ReadText(mWork + "/doc"), "original contents");
	EXPECT_EQ(EntriesInWork(), 1u);

	ASSERT_EQ(mFile->Open(), 0);
	EXPECT_EQ(mFile->Write("x", 1), 0);
	EXPECT_EQ(mFile->Abandon(), 0);
	EXPECT_EQ(ReadText(mWork + "/doc"), "original contents");

	{
		TVyFile dropped;
		dropped.SetFileName("doc");
		dropped.SetReplaceSafely(true);
		dropped.SetMode(kFileModeWrite);
		ASSERT_EQ(dropped.Open(), 0);
		dropped.Write("y", 1);
	}
	EXPECT_EQ(ReadText(mWork + "/doc"), "original contents");
	EXPECT_EQ(EntriesInWork(), 1u);
}

TEST_F(TVyFileReplaceTest, AMissingFileIsMadeOnlyWholeAndALockedOneIsNotReplaced)
{
	TVyFile missing;
	missing.SetFileName("absent");
	missing.SetReplaceSafely(true);
	missing.SetMode(kFileModeWrite);
	ASSERT_EQ(missing.Open(), 0);
	EXPECT_EQ(missing.Write("made", 4), 0);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/absent"));
	EXPECT_EQ(missing.Close(), 0);
	EXPECT_EQ(ReadText(mWork + "/absent"), "made");

	// A name CreateFile refuses is refused here too.
	TVyFile hidden;
	hidden.SetFileName(".hidden");
	hidden.SetReplaceSafely(true);
	hidden.SetMode(kFileModeWrite);
	EXPECT_EQ(hidden.Open(), kVyFileBadName);
	EXPECT_EQ(EntriesInWork(), 2u);

	if (const std::string why = DiskAbilities::WhyNot(mWork, DiskAbilities::kBeDenied); !why.empty())
		GTEST_SKIP() << why;
	ASSERT_EQ(chmod((mWork + "/doc").c_str(), 0440), 0);
	EXPECT_EQ(mFile->Open(), kVyFilePermission);
	EXPECT_EQ(ReadText(mWork + "/doc"), "original contents");
}

} // namespace
