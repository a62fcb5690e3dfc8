// One session of the application on the stand-in: the application object with its attachments, a window
// built from a layout, clicks and keys sent to its Qt widgets, menu commands, periodicals on an injected
// clock, a numbered alert, a window that closes itself, and quitting.

#include "model/UModifierKeys.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/TickCount.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/KsAlerts.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/TVyWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using FrameworkTest::Log;
using Strings = std::vector<std::string>;

namespace
{

constexpr ResIDT kSessionLayout = 31900;
constexpr CommandT kCmdRefresh = FOUR_CHAR_CODE("Rfsh"); // handled by the window
constexpr CommandT kCmdCheck = FOUR_CHAR_CODE("Chck");   // handled by the application, with an alert
constexpr CommandT kCmdCount = FOUR_CHAR_CODE("Cont");   // a menu command of the application
constexpr CommandT kCmdUnknown = FOUR_CHAR_CODE("None");
constexpr SInt16 kCheckFailedMessage = 2;

std::string Name(CommandT inCommand)
{
	std::string code;
	for (int shift = 24; shift >= 0; shift -= 8)
		code += char((UInt32(inCommand) >> shift) & 0xFF);
	const bool printable =
	    std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'z'; });
	return printable ? code : std::to_string(inCommand);
}

std::string Text(ConstStr255Param inText)
{
	return std::string(reinterpret_cast<const char*>(inText + 1), inText[0]);
}

long sPerforms = 0;

bool CountingPerform()
{
	++sPerforms;
	Log().push_back("pump");
	return false;
}

class TTask : public LPeriodical
{
public:
	TTask(std::string inName, bool inLogs = true) : mName(std::move(inName)), mLogs(inLogs) {}
	void SpendTime(const EventRecord& inMacEvent) override
	{
		mWhens.push_back(inMacEvent.when);
		mKinds.push_back(inMacEvent.what);
		if (mLogs)
			Log().push_back(mName);
	}
	std::vector<UInt32> mWhens;
	std::vector<UInt16> mKinds;

private:
	std::string mName;
	bool mLogs;
};

// The application's kind of window: it handles one command itself, closes itself on Done and keeps a
// repeater of its own while it lives.
class TSessionWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tE2W") };
	explicit TSessionWindow(LStream* inStream) : TVyWindow(inStream) { ++sAlive; }
	~TSessionWindow() override
	{
		--sAlive;
		Log().push_back("window deleted");
	}

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		Log().push_back("window " + Name(inCommand));
		switch (inCommand) {
		case kCmdRefresh: {
			const std::string refreshed = "Refreshed";
			Str255 text = {UInt8(refreshed.size())};
			std::copy(refreshed.begin(), refreshed.end(), text + 1);
			mStatus->SetDescriptor(text);
			return true;
		}
		case msg_OK:
			AttemptClose();
			// Still whole: its deletion waits for the end of the dispatch.
			Log().push_back(IsClosing() && mStatus != nullptr ? "window closing" : "window open");
			return true;
		default:
			return TVyWindow::ObeyCommand(inCommand, ioParam);
		}
	}
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override
	{
		if (inCommand == kCmdRefresh)
			outEnabled = true;
		else
			TVyWindow::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}

	LStaticText* mStatus = nullptr;
	static inline int sAlive = 0;
	static inline long sBlinks = 0;

protected:
	void FinishCreateSelf() override
	{
		TVyWindow::FinishCreateSelf();
		mStatus = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("stat")));
		mBlink.StartRepeating();
		Log().push_back("window finished");
	}

private:
	class TBlink : public LPeriodical
	{
	public:
		void SpendTime(const EventRecord&) override { ++sBlinks; }
	} mBlink;
};

class TSessionApplication : public LApplication
{
public:
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		Log().push_back("app " + Name(inCommand));
		switch (inCommand) {
		case kCmdCheck:
			KsError(kCheckFailedMessage);
			Log().push_back("alert answered");
			return true;
		case kCmdCount:
			++mCounted;
			return true;
		default:
			return LApplication::ObeyCommand(inCommand, ioParam);
		}
	}
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override
	{
		switch (inCommand) {
		case kCmdCheck:
			outEnabled = true;
			break;
		case kCmdCount:
			outEnabled = true;
			outUsesMark = true;
			outMark = mCounted > 0 ? checkMark : noMark;
			break;
		default:
			LApplication::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
		}
	}
	Boolean AllowSubRemoval(LCommander* inSub) override
	{
		Log().push_back("app allows removal");
		return LApplication::AllowSubRemoval(inSub);
	}
	Boolean AttemptQuitSelf(SInt32 inSaveOption) override
	{
		Log().push_back("app quits");
		return LApplication::AttemptQuitSelf(inSaveOption);
	}

	int mCounted = 0;
};

