#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LAttachment.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/TickCount.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using FrameworkTest::Log;

namespace
{

class TRecorder : public LAttachment
{
public:
	TRecorder(std::string inName, Boolean inExecuteHost = true)
	    : LAttachment(msg_Event, inExecuteHost), mName(std::move(inName))
	{
	}
	std::vector<EventRecord> mEvents;

protected:
	void ExecuteSelf(MessageT, void* ioParam) override
	{
		mEvents.push_back(*static_cast<EventRecord*>(ioParam));
		Log().push_back(mName);
	}

private:
	std::string mName;
};

class TTask : public LPeriodical
{
public:
	explicit TTask(std::string inName) : mName(std::move(inName)) {}
	std::function<void()> mAction;
	int mCalls = 0;
	UInt32 mLastWhen = 0;

	void SpendTime(const EventRecord& inMacEvent) override
	{
		++mCalls;
		mLastWhen = inMacEvent.when;
		Log().push_back(mName);
		if (mAction)
			mAction();
	}

private:
	std::string mName;
};

class TKeyTarget : public LCommander
{
public:
	explicit TKeyTarget(LCommander* inSuper) : LCommander(inSuper) {}
	std::function<void(const EventRecord&)> mOnKey;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override
	{
		Log().push_back("key");
		if (mOnKey)
			mOnKey(inKeyEvent);
		return true;
	}
};

class EventLoopTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		FrameworkTest::EnsureApplication();
		Log().clear();
	}
	LApplication mApp;
	StTestClock mClock{5000};
};

TEST_F(EventLoopTest, NullEventGoesToAttachmentsThenIdlersThenRepeaters)
{
	TRecorder first("attachment 1"), second("attachment 2");
	mApp.AddAttachment(&first, nullptr, false);
	mApp.AddAttachment(&second, nullptr, false);
	TTask idler("idler"), repeater("repeater");
	idler.StartIdling();
	repeater.StartRepeating();

	LApplication::DispatchNullEvent();

	EXPECT_EQ(Log(), (std::vector<std::string>{"attachment 1", "attachment 2", "idler", "repeater"}));
	ASSERT_EQ(first.mEvents.size(), 1u);
	EXPECT_EQ(first.mEvents[0].what, nullEvent);
	EXPECT_EQ(first.mEvents[0].when, 5000u);
	EXPECT_EQ(idler.mLastWhen, 5000u);
}

TEST_F(EventLoopTest, RealEventGoesToAttachmentsThenTargetThenRepeatersButNotIdlers)
{
	TRecorder watcher("attachment");
	mApp.AddAttachment(&watcher, nullptr, false);
	TKeyTarget target(&mApp);
	LCommander::SwitchTarget(&target);
	TTask idler("idler"), repeater("repeater");
	idler.StartIdling();
	repeater.StartRepeating();

	EventRecord key;
	key.what = keyDown;
	key.message = 'a';
	key.modifiers = shiftKey;
	LApplication::DispatchEvent(key, nullptr);

	EXPECT_EQ(Log(), (std::vector<std::string>{"attachment", "key", "repeater"}));
	ASSERT_EQ(watcher.mEvents.size(), 1u);
	EXPECT_EQ(watcher.mEvents[0].modifiers, shiftKey);
}

TEST_F(EventLoopTest, AttachmentThatDoesNotExecuteHostStopsDispatchAndIdlers)
{
	TRecorder blocker("blocker", false);
	mApp.AddAttachment(&blocker, nullptr, false);
	TKeyTarget target(&mApp);
	LCommander::SwitchTarget(&target);
	TTask idler("idler"), repeater("repeater");
	idler.StartIdling();
	repeater.StartRepeating();

	EventRecord key;
	key.what = keyDown;
	key.message = 'a';
	LApplication::DispatchEvent(key, nullptr);
	LApplication::DispatchNullEvent();

	// Repeaters run after every event whatever the attachments say.
	EXPECT_EQ(Log(), (std::vector<std::string>{"blocker", "repeater", "blocker", "repeater"}));
}

