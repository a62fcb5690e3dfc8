#include "toolkit/UKsDialogs.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/StTextState.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/KsPPDialogs.h"

#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

constexpr ResIDT kPasswordDialog = 5051;
constexpr PaneIDT kPasswordField = FOUR_CHAR_CODE("pswd");
constexpr ResIDT kNumberDialog = 207;
constexpr PaneIDT kNumberField = FOUR_CHAR_CODE("numb");

std::string PaneText(LWindow* inDialog, PaneIDT inPaneID)
{
	LPane* pane = inDialog ? inDialog->FindPaneByID(inPaneID) : nullptr;
	if (!pane)
		return "<no pane>";
	return FrameworkTest::Descriptor(pane);
}

std::string Message(SInt16 inIndex)
{
	Str255 text;
	GetIndString(text, kKsMessageStringsID, inIndex);
	return PascalStrings::ToString(text);
}

void Type(LWindow* inDialog, PaneIDT inFieldID, const char* inText)
{
	auto* field = dynamic_cast<LEditText*>(inDialog->FindPaneByID(inFieldID));
	ASSERT_NE(field, nullptr);
	field->SetText(inText, Size(std::strlen(inText)));
}

class UKsDialogsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ToolkitTest::LoadResources();
		mApp = std::make_unique<LApplication>();
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(true);
	}
	void TearDown() override
	{
		StDialogHandler::SetAnswersRequired(false);
		StDialogHandler::ClearQueuedAnswers();
		mApp.reset();
	}

	// The user's answer, noting the text that pane inPaneID showed.
	void Answer(MessageT inMessage, PaneIDT inPaneID = kKsDialogTextPane)
	{
		StDialogHandler::QueueAnswer(inMessage, [this, inPaneID](LWindow* dialog) {
			mShown.push_back(PaneText(dialog, inPaneID));
		});
	}

	// The user typing keys into the front dialog's target from the event loop. A dialog still open after
	// 3 seconds is closed, so that a failing test ends; the timers go with the test, not to close the
	// dialogs of the tests after it.
	void TypeLater(std::string inKeys)
	{
		StDialogHandler::SetAnswersRequired(false);
		QTimer::singleShot(20, mTimers.get(), [inKeys] {
			UDispatch::Run([&] {
				for (char key : inKeys) {
					EventRecord event;
					event.what = keyDown;
					event.message = UInt8(key);
					LCommander::GetTarget()->ProcessKeyPress(event);
				}
			});
		});
		QTimer::singleShot(3000, mTimers.get(), [] {
			if (LWindow* dialog = LWindow::FetchTopModal())
				UDispatch::Run([dialog] { dialog->AttemptClose(); });
		});
	}

	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<QObject> mTimers = std::make_unique<QObject>();
	std::vector<std::string> mShown;
};

TEST_F(UKsDialogsTest, NumberedDialogsShowTheMessageAndReturnWhicheverButtonEndedThem)
{
	Answer(msg_OK);
	EXPECT_TRUE(UKsDialogs::YesNoDialog(16));
	Answer(msg_Cancel);
	EXPECT_FALSE(UKsDialogs::YesNoDialog(13));
	Answer(2004);
	EXPECT_FALSE(UKsDialogs::QueryDialog(13));
	Answer(msg_Cancel);
	EXPECT_EQ(UKsDialogs::ErrorDialog(3), msg_Cancel);
	Answer(2004);
	EXPECT_EQ(UKsDialogs::Dialog(kKsYesNoDialogID), 2004);
	// A message beyond the list shows no text.
	Answer(msg_OK);
	EXPECT_EQ(UKsDialogs::ErrorDialog(999), msg_OK);
	EXPECT_EQ(mShown,
	          (std::vector<std::string>{Message(16), Message(13), Message(13), Message(3), "", ""}));
	EXPECT_FALSE(Message(16).empty());
}