struct tStatus {
	Boolean enabled = false;
	Boolean usesMark = false;
	UInt16 mark = noMark;
};

tStatus StatusOf(CommandT inCommand)
{
	tStatus status;
	Str255 name = {0};
	LCommander::GetTarget()->ProcessCommandStatus(inCommand, status.enabled, status.usesMark, status.mark,
	                                              name);
	return status;
}

// The push button's own Qt widget, as the user's click finds it.
QPushButton* NativeButton(LPane* inPane)
{
	QWidget* content = QtPaneWidget::ContentOf(inPane->GetWindow());
	if (!content)
		return nullptr;
	Rect frame;
	inPane->CalcPortFrameRect(frame);
	for (auto* button : content->findChildren<QPushButton*>())
		if (button->geometry().topLeft() == QPoint(frame.left, frame.top))
			return button;
	return nullptr;
}

void Press(QWidget* inWidget, Qt::KeyboardModifiers inModifiers)
{
	const QPointF local(5, 5);
	QMouseEvent press(QEvent::MouseButtonPress, local, inWidget->mapToGlobal(local), Qt::LeftButton,
	                  Qt::LeftButton, inModifiers);
	QCoreApplication::sendEvent(inWidget, &press);
}

void Release(QWidget* inWidget)
{
	const QPointF local(5, 5);
	QMouseEvent release(QEvent::MouseButtonRelease, local, inWidget->mapToGlobal(local), Qt::LeftButton,
	                    Qt::NoButton, Qt::NoModifier);
	QCoreApplication::sendEvent(inWidget, &release);
}

// A key pressed and released in the window; the release finds no window when the press closed it.
void Type(LWindow* inWindow, int inKey, const QString& inText)
{
	QPointer<QWidget> content = QtPaneWidget::ContentOf(inWindow);
	ASSERT_NE(content, nullptr);
	QKeyEvent press(QEvent::KeyPress, inKey, Qt::NoModifier, inText);
	QKeyEvent release(QEvent::KeyRelease, inKey, Qt::NoModifier, inText);
	QCoreApplication::sendEvent(content, &press);
	if (content)
		QCoreApplication::sendEvent(content, &release);
}

Strings Without(const Strings& inLog, const std::string& inEntry)
{
	Strings kept;
	std::copy_if(inLog.begin(), inLog.end(), std::back_inserter(kept),
	             [&](const std::string& entry) { return entry != inEntry; });
	return kept;
}

class ApplicationE2ETest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ToolkitTest::LoadResources();
		static bool loaded = false;
		if (!loaded) {
			std::string error;
			ASSERT_TRUE(ResourceStore::Get().LoadFile(
			    std::string(VANTOREL_FIXTURES) + "/resources/application-e2e.res", &error))
			    << error;
			RegisterClass_(TSessionWindow);
			loaded = true;
		}
		Log().clear();
		sPerforms = 0;
		TEventWatcher::Reset();
		UModalAlerts::ClearQueuedAnswers();
		UModalAlerts::ClearShownAlerts();
		// An alert without an answer would wait for a user who is not there.
		UModalAlerts::SetAnswersRequired(true);
		TCURLPump::TurnOn();
	}
	void TearDown() override
	{
		TCURLPump::TurnOff();
		UModalAlerts::SetAnswersRequired(false);
	}
};

