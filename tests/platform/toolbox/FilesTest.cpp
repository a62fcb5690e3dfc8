#include "platform/toolbox/Files.h"

#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/TempHomeFixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/xattr.h>

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
