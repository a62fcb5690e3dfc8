#include "toolkit/TEventWatcher.h"

#include "model/UModifierKeys.h"
#include "platform/framework/LApplication.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/TCURLAttachment.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace
{

std::deque<bool> sAnswers; // what each perform call answers; false once they run out
int sPerformCalls = 0;

bool ScriptedPerform()
{
	++sPerformCalls;
	const bool again = !sAnswers.empty() && sAnswers.front();
	if (!sAnswers.empty())
		sAnswers.pop_front();
	return again;
}

// The application with both attachments, as it attaches them; it records the keys that still reach it.
class EventAttachmentTest : public ::testing::Test, public LApplication
{
protected:
	void SetUp() override
	{
		FrameworkTest::EnsureApplication();
		SwitchTarget(this);
		AddAttachment(new TEventWatcher);
		AddAttachment(new TCURLAttachment(&ScriptedPerform));
		TEventWatcher::Reset();
		sAnswers.clear();
		sPerformCalls = 0;
	}
	void TearDown() override { TCURLAttachment::TurnOff(); }

	Boolean HandleKeyPress(const EventRecord&) override
	{
		++mKeys;
		return true;
	}
	static void Send(UInt16 inWhat, UInt16 inModifiers)
	{
		EventRecord event;
		event.what = inWhat;
		event.message = 'a';
		event.modifiers = inModifiers;
		LApplication::DispatchEvent(event, nullptr);
	}

	int mKeys = 0;
};

TEST_F(EventAttachmentTest, WatcherKeepsTheModifiersOfTheLastMouseOrKeyEvent)
{
	Send(keyDown, shiftKey | btnState);
	EXPECT_TRUE(TEventWatcher::ShiftKey());
	// Neither auto-key repeats nor other kinds of event change them.
	Send(autoKey, 0);
	Send(updateEvt, cmdKey);
	LApplication::DispatchNullEvent();
	EXPECT_TRUE(TEventWatcher::ShiftKey());
	EXPECT_FALSE(TEventWatcher::CommandKey());

	Send(mouseDown, cmdKey | optionKey | controlKey);
	EXPECT_FALSE(TEventWatcher::ShiftKey());
	EXPECT_TRUE(TEventWatcher::CommandKey() && TEventWatcher::OptionKey() && TEventWatcher::ControlKey());
	EXPECT_TRUE(UModifierKeys::CommandKey() && UModifierKeys::ControlKey());
	Send(keyUp, controlKey);
	EXPECT_FALSE(TEventWatcher::CommandKey());
	EXPECT_TRUE(TEventWatcher::ControlKey());
	Send(mouseUp, 0);
	EXPECT_FALSE(UModifierKeys::ControlKey());
	// The application still handled the key and the auto-key events.
	EXPECT_EQ(mKeys, 2);
}

TEST_F(EventAttachmentTest, PumpMakesOneToThreePassesPerEventWhileOn)
{
	sAnswers = {true, true};
	LApplication::DispatchNullEvent();
	Send(keyDown, 0);
	EXPECT_EQ(sPerformCalls, 0);

	TCURLAttachment::TurnOn();
	// Asked again four times in a row: the fourth call waits for the next event.
	sAnswers = {true, true, true, true, false};
	LApplication::DispatchNullEvent();
	EXPECT_EQ(sPerformCalls, 3);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(sPerformCalls, 5);
	// A pass that is not asked again ends the event's passes, real events included.
	sAnswers = {true, false, true};
	Send(mouseDown, 0);
	EXPECT_EQ(sPerformCalls, 7);
	Send(keyDown, 0);
	EXPECT_EQ(sPerformCalls, 9);
	EXPECT_EQ(mKeys, 2);

	TCURLAttachment::TurnOff();
	LApplication::DispatchNullEvent();
	EXPECT_EQ(sPerformCalls, 9);
	// The routing layer's switch is the same one.
	TCURLPump::TurnOn();
	LApplication::DispatchNullEvent();
	EXPECT_EQ(sPerformCalls, 10);
}

} // namespace
