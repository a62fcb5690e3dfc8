#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

class DialogTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mApp = std::make_unique<LApplication>();
		StDialogHandler::ClearQueuedAnswers();
		UModalAlerts::ClearQueuedAnswers();
		UModalAlerts::ClearShownAlerts();
	}
	std::unique_ptr<LApplication> mApp;
};

TEST_F(DialogTest, QueuedAnswerEndsTheDialogAfterItsPreparation)
{
	StDialogHandler::QueueAnswer(msg_Cancel, [](LWindow* dialog) {
		Str255 text = {5, 'h', 'e', 'l', 'l', 'o'};
		dialog->SetDescriptor(text);
	});
	StDialogHandler handler(1100, mApp.get());
	LWindow* dialog = handler.GetDialog();
	ASSERT_NE(dialog, nullptr);
	EXPECT_TRUE(dialog->HasAttribute(windAttr_Modal));
	EXPECT_EQ(dialog->GetSuperCommander(), &handler);
	dialog->Show();
	EXPECT_EQ(handler.DoDialog(), msg_Cancel);
	Str255 title;
	dialog->GetDescriptor(title);
	EXPECT_EQ(title[0], 5);
	EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 0u);
}

TEST_F(DialogTest, ControlMessageHeardDuringAPassIsReturned)
{
	StDialogHandler handler(1100, mApp.get());
	auto* ok = dynamic_cast<TButton*>(handler.GetDialog()->FindPaneByID(FOUR_CHAR_CODE("OKbt")));
	ASSERT_NE(ok, nullptr);
	handler.GetDialog()->Show();
	// The user's click arrives from the event loop.
	QTimer::singleShot(0, [ok] { ok->Press(); });
	MessageT message = msg_Nothing;
	for (int pass = 0; pass < 100 && message == msg_Nothing; ++pass)
		message = handler.DoDialog();
	EXPECT_EQ(message, msg_OK);
	EXPECT_EQ(handler.DoDialog() == msg_OK, false); // a message is returned once
}

// Where the test queued nothing, required answers end the dialog at once; otherwise the dialog waits its
// bound first, for the events a test posts to drive it. Either way the test fails with what it showed.
TEST_F(DialogTest, ADialogTheTestLeftUnansweredFailsItWithItsTextsAndEndsAsItsCancel)
{
	const auto failure = "the test gave no answer to the dialog \"Dialog\", showing \"Replace "
	                     "\xE2\x80\x9CGrowth\xE2\x80\x9D?\"";
	for (const bool required : {true, false}) {
		SCOPED_TRACE(required ? "answers required" : "answers not required");
		StDialogHandler::SetAnswersRequired(required);
		StDialogHandler handler(1100, mApp.get());
		SPaneInfo info;
		info.width = 180;
		info.height = 20;
		info.superView = handler.GetDialog();
		new LStaticText(info, (ConstStr255Param) "\x11Replace \xD2Growth\xD3?", 0);
		handler.GetDialog()->Show();
		QElapsedTimer waited;
		waited.start();
		const auto untilAnswered = [&] {
			MessageT message = msg_Nothing;
			while (message == msg_Nothing && waited.elapsed() < 30000)
				message = handler.DoDialog();
			return message;
		};
		MessageT message = msg_Nothing;
		EXPECT_NONFATAL_FAILURE(message = untilAnswered(), failure);
		StDialogHandler::SetAnswersRequired(false);
		EXPECT_EQ(message, msg_Cancel);
		EXPECT_EQ(handler.GetDialog(), nullptr);
		if (required)
			EXPECT_LT(waited.elapsed(), 1000);
		else
			EXPECT_GE(waited.elapsed(), 1000 * StDialogHandler::kUnansweredAfter.count());
	}
}

TEST_F(DialogTest, ShownDialogTakesTheKeysAndGivesThemBackWhenItGoes)
{
	// A new window comes in front with the keys, whatever the window manager does.
	LWindow* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	EXPECT_EQ(LCommander::GetTarget(), window);
	{
		StDialogHandler handler(1100, mApp.get());
		handler.GetDialog()->Show();
		EXPECT_TRUE(handler.GetDialog()->IsOnDuty());
		EXPECT_FALSE(window->IsActive());
		EXPECT_EQ(LWindow::GetWindowList().front(), handler.GetDialog());
		// A window opened while the dialog is up leaves the keys with the dialog.
		LWindow* behind = LWindow::CreateWindow(1000, mApp.get());
		behind->Show();
		EXPECT_TRUE(handler.GetDialog()->IsOnDuty());
		EXPECT_FALSE(behind->IsActive());
		behind->DoClose();
	}
	EXPECT_TRUE(window->IsActive());
	EXPECT_EQ(LCommander::GetTarget(), window);
}

