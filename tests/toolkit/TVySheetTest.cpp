#include "toolkit/TVySheet.h"

#include "platform/framework/LPushButton.h"
#include "platform/framework/UDispatch.h"
#include "tests/toolkit/ToolkitTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

class TRecordingSheet : public TVySheet
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tVyS") };
	explicit TRecordingSheet(LStream* inStream) : TVySheet(inStream) {}
	~TRecordingSheet() override
	{
		if (mDeleted != nullptr)
			*mDeleted = true;
	}

	Boolean ObeyCommand(CommandT inCommand, void*) override
	{
		mCommands.push_back(inCommand);
		return true;
	}
	std::vector<CommandT> mCommands;
	bool* mDeleted = nullptr;
};

using Commands = std::vector<CommandT>;

// A sheet with Cancel and OK, one without buttons, and a parent window.
const char* const kLayouts = R"res(
PPob 31030 {
	'tVyS' 31030 0 0 200 100  str "Sheet" u32 0x2000004F i16 100 i16 80 i16 -1 i16 -1 {
		'push' 2001 20 60 80 20  i32 2001 i32 0 i32 0 i32 0 str "Cancel" i16 0 u8 2
		'push' 2000 110 60 80 20  i32 2000 i32 0 i32 0 i32 0 str "OK" i16 0 u8 1
	}
}
RidL 31030 { 2001 2000 }
PPob 31031 {
	'tVyS' 31031 0 0 200 100  str "Bare" u32 0x2000004F i16 100 i16 80 i16 -1 i16 -1 { }
}
PPob 31032 {
	'wind' 31032 100 120 400 300  str "Parent" u32 0x2000004F i16 100 i16 80 i16 -1 i16 -1 { }
}
)res";

EventRecord KeyEvent(UInt8 inChar, UInt16 inModifiers = 0)
{
	EventRecord event;
	event.what = keyDown;
	event.message = inChar;
	event.modifiers = inModifiers;
	return event;
}

class TVySheetTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ToolkitTest::LoadResources();
		ToolkitTest::LoadFixtures();
		RegisterClass_(TRecordingSheet);
		static bool loaded = false;
		if (!loaded) {
			std::string error;
			ASSERT_TRUE(ResourceStore::Get().LoadText(kLayouts, "test", &error)) << error;
			loaded = true;
		}
	}

	static TRecordingSheet* MakeSheet(ResIDT inLayoutID)
	{
		return dynamic_cast<TRecordingSheet*>(LWindow::CreateWindow(inLayoutID, nullptr));
	}
	static LWindow* MakeParent()
	{
		LWindow* window = LWindow::CreateWindow(31032, nullptr);
		if (window) {
			window->Show();
			window->Select();
		}
		return window;
	}
	static Boolean Press(LWindow* inWindow, UInt8 inChar, UInt16 inModifiers = 0)
	{
		Boolean handled = false;
		UDispatch::Run([&] { handled = inWindow->HandleKeyPress(KeyEvent(inChar, inModifiers)); });
		return handled;
	}
};

TEST_F(TVySheetTest, ButtonsKeysAndControlsFollowTheWindowRules)
{
	std::unique_ptr<TRecordingSheet> sheet(MakeSheet(31030));
	ASSERT_NE(sheet, nullptr);
	ASSERT_NE(sheet->GetOKButton(), nullptr);
	ASSERT_NE(sheet->GetCancelButton(), nullptr);
	EXPECT_TRUE(Press(sheet.get(), 13));
	EXPECT_TRUE(Press(sheet.get(), 3));
	EXPECT_TRUE(Press(sheet.get(), 27));
	EXPECT_TRUE(Press(sheet.get(), '.', cmdKey));
	UDispatch::Run([&] { sheet->GetCancelButton()->SimulateHotSpotClick(kControlButtonPart); });
	EXPECT_EQ(sheet->mCommands, (Commands{2000, 2000, 2001, 2001}));

	// Without buttons Return is not handled and Escape closes the sheet.
	TRecordingSheet* bare = MakeSheet(31031);
	ASSERT_NE(bare, nullptr);
	EXPECT_EQ(bare->GetOKButton(), nullptr);
	EXPECT_FALSE(Press(bare, 13));
	// The sheet is read only inside the dispatch: once it ends, the closed sheet is gone.
	Boolean closing = false;
	bool commanded = true;
	bool deleted = false;
	bare->mDeleted = &deleted;
	UDispatch::Run([&] {
		bare->HandleKeyPress(KeyEvent(27));
		closing = bare->IsClosing();
		commanded = !bare->mCommands.empty();
	});
	EXPECT_TRUE(closing);
	EXPECT_FALSE(commanded);
	EXPECT_TRUE(deleted);
}

