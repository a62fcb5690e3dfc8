#include "ControlsTestSupport.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LTabGroup.h"
#include "platform/framework/LTextEditView.h"
#include "platform/framework/UReanimator.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstring>

using namespace ControlsTest;
using FrameworkTest::Descriptor;

namespace
{

class EditTextTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadControlFixtures();
		mApp = std::make_unique<LApplication>();
		mWindow = dynamic_cast<FrameworkTest::TWindow*>(LWindow::CreateWindow(7010, mApp.get()));
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->Select();
		UReanimator::LinkListenerToControls(&mRecorder, mWindow, 7010);
		mRecorder.mPointerMessages = {FOUR_CHAR_CODE("name"), FOUR_CHAR_CODE("nmbr"),
		                              FOUR_CHAR_CODE("flTx")};
		mName = dynamic_cast<LEditText*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("name")));
		mNumber = dynamic_cast<LEditText*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("nmbr")));
		ASSERT_TRUE(mName && mNumber);
	}

	// A key as the event loop hands it to the target.
	void Type(UInt16 inChar, UInt16 inModifiers = 0)
	{
		EventRecord event;
		event.what = keyDown;
		event.message = inChar;
		event.modifiers = inModifiers;
		LApplication::DispatchEvent(event, mWindow);
	}
	void Type(const char* inText)
	{
		for (const char* c = inText; *c; ++c)
			Type(UInt8(*c));
	}

	TRecorder mRecorder;
	std::unique_ptr<LApplication> mApp;
	FrameworkTest::TWindow* mWindow = nullptr;
	LEditText* mName = nullptr;
	LEditText* mNumber = nullptr;
};

TEST_F(EditTextTest, DescriptorIsMacRomanBothWays)
{
	EXPECT_EQ(Descriptor(mName), "Caf\x8E");
	QLineEdit* line = NativeOf<QLineEdit>(mName);
	ASSERT_NE(line, nullptr);
	EXPECT_EQ(line->text(), QString::fromUtf8("Café"));

	const unsigned char bullets[] = {5, 0xA5, 'a', 0x8A, 0xD0, 'z'}; // bullet, a, a-umlaut, en dash, z
	mName->SetDescriptor(bullets);
	EXPECT_EQ(line->text(), QString::fromUtf8("•aä–z"));
	EXPECT_EQ(Descriptor(mName), std::string(reinterpret_cast<const char*>(bullets + 1), 5));
	// Setting the text is not the user's change.
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("name")), 0u);
}

TEST_F(EditTextTest, KeysPassTheKeyFilterAndTheMaximumLength)
{
	ASSERT_TRUE(LCommander::SwitchTarget(mNumber));
	Type("12a3");
	EXPECT_EQ(Descriptor(mNumber), "123");
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("nmbr")), 3u); // each accepted key, not the rejected one
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("nmbr"))->param, mNumber);

	// Typed into the native field, keys take the same road.
	QLineEdit* line = NativeOf<QLineEdit>(mNumber);
	ASSERT_NE(line, nullptr);
	QKeyEvent four(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
	QKeyEvent dash(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, "-");
	QCoreApplication::sendEvent(line, &four);
	QCoreApplication::sendEvent(line, &dash);
	EXPECT_EQ(Descriptor(mNumber), "1234");

	Type("567"); // the field holds 5 characters
	EXPECT_EQ(Descriptor(mNumber), "12345");
	EXPECT_EQ(mNumber->GetValue(), 12345);
	Type(char_Backspace);
	EXPECT_EQ(Descriptor(mNumber), "1234");
	Type(char_LeftArrow);
	Type(char_LeftArrow);
	Type('9');
	EXPECT_EQ(Descriptor(mNumber), "12934");

	// A longer text set by the program is cut as well.
	const unsigned char seven[] = {7, '1', '2', '3', '4', '5', '6', '7'};
	mNumber->SetDescriptor(seven);
	EXPECT_EQ(Descriptor(mNumber), "12345");
	mNumber->SetMaxChars(3);
	EXPECT_EQ(Descriptor(mNumber), "123");
}

EKeyStatus VowelsOnly(const EventRecord& inKeyEvent)
{
	const char c = char(inKeyEvent.message & charCodeMask);
	if (!UKeyFilters::IsPrintingChar(UInt8(c)))
		return keyStatus_PassUp;
	return std::strchr("aeiou", c) ? keyStatus_Input : keyStatus_Reject;
}