TEST_F(ApplicationE2ETest, SessionFromOpeningAWindowToQuitting)
{
	StTestClock clock(1000);
	TSessionApplication app;
	app.AddAttachment(new TEventWatcher);
	app.AddAttachment(new TCURLAttachment(&CountingPerform));

	// Opening: the layout's panes are there and the window is the target.
	auto* window = dynamic_cast<TSessionWindow*>(LWindow::CreateWindow(kSessionLayout, &app));
	ASSERT_NE(window, nullptr);
	window->Show();
	window->Select();
	EXPECT_EQ(Log(), Strings{"window finished"});
	EXPECT_EQ(LCommander::GetTarget(), window);
	EXPECT_EQ(LWindow::GetWindowList(), std::vector<LWindow*>{window});
	ASSERT_NE(window->mStatus, nullptr);
	Str255 text;
	EXPECT_EQ(Text(window->mStatus->GetDescriptor(text)), "Ready");
	auto* refresh = dynamic_cast<LPushButton*>(window->FindPaneByID(kCmdRefresh));
	auto* check = dynamic_cast<LPushButton*>(window->FindPaneByID(kCmdCheck));
	ASSERT_TRUE(refresh && check);
	EXPECT_EQ(window->GetOKButton(), window->FindPaneByID(msg_OK));
	EXPECT_EQ(window->GetCancelButton(), window->FindPaneByID(msg_Cancel));
	ASSERT_NE(window->GetOKButton(), nullptr);
	EXPECT_TRUE(window->GetOKButton()->IsDefaultButton());
	QPushButton* refreshWidget = NativeButton(refresh);
	QPushButton* checkWidget = NativeButton(check);
	ASSERT_TRUE(refreshWidget && checkWidget);

	// A shift-click on Refresh: the pump and the watcher see the press first, then the button's message
	// reaches the window as a command, which handles it.
	Log().clear();
	Press(refreshWidget, Qt::ShiftModifier);
	EXPECT_TRUE(TEventWatcher::ShiftKey());
	EXPECT_TRUE(UModifierKeys::ShiftKey());
	Release(refreshWidget);
	EXPECT_FALSE(TEventWatcher::ShiftKey());
	EXPECT_EQ(Log(), (Strings{"pump", "window Rfsh", "pump"}));
	EXPECT_EQ(Text(window->mStatus->GetDescriptor(text)), "Refreshed");

	// Check is not the window's: it goes on to the application, which shows a numbered alert.
	Log().clear();
	UModalAlerts::QueueAnswer(1);
	Press(checkWidget, Qt::NoModifier);
	Release(checkWidget);
	EXPECT_EQ(Log(), (Strings{"pump", "window Chck", "app Chck", "alert answered", "pump"}));
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	const auto& alert = UModalAlerts::GetShownAlerts()[0];
	EXPECT_EQ(alert.kind, kAlertStop);
	EXPECT_EQ(alert.alertID, kKsAlertID);
	EXPECT_EQ(alert.text, "The operation could not be completed.");

	// Menu commands: the target's chain decides enabling and marks, and carries the command up.
	EXPECT_TRUE(StatusOf(kCmdRefresh).enabled);
	EXPECT_TRUE(StatusOf(kCmdCheck).enabled);
	EXPECT_FALSE(StatusOf(kCmdUnknown).enabled);
	EXPECT_TRUE(StatusOf(kCmdCount).usesMark);
	EXPECT_EQ(StatusOf(kCmdCount).mark, noMark);
	Log().clear();
	LApplication::DispatchCommand(kCmdCount);
	LApplication::DispatchCommand(kCmdUnknown);
	EXPECT_EQ(Without(Log(), "pump"), (Strings{"window Cont", "app Cont", "window None", "app None"}));
	EXPECT_EQ(app.mCounted, 1);
	EXPECT_EQ(StatusOf(kCmdCount).mark, checkMark);

	// Periodicals over four ticks with a key typed in the fourth: idlers get only the null events,
	// repeaters every event, both after the application's attachments.
	TTask idler("idler"), repeater("repeater");
	idler.StartIdling();
	repeater.StartRepeating();
	const long blinks = TSessionWindow::sBlinks;
	const long performs = sPerforms;
	Log().clear();
	for (int tick = 0; tick < 3; ++tick) {
		LApplication::DispatchNullEvent();
		clock.Advance(1);
	}
	Type(window, Qt::Key_A, "a");
	clock.Advance(1);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(idler.mWhens, (std::vector<UInt32>{1000, 1001, 1002, 1004}));
	EXPECT_EQ(repeater.mWhens, (std::vector<UInt32>{1000, 1001, 1002, 1003, 1003, 1004}));
	EXPECT_EQ(repeater.mKinds,
	          (std::vector<UInt16>{nullEvent, nullEvent, nullEvent, keyDown, keyUp, nullEvent}));
	// One pump pass per event, null or real.
	EXPECT_EQ(sPerforms - performs, 6);
	ASSERT_EQ(Log().size(), 16u);
	EXPECT_EQ(Strings(Log().begin(), Log().begin() + 3), (Strings{"pump", "idler", "repeater"}));
	EXPECT_EQ(Strings(Log().begin() + 9, Log().end()),
	          (Strings{"pump", "repeater", "pump", "repeater", "pump", "idler", "repeater"}));
	EXPECT_EQ(TSessionWindow::sBlinks - blinks, 6);
	idler.StopIdling();

	// Return clicks Done; the window closes itself from inside its handler and is deleted once the
	// dispatch is over, before the repeaters run.
	Log().clear();
	Type(window, Qt::Key_Return, "\r");
	EXPECT_EQ(Log(), (Strings{"pump", "window 2000", "app allows removal", "window closing",
	                          "window deleted", "repeater"}));
	EXPECT_EQ(TSessionWindow::sAlive, 0);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	EXPECT_TRUE(app.GetSubCommanders().empty());
	EXPECT_EQ(LCommander::GetTarget(), &app);
	// Its repeater went with it.
	const long blinksAfterClose = TSessionWindow::sBlinks;
	LApplication::DispatchNullEvent();
	EXPECT_EQ(TSessionWindow::sBlinks, blinksAfterClose);

	// Quitting closes what is still open.
	auto* second = dynamic_cast<TSessionWindow*>(LWindow::CreateWindow(kSessionLayout, &app));
	ASSERT_NE(second, nullptr);
	second->Show();
	second->Select();
	Log().clear();
	LApplication::DispatchCommand(cmd_Quit);
	EXPECT_EQ(Without(Log(), "pump"),
	          (Strings{"window 10", "app 10", "app quits", "window deleted", "repeater"}));
	EXPECT_EQ(app.GetState(), programState_Quitting);
	EXPECT_EQ(TSessionWindow::sAlive, 0);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	EXPECT_TRUE(app.GetSubCommanders().empty());
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
}