// The longest of the messages, naming the settings file with the longest name: the dialog grows until the
// whole text fits, its button below it.
TEST_F(UKsDialogsTest, ALongMessageGrowsItsDialogInsteadOfBeingCutOff)
{
	Str255 name;
	PascalStrings::FromString("Stock Plug-in Currencies", name);
	ParamText(name, nullptr, nullptr, nullptr);
	SInt16 textBottom = 0, textHeight = 0, buttonTop = 0, buttonBottom = 0, windowHeight = 0, needed = 0;
	StDialogHandler::QueueAnswer(msg_OK, [&](LWindow* dialog) {
		LPane* text = dialog->FindPaneByID(kKsDialogTextPane);
		LPane* button = dialog->FindPaneByID(msg_OK);
		ASSERT_TRUE(text && button);
		Rect textFrame, buttonFrame;
		text->CalcPortFrameRect(textFrame);
		button->CalcPortFrameRect(buttonFrame);
		textBottom = textFrame.bottom;
		textHeight = SInt16(textFrame.bottom - textFrame.top);
		buttonTop = buttonFrame.top;
		buttonBottom = buttonFrame.bottom;
		SDimension16 size;
		dialog->GetFrameSize(size);
		windowHeight = size.height;
		// What the text takes when drawn in the pane's width, whatever its height.
		Str255 shown;
		text->GetDescriptor(shown);
		Point bounds = {0, SInt16(textFrame.right - textFrame.left)};
		text->FocusDraw();
		StTextState textState;
		UTextTraits::SetPortTextTraits(dynamic_cast<LStaticText*>(text)->GetTextTraitsID());
		GetThemeTextDimensions(reinterpret_cast<const char*>(shown + 1), shown[0],
		                       kThemeCurrentPortFont, kThemeStateActive, true, &bounds, nullptr);
		needed = bounds.v;
	});
	EXPECT_EQ(UKsDialogs::ErrorDialog(29), msg_OK);
	EXPECT_GT(needed, 56); // more than the layout's pane holds
	EXPECT_GE(textHeight, needed);
	EXPECT_GE(buttonTop, textBottom);
	EXPECT_LE(buttonBottom, windowHeight);
}

TEST_F(UKsDialogsTest, MissingLayoutEndsAtOnceAsCancelled)
{
	const long before = Debugging::SignalCount();
	EXPECT_EQ(UKsDialogs::Dialog(31999), msg_Cancel);
	EXPECT_EQ(UKsDialogs::DoDialog(31999, 3), msg_Cancel);
	EXPECT_GT(Debugging::SignalCount(), before);
}

TEST_F(UKsDialogsTest, KeysAnswerTheDialogThroughItsButtons)
{
	TypeLater("\r");
	EXPECT_TRUE(UKsDialogs::YesNoDialog(16));
	TypeLater("\x1B");
	EXPECT_FALSE(UKsDialogs::YesNoDialog(16));
	// Escape in a dialog without Cancel closes it, which also answers Cancel.
	TypeLater("\x1B");
	EXPECT_EQ(UKsDialogs::ErrorDialog(3), msg_Cancel);
	EXPECT_EQ(LWindow::FetchTopModal(), nullptr);
}

TEST_F(UKsDialogsTest, StringAndNumberDialogsGiveTheFieldWhicheverButtonEndedThem)
{
	bool fieldWasTarget = false;
	StDialogHandler::QueueAnswer(msg_OK, [&](LWindow* dialog) {
		fieldWasTarget = LCommander::GetTarget() ==
		                 dynamic_cast<LCommander*>(dialog->FindPaneByID(kPasswordField));
		Type(dialog, kPasswordField, "s3cret");
	});
	Str255 text = {3, 'o', 'l', 'd'};
	EXPECT_EQ(UKsDialogs::StringDialog(kPasswordDialog, kPasswordField, text), msg_OK);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "s3cret");
	EXPECT_TRUE(fieldWasTarget);
	StDialogHandler::QueueAnswer(msg_Cancel,
	                             [](LWindow* dialog) { Type(dialog, kPasswordField, "typed"); });
	EXPECT_EQ(UKsDialogs::StringDialog(kPasswordDialog, kPasswordField, text), msg_Cancel);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "typed");

	long value = 0;
	StDialogHandler::QueueAnswer(msg_Cancel, [](LWindow* dialog) { Type(dialog, kNumberField, "-17"); });
	EXPECT_EQ(UKsDialogs::NumberDialog(kNumberDialog, kNumberField, &value), msg_Cancel);
	EXPECT_EQ(value, -17);
	// Typed: the field's filter keeps letters out, and Return answers OK.
	TypeLater("4x2\r");
	EXPECT_EQ(UKsDialogs::NumberDialog(kNumberDialog, kNumberField, &value), msg_OK);
	EXPECT_EQ(value, 42);
}