TEST_F(EditTextTest, KeysTheFieldDoesNotTakeGoUpTheChain)
{
	std::vector<UInt16> windowKeys;
	mWindow->mOnKey = [&](const EventRecord& inKey) {
		windowKeys.push_back(UInt16(inKey.message & charCodeMask));
		return true;
	};
	mName->SetKeyFilter(VowelsOnly);
	mName->SetDescriptor(reinterpret_cast<const unsigned char*>("\0"));
	ASSERT_TRUE(LCommander::SwitchTarget(mName));
	Type("bae");
	Type(char_Return);
	Type(char_Escape);
	EXPECT_EQ(Descriptor(mName), "ae");
	EXPECT_EQ(windowKeys, (std::vector<UInt16>{char_Return, char_Escape}));

	// Tab goes to the tab group, which moves the target to the next field with its text selected.
	Type(char_Tab);
	EXPECT_TRUE(mNumber->IsTarget());
	Type(char_Tab, shiftKey);
	EXPECT_TRUE(mName->IsTarget());
	SInt16 start = -1, end = -1;
	mName->GetSelection(start, end);
	EXPECT_EQ(start, 0);
	EXPECT_EQ(end, 2);
	// The keys going elsewhere for a moment (another window activated) leave the selection to type over.
	ASSERT_TRUE(LCommander::SwitchTarget(mApp.get()));
	ASSERT_TRUE(LCommander::SwitchTarget(mName));
	Type("o");
	EXPECT_EQ(Descriptor(mName), "o");
	// A hidden field is passed over.
	mNumber->Hide();
	Type(char_Tab);
	EXPECT_FALSE(mNumber->IsOnDuty());
	EXPECT_FALSE(mName->IsTarget());
}

TEST_F(EditTextTest, PasteKeepsOnlyWhatTheFilterAcceptsAndWhatFits)
{
	QClipboard* clipboard = QApplication::clipboard();
	ASSERT_NE(clipboard, nullptr);
	clipboard->setText("9a8b7-6543");
	if (clipboard->text() != "9a8b7-6543")
		GTEST_SKIP() << "no clipboard on this platform";
	ASSERT_TRUE(LCommander::SwitchTarget(mNumber));
	mNumber->ObeyCommand(cmd_Paste, nullptr);
	EXPECT_EQ(Descriptor(mNumber), "98765");
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("nmbr")), 1u);
}

TEST_F(EditTextTest, ClockHoldsADateAndBroadcastsTheUsersChanges)
{
	auto* clock = dynamic_cast<LClock*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("Date")));
	ASSERT_NE(clock, nullptr);
	LongDateRec date;
	date.year = 2007;
	date.month = 3;
	date.day = 5;
	clock->SetLongDate(date);
	LongDateRec read;
	clock->GetLongDate(read);
	EXPECT_EQ(read.year, 2007);
	EXPECT_EQ(read.month, 3);
	EXPECT_EQ(read.day, 5);
	EXPECT_EQ(read.hour, 0);
	EXPECT_EQ(read.dayOfWeek, 2); // a Monday
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("Date")), 0u);

	LongDateRec impossible = date;
	impossible.month = 2;
	impossible.day = 30;
	clock->SetLongDate(impossible);
	clock->GetLongDate(read);
	EXPECT_EQ(read.month, 3);

	// The up arrow steps the field the user is in (the year, first).
	ASSERT_TRUE(LCommander::SwitchTarget(clock));
	Type(char_UpArrow);
	clock->GetLongDate(read);
	EXPECT_EQ(read.year, 2008);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("Date")), 1u);
	// Return still reaches the window.
	bool windowHeardReturn = false;
	mWindow->mOnKey = [&](const EventRecord& inKey) {
		return windowHeardReturn = (inKey.message & charCodeMask) == char_Return;
	};
	Type(char_Return);
	EXPECT_TRUE(windowHeardReturn);
}

TEST_F(EditTextTest, TextEditViewKeepsReturnsBetweenLines)
{
	auto* text = dynamic_cast<LTextEditView*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("flTx")));
	ASSERT_NE(text, nullptr);
	EXPECT_EQ(text->GetText(), "Line one\rLine two");
	auto* edit = NativeOf<QPlainTextEdit>(text);
	ASSERT_NE(edit, nullptr);
	EXPECT_EQ(edit->toPlainText(), QString("Line one\nLine two"));
	ASSERT_TRUE(LCommander::SwitchTarget(text));
	edit->moveCursor(QTextCursor::End);
	Type(char_Return);
	Type("x\x8E");
	EXPECT_EQ(text->GetText(), "Line one\rLine two\rx\x8E");
	EXPECT_GE(mRecorder.Count(FOUR_CHAR_CODE("flTx")), 3u);
}

} // namespace
