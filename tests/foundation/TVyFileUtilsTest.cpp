#include "foundation/TVyFileUtils.h"

#include "foundation/TVyBufferFile.h"
#include "foundation/TVyString.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/ScratchFolder.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace
{

constexpr OSType kType = FOUR_CHAR_CODE("zvFL");
constexpr OSType kCreator = FOUR_CHAR_CODE("ZVee");

class TVyFileUtilsTest : public ::testing::Test
{
protected:
	void TearDown() override { TVyFileUtils::SetNavHandler(nullptr); }

	// The type a file given kType shows: none where the disk keeps no types, which is no error.
	template <typename T> T Typed(T inType) const
	{
		return DiskAbilities::WhyNot(mFolder.Path(), DiskAbilities::kKeepTypes).empty() ? inType : 0;
	}

	tFileInformation Info(const std::string& name)
	{
		tFileInformation info;
		EXPECT_EQ(mFolder.File(name)->GetInfo(&info), 0) << name;
		return info;
	}

	ScratchFolder mFolder;
};

TEST_F(TVyFileUtilsTest, TouchFileCreatesOrRetypesWithoutTouchingContents)
{
	auto missing = mFolder.File("new");
	missing->SetMode(kFileModeRead);
	ASSERT_EQ(TVyFileUtils::TouchFile(missing.get(), kType, kCreator), 0);
	EXPECT_EQ(mFolder.Read("new"), "");
	EXPECT_EQ(Info("new").type, Typed(kType));
	EXPECT_EQ(Info("new").creator, Typed(kCreator));
	// The caller's object is left as it was: closed and still reading.
	EXPECT_EQ(missing->GetFileRef(), 0);
	EXPECT_EQ(missing->GetMode(), kFileModeRead);

	mFolder.Write("old", "contents");
	std::filesystem::last_write_time(mFolder.Path("old"), std::filesystem::file_time_type::clock::now() -
	                                                          std::chrono::hours(48));
	const UInt32 before = Info("old").nativeModified;
	ASSERT_EQ(TVyFileUtils::TouchInvisibleFile(mFolder.File("old").get(), kType, kCreator), 0);
	tFileInformation after = Info("old");
	EXPECT_EQ(mFolder.Read("old"), "contents");
	EXPECT_EQ(after.nativeModified, before);
	EXPECT_EQ(after.type, Typed(kType));
	EXPECT_EQ(after.finderFlags & kIsInvisible, Typed(kIsInvisible));
}

TEST_F(TVyFileUtilsTest, LoadFileWholeOrLimitedOrNothing)
{
	mFolder.Write("text", "0123456789");
	unsigned long length = 99;
	char* bytes = TVyFileUtils::LoadFile(mFolder.File("text").get(), &length, 4);
	ASSERT_NE(bytes, nullptr);
	EXPECT_EQ(std::string(bytes, length), "0123");
	delete[] bytes;

	TVyString text;
	ASSERT_TRUE(TVyFileUtils::LoadFile(mFolder.File("text").get(), text));
	EXPECT_EQ(std::string(text.GetCString(), text.Length()), "0123456789");

	// A buffered file works through the same operations.
	auto plain = mFolder.File("text");
	TVyBufferFile buffered(plain.get(), 3);
	bytes = TVyFileUtils::LoadFile(&buffered, &length, 0);
	ASSERT_NE(bytes, nullptr);
	EXPECT_EQ(std::string(bytes, length), "0123456789");
	delete[] bytes;

	length = 99;
	EXPECT_EQ(TVyFileUtils::LoadFile(mFolder.File("absent").get(), &length, 0), nullptr);
	EXPECT_EQ(length, 0u);
	EXPECT_FALSE(TVyFileUtils::LoadFile(mFolder.File("absent").get(), text));
}

TEST_F(TVyFileUtilsTest, GetLineStopsAtDelimitersTheEndAndTheBuffer)
{
	mFolder.Write("lines", "first\rsecond line\nlast");
	auto file = mFolder.File("lines");
	file->SetMode(kFileModeRead);
	ASSERT_EQ(file->Open(), 0);
	char buffer[8];
	long length = sizeof buffer;
	EXPECT_EQ(TVyFileUtils::GetLine(file.get(), buffer, &length), 0);
	EXPECT_STREQ(buffer, "first");
	EXPECT_EQ(length, 5);
	length = sizeof buffer;
	EXPECT_EQ(TVyFileUtils::GetLine(file.get(), buffer, &length), 0);
	EXPECT_STREQ(buffer, "second ");
	length = sizeof buffer;
	EXPECT_EQ(TVyFileUtils::GetLine(file.get(), buffer, &length), 0);
	EXPECT_STREQ(buffer, "line");
	length = sizeof buffer;
	EXPECT_EQ(TVyFileUtils::GetLine(file.get(), buffer, &length), kVyFileEOF);
	EXPECT_STREQ(buffer, "last");
	EXPECT_EQ(length, 4);
	file->Close();
}

TEST_F(TVyFileUtilsTest, CopyFileIntoAFolderToANewNameAndOverAnExistingFile)
{
	mFolder.Write("source", "the source bytes");
	ASSERT_EQ(TVyFileUtils::TouchFile(mFolder.File("source").get(), kType, kCreator), 0);
	std::filesystem::last_write_time(
	    mFolder.Path("source"), std::filesystem::file_time_type::clock::now() - std::chrono::hours(72));
	const tFileInformation sourceInfo = Info("source");
	mFolder.MakeFolder("into");

	ASSERT_EQ(TVyFileUtils::CopyFile(mFolder.File("source").get(), mFolder.File("into").get()), 0);
	EXPECT_EQ(mFolder.Read("into/source"), "the source bytes");
	tFileInformation copied = Info("into/source");
	EXPECT_EQ(copied.type, Typed(kType));
	EXPECT_EQ(copied.creator, Typed(kCreator));
	EXPECT_EQ(copied.nativeModified, sourceInfo.nativeModified);

	ASSERT_EQ(TVyFileUtils::CopyFile(mFolder.File("source").get(), mFolder.File("renamed").get()), 0);
	EXPECT_EQ(mFolder.Read("renamed"), "the source bytes");

	mFolder.Write("longer", "an existing file that is much longer than the source");
	ASSERT_EQ(TVyFileUtils::CopyFile(mFolder.File("source").get(), mFolder.File("longer").get()), 0);
	EXPECT_EQ(mFolder.Read("longer"), "the source bytes");
	EXPECT_EQ(mFolder.Read("source"), "the source bytes");

	// No temporary file is left beside the copies.
	int entries = 0;
	for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(mFolder.Path("into")))
		entries++;
	EXPECT_EQ(entries, 1);
}

