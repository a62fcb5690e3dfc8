#include "platform/toolbox/FileReference.h"

#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/TempHomeFixture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

using FileReferenceTest = TempHomeFixture;

TEST(FileReferenceRecord, NativeOrderAtFixedOffsetsWithZeroPadding)
{
	tStoredFileReference ref;
	ref.vRefNum = -1;
	ref.parentID = 0x01020304;
	ref.dirID = 0x0A0B0C0D;
	ref.name[0] = 3;
	std::memcpy(ref.name + 1, "abcXYZ", 6); // bytes past the length must not be stored
	UInt8 bytes[kStoredFileReferenceSize];
	std::memset(bytes, 0xEE, sizeof bytes);
	EncodeFileReference(ref, bytes);

	SInt16 volume;
	SInt32 parent;
	SInt32 folder;
	std::memcpy(&volume, bytes + 0, 2);
	std::memcpy(&parent, bytes + 2, 4);
	std::memcpy(&folder, bytes + 6, 4);
	EXPECT_EQ(volume, -1);
	EXPECT_EQ(parent, 0x01020304);
	EXPECT_EQ(folder, 0x0A0B0C0D);
	EXPECT_EQ(bytes[10], 3);
	EXPECT_EQ(std::memcmp(bytes + 11, "abc", 3), 0);
	for (size_t i = 14; i < sizeof bytes; ++i)
		EXPECT_EQ(bytes[i], 0) << i;

	tStoredFileReference back;
	ASSERT_TRUE(DecodeFileReference(bytes, &back));
	EXPECT_EQ(back.dirID, ref.dirID);
	EXPECT_EQ(std::memcmp(back.name, "\3abc\0", 5), 0);

	bytes[10] = 64;
	back.name[0] = 9;
	EXPECT_FALSE(DecodeFileReference(bytes, &back));
	EXPECT_EQ(back.name[0], 9);
}

TEST_F(FileReferenceTest, KeptIDsSurviveALaterRunAndOthersDoNot)
{
	std::filesystem::create_directories(mWork + "/kept");
	std::filesystem::create_directories(mWork + "/loose");
	tStoredFileReference ref;
	ref.dirID = FolderIDTable::IDForPath(mWork + "/kept");
	ref.parentID = FolderIDTable::IDForPath(mWork);
	const SInt32 loose = FolderIDTable::IDForPath(mWork + "/loose/");
	EXPECT_EQ(FolderIDTable::IDForPath(mWork + "/./kept"), ref.dirID);
	ASSERT_TRUE(KeepFileReference(ref));

	// Only the table remains in its folder: it was written through a renamed temporary file.
	const std::string table = FolderIDTable::TablePath();
	EXPECT_EQ(std::distance(
	              std::filesystem::directory_iterator(std::filesystem::path(table).parent_path()), {}),
	          1);

	FolderIDTable::Forget();
	std::string path;
	ASSERT_TRUE(FolderIDTable::PathForID(ref.dirID, &path));
	EXPECT_EQ(path, mWork + "/kept");
	ASSERT_TRUE(FolderIDTable::PathForID(ref.parentID, &path));
	EXPECT_EQ(path, mWork);
	// Not kept, so unknown until the folder is seen again; then it gets its id back.
	EXPECT_FALSE(FolderIDTable::PathForID(loose, &path));
	EXPECT_EQ(FolderIDTable::IDForPath(mWork + "/loose"), loose);
}

TEST_F(FileReferenceTest, DamagedTableLinesAreSkipped)
{
	std::filesystem::create_directories(mRoot + "/config/vantorel");
	WriteText(FolderIDTable::TablePath(), "# folder ids 1\n"
	                                      "77\t/some/where\n"
	                                      "x9\t/bad/id\n"
	                                      "3\t/too/low\n"
	                                      "78\trelative\n"
	                                      "79\t/with\\nnewline");
	std::string path;
	ASSERT_TRUE(FolderIDTable::PathForID(77, &path));
	EXPECT_EQ(path, "/some/where");
	EXPECT_FALSE(FolderIDTable::PathForID(3, &path));
	EXPECT_FALSE(FolderIDTable::PathForID(78, &path));
	ASSERT_TRUE(FolderIDTable::PathForID(79, &path));
	EXPECT_EQ(path, "/with\nnewline");
	// A new folder never takes an id the table holds.
	EXPECT_NE(FolderIDTable::IDForPath(mWork), 77);
}

} // namespace