// The same application in Qt's own loop: it starts up, opens its window, answers a click, and its loop
// ends when the user quits.
class TRunningApplication : public TSessionApplication
{
public:
	TTask mIdler{"idler", false};
	TSessionWindow* mWindow = nullptr;

protected:
	void StartUp() override
	{
		Log().push_back("start up");
		mWindow = dynamic_cast<TSessionWindow*>(LWindow::CreateWindow(kSessionLayout, this));
		if (!mWindow) {
			mState = programState_Quitting; // the loop would wait for a user
			return;
		}
		mWindow->Show();
		mWindow->Select();
		mIdler.StartIdling();
		QTimer::singleShot(0, [this] {
			LPane* check = mWindow->FindPaneByID(kCmdCheck);
			if (QPushButton* widget = check ? NativeButton(check) : nullptr) {
				Press(widget, Qt::NoModifier);
				Release(widget);
			}
		});
		QTimer::singleShot(0, [this] { QuitAfterIdling(); });
	}

private:
	// The user quits once the loop has given the idlers time.
	void QuitAfterIdling()
	{
		if (mIdler.mWhens.empty())
			QTimer::singleShot(5, [this] { QuitAfterIdling(); });
		else
			LApplication::DispatchCommand(cmd_Quit);
	}
};

TEST_F(ApplicationE2ETest, RunStartsUpAndEndsItsLoopWhenTheUserQuits)
{
	TRunningApplication app;
	app.AddAttachment(new TCURLAttachment(&CountingPerform));
	UModalAlerts::QueueAnswer(1);
	app.Run();

	EXPECT_EQ(app.GetState(), programState_Quitting);
	EXPECT_EQ(Without(Log(), "pump"),
	          (Strings{"start up", "window finished", "window Chck", "app Chck", "alert answered",
	                   "window 10", "app 10", "app quits", "window deleted"}));
	EXPECT_FALSE(app.mIdler.mWhens.empty());
	// The loop's null events gave the pump its pass before the idlers.
	EXPECT_GE(sPerforms, long(app.mIdler.mWhens.size()));
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	EXPECT_EQ(TSessionWindow::sAlive, 0);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
}

} // namespace