TEST_F(TVyFileUtilsTest, CopyFileRefusesToCopyAFileOntoItself)
{
	mFolder.Write("self", "keep me");
	EXPECT_NE(TVyFileUtils::CopyFile(mFolder.File("self").get(), mFolder.File("self").get()), 0);
	EXPECT_EQ(mFolder.Read("self"), "keep me");
	// Also when the destination is the source's own folder.
	EXPECT_NE(TVyFileUtils::CopyFile(mFolder.File("self").get(), mFolder.File("").get()), 0);
	EXPECT_EQ(mFolder.Read("self"), "keep me");
	EXPECT_EQ(TVyFileUtils::CopyFile(nullptr, mFolder.File("self").get()), kVyFileBadParam);
}

TEST_F(TVyFileUtilsTest, AFailedCopyLeavesTheDestinationAsItWas)
{
	mFolder.MakeFolder("work");
	mFolder.Write("work/big", std::string(200000, 'b'));
	mFolder.Write("work/dest", "precious");
	{
		StFileSizeLimit limit(100000);
		EXPECT_NE(
		    TVyFileUtils::CopyFile(mFolder.File("work/big").get(), mFolder.File("work/dest").get()),
		    0);
		EXPECT_NE(
		    TVyFileUtils::CopyFile(mFolder.File("work/big").get(), mFolder.File("work/fresh").get()),
		    0);
	}
	EXPECT_EQ(mFolder.Read("work/dest"), "precious");
	EXPECT_FALSE(mFolder.Exists("work/fresh"));
	int entries = 0;
	for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(mFolder.Path("work")))
		entries++;
	EXPECT_EQ(entries, 2);
}

TEST_F(TVyFileUtilsTest, CountingAndPlaceAmongMatchingFiles)
{
	mFolder.MakeFolder("docs/sub");
	for (const char* name : {"a", "b", "c", "d"})
		mFolder.Write(std::string("docs/") + name, name);
	for (const char* name : {"a", "c", "d"})
		ASSERT_EQ(
		    TVyFileUtils::TouchFile(mFolder.File(std::string("docs/") + name).get(), kType, kCreator),
		    0);

	auto folder = mFolder.File("docs");
	EXPECT_EQ(TVyFileUtils::CountFiles(folder.get(), 0, 0), 5);
	if (const std::string why = DiskAbilities::WhyNot(mFolder.Path(), DiskAbilities::kKeepTypes);
	    !why.empty())
		GTEST_SKIP() << why;
	EXPECT_EQ(TVyFileUtils::CountFiles(folder.get(), kType, 0), 3);
	EXPECT_EQ(TVyFileUtils::CountFiles(folder.get(), kType, FOUR_CHAR_CODE("none")), 0);

	EXPECT_EQ(TVyFileUtils::FileCounter(mFolder.File("docs/d").get(), kType, kCreator), 3);
	EXPECT_EQ(TVyFileUtils::FileCounter(mFolder.File("docs/b").get(), 0, 0), 2);
	EXPECT_EQ(TVyFileUtils::FileCounter(mFolder.File("docs/b").get(), kType, 0), 0);
}

