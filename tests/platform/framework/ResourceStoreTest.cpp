#include "platform/toolbox/gui/ResourceStore.h"

#include "FrameworkTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{

// A store of its own, so that the cases do not disturb the fixture resources of the other tests.
class ResourceStoreTest : public ::testing::Test
{
protected:
	ResourceStore mStore;
	std::string mError;

	bool Load(const std::string& text) { return mStore.LoadText(text, "test", &mError); }
};

TEST_F(ResourceStoreTest, StringListsAreMacRomanAndCountedFromOne)
{
	FrameworkTest::LoadFixtures();
	Str255 s;
	GetIndString(s, 128, 1);
	EXPECT_EQ(PascalStrings::ToString(s), "First message");
	GetIndString(s, 128, 2);
	EXPECT_EQ(PascalStrings::ToString(s), "Caf\x8E au lait");
	GetIndString(s, 128, 4);
	EXPECT_EQ(PascalStrings::ToString(s), "D\x8Ej\x88 vu");
	GetIndString(s, 128, 3);
	EXPECT_EQ(s[0], 0);
	// Out of range and missing lists give empty strings.
	s[0] = 9;
	GetIndString(s, 128, 5);
	EXPECT_EQ(s[0], 0);
	s[0] = 9;
	GetIndString(s, 128, 0);
	EXPECT_EQ(s[0], 0);
	s[0] = 9;
	GetIndString(s, 9999, 1);
	EXPECT_EQ(s[0], 0);
}

TEST_F(ResourceStoreTest, ErrorsNameTheLineAndLoadNothing)
{
	struct Row {
		const char* text;
		const char* reason;
		int line;
	};
	const std::string longText(256, 'x');
	const std::string tooLong = "STR# 1 { \"" + longText + "\" }";
	const Row rows[] = {
	    {"STR# 1 { \"ok\" }\nSTR# 2 { \"unterminated }", "unterminated text", 2},
	    {"STR# 1 { \"a\" }\nSTR# 1 { \"b\" }", "defined twice", 2},
	    {"\n\nFOOD 1 { }", "unknown resource type FOOD", 3},
	    {"PPob 1 { 'wind' 1 0 0 10 }", "a number was expected", 1},
	    {"PPob 1 { 'pan' 1 0 0 10 10 }", "four characters", 1},
	    {"PPob 1 { 'pane' 1 0 0 10 10 i16 40000 }", "out of range", 1},
	    {"PPob 1 { 'pane' 1 0 0 10 10 float 1 }", "unknown field type", 1},
	    {"MENU 1 \"M\" { \"a\" key AB }", "one character", 1},
	    {"ALRT 1 { text \"x\" button \"OK\" default 2 }", "names no button", 1},
	    {"STR# 1 { \"a\"", "'}' is missing", 1},
	    {tooLong.c_str(), "longer than 255", 1},
	};
	for (const Row& row : rows) {
		mError.clear();
		EXPECT_FALSE(Load(row.text)) << row.text;
		EXPECT_NE(mError.find(row.reason), std::string::npos) << mError;
		EXPECT_NE(mError.find("test:" + std::to_string(row.line) + ":"), std::string::npos) << mError;
	}
	EXPECT_EQ(mStore.GetStringList(1), nullptr);
	EXPECT_EQ(mStore.GetStringList(2), nullptr);
}

TEST_F(ResourceStoreTest, LaterFilesReplaceResourcesOfEarlierOnes)
{
	ASSERT_TRUE(Load("STR# 5 { \"old\" } STR# 6 { \"kept\" }"));
	ASSERT_TRUE(Load("STR# 5 { \"new\" \"two\" }"));
	ASSERT_NE(mStore.GetStringList(5), nullptr);
	EXPECT_EQ(*mStore.GetStringList(5), (std::vector<std::string>{"new", "two"}));
	EXPECT_EQ(*mStore.GetStringList(6), (std::vector<std::string>{"kept"}));
}

