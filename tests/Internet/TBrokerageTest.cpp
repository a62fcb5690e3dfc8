#include "Internet/TBrokerage.h"

#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ModelTestEnvironment.h"

#include <string>
#include <vector>

namespace
{

class TBrokerageTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		mEnv.mPrefs.idling.enabled = 0;
		mStocks.Append(&mIBM);
		mStocks.Append(&mAAPL);
		mFunds.Append(&mFund);
		mIndexes.Append(&mIndex);
		mCurrencies.Append(&mCurrency);
		mIBM.SecuritySymbol("IBM");
		mAAPL.SecuritySymbol("AAPL");
		mFund.SecuritySymbol("FUND");
		mIndex.SecuritySymbol("^DJI");
		mCurrency.SecuritySymbol("EURUSD");
	}

	void Wire(TBrokerage& broker)
	{
		broker.SetList(securityStock, &mStocks);
		broker.SetList(securityFund, &mFunds);
		broker.SetList(securityIndex, &mIndexes);
		broker.SetList(securityCurrency, &mCurrencies);
	}

	// Symbols submitted since the last call.
	std::vector<std::string> Submitted()
	{
		std::vector<std::string> symbols;
		for (const modeltest::tRequestCall& call : mEnv.mRequests)
			if (call.operation == "SubmitURL")
				symbols.push_back(call.security->SecuritySymbol());
		mEnv.mRequests.clear();
		return symbols;
	}

	StTestClock mClock{100000};
	TStock mIBM;
	TStock mAAPL;
	TFund mFund;
	TIndex mIndex;
	TCurrency mCurrency;
	TList<TSecurity> mStocks{false, false};
	TList<TSecurity> mFunds{false, false};
	TList<TSecurity> mIndexes{false, false};
	TList<TSecurity> mCurrencies{false, false};
};

using tSymbols = std::vector<std::string>;

TEST_F(TBrokerageTest, KindsAreCheckedInOrderAndOnlyWhenSwitchedOnAndRunning)
{
	TBrokerage broker;
	Wire(broker);
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		broker.SetMinutes(kind, 1);
	broker.Run();
	EXPECT_TRUE(Submitted().empty()) << "not started";

	broker.StartUpdating();
	mEnv.mPrefs.fundsOn = 0;
	broker.Run();
	EXPECT_EQ(Submitted(), (tSymbols{"IBM", "AAPL", "^DJI", "EURUSD"}));
}

TEST_F(TBrokerageTest, IntervalRunsFromTheTickOfEachCheck)
{
	TBrokerage broker;
	Wire(broker);
	broker.StartUpdating();
	mEnv.mPrefs.fundsOn = mEnv.mPrefs.indexesOn = mEnv.mPrefs.currenciesOn = 0;
	broker.Run();
	EXPECT_TRUE(Submitted().empty()) << "no interval, no automatic check";

	mClock.Advance(500);
	broker.SetMinutes(securityStock, 1);
	broker.Run();
	EXPECT_EQ(Submitted(), (tSymbols{"IBM", "AAPL"})) << "a kind that had no interval is due at once";

	mClock.Advance(3599);
	broker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(1);
	broker.Run();
	EXPECT_EQ(Submitted().size(), 2u);

	// 5 minutes, then 2: the next check moves to the last check + 7200 ticks.
	broker.SetMinutes(securityStock, 5);
	mClock.Advance(7199);
	broker.SetMinutes(securityStock, 2);
	broker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(1);
	broker.Run();
	EXPECT_EQ(Submitted().size(), 2u);

	// Shortened below the time already passed: due at once.
	mClock.Advance(4000);
	broker.SetMinutes(securityStock, 1);
	broker.Run();
	EXPECT_EQ(Submitted().size(), 2u);

	broker.SetMinutes(securityStock, -1);
	mClock.Advance(100000);
	broker.Run();
	EXPECT_TRUE(Submitted().empty()) << "-1 switches the automatic check off";
}

TEST_F(TBrokerageTest, IntervalsOutsideAWeekTakeTheFactoryInterval)
{
	mEnv.mPrefs.indexesOn = mEnv.mPrefs.currenciesOn = 0;
	// Stocks 5 minutes, funds 120, as the factory settings have them.
	auto dueAfter = [&](tSecurityType kind, int minutes, UInt32 ticks) {
		TBrokerage broker;
		Wire(broker);
		broker.StartUpdating();
		broker.SetMinutes(kind, minutes);
		broker.Run();
		Submitted();
		mClock.Advance(ticks - 1);
		broker.Run();
		const bool early = !Submitted().empty();
		mClock.Advance(1);
		broker.Run();
		return !early && !Submitted().empty();
	};
	for (int minutes : {0, -2, 10081, 600000, 0x7FFFFFFF, int(0x80000000)}) {
		SCOPED_TRACE(minutes);
		mEnv.mPrefs.stocksOn = 1;
		mEnv.mPrefs.fundsOn = 0;
		EXPECT_TRUE(dueAfter(securityStock, minutes, 5 * 3600));
		mEnv.mPrefs.stocksOn = 0;
		mEnv.mPrefs.fundsOn = 1;
		EXPECT_TRUE(dueAfter(securityFund, minutes, 120 * 3600));
	}
	mEnv.mPrefs.stocksOn = 1;
	mEnv.mPrefs.fundsOn = 0;
	EXPECT_TRUE(dueAfter(securityStock, 10080, 10080u * 3600));
}