TEST_F(TVyFileUtilsTest, XDelEmptiesAndRemovesWholeTrees)
{
	mFolder.MakeFolder("tree/one/two");
	mFolder.MakeFolder("tree/three");
	for (const char* name :
	     {"tree/a", "tree/b", "tree/c", "tree/one/x", "tree/one/two/y", "tree/three/z"})
		mFolder.Write(name, "x");

	auto tree = mFolder.File("tree");
	// Files only, this folder only: the subfolders and their contents stay.
	ASSERT_EQ(TVyFileUtils::XDelSubDir(tree.get(), 0, 1, 0), 0);
	EXPECT_FALSE(mFolder.Exists("tree/a"));
	EXPECT_FALSE(mFolder.Exists("tree/c"));
	EXPECT_TRUE(mFolder.Exists("tree/one/x"));

	// Removing a folder that is not empty fails without recursion.
	EXPECT_NE(TVyFileUtils::XDelSubDir(tree.get(), 1, 0, 0), 0);

	ASSERT_EQ(TVyFileUtils::XDel(tree.get(), 1, 0, 1), 0);
	EXPECT_FALSE(mFolder.Exists("tree"));
}

TEST_F(TVyFileUtilsTest, FlattenUnicodeFileWritesANewFileInTheUsersTemporaryFolder)
{
	mFolder.Write("wide", std::string("\xFF\xFEh\0i\0\r\0", 8));
	std::unique_ptr<TVyFile> first(TVyFileUtils::FlattenUnicodeFile(mFolder.File("wide").get()));
	ASSERT_NE(first, nullptr);
	std::unique_ptr<TVyFile> second(TVyFileUtils::FlattenUnicodeFile(mFolder.File("wide").get()));
	ASSERT_NE(second, nullptr);

	char path[256] = {};
	ASSERT_EQ(first->GetFullPath(path), 0);
	char otherPath[256] = {};
	ASSERT_EQ(second->GetFullPath(otherPath), 0);
	EXPECT_STRNE(path, otherPath);

	for (TVyFile* file : {first.get(), second.get()}) {
		FSSpec spec;
		ASSERT_EQ(file->GetFSSpec(&spec), 0);
		std::string posix;
		ASSERT_EQ(FSpGetPOSIXPath(&spec, &posix), noErr);
		EXPECT_EQ(posix.rfind(mFolder.Path("runtime"), 0), 0u) << posix;
		unsigned long length = 0;
		char* bytes = TVyFileUtils::LoadFile(file, &length, 0);
		ASSERT_NE(bytes, nullptr);
		EXPECT_EQ(std::string(bytes, length), "hi\r");
		delete[] bytes;
	}

	mFolder.Write("narrow", "plain text");
	EXPECT_EQ(TVyFileUtils::FlattenUnicodeFile(mFolder.File("narrow").get()), nullptr);
	EXPECT_EQ(TVyFileUtils::FlattenUnicodeFile(mFolder.File("absent").get()), nullptr);
}

TEST_F(TVyFileUtilsTest, FileDialogsAnswerCancelledUntilAHandlerIsInstalled)
{
	EXPECT_EQ(TVyFileUtils::GetDirectorySFP(nullptr), nullptr);
	EXPECT_EQ(TVyFileUtils::OpenAnyFileSFP(nullptr, nullptr), nullptr);
	EXPECT_EQ(TVyFileUtils::NewFileSFP(nullptr, nullptr, const_cast<char*>("x")), nullptr);

	mFolder.Write("existing", "old");
	std::vector<tNavRequest> asked;
	TVyFileUtils::SetNavHandler([&](const tNavRequest& request) {
		asked.push_back(request);
		tNavReply reply;
		reply.accepted = true;
		reply.replacing = request.kind == tNavRequest::kSaveFile;
		std::string name = request.kind == tNavRequest::kChooseFolder ? "" : "existing";
		EXPECT_EQ(FSPathMakeFSSpec(mFolder.Path(name), &reply.spec), noErr);
		return reply;
	});

	std::unique_ptr<TVyFile> chosen(TVyFileUtils::OpenFileSFP(nullptr, nullptr, kType));
	ASSERT_NE(chosen, nullptr);
	ASSERT_EQ(asked.size(), 1u);
	EXPECT_EQ(asked[0].fileType, kType);
	EXPECT_EQ(asked[0].optionFlags, 0x10u);
	char name[64];
	chosen->GetFileName(name);
	EXPECT_STREQ(name, "existing");

	std::unique_ptr<TVyFile> folder(TVyFileUtils::GetDirectorySFP(nullptr));
	ASSERT_NE(folder, nullptr);
	EXPECT_EQ(TVyFileUtils::CountFiles(folder.get(), 0, 0), 3); // existing, config and run folders

	// The file chosen to save into keeps its bytes until the new ones are written whole.
	std::unique_ptr<TVyFile> saved(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr));
	ASSERT_NE(saved, nullptr);
	EXPECT_STREQ(asked.back().defaultName, "");
	EXPECT_EQ(saved->GetMode(), kFileModeWrite);
	EXPECT_EQ(mFolder.Read("existing"), "old");
	ASSERT_EQ(saved->Open(), 0);
	EXPECT_EQ(saved->Write("new", 3), 0);
	EXPECT_EQ(mFolder.Read("existing"), "old");
	EXPECT_EQ(saved->Close(), 0);
	EXPECT_EQ(mFolder.Read("existing"), "new");
}

} // namespace
