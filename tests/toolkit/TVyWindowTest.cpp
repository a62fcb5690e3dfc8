#include "toolkit/TVyWindow.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/UDispatch.h"
#include "tests/toolkit/ToolkitTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{

// Records the commands reaching the window (with the value their parameter points to) and lets a test act
// inside its handlers.
class TRecordingWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tVyR") };
	explicit TRecordingWindow(LStream* inStream) : TVyWindow(inStream) { ++sAlive; }
	~TRecordingWindow() override { --sAlive; }

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		mCommands.push_back(inCommand);
		mValues.push_back(ioParam ? *static_cast<SInt32*>(ioParam) : -1);
		if (mOnCommand && mOnCommand(inCommand))
			return true;
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
	Boolean HandleCommandPeriod(const EventRecord& inKeyEvent) override
	{
		++mCommandPeriods;
		return mOwnCommandPeriod ? false : TVyWindow::HandleCommandPeriod(inKeyEvent);
	}

	std::vector<CommandT> mCommands;
	std::vector<SInt32> mValues;
	std::function<bool(CommandT)> mOnCommand;
	bool mOwnCommandPeriod = false;
	int mCommandPeriods = 0;
	static inline int sAlive = 0;
};

// The window's super commander: records the keys and commands passed up to it.
class TRecordingCommander : public LCommander
{
public:
	TRecordingCommander() : LCommander(nullptr) {}
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override
	{
		mKeys.push_back(UInt8(inKeyEvent.message & charCodeMask));
		return true;
	}
	Boolean ObeyCommand(CommandT inCommand, void*) override
	{
		mCommands.push_back(inCommand);
		return false;
	}
	std::vector<UInt8> mKeys;
	std::vector<CommandT> mCommands;
};

EventRecord KeyEvent(UInt8 inChar, UInt16 inModifiers = 0)
{
	EventRecord event;
	event.what = keyDown;
	event.message = inChar;
	event.modifiers = inModifiers;
	return event;
}

using Commands = std::vector<CommandT>;

class TVyWindowTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ToolkitTest::LoadResources();
		ToolkitTest::LoadFixtures();
		RegisterClass_(TRecordingWindow);
	}

	TRecordingWindow* Make(ResIDT inLayoutID)
	{
		return dynamic_cast<TRecordingWindow*>(LWindow::CreateWindow(inLayoutID, &mSuper));
	}

	// A key as the event loop hands it to the window.
	static Boolean Press(LWindow* inWindow, UInt8 inChar, UInt16 inModifiers = 0)
	{
		Boolean handled = false;
		UDispatch::Run([&] { handled = inWindow->ProcessKeyPress(KeyEvent(inChar, inModifiers)); });
		return handled;
	}

	TRecordingCommander mSuper;
};

TEST_F(TVyWindowTest, FindsItsPushButtonsAndKeepsTheLayoutFlag)
{
	std::unique_ptr<TRecordingWindow> both(Make(31000));
	ASSERT_NE(both, nullptr);
	EXPECT_EQ(both->GetOKButton(), both->FindPaneByID(2000));
	EXPECT_EQ(both->GetCancelButton(), both->FindPaneByID(2001));
	EXPECT_NE(both->GetOKButton(), nullptr);
	EXPECT_EQ(both->GetLayoutFlag(), 7);

	// Pane 2000 that is no push button, and no pane 2001 at all.
	std::unique_ptr<TRecordingWindow> none(Make(31001));
	ASSERT_NE(none, nullptr);
	EXPECT_NE(none->FindPaneByID(2000), nullptr);
	EXPECT_EQ(none->GetOKButton(), nullptr);
	EXPECT_EQ(none->GetCancelButton(), nullptr);

	// The registered base class; its control list is found under the layout's number.
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(31002, &mSuper));
	auto* plain = dynamic_cast<TVyWindow*>(window.get());
	ASSERT_NE(plain, nullptr);
	ASSERT_NE(plain->GetOKButton(), nullptr);
	EXPECT_TRUE(plain->GetOKButton()->HasListener(plain));
	EXPECT_TRUE(Press(plain, 13));
	EXPECT_EQ(mSuper.mCommands, Commands{2000});

	// Without the flag byte the layout is malformed.
	EXPECT_THROW(LWindow::CreateWindow(31003, &mSuper), LException);
}

