#include "Internet/TBrokerage.h"

#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ModelTestEnvironment.h"

#include <memory>
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

// A kind larger than one pass's share, on the stocks' slot; the other kinds are off.
class TBrokerageRoundTest : public TBrokerageTest
{
protected:
	static constexpr int kRound = 2 * int(TBrokerage::kSubmitPerPass) + 10;

	void SetUp() override
	{
		TBrokerageTest::SetUp();
		mEnv.mPrefs.fundsOn = mEnv.mPrefs.indexesOn = mEnv.mPrefs.currenciesOn = 0;
		for (int i = 0; i < kRound; ++i) {
			mRound.push_back(std::make_unique<TStock>());
			mRound.back()->SecuritySymbol(Symbol(i).c_str());
			mRoundList.Append(mRound.back().get());
		}
		// A cancel lets go of the pending request, as the request layer's report does.
		mEnv.mOnCancel = [](TSecurity* security) { security->UpdateSecurityReference(nullptr); };
		Wire(mBroker);
		mBroker.SetList(securityStock, &mRoundList);
	}

	void TearDown() override
	{
		for (auto& stock : mRound)
			stock->UpdateSecurityReference(nullptr);
	}

	static std::string Symbol(int i) { return "R" + std::to_string(i); }
	static tSymbols Symbols(int first, int end)
	{
		tSymbols symbols;
		for (int i = first; i < end; ++i)
			symbols.push_back(Symbol(i));
		return symbols;
	}

	// Symbols submitted since the last call, now pending as the request layer would hold them.
	tSymbols SubmittedNowPending()
	{
		for (const modeltest::tRequestCall& call : mEnv.mRequests)
			if (call.operation == "SubmitURL")
				call.security->UpdateSecurityReference(
				    reinterpret_cast<TURLRequest*>(call.security));
		return Submitted();
	}

	// The request ended without filling the security: it may go again.
	void Answered(int i) { mRound[size_t(i)]->UpdateSecurityReference(nullptr); }

	std::vector<std::unique_ptr<TStock>> mRound;
	TList<TSecurity> mRoundList{false, false};
	TBrokerage mBroker;
};

TEST_F(TBrokerageRoundTest, LargeRoundIsSubmittedAShareAPassInOrder)
{
	const int share = int(TBrokerage::kSubmitPerPass);
	mBroker.StartUpdating();
	mBroker.SetMinutes(securityStock, 1);
	const UInt32 firstCheck = TickCount();
	mBroker.Run();
	EXPECT_EQ(SubmittedNowPending(), Symbols(0, share));
	EXPECT_TRUE(mBroker.InRound());

	mClock.Advance(1);
	mBroker.Run();
	EXPECT_EQ(SubmittedNowPending(), Symbols(share, 2 * share));

	// Between passes one security is submitted by someone else and another is deleted.
	mRound[size_t(2 * share + 2)]->UpdateSecurityReference(reinterpret_cast<TURLRequest*>(this));
	mRoundList.Remove(mRound[size_t(2 * share + 5)].get());
	mClock.Advance(1);
	mBroker.Run();
	tSymbols rest = Symbols(2 * share, kRound);
	rest.erase(rest.begin() + 5);
	rest.erase(rest.begin() + 2);
	EXPECT_EQ(SubmittedNowPending(), rest);
	EXPECT_FALSE(mBroker.InRound());
	mClock.Advance(1);
	mBroker.Run();
	EXPECT_TRUE(Submitted().empty()) << "a finished round is not walked again";

	// The interval still runs from the tick of the check that started the round.
	for (int i = 0; i < kRound; ++i)
		Answered(i);
	mClock.SetTicks(firstCheck + TBrokerage::kTicksPerMinute - 1);
	mBroker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(1);
	mBroker.Run();
	EXPECT_EQ(SubmittedNowPending(), Symbols(0, share));
}

TEST_F(TBrokerageRoundTest, ForcedCheckRestartsTheRoundAndStopDropsIt)
{
	const int share = int(TBrokerage::kSubmitPerPass);
	mBroker.StartUpdating();
	mBroker.SetMinutes(securityStock, 1);
	mBroker.Run();
	EXPECT_EQ(SubmittedNowPending(), Symbols(0, share));

	// Ten of the first share have been answered without a price: a forced check begins again from the
	// first security, in the next pass, since this pass's share is spent; pending ones are not doubled.
	for (int i = 0; i < 10; ++i)
		Answered(i);
	mBroker.CheckStocks(true);
	EXPECT_TRUE(Submitted().empty());
	mBroker.Run();
	tSymbols expected = Symbols(0, 10);
	const tSymbols next = Symbols(share, 2 * share - 10);
	expected.insert(expected.end(), next.begin(), next.end());
	EXPECT_EQ(SubmittedNowPending(), expected);

	// Stopped mid-round: everything pending is cancelled and the rest of the round is dropped; started
	// again, the kind waits for its next due check.
	mBroker.Stop();
	EXPECT_FALSE(mBroker.InRound());
	mEnv.mRequests.clear();
	mBroker.StartUpdating();
	mBroker.Run();
	EXPECT_TRUE(Submitted().empty());
	mClock.Advance(TBrokerage::kTicksPerMinute);
	mBroker.Run();
	EXPECT_EQ(SubmittedNowPending(), Symbols(0, share));

	// A kind switched off mid-round leaves its round.
	mEnv.mPrefs.stocksOn = 0;
	mBroker.Run();
	EXPECT_FALSE(mBroker.InRound());
	mEnv.mPrefs.stocksOn = 1;
	mBroker.Run();
	EXPECT_TRUE(Submitted().empty());
}

} // namespace