TEST_F(EventLoopTest, PeriodicalsMayStopThemselvesAndOthersWhileRunning)
{
	TTask a("a"), b("b"), c("c");
	a.StartRepeating();
	b.StartRepeating();
	c.StartRepeating();
	a.mAction = [&] {
		a.StopRepeating();
		b.StopRepeating();
	};
	c.mAction = [&] { a.StartRepeating(); }; // started during the walk: waits for the next one

	LApplication::DispatchNullEvent();
	EXPECT_EQ(Log(), (std::vector<std::string>{"a", "c"}));
	EXPECT_FALSE(b.IsRepeating());
	EXPECT_TRUE(a.IsRepeating());

	Log().clear();
	c.mAction = nullptr;
	a.mAction = nullptr;
	LApplication::DispatchNullEvent();
	EXPECT_EQ(Log(), (std::vector<std::string>{"c", "a"}));
}

TEST_F(EventLoopTest, DestroyedPeriodicalGetsNoMoreTime)
{
	auto* doomed = new TTask("doomed");
	TTask killer("killer");
	killer.StartRepeating();
	doomed->StartRepeating();
	killer.mAction = [&] { delete doomed; };
	LApplication::DispatchNullEvent();
	EXPECT_EQ(Log(), (std::vector<std::string>{"killer"}));
}

TEST_F(EventLoopTest, AttachmentsRunInOrderAndLeaveWhenDeleted)
{
	auto* owned = new TRecorder("owned");
	TRecorder before("before");
	mApp.AddAttachment(owned);
	mApp.AddAttachment(&before, owned, false);
	EXPECT_EQ(mApp.CountAttachments(), 2);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(Log(), (std::vector<std::string>{"before", "owned"}));
	delete owned;
	EXPECT_EQ(mApp.CountAttachments(), 1);
	Log().clear();
	LApplication::DispatchNullEvent();
	EXPECT_EQ(Log(), (std::vector<std::string>{"before"}));
}

TEST_F(EventLoopTest, AttachmentForAnotherMessageIsNotRun)
{
	class TOther : public LAttachment
	{
	public:
		TOther() : LAttachment(msg_KeyPress, false) {}
		int mRuns = 0;

	protected:
		void ExecuteSelf(MessageT, void*) override { ++mRuns; }
	} other;
	mApp.AddAttachment(&other, nullptr, false);
	TTask idler("idler");
	idler.StartIdling();
	LApplication::DispatchNullEvent();
	EXPECT_EQ(other.mRuns, 0);
	EXPECT_EQ(idler.mCalls, 1);
}

TEST_F(EventLoopTest, ExceptionsOfTheSystemsCodeAreCaughtAndReported)
{
	std::vector<ExceptionCode> reported;
	auto previous =
	    UDispatch::SetReporter([&](ExceptionCode code, const char*) { reported.push_back(code); });
	TKeyTarget target(&mApp);
	LCommander::SwitchTarget(&target);
	TTask repeater("repeater");
	repeater.StartRepeating();
	EventRecord key;
	key.what = keyDown;

	target.mOnKey = [](const EventRecord&) { ThrowIfNil_(static_cast<void*>(nullptr)); };
	LApplication::DispatchEvent(key, nullptr);
	target.mOnKey = [](const EventRecord&) { throw 1000; };
	LApplication::DispatchEvent(key, nullptr);
	target.mOnKey = [](const EventRecord&) { throw long(-39); };
	LApplication::DispatchEvent(key, nullptr);

	// One failing periodical does not keep the others from their time.
	TTask failing("failing");
	failing.mAction = [] { throw std::runtime_error("broken"); };
	failing.StartRepeating();
	LApplication::DispatchNullEvent();

	UDispatch::SetReporter(previous);
	EXPECT_EQ(reported, (std::vector<ExceptionCode>{err_NilPointer, 1000, -39, 0}));
	EXPECT_EQ(repeater.mCalls, 4);
	EXPECT_EQ(failing.mCalls, 1);
}