TEST_F(ResourceStoreTest, LayoutFieldsAreWrittenBigEndianInOrder)
{
	ASSERT_TRUE(Load("PPob 7 { 'pane' 'abcd' -5 6 70 80 disabled bind 1 0 1 0 user -3 "
	                 "i8 -1 u16 0x1234 i32 -2 bool 1 str \"Hi\" code 'wxyz' rgb 1 2 65535 { "
	                 "'pane' 9 0 0 1 1 } }"));
	const SResLayoutPane* p = mStore.GetLayout(7);
	ASSERT_NE(p, nullptr);
	EXPECT_EQ(p->classID, FOUR_CHAR_CODE("pane"));
	EXPECT_EQ(p->paneID, SInt32(FOUR_CHAR_CODE("abcd")));
	EXPECT_EQ(p->left, -5);
	EXPECT_EQ(p->height, 80);
	EXPECT_TRUE(p->visible);
	EXPECT_FALSE(p->enabled);
	EXPECT_TRUE(p->bindLeft && p->bindRight && !p->bindTop && !p->bindBottom);
	EXPECT_EQ(p->userCon, -3);
	const std::vector<UInt8> expected = {0xFF, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFE, 1, 2,    'H', 'i',
	                                     'w',  'x',  'y',  'z',  0,    1,    0,    2, 0xFF, 0xFF};
	EXPECT_EQ(p->fields, expected);
	ASSERT_EQ(p->subPanes.size(), 1u);
	EXPECT_EQ(p->subPanes[0].paneID, 9);
}

TEST_F(ResourceStoreTest, MenusAlertsControlListsAndTextTraits)
{
	ASSERT_TRUE(
	    Load("# comment with STR# in it\n"
	         "MENU 3 \"Ed\xC3\xAEt\" { \"Cut\" cmd 12 key x \"-\" \"More\" submenu 4 disabled checked "
	         "\"Code\" cmd 'AddC' }\n"
	         "ALRT 9 { text \"^0\\n^1\" button \"Yes\" button \"No\" cancel 2 }\n"
	         "RidL 9 { 'OKbt' 2001 }\n"
	         "Txtr 9 { font \"Geneva\" size 10 style 1 just -1 color 1 2 3 }\n"));
	const SResMenu* m = mStore.GetMenu(3);
	ASSERT_NE(m, nullptr);
	EXPECT_EQ(m->title, "Ed\x94t");
	ASSERT_EQ(m->items.size(), 4u);
	EXPECT_EQ(m->items[0].key, 'X');
	EXPECT_EQ(m->items[0].command, 12);
	EXPECT_EQ(m->items[2].submenuID, 4);
	EXPECT_FALSE(m->items[2].enabled);
	EXPECT_TRUE(m->items[2].checked);
	EXPECT_EQ(m->items[3].command, SInt32(FOUR_CHAR_CODE("AddC")));
	const SResAlert* a = mStore.GetAlert(9);
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(a->text, "^0\n^1");
	EXPECT_EQ(a->buttons.size(), 2u);
	EXPECT_EQ(a->cancelItem, 2);
	EXPECT_EQ(*mStore.GetControlList(9), (std::vector<SInt32>{SInt32(FOUR_CHAR_CODE("OKbt")), 2001}));
	const SResTextTraits* t = mStore.GetTextTraits(9);
	ASSERT_NE(t, nullptr);
	EXPECT_EQ(t->fontName, "Geneva");
	EXPECT_EQ(t->justification, -1);
	EXPECT_EQ(t->color.blue, 3);
}

TEST_F(ResourceStoreTest, FolderLoadsItsResourceFilesAndMissingOnesAreErrors)
{
	FrameworkTest::EnsureApplication();
	ASSERT_TRUE(mStore.LoadFolder(std::string(VANTOREL_FIXTURES) + "/resources", &mError)) << mError;
	EXPECT_NE(mStore.GetLayout(1000), nullptr);
	EXPECT_NE(mStore.GetMenuBar(128), nullptr);
	EXPECT_FALSE(mStore.LoadFile("/nonexistent/file.res", &mError));
	EXPECT_NE(mError.find("cannot be read"), std::string::npos);
	EXPECT_FALSE(mStore.LoadFolder("/nonexistent", &mError));
}

TEST_F(ResourceStoreTest, TwoFilesOfAFolderGivingOneNumberTwiceLoadNothing)
{
	ScratchFolder scratch;
	const std::filesystem::path folder = scratch.Path();
	std::ofstream(folder / "a.res") << "STR# 7 { \"a\" } STR# 8 { \"only a\" }";
	std::ofstream(folder / "b.res") << "STR# 9 { \"b\" } STR# 7 { \"b\" }";
	EXPECT_FALSE(mStore.LoadFolder(folder.string(), &mError));
	EXPECT_NE(mError.find("b.res: STR# 7 is also defined"), std::string::npos) << mError;
	EXPECT_EQ(mStore.GetStringList(8), nullptr);
}

} // namespace