TEST_F(TVySheetTest, AShownSheetLiesOverItsParentsTopAndComesAlongWithIt)
{
	std::unique_ptr<LWindow> parent(MakeParent());
	std::unique_ptr<LWindow> other(MakeParent());
	std::unique_ptr<TRecordingSheet> sheet(MakeSheet(31030));
	ASSERT_TRUE(parent && other && sheet);
	ASSERT_TRUE(other->IsFrontWindow());

	sheet->ShowSheet(parent.get(), false);
	EXPECT_FALSE(sheet->IsVisible());
	EXPECT_EQ(sheet->GetParent(), parent.get());
	EXPECT_TRUE(other->IsFrontWindow());

	sheet->ShowSheet(parent.get(), true);
	EXPECT_TRUE(sheet->IsVisible());
	Rect bounds;
	sheet->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.top, 120);
	EXPECT_EQ(bounds.left, 100 + (400 - 200) / 2);
	EXPECT_EQ(bounds.right - bounds.left, 200);
	// The parent was selected, and the sheet stays in front of it.
	std::vector<LWindow*> order = LWindow::GetWindowList();
	ASSERT_GE(order.size(), 3u);
	EXPECT_EQ(order[0], sheet.get());
	EXPECT_EQ(order[1], parent.get());

	// A click in the sheet while another window is in front brings the parent and the sheet forward.
	other->Select();
	EventRecord click;
	click.what = mouseDown;
	click.where = Point{SInt16(bounds.top + 5), SInt16(bounds.left + 5)};
	UDispatch::Run([&] { sheet->HandleClick(click, 1); });
	order = LWindow::GetWindowList();
	EXPECT_EQ(order[0], sheet.get());
	EXPECT_EQ(order[1], parent.get());

	// Show again after the parent moved: over the parent where it is now.
	sheet->Hide();
	parent->MoveWindowTo(300, 200);
	sheet->Show();
	sheet->GetGlobalBounds(bounds);
	EXPECT_TRUE(sheet->IsVisible());
	EXPECT_EQ(bounds.top, 200);
	EXPECT_EQ(bounds.left, 300 + (400 - 200) / 2);
}

TEST_F(TVySheetTest, ClosingTheSheetSelectsAParentThatIsStillThere)
{
	std::unique_ptr<LWindow> parent(MakeParent());
	std::unique_ptr<LWindow> other(MakeParent());
	TRecordingSheet* sheet = MakeSheet(31030);
	ASSERT_TRUE(parent && other && sheet);
	sheet->ShowSheet(parent.get(), true);
	other->Select();
	delete sheet;
	EXPECT_TRUE(parent->IsFrontWindow());

	// A parent that went first is left alone.
	sheet = MakeSheet(31030);
	ASSERT_NE(sheet, nullptr);
	sheet->ShowSheet(parent.get(), true);
	parent.reset();
	EXPECT_EQ(sheet->GetParent(), nullptr);
	sheet->Hide();
	sheet->Show();
	EXPECT_TRUE(sheet->IsVisible());
	delete sheet;
	EXPECT_TRUE(other->IsFrontWindow());
}

} // namespace
