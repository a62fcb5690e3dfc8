#include "Internet/TCURLPump.h"

#include "tests/Internet/URLTestSupport.h"

#include <deque>

namespace
{

// Answers Perform calls from a script; an exhausted script answers false.
std::deque<bool> sScript;
int sCalls = 0;

bool ScriptedPerform()
{
	++sCalls;
	if (sScript.empty())
		return false;
	bool again = sScript.front();
	sScript.pop_front();
	return again;
}

class TCURLPumpTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		sScript.clear();
		sCalls = 0;
		TCURLPump::TurnOn();
	}
	void TearDown() override { TCURLPump::TurnOff(); }
};

TEST_F(TCURLPumpTest, PassRepeatsPerformWhileAskedAtMostThreeTimes)
{
	TCURLPump pump(&ScriptedPerform);

	sScript = {false};
	EXPECT_EQ(pump.Execute(), 1);

	sScript = {true, false};
	EXPECT_EQ(pump.Execute(), 2);

	sScript = {true, true, true, true, false};
	EXPECT_EQ(pump.Execute(), 3) << "the fourth call waits for the next event";
	EXPECT_EQ(sScript.size(), 2u);
	EXPECT_EQ(pump.Execute(), 2);
	EXPECT_EQ(sCalls, 8);
}

TEST_F(TCURLPumpTest, SwitchedOffPumpCallsNothing)
{
	TCURLPump pump(&ScriptedPerform);
	TCURLPump::TurnOff();
	sScript = {true, true};
	EXPECT_EQ(pump.Execute(), 0);
	EXPECT_EQ(sCalls, 0);
	EXPECT_FALSE(TCURLPump::IsOn());
	TCURLPump::TurnOn();
	EXPECT_EQ(pump.Execute(), 3);
}

class TCURLPumpTransferTest : public URLRequestFixture
{
protected:
	void TearDown() override
	{
		TCURLPump::TurnOff();
		URLRequestFixture::TearDown();
	}
};

TEST_F(TCURLPumpTransferTest, TransfersAdvanceOnlyWhileThePumpRuns)
{
	mServer.Serve("/q", LoopbackHTTPServer::Page("quote"));
	RecordingCallback callback;
	Start("http://quotes.example/q", callback);
	TCURLPump pump;

	TCURLPump::TurnOff();
	for (int i = 0; i < 50; ++i) {
		EXPECT_EQ(pump.Execute(), 0);
		::usleep(1000);
	}
	EXPECT_EQ(mServer.RequestCount(), 0u);
	EXPECT_TRUE(callback.mReports.empty());

	TCURLPump::TurnOn();
	bool askedAgain = false;
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
	while (!callback.Finished() && std::chrono::steady_clock::now() < end) {
		// libcurl never asks to be called again at once, so every pass is one Perform.
		askedAgain |= pump.Execute() != 1;
		::usleep(500);
	}
	ASSERT_TRUE(callback.Finished());
	EXPECT_FALSE(askedAgain);
	EXPECT_EQ(callback.mReports.back().mBody, "quote");
	EXPECT_FALSE(TURLRequest::Perform());
}

} // namespace
