#include "foundation/Threads/TVyThread.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

std::string sLog;
int sActive = 0;
bool sOverlap = false;

// Marks the span in which one party runs; two spans at once mean two threads ran together.
class TActive
{
public:
	TActive()
	{
		if (++sActive != 1)
			sOverlap = true;
	}
	~TActive() { sActive--; }
};

class TLogThread : public TVyThread
{
public:
	TLogThread(char name, int turns) : mName(name), mTurns(turns) {}
	~TLogThread() override { Terminate(); }

	void Run() override
	{
		TActive active;
		sLog += mName;
		if (mYieldInside) {
			// Let the others run in the middle of a turn.
			sActive--;
			YieldThread();
			sActive++;
			sLog += char(mName + 32);
		}
		if (mTerminateSelfAt != 0 && ++mCalls == mTerminateSelfAt) {
			Terminate();
			sLog += '!';
		}
		if (--mTurns == 0)
			mRunning = 0;
	}

	char mName;
	int mTurns;
	bool mYieldInside = false;
	int mTerminateSelfAt = 0;
	int mCalls = 0;
};

// Sets a flag when a thread unwound through a Run() that was waiting in a yield.
class TUnwindThread : public TVyThread
{
public:
	explicit TUnwindThread(bool* unwound) : mUnwound(unwound) {}
	~TUnwindThread() override { Terminate(); }

	void Run() override
	{
		struct tGuard {
			bool* mFlag;
			~tGuard() { *mFlag = true; }
		} guard{mUnwound};
		YieldThread();
		sLog += "after";
	}

	bool* mUnwound;
};

void AppYield()
{
	TActive active;
	sActive--;
	TVyThread::YieldThread();
	sActive++;
	sLog += '.';
}

class TVyThreadTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		sLog.clear();
		sActive = 0;
		sOverlap = false;
	}
	void TearDown() override { EXPECT_FALSE(sOverlap); }
};

TEST_F(TVyThreadTest, LaunchOfNoThreadDoesNothing)
{
	EXPECT_EQ(TVyThread::Launch(nullptr), nullptr);
	TVyThread::YieldThread();
}

TEST_F(TVyThreadTest, AThreadRunsOneTurnPerYieldUntilItStopsItself)
{
	TLogThread a('A', 2);
	a.Initialize(0x8000);
	const TVyThread::ThreadID first = a.GetThreadID();
	EXPECT_NE(first, 0u);
	EXPECT_EQ(sLog, "") << "a new thread waits for the first yield";
	AppYield();
	EXPECT_EQ(sLog, "A.");
	EXPECT_TRUE(a.IsRunning());
	AppYield();
	EXPECT_EQ(sLog, "A.A.");
	EXPECT_FALSE(a.IsRunning());
	EXPECT_EQ(a.GetThreadID(), first) << "the thread leaves its loop on its next turn";
	AppYield();
	EXPECT_EQ(sLog, "A.A..");
	EXPECT_EQ(a.GetThreadID(), 0u) << "the ended thread clears its identifier";

	a.mTurns = 1;
	a.Initialize(0);
	EXPECT_NE(a.GetThreadID(), 0u);
	EXPECT_NE(a.GetThreadID(), first);
	AppYield();
	EXPECT_EQ(sLog, "A.A..A.");
}

TEST_F(TVyThreadTest, ThreadsTakeTurnsAndNeverRunTogether)
{
	TLogThread a('A', 3), b('B', 3);
	b.mYieldInside = true;
	a.Initialize(0);
	b.Initialize(0);
	const TVyThread::ThreadID id = a.GetThreadID();
	a.Initialize(0);
	EXPECT_EQ(a.GetThreadID(), id) << "a second Initialize makes no second thread";

	// B yields in the middle of its turn and finishes it (lower case) when control comes round again.
	AppYield();
	EXPECT_EQ(sLog, "AB.");
	AppYield();
	EXPECT_EQ(sLog, "AB.Ab.");
	for (int i = 0; i < 5; i++)
		AppYield();
	EXPECT_EQ(sLog, "AB.Ab.AB.b.B.b..");
	EXPECT_EQ(a.GetThreadID(), 0u);
	EXPECT_EQ(b.GetThreadID(), 0u);
}

TEST_F(TVyThreadTest, TerminateEndsAWaitingThread)
{
	TLogThread a('A', 100), b('B', 100);
	a.Initialize(0);
	b.Initialize(0);
	AppYield();
	a.Terminate();
	EXPECT_EQ(a.GetThreadID(), 0u);
	EXPECT_FALSE(a.IsRunning());
	EXPECT_EQ(sLog, "AB.") << "terminating runs nothing of the thread";
	AppYield();
	EXPECT_EQ(sLog, "AB.B.");

	{
		TLogThread never('N', 100);
		never.Initialize(0);
	}
	AppYield();
	EXPECT_EQ(sLog, "AB.B.B.") << "a thread terminated before its first turn never ran";
}

TEST_F(TVyThreadTest, TerminateUnwindsAThreadWaitingInsideRun)
{
	bool unwound = false;
	{
		TUnwindThread t(&unwound);
		t.Initialize(0);
		TVyThread::YieldThread();
		EXPECT_FALSE(unwound);
		t.Terminate();
		EXPECT_TRUE(unwound);
	}
	EXPECT_EQ(sLog, "");
}

TEST_F(TVyThreadTest, AThreadTerminatingItselfEndsAtOnce)
{
	TLogThread a('A', 100), b('B', 100);
	a.mTerminateSelfAt = 2;
	a.Initialize(0);
	b.Initialize(0);
	AppYield();
	AppYield();
	EXPECT_EQ(sLog, "AB.AB.") << "control passes on from the ended thread";
	EXPECT_EQ(a.GetThreadID(), 0u);
	AppYield();
	EXPECT_EQ(sLog, "AB.AB.B.");
}

} // namespace