TEST_F(DialogTest, ClosingTheDialogGivesCancel)
{
	StDialogHandler handler(1100, mApp.get());
	handler.GetDialog()->Show();
	UDispatch::Run([&] { handler.GetDialog()->AttemptClose(); });
	EXPECT_EQ(handler.GetDialog(), nullptr);
	EXPECT_EQ(handler.DoDialog(), msg_Cancel);
}

TEST_F(DialogTest, AlertShowsItsTextWithTheParametersAndReturnsTheQueuedItem)
{
	const Str255 what = {4, 'D', 'i', 's', 'k'};
	const Str255 code = {2, '-', '1'};
	ParamText(what, code, nullptr, nullptr);
	UModalAlerts::QueueAnswer(1);
	EXPECT_EQ(StopAlert(200), 1);
	UModalAlerts::QueueAnswer(3);
	EXPECT_EQ(CautionAlert(201), 3);
	const auto& shown = UModalAlerts::GetShownAlerts();
	ASSERT_EQ(shown.size(), 2u);
	EXPECT_EQ(shown[0].kind, kAlertStop);
	EXPECT_EQ(shown[0].alertID, 200);
	EXPECT_EQ(shown[0].text, "Problem: Disk (-1)");
	EXPECT_EQ(shown[1].kind, kAlertCaution);
}

TEST_F(DialogTest, AlertShownToTheUserAnswersTheItemOfTheClickedButton)
{
	UModalAlerts::SetUnanswered(nullptr);
	ParamText(nullptr, nullptr, nullptr, nullptr);
	// The user presses the third button ("Don't Save") of the box that comes up.
	QString shownText;
	QTimer::singleShot(0, [&] {
		for (QWidget* w : QApplication::topLevelWidgets())
			if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
				shownText = box->text();
				for (QAbstractButton* b : box->buttons())
					if (b->text() == QString::fromUtf8("Don't Save"))
						b->click();
			}
	});
	EXPECT_EQ(CautionAlert(201), 3);
	EXPECT_EQ(shownText, "Save?");
	EXPECT_TRUE(UModalAlerts::GetShownAlerts().empty()) << "a user's alerts are not kept for the run";
}

TEST_F(DialogTest, AnAlertTheTestLeftUnansweredFailsItWithItsTextAndEndsAsItsCancelAtOnce)
{
	const Str255 what = {4, 'D', 'i', 's', 'k'};
	ParamText(what, nullptr, nullptr, nullptr);
	// Where a box waits after all, it is closed later, so that this test ends.
	QTimer late;
	QObject::connect(&late, &QTimer::timeout, [] {
		if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
			box->reject();
	});
	late.start(3000);
	QElapsedTimer waited;
	waited.start();
	MessageBoxItemT item = 0;
	EXPECT_NONFATAL_FAILURE(item = CautionAlert(201), "the test gave no answer to the alert \"Save?\"");
	EXPECT_EQ(item, 2);
	EXPECT_NONFATAL_FAILURE(StopAlert(200), "the alert \"Problem: Disk ()\"");
	EXPECT_LT(waited.elapsed(), 1000);
}

TEST_F(DialogTest, AQuitWhileMessagesWaitEndsThemAsTheirCancelAndThenQuits)
{
	UModalAlerts::SetUnanswered(nullptr);
	LWindow* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	MessageBoxItemT save = 0, problem = 0, later = 0;
	{
		// A dialog whose button brought up an alert: the quit comes while both wait.
		StDialogHandler handler(1100, mApp.get());
		handler.GetDialog()->Show();
		ParamText(nullptr, nullptr, nullptr, nullptr);
		QTimer::singleShot(0, [&] {
			mApp->RequestQuit();
			mApp->RequestQuit();
		});
		save = CautionAlert(201);
		EXPECT_EQ(mApp->GetState(), programState_StartingUp) << "the quit waits for the dialog";
		// What the caller shows after its Cancel ends at once: OK where that is all it has.
		problem = StopAlert(200);
		EXPECT_EQ(handler.DoDialog(), msg_Cancel);
		EXPECT_EQ(handler.GetDialog(), nullptr);
		EXPECT_TRUE(window->IsVisible());
	}
	later = NoteAlert(200);
	EXPECT_EQ(save, 2);
	EXPECT_EQ(problem, 1);
	EXPECT_EQ(later, 1);
	for (int pass = 0; pass < 10 && mApp->GetState() != programState_Quitting; ++pass)
		QApplication::processEvents();
	EXPECT_EQ(mApp->GetState(), programState_Quitting);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	// Quit, the next alert is the user's again.
	UModalAlerts::QueueAnswer(3);
	EXPECT_EQ(CautionAlert(201), 3);
}

} // namespace
