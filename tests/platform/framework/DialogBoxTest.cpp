#include "ControlsTestSupport.h"
#include "platform/framework/LDialogBox.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/framework/UReanimator.h"

using namespace ControlsTest;

namespace
{

EventRecord Key(UInt16 inChar, UInt16 inModifiers = 0)
{
	EventRecord event;
	event.what = keyDown;
	event.message = inChar;
	event.modifiers = inModifiers;
	return event;
}

TEST(DialogBoxTest, ReturnAndEscapeClickTheDialogsButtons)
{
	LoadControlFixtures();
	TRecorder recorder;
	auto app = std::make_unique<LApplication>();
	auto makeDialog = [&] {
		auto* dialog = dynamic_cast<LDialogBox*>(LWindow::CreateWindow(7050, app.get()));
		EXPECT_NE(dialog, nullptr);
		UReanimator::LinkListenerToControls(&recorder, dialog, 7050);
		dialog->Show();
		dialog->Select();
		return dialog;
	};
	LDialogBox* dialog = makeDialog();
	ASSERT_NE(dialog, nullptr);
	ASSERT_NE(dialog->GetDefaultButton(), nullptr);
	EXPECT_TRUE(dialog->GetDefaultButton()->IsDefaultButton()); // the layout's kind did not say so
	EXPECT_TRUE(dialog->GetCancelButton()->IsCancelButton());

	EventRecord enter = Key(char_Enter);
	LApplication::DispatchEvent(enter, dialog);
	EXPECT_EQ(recorder.Count(msg_OK), 1u);
	EXPECT_FALSE(dialog->IsClosing());

	// A disabled default button takes no keys.
	dialog->GetDefaultButton()->Disable();
	EventRecord ret = Key(char_Return);
	LApplication::DispatchEvent(ret, dialog);
	EXPECT_EQ(recorder.Count(msg_OK), 1u);

	EventRecord escape = Key(char_Escape);
	LApplication::DispatchEvent(escape, dialog);
	EXPECT_EQ(recorder.Count(msg_Cancel), 1u);
	EXPECT_TRUE(LWindow::GetWindowList().empty()); // Cancel closed it

	dialog = makeDialog();
	EventRecord cmdPeriod = Key('.', cmdKey);
	LApplication::DispatchEvent(cmdPeriod, dialog);
	EXPECT_EQ(recorder.Count(msg_Cancel), 2u);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
}

} // namespace