TEST_F(UKsDialogsTest, WithoutAnEditFieldNothingIsTargetedOrCopied)
{
	// No identifier, an identifier the layout lacks, and one naming a pane that is no edit field.
	for (PaneIDT id : {PaneIDT(0), PaneIDT(FOUR_CHAR_CODE("none")), PaneIDT(kKsDialogTextPane)}) {
		// The target is looked at while the dialog, which may own it, is still there.
		bool editTargeted = true;
		StDialogHandler::QueueAnswer(msg_OK, [&](LWindow*) {
			editTargeted = dynamic_cast<LEditText*>(LCommander::GetTarget()) != nullptr;
		});
		Str255 text = {3, 'o', 'l', 'd'};
		EXPECT_EQ(UKsDialogs::StringDialog(kKsErrorDialogID, id, text), msg_OK);
		EXPECT_EQ(text[0], 0) << id;
		EXPECT_FALSE(editTargeted);
		StDialogHandler::QueueAnswer(msg_OK);
		long value = 99;
		EXPECT_EQ(UKsDialogs::NumberDialog(kKsErrorDialogID, id, &value), msg_OK);
		EXPECT_EQ(value, 0) << id;
	}
}

TEST_F(UKsDialogsTest, PPMessageBoxesPutTheTextInPlaceOfTheMarker)
{
	std::string error;
	ASSERT_TRUE(ResourceStore::Get().LoadText("STR# 129 { \"Cannot open ^0 now\" \"No marker\" }", "test",
	                                          &error))
	    << error;
	const std::string longText(300, 'x');
	for (int i = 0; i < 5; ++i)
		Answer(msg_OK, kKsPPTextPane);
	EXPECT_EQ(KsPPError(1), msg_OK);
	EXPECT_EQ(doKsPPWindow(kKsPPErrorID, kKsPPStringsID, 1, "Shares"), msg_OK);
	EXPECT_EQ(doKsPPWindow(kKsPPErrorID, kKsPPStringsID, 2, "Shares"), msg_OK);
	EXPECT_EQ(doKsPPWindow(kKsPPErrorID, kKsPPStringsID, 1, longText.c_str()), msg_OK);
	EXPECT_EQ(doKsPPWindow(kKsPPSaveCheckID, kKsPPAppStringsID, 0, "Shares"), msg_OK);
	Answer(msg_Cancel, kKsPPTextPane);
	EXPECT_FALSE(KsPPAsk(2));
	EXPECT_EQ(mShown, (std::vector<std::string>{"Cannot open ^0 now", "Cannot open Shares now",
	                                            "No marker", "Cannot open " + std::string(255 - 12, 'x'),
	                                            "Do you want to save the changes to ^0?", "No marker"}));
}

// Advances the test clock on every pass of the event loop, and notes the front dialog's text.
class TClockDriver : public LPeriodical
{
public:
	explicit TClockDriver(StTestClock& ioClock) : mClock(ioClock) { StartRepeating(); }
	void SpendTime(const EventRecord&) override
	{
		if (LWindow* dialog = LWindow::FetchTopModal())
			mText = PaneText(dialog, kKsPPTextPane);
		mClock.Advance(10);
		++mPasses;
	}
	StTestClock& mClock;
	std::string mText;
	int mPasses = 0;
};

TEST_F(UKsDialogsTest, TimedBoxShowsItsBoundedTextAndEndsAfterItsTimeWithZero)
{
	StDialogHandler::SetAnswersRequired(false);
	std::string error;
	ASSERT_TRUE(
	    ResourceStore::Get().LoadText("STR# 129 { \"a\" \"b\" \"%ld left\" \"%s!\" }", "test", &error))
	    << error;
	StTestClock clock;
	TClockDriver driver(clock);
	EXPECT_EQ(KsPPTimeDialog(3, 17), 0);
	EXPECT_EQ(driver.mText, "17 left");
	// Two seconds are 120 ticks: twelve passes of ten ticks, give or take the first.
	EXPECT_GE(driver.mPasses, 12);
	EXPECT_LE(driver.mPasses, 14);
	// A text that would read an argument that is not there is shown as it stands.
	EXPECT_EQ(KsPPTimeDialog(4, 17), 0);
	EXPECT_EQ(driver.mText, "%s!");
	EXPECT_EQ(KsPPTimeDialog(0), 0);
	EXPECT_EQ(driver.mText, "");

	Answer(msg_OK, kKsPPTextPane);
	EXPECT_EQ(KsPPTimeDialog(2), msg_OK);
	EXPECT_EQ(mShown, std::vector<std::string>{"b"});
}

} // namespace