TEST_F(TBrokerageTest, IntervalSurvivesTheTickCounterWrapping)
{
	mClock.SetTicks(0xFFFFFFFFull - 1000);
	TBrokerage broker;
	Wire(broker);
	broker.StartUpdating();
	mEnv.mPrefs.fundsOn = mEnv.mPrefs.indexesOn = mEnv.mPrefs.currenciesOn = 0;
	broker.SetMinutes(securityStock, 1);
	broker.Run();
	EXPECT_EQ(Submitted().size(), 2u);

	mClock.Advance(500);
	broker.Run();
	EXPECT_TRUE(Submitted().empty()) << "a next check beyond the wrap is not due yet";
	mClock.Advance(1500);
	ASSERT_LT(TickCount(), 1000u) << "the counter has wrapped";
	broker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(1599);
	broker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(1);
	broker.Run();
	EXPECT_EQ(Submitted().size(), 2u);
}

TEST_F(TBrokerageTest, SubmissionRule)
{
	TBrokerage broker;
	Wire(broker);
	mAAPL.MenuEnabled(false);
	mAAPL.SummaryEnabled(false);
	broker.CheckStocks(true);
	EXPECT_EQ(Submitted(), (tSymbols{"IBM"})) << "a security shown nowhere is never submitted";

	mAAPL.SummaryEnabled(true);
	mIBM.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&mIBM));
	broker.CheckStocks(true);
	EXPECT_EQ(Submitted(), (tSymbols{"AAPL"})) << "a pending request is not doubled";
	mIBM.UpdateSecurityReference(nullptr);

	mIBM.InitedToday(true);
	mAAPL.InitedToday(true);
	mAAPL.OverrideQuoter(true);
	broker.CheckStocks(true);
	EXPECT_EQ(Submitted(), (tSymbols{"AAPL"})) << "filled since start-up: only an own source goes again";

	broker.SetDetailUpdate(true);
	broker.CheckStocks(true);
	EXPECT_EQ(Submitted(), (tSymbols{"IBM", "AAPL"}));
}

TEST_F(TBrokerageTest, ForcedCheckWithoutIntervalSubmitsOnce)
{
	TBrokerage broker;
	Wire(broker);
	broker.StartUpdating();
	broker.SetMinutes(securityFund, -1);
	mEnv.mPrefs.stocksOn = mEnv.mPrefs.indexesOn = mEnv.mPrefs.currenciesOn = 0;
	broker.CheckFunds(true);
	EXPECT_EQ(Submitted(), (tSymbols{"FUND"}));
	for (int i = 0; i < 5; i++) {
		mClock.Advance(100000);
		broker.Run();
	}
	EXPECT_TRUE(Submitted().empty());
}

TEST_F(TBrokerageTest, IdlingIsReevaluatedEvery1800Ticks)
{
	mEnv.mPrefs.idling.enabled = 1;
	mEnv.mPrefs.idling.threshold = UZVUtils::idleUntilParsed;
	mIBM.MenuEnabled(false);
	mIBM.SummaryEnabled(false);
	mAAPL.MenuEnabled(false);
	mAAPL.SummaryEnabled(false);
	TBrokerage broker;
	Wire(broker);
	broker.StartUpdating();
	broker.Run();
	EXPECT_TRUE(mIBM.Idle()) << "the first run re-evaluates at once";
	EXPECT_TRUE(mIndex.Idle());

	mIBM.InitedToday(true);
	mClock.Advance(1799);
	broker.Run();
	EXPECT_TRUE(mIBM.Idle());
	mClock.Advance(1);
	broker.Run();
	EXPECT_FALSE(mIBM.Idle());
	EXPECT_TRUE(mIndex.Idle());

	mEnv.mPrefs.indexesOn = 0;
	mIndex.InitedToday(true);
	mClock.Advance(1800);
	broker.Run();
	EXPECT_TRUE(mIndex.Idle()) << "a kind switched off is left alone";
}

TEST_F(TBrokerageTest, StopCancelsEveryPendingRequestKindByKind)
{
	TBrokerage broker;
	Wire(broker);
	broker.StartUpdating();
	broker.Stop();
	EXPECT_FALSE(broker.IsRunning());
	std::vector<std::string> cancelled;
	for (const modeltest::tRequestCall& call : mEnv.mRequests) {
		EXPECT_EQ(call.operation, "CancelURL");
		cancelled.push_back(call.security->SecuritySymbol());
	}
	EXPECT_EQ(cancelled, (tSymbols{"IBM", "AAPL", "^DJI", "FUND", "EURUSD"}));
}

} // namespace
