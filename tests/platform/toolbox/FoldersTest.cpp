#include "platform/toolbox/Folders.h"

#include "platform/toolbox/Files.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/TempHomeFixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

using FoldersTest = TempHomeFixture;

mode_t ModeOf(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST_F(FoldersTest, PreferencesFolderFromXDGOrHome)
{
	std::string path;
	ASSERT_EQ(FindFolderPath(kPreferencesFolderType, kDontCreateFolder, &path), noErr);
	EXPECT_EQ(path, mRoot + "/config");
	EXPECT_TRUE(std::filesystem::is_directory(path));

	unsetenv("XDG_CONFIG_HOME");
	ASSERT_EQ(FindFolderPath(kPreferencesFolderType, kDontCreateFolder, &path), noErr);
	EXPECT_EQ(path, mRoot + "/home/.config");
	EXPECT_EQ(ModeOf(path), 0700u);

	// A relative value is ignored, as the XDG rules require.
	setenv("XDG_CONFIG_HOME", "relative", 1);
	ASSERT_EQ(FindFolderPath(kPreferencesFolderType, kDontCreateFolder, &path), noErr);
	EXPECT_EQ(path, mRoot + "/home/.config");
}

TEST_F(FoldersTest, TemporaryFolderIsPrivate)
{
	if (const std::string why = DiskAbilities::WhyNot(mRoot, DiskAbilities::kSetMode); !why.empty())
		GTEST_SKIP() << why;
	std::string path;
	ASSERT_EQ(FindFolderPath(kTemporaryFolderType, kDontCreateFolder, &path), noErr);
	EXPECT_EQ(path, mRoot + "/runtime/vantorel");
	EXPECT_EQ(ModeOf(path), 0700u);

	unsetenv("XDG_RUNTIME_DIR");
	const std::string fallback = mRoot + "/vantorel-" + std::to_string(getuid());
	mkdir(fallback.c_str(), 0777);
	chmod(fallback.c_str(), 0777);
	ASSERT_EQ(FindFolderPath(kTemporaryFolderType, kDontCreateFolder, &path), noErr);
	EXPECT_EQ(path, fallback);
	EXPECT_EQ(ModeOf(path), 0700u);

	// A link planted in the shared place is refused.
	std::filesystem::remove(fallback);
	std::filesystem::create_directory_symlink(mWork, fallback);
	EXPECT_EQ(FindFolderPath(kTemporaryFolderType, kDontCreateFolder, &path), permErr);
}

TEST_F(FoldersTest, OtherFoldersAreOnlyFound)
{
	SInt16 vRefNum = 0;
	SInt32 dirID = 0;
	EXPECT_EQ(FindFolder(kOnSystemDisk, kTrashFolderType, kDontCreateFolder, &vRefNum, &dirID), fnfErr);
	ASSERT_EQ(FindFolder(kOnSystemDisk, kTrashFolderType, kCreateFolder, &vRefNum, &dirID), noErr);
	EXPECT_EQ(vRefNum, kVolumeRefNum);
	std::string path;
	ASSERT_TRUE(FolderIDTable::PathForID(dirID, &path));
	EXPECT_EQ(path, mRoot + "/data/Trash/files");
	EXPECT_EQ(FindFolder(kOnSystemDisk, FOUR_CHAR_CODE("none"), kCreateFolder, &vRefNum, &dirID), fnfErr);
	EXPECT_EQ(FindFolder(5, kPreferencesFolderType, kCreateFolder, &vRefNum, &dirID), nsvErr);
}

} // namespace