TEST_F(EventLoopTest, TheTickTimerGivesOneNullEventPerTickSixtyASecond)
{
	TTask idler("idler");
	idler.StartIdling();
	LApplication::DispatchTick(); // in step with the test clock
	const int start = idler.mCalls;
	for (int ms = 0; ms < 1000; ++ms) {
		mClock.AdvanceMilliseconds(1);
		LApplication::DispatchTick();
	}
	EXPECT_EQ(idler.mCalls - start, 60);
	// A late timer makes up no missed ticks; woken twice in one tick, it gives one null event.
	mClock.Advance(5);
	LApplication::DispatchTick();
	LApplication::DispatchTick();
	EXPECT_EQ(idler.mCalls - start, 61);
	// A longer sleep time spaces them out.
	mApp.SetSleepTime(3);
	for (int tick = 0; tick < 6; ++tick) {
		mClock.Advance(1);
		LApplication::DispatchTick();
	}
	EXPECT_EQ(idler.mCalls - start, 63);
}

TEST_F(EventLoopTest, NullEventsGoOnInAModalLoopEnteredFromOne)
{
	TTask idler("idler");
	int nested = 0;
	bool inside = false;
	idler.mAction = [&] {
		if (inside) {
			++nested;
			return;
		}
		// An alert, say: its loop runs for a few ticks while the clock goes on.
		inside = true;
		QEventLoop loop;
		QTimer clock;
		QObject::connect(&clock, &QTimer::timeout, [&] { mClock.Advance(1); });
		clock.start(5);
		QTimer::singleShot(120, &loop, &QEventLoop::quit);
		loop.exec();
		inside = false;
	};
	idler.StartIdling();
	mClock.Advance(1000);
	for (int i = 0; i < 50 && idler.mCalls == 0; ++i)
		LApplication::ProcessNextEvent();
	EXPECT_GT(nested, 0);
}

TEST_F(EventLoopTest, TickTimerDeliversNullEventsInTheQtLoop)
{
	TTask idler("idler");
	idler.StartIdling();
	// Real time here: the timer fires once a tick.
	for (int i = 0; i < 50 && idler.mCalls == 0; ++i)
		LApplication::ProcessNextEvent();
	EXPECT_GT(idler.mCalls, 0);
}

} // namespace

namespace
{

class TRunApp : public LApplication
{
public:
	int mQuitAttempts = 0;
	LWindow* mWindow = nullptr;
	TTask mIdler{"idler"};

protected:
	void Initialize() override
	{
		Log().push_back("initialize");
		mWindow = LWindow::CreateWindow(1000, this);
		mWindow->Show();
		mIdler.StartIdling();
	}
	void StartUp() override
	{
		Log().push_back("start up");
		// The user quits at the loop's first two null events; the first time the application says no.
		mIdler.mAction = [this] {
			if (mIdler.mCalls <= 2)
				LApplication::DispatchCommand(cmd_Quit);
		};
	}
	Boolean AttemptQuitSelf(SInt32) override { return ++mQuitAttempts > 1; }
};

TEST(ApplicationRunTest, RunInitializesStartsUpAndQuitsWhenAllAgree)
{
	FrameworkTest::LoadFixtures();
	Log().clear();
	TRunApp app;
	app.Run();
	EXPECT_EQ(app.GetState(), programState_Quitting);
	EXPECT_EQ(app.mQuitAttempts, 2);
	const auto init = std::find(Log().begin(), Log().end(), "initialize");
	const auto start = std::find(Log().begin(), Log().end(), "start up");
	EXPECT_EQ(init, Log().begin());
	EXPECT_NE(start, Log().end());
	EXPECT_EQ(std::find(Log().begin(), start, "idler"), start); // no null event before start-up
	EXPECT_GE(app.mIdler.mCalls, 2);                            // the loop's null events
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	EXPECT_TRUE(app.GetSubCommanders().empty());
}

} // namespace
