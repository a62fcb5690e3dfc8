#include "toolkit/UDragAndDropUtils.h"

#include "Includes/TKsFont.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "toolkit/UKsServices.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

class UDragAndDropUtilsTest : public ::testing::Test
{
protected:
	void SetUp() override { ASSERT_EQ(NewDrag(&mDrag), noErr); }
	void TearDown() override { DisposeDrag(mDrag); }
	DragReference mDrag = nullptr;
};

TEST_F(UDragAndDropUtilsTest, OptionCountsWhenHeldAtEitherEndOfTheDrag)
{
	EXPECT_FALSE(UDragAndDropUtils::CheckForOptionKey(mDrag));
	QtDrag::SetDragMouseDownModifiers(mDrag, optionKey | cmdKey, Point{});
	QtDrag::SetDragMouseUpModifiers(mDrag, 0); // released before the drop
	EXPECT_TRUE(UDragAndDropUtils::CheckForOptionKey(mDrag));

	QtDrag::SetDragMouseDownModifiers(mDrag, cmdKey | shiftKey, Point{});
	EXPECT_FALSE(UDragAndDropUtils::CheckForOptionKey(mDrag));
	QtDrag::SetDragMouseUpModifiers(mDrag, optionKey);
	EXPECT_TRUE(UDragAndDropUtils::CheckForOptionKey(mDrag));
	// Held only in between counts for nothing.
	QtDrag::SetDragMouseUpModifiers(mDrag, 0);
	QtDrag::SetDragState(mDrag, Point{}, optionKey);
	EXPECT_FALSE(UDragAndDropUtils::CheckForOptionKey(mDrag));
}

TEST_F(UDragAndDropUtilsTest, TheSenderIsTheViewOnlyWhileTheDragIsInItsOwnWindow)
{
	QtDrag::AddDragAttributes(mDrag, kDragInsideSenderApplication | kDragHasLeftSenderWindow);
	EXPECT_FALSE(UDragAndDropUtils::CheckIfViewIsAlsoSender(mDrag));
	QtDrag::AddDragAttributes(mDrag, kDragInsideSenderWindow);
	EXPECT_TRUE(UDragAndDropUtils::CheckIfViewIsAlsoSender(mDrag));
	EXPECT_FALSE(UDragAndDropUtils::DroppedInTrash(mDrag));
}

TEST(TKsFontNumberTest, NamesFindTheirFontNumbersOnceTheToolkitIsInstalled)
{
	FrameworkTest::EnsureApplication();
	TKsFont::SetFontNumberLookup(nullptr);
	TKsFont font;
	const std::vector<std::string> families = GetFontFamilyNames();
	ASSERT_FALSE(families.empty());
	font.FontName(families.front().c_str());
	EXPECT_EQ(font.GetMacFontNumber(), 0);

	UKsServices::Install();
	Str255 name;
	name[0] = UInt8(families.front().size());
	families.front().copy(reinterpret_cast<char*>(name + 1), 255);
	SInt16 expected = -1;
	GetFNum(name, &expected);
	EXPECT_NE(expected, 0);
	EXPECT_EQ(font.GetMacFontNumber(), expected);

	TKsFont fresh;
	EXPECT_EQ(fresh.GetFontSize(), 9);
	EXPECT_EQ(fresh.GetMacFontNumber(), 0); // an empty name is no font the system knows
	fresh.FontName("No Such Family Here");
	EXPECT_EQ(fresh.GetMacFontNumber(), 0);
	fresh.FontName("Geneva");
	EXPECT_EQ(fresh.GetMacFontNumber(), kFontIDGeneva);
}
} // namespace