TEST_F(TVyWindowTest, ReturnAndEnterClickTheOKButtonOrAreNotHandled)
{
	std::unique_ptr<TRecordingWindow> window(Make(31000));
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(Press(window.get(), 13));
	EXPECT_TRUE(Press(window.get(), 3));
	UDispatch::Run([&] { window->GetOKButton()->SimulateHotSpotClick(kControlButtonPart); });
	// The keys send exactly what a click sends.
	EXPECT_EQ(window->mCommands, (Commands{2000, 2000, 2000}));
	EXPECT_EQ(window->mValues, (std::vector<SInt32>{0, 0, 0}));

	std::unique_ptr<TRecordingWindow> bare(Make(31001));
	ASSERT_NE(bare, nullptr);
	EXPECT_FALSE(Press(bare.get(), 13));
	EXPECT_FALSE(Press(bare.get(), 3));
	EXPECT_TRUE(bare->mCommands.empty());
	EXPECT_TRUE(mSuper.mKeys.empty());
}

TEST_F(TVyWindowTest, EscapeClicksCancelOrClosesTheWindow)
{
	std::unique_ptr<TRecordingWindow> window(Make(31000));
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(Press(window.get(), 27));
	EXPECT_EQ(window->mCommands, Commands{2001});
	EXPECT_FALSE(window->IsClosing());

	mSuper.mCommands.clear();
	const int alive = TRecordingWindow::sAlive;
	TRecordingWindow* bare = Make(31001);
	ASSERT_NE(bare, nullptr);
	EXPECT_TRUE(Press(bare, 27));
	// Closed without a Cancel command, and deleted once the dispatch was over.
	EXPECT_EQ(TRecordingWindow::sAlive, alive);
	EXPECT_TRUE(mSuper.mKeys.empty());
	EXPECT_TRUE(mSuper.mCommands.empty());
}

TEST_F(TVyWindowTest, CommandPeriodIsSwallowedAndOtherKeysGoUpTheChain)
{
	std::unique_ptr<TRecordingWindow> window(Make(31000));
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(Press(window.get(), '.', cmdKey));
	EXPECT_EQ(window->mCommandPeriods, 1);
	EXPECT_TRUE(window->mCommands.empty());
	EXPECT_TRUE(mSuper.mKeys.empty());
	// A subclass's own answer counts.
	window->mOwnCommandPeriod = true;
	EXPECT_FALSE(Press(window.get(), '.', cmdKey));
	EXPECT_EQ(window->mCommandPeriods, 2);

	EXPECT_TRUE(Press(window.get(), '.'));
	EXPECT_TRUE(Press(window.get(), 'a'));
	EXPECT_EQ(window->mCommandPeriods, 2);
	EXPECT_EQ(mSuper.mKeys, (std::vector<UInt8>{'.', 'a'}));
}

TEST_F(TVyWindowTest, ControlMessagesArriveAsCommandsWithTheControlsParameter)
{
	std::unique_ptr<TRecordingWindow> window(Make(31000));
	ASSERT_NE(window, nullptr);
	auto* add = dynamic_cast<LPushButton*>(window->FindPaneByID(FOUR_CHAR_CODE("AddC")));
	ASSERT_NE(add, nullptr);
	SInt32 value = 5;
	add->BroadcastMessage(FOUR_CHAR_CODE("AddC"), &value);
	UDispatch::Run([&] { add->SimulateHotSpotClick(kControlButtonPart); });
	EXPECT_EQ(window->mCommands, (Commands{FOUR_CHAR_CODE("AddC"), FOUR_CHAR_CODE("AddC")}));
	EXPECT_EQ(window->mValues, (std::vector<SInt32>{5, 0}));
	// Unhandled, they travel on up the chain as any command does.
	EXPECT_EQ(mSuper.mCommands.size(), 2u);
}

TEST_F(TVyWindowTest, WindowClosingItselfInItsOwnHandlerIsDeletedAfterIt)
{
	const int alive = TRecordingWindow::sAlive;
	bool wholeAfterClose = false;
	auto make = [&] {
		TRecordingWindow* window = Make(31000);
		window->mOnCommand = [&wholeAfterClose, window, alive](CommandT inCommand) {
			window->AttemptClose();
			// Its members and buttons are still in use further up the stack.
			wholeAfterClose = TRecordingWindow::sAlive == alive + 1 &&
			                  window->GetOKButton() != nullptr &&
			                  UDispatch::IsDeletionPending(window);
			window->mCommands.push_back(-inCommand);
			return true;
		};
		return window;
	};
	// Called directly, outside any dispatch of the event loop.
	EXPECT_TRUE(make()->HandleKeyPress(KeyEvent(13)));
	EXPECT_TRUE(wholeAfterClose);
	EXPECT_EQ(TRecordingWindow::sAlive, alive);

	// Through the event loop, from the Cancel button's click.
	wholeAfterClose = false;
	TRecordingWindow* window = make();
	LCommander::SwitchTarget(window);
	EventRecord escape = KeyEvent(27);
	LApplication::DispatchEvent(escape, window);
	EXPECT_TRUE(wholeAfterClose);
	EXPECT_EQ(TRecordingWindow::sAlive, alive);
}

} // namespace
