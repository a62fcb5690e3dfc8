#include "foundation/TVyFileUtils.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/toolbox/Debugging.h"
#include "tests/support/ModelTestEnvironment.h"

#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace modeltest;

namespace
{

bool IsNoValue(float value)
{
	return std::bit_cast<UInt32>(value) == 0xC61C3FF6u;
}

class RecordingWatcher : public TSecurityWatcher
{
public:
	explicit RecordingWatcher(std::vector<std::string>* log, const char* name, bool portfolio = false)
	    : mLog(log), mName(name)
	{
		mIsPortfolio = portfolio;
	}
	void UpdateBegins(TSecurity*) override { mLog->push_back(mName + " begins"); }
	void UpdateEnds(TSecurity* security) override
	{
		mLog->push_back(mName + " ends");
		if (mLeaveOnEnd)
			security->RemoveWatcher(this);
	}
	void Remove(TSecurity*) override { mLog->push_back(mName + " removed"); }

	std::vector<std::string>* mLog;
	std::string mName;
	bool mLeaveOnEnd = false;
};

class CountedFile : public TVyFile
{
public:
	explicit CountedFile(int* deleted) : mDeleted(deleted) {}
	~CountedFile() override { ++*mDeleted; }
	int* mDeleted;
};

using TSecurityTest = ModelFixture;

TEST_F(TSecurityTest, NewSecuritiesHoldTheirKindAndEmptyQuote)
{
	mEnv.mPrefs.stockViewType = 21;
	mEnv.mPrefs.fundViewType = 22;
	mEnv.mPrefs.indexViewType = 23;
	mEnv.mPrefs.currencyViewType = 24;
	TSecurity bare;
	TStock stock;
	TFund fund;
	TIndex index;
	TCurrency pair;
	const std::vector<std::pair<TSecurity*, int>> kinds = {
	    {&bare, 999}, {&stock, 100}, {&fund, 101}, {&index, 102}, {&pair, 103}};
	const tViewType views[] = {11, 21, 22, 23, 24};
	for (std::size_t i = 0; i < kinds.size(); ++i) {
		TSecurity* s = kinds[i].first;
		SCOPED_TRACE(kinds[i].second);
		EXPECT_EQ(s->Type(), kinds[i].second);
		EXPECT_EQ(s->ViewType(), views[i]);
		for (float value :
		     {s->CurrentTradePrice(), s->CurrentTradeBid(), s->CurrentTradeAsk(), s->YesterdayClose(),
		      s->DayOpen(), s->DayHigh(), s->DayLow(), s->YearHigh(), s->YearLow()})
			EXPECT_TRUE(IsNoValue(value));
		EXPECT_EQ(s->DayVolume(), 0u);
		EXPECT_EQ(s->CurrentTradeVolume(), 0u);
		EXPECT_EQ(s->Quoter(), FOUR_CHAR_CODE("qNON"));
		EXPECT_TRUE(s->MenuEnabled());
		EXPECT_TRUE(s->SummaryEnabled());
		EXPECT_EQ(s->State(), stateUnchanged);
		EXPECT_STREQ(s->SecuritySymbol(), "");
		for (const char* text : {s->TickerHeader(), s->PriceString(), s->PriceFraction(),
		                         s->ChangeString(), s->ChangeFraction(), s->TrailerString()})
			ASSERT_NE(text, nullptr);
		EXPECT_EQ(s->FileText(), nullptr);
		EXPECT_TRUE(TVyDate::IsUndefinedDate(s->LastUpdate()));
		EXPECT_TRUE(TVyDate::IsUndefinedTime(s->CurrentTradeUpdate()));
		SInt32 top = -1, left = -1;
		tZoomState zoom = 0;
		s->DetailWindowPosition(&top, &left, &zoom);
		EXPECT_EQ(top, 0);
		EXPECT_EQ(left, 0);
		EXPECT_EQ(zoom, 1);
	}
	EXPECT_EQ(stock.Exchange(), 101);
	EXPECT_TRUE(IsNoValue(stock.EarningsPerShare()));
	EXPECT_TRUE(IsNoValue(stock.Yield()));
	EXPECT_TRUE(IsNoValue(stock.StockParameters()->reservedFigures[9]));
	EXPECT_EQ(index.Index(), 999);
	EXPECT_EQ(pair.CurrencyFrom(), 100);
	EXPECT_EQ(pair.CurrencyTo(), 101);

	gPreferences = nullptr;
	TStock withoutSettings;
	EXPECT_EQ(withoutSettings.ViewType(), 11);
}

TEST_F(TSecurityTest, TextsAreNeverNullAndTemplateCopiesItsLength)
{
	TFund fund;
	fund.SecuritySymbol("ABC");
	fund.SecuritySymbol(nullptr);
	EXPECT_STREQ(fund.SecuritySymbol(), "");
	fund.SecurityName(nullptr);
	fund.PriceString(nullptr);
	EXPECT_STREQ(fund.PriceString(), "");

	fund.FileText("price <<PRICE>> and more", 15);
	EXPECT_STREQ(fund.FileText(), "price <<PRICE>>");
	fund.FileText("x", 0);
	EXPECT_EQ(fund.FileText(), nullptr);
	fund.FileText("abc", 3);
	fund.FileText(nullptr, 5);
	EXPECT_EQ(fund.FileText(), nullptr);

	int deleted = 0;
	fund.OutputFile(new CountedFile(&deleted));
	fund.OutputFile(new CountedFile(&deleted));
	EXPECT_EQ(deleted, 1);
	fund.OutputFile(nullptr);
	EXPECT_EQ(deleted, 2);
}

TEST_F(TSecurityTest, ResetEmptiesTheQuoteAndNewsAndStockFigures)
{
	TStock stock;
	stock.CurrentTradePrice(12.5f);
	stock.YearLow(3.0f);
	stock.DayVolume(1000);
	stock.EarningsPerShare(1.5f);
	stock.Capitalization(7.0f);
	TVyDate now;
	stock.LastUpdate(&now);
	const char headline[] = "Rise";
	const char host[] = "news.example";
	tNewsEntry entry{headline, 4, host, 12, nullptr, 0};
	stock.AddNewsItem(&entry);
	ASSERT_EQ(stock.GetNewsList()->Count(), 1);

	stock.Reset();
	EXPECT_TRUE(IsNoValue(stock.CurrentTradePrice()));
	EXPECT_TRUE(IsNoValue(stock.YearLow()));
	EXPECT_EQ(stock.DayVolume(), 0u);
	EXPECT_TRUE(IsNoValue(stock.EarningsPerShare()));
	EXPECT_EQ(stock.Capitalization(), 7.0f);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(stock.LastUpdate()));
	EXPECT_EQ(stock.GetNewsList()->Count(), 0);
}

TEST_F(TSecurityTest, AssignmentCopiesValuesButNotWhatBindsTheTarget)
{
	TStock source;
	source.SecuritySymbol("IBM");
	source.SecurityName("Machines");
	source.CurrentTradePrice(101.25f);
	source.Exchange(104);
	source.TrailerString("(+1%)");
	source.State(stateUp);
	source.AlertGaining(true);
	source.InitedToday(true);
	source.ErrorCode(28);
	source.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&source));
	TVyDate sourceDate;
	sourceDate.SetYear(1999);
	source.LastUpdate(&sourceDate);
	source.FileText("t", 1);

	// The watcher outlives the target, which tells it when it goes.
	std::vector<std::string> log;
	RecordingWatcher watcher(&log, "w");
	TStock target;
	target.AddWatcher(&watcher);
	target.ShowDetailWindow();
	const TVyDate targetDate = *target.LastUpdate();

	target = source;
	EXPECT_STREQ(target.SecuritySymbol(), "IBM");
	EXPECT_STREQ(target.SecurityName(), "Machines");
	EXPECT_EQ(target.CurrentTradePrice(), 101.25f);
	EXPECT_EQ(target.Exchange(), 104);
	EXPECT_STREQ(target.TrailerString(), "(+1%)");
	EXPECT_EQ(target.State(), stateUp);
	EXPECT_TRUE(target.AlertGaining());
	EXPECT_TRUE(target.InitedToday());
	EXPECT_EQ(target.ErrorCode(), 28);
	EXPECT_TRUE(*target.LastUpdate() == targetDate);
	EXPECT_EQ(target.FileText(), nullptr);
	// A pending request belongs to the security that sent it.
	EXPECT_EQ(target.UpdateSecurityReference(), nullptr);
	EXPECT_EQ(target.GetDetailWindow(), mEnv.DetailWindows().at(0).get());
	EXPECT_EQ(target.WatcherCount(), 1);

	TIndex index, indexCopy;
	index.Index(105);
	indexCopy = index;
	EXPECT_EQ(indexCopy.Index(), 105);
	TCurrency pair, pairCopy;
	pair.CurrencyFrom(120);
	pair.CurrencyTo(130);
	pairCopy = pair;
	EXPECT_EQ(pairCopy.CurrencyFrom(), 120);
	EXPECT_EQ(pairCopy.CurrencyTo(), 130);
	source.UpdateSecurityReference(nullptr);
}

TEST_F(TSecurityTest, AssignmentLeavesTheTargetsTradeDateNewsTickletsAndFile)
{
	mEnv.OpenTicker(3);
	TFund source;
	TVyDate sourceTrade;
	sourceTrade.SetYear(1999);
	source.CurrentTradeUpdate(&sourceTrade);
	const char headline[] = "Source news";
	const char host[] = "news.example";
	tNewsEntry entry{};
	entry.headline = headline;
	entry.headlineLength = sizeof headline - 1;
	entry.host = host;
	entry.hostLength = sizeof host - 1;
	source.AddNewsItem(&entry);
	source.AddTicklet(3, nullptr);
	int deleted = 0;
	source.OutputFile(new CountedFile(&deleted));

	TFund target;
	TVyDate targetTrade;
	targetTrade.SetYear(2011);
	target.CurrentTradeUpdate(&targetTrade);
	target = source;
	EXPECT_EQ(target.CurrentTradeUpdate()->GetYear(), 2011);
	EXPECT_EQ(target.GetNewsList()->Count(), 0);
	EXPECT_EQ(target.GetTickletOwners()->Count(), 0);
	EXPECT_EQ(target.OutputFile(), nullptr);
	// The source keeps what it had: nothing was moved across.
	EXPECT_EQ(source.GetNewsList()->Count(), 1);
	EXPECT_TRUE(source.IsActiveTicker(3));
	EXPECT_NE(source.OutputFile(), nullptr);
	EXPECT_EQ(deleted, 0);
}

TEST_F(TSecurityTest, CopyTakesTheSettingsOfTheSameKindOnly)
{
	TStock source;
	source.SecuritySymbol("AAA");
	source.SecurityName("Triple");
	source.Exchange(120);
	source.EarningsPerShare(2.0f);
	source.MenuEnabled(false);
	source.CurrentTradePrice(5.0f);
	TStock target;
	target.Copy(&source);
	EXPECT_STREQ(target.SecuritySymbol(), "AAA");
	EXPECT_STREQ(target.SecurityName(), "Triple");
	EXPECT_EQ(target.Exchange(), 120);
	EXPECT_TRUE(IsNoValue(target.EarningsPerShare()));
	EXPECT_FALSE(target.MenuEnabled());
	EXPECT_EQ(target.CurrentTradePrice(), 5.0f);

	TFund fund;
	fund.Quoter(FOUR_CHAR_CODE("Fund"));
	fund.OverrideQuoter(true);
	TFund fundCopy;
	fundCopy.Copy(&fund);
	EXPECT_EQ(fundCopy.Quoter(), FOUR_CHAR_CODE("Fund"));
	EXPECT_TRUE(fundCopy.OverrideQuoter());

	const long signals = Debugging::SignalCount();
	TIndex index;
	index.SecuritySymbol("^X");
	target.Copy(&index);
	EXPECT_STREQ(target.SecuritySymbol(), "AAA");
	EXPECT_GT(Debugging::SignalCount(), signals);
}

TEST_F(TSecurityTest, WatchersAreHeldOnceAndToldOfUpdatesAndRemoval)
{
	std::vector<std::string> log;
	RecordingWatcher a(&log, "a"), b(&log, "b", true);
	{
		TFund fund;
		fund.AddWatcher(&a);
		fund.AddWatcher(&a);
		EXPECT_EQ(fund.WatcherCount(), 1);
		EXPECT_FALSE(fund.HasPortfolioWatchers());
		fund.AddWatcher(&b);
		EXPECT_TRUE(fund.HasPortfolioWatchers());

		a.mLeaveOnEnd = true;
		fund.BeginUpdateWatchers();
		fund.EndUpdateWatchers();
		EXPECT_EQ(log, (std::vector<std::string>{"a begins", "b begins", "a ends", "b ends"}));
		EXPECT_EQ(fund.WatcherCount(), 1);
		fund.AddWatcher(&a);
		a.mLeaveOnEnd = false;
		log.clear();
	}
	EXPECT_EQ(log, (std::vector<std::string>{"b removed", "a removed"}));
}

TEST_F(TSecurityTest, NeverPlacedDetailWindowOpensAtItsFirstPlace)
{
	TStock stock;
	stock.ShowDetailWindow();
	ASSERT_EQ(mEnv.DetailWindows().size(), 1u);
	FakeDetailWindow* window = mEnv.DetailWindows()[0].get();
	EXPECT_EQ(window->mKind, securityStock);
	EXPECT_EQ(window->mCalls,
	          (std::vector<std::string>{"SetCurrentSecurity", "Show", "Select", "Activate"}));
	EXPECT_EQ(window->mSecurity, &stock);
	EXPECT_TRUE(stock.IsDetailWindowOpen());
	SInt32 top, left;
	tZoomState zoom;
	stock.DetailWindowPosition(&top, &left, &zoom);
	EXPECT_EQ(top, 80);
	EXPECT_EQ(left, 50);
	EXPECT_EQ(zoom, 1);

	// Shown again without a key: only brought forward.
	window->mCalls.clear();
	stock.ShowDetailWindow();
	EXPECT_EQ(window->mCalls, (std::vector<std::string>{"Show", "Select"}));

	// With option held: placed again with the option zoom, same window.
	mEnv.mKeys.option = true;
	mEnv.mKeys.control = true;
	stock.ShowDetailWindow();
	EXPECT_EQ(mEnv.DetailWindows().size(), 1u);
	stock.DetailWindowPosition(&top, &left, &zoom);
	EXPECT_EQ(zoom, zoomOption);
	EXPECT_EQ(top, 80);

	mEnv.mScreens = {Rect{0, 100, 768, 1124}};
	TCurrency pair;
	pair.ShowDetailWindow();
	pair.DetailWindowPosition(&top, &left, &zoom);
	EXPECT_EQ(top, 1);
	EXPECT_EQ(left, 1);
	EXPECT_EQ(zoom, zoomOption);
	EXPECT_EQ(mEnv.DetailWindows().back()->mKind, securityCurrency);
}

TEST_F(TSecurityTest, PlacedDetailWindowKeepsItsPlace)
{
	TIndex index;
	index.DetailWindowPosition(300, 400, 2);
	index.ShowDetailWindow();
	SInt32 top, left;
	tZoomState zoom;
	index.DetailWindowPosition(&top, &left, &zoom);
	EXPECT_EQ(top, 300);
	EXPECT_EQ(left, 400);
	EXPECT_EQ(zoom, 2);
}

TEST_F(TSecurityTest, DetailWindowThatCannotBeMadeThrows)
{
	mEnv.mFailWindows = true;
	TFund fund;
	EXPECT_THROW(
	    {
		    try {
			    fund.ShowDetailWindow();
		    } catch (long code) {
			    EXPECT_EQ(code, kNilPointerError);
			    throw;
		    }
	    },
	    long);
	EXPECT_THROW(fund.ShowSelectDlog(nullptr, 0, true), long);
	EXPECT_FALSE(fund.IsDetailWindowOpen());

	TSecurity bare;
	bare.ShowDetailWindow();
	bare.ShowSelectDlog(nullptr, 5, false);
	EXPECT_TRUE(mEnv.DetailWindows().empty());
}

TEST_F(TSecurityTest, DetailWindowForwardsAndCloses)
{
	TFund fund;
	fund.UpdateDetailWindow();
	EXPECT_FALSE(fund.CloseDetailWindow(true));
	fund.ShowDetailWindow();
	FakeDetailWindow* window = mEnv.DetailWindows()[0].get();
	window->mCalls.clear();
	fund.StartUpdatingDetailWindow();
	fund.UpdateDetailWindow();
	fund.FinishUpdatingDetailWindow();
	fund.EnableTrading(true);
	EXPECT_EQ(window->mCalls,
	          (std::vector<std::string>{"StartUpdating", "Update", "FinishUpdating", "EnableTrading 1"}));

	EXPECT_TRUE(fund.CloseDetailWindow(true));
	EXPECT_EQ(window->Count("AttemptClose"), 1);
	EXPECT_EQ(fund.GetDetailWindow(), nullptr);
	EXPECT_FALSE(fund.IsDetailWindowOpen());
	EXPECT_FALSE(fund.CloseDetailWindow(false));
}

TEST_F(TSecurityTest, SelectDialogIsMadeOnceAndShown)
{
	TIndex index;
	index.ShowSelectDlog(nullptr, 0, true);
	ASSERT_EQ(mEnv.SelectDlogs().size(), 1u);
	FakeSelectDlog* dialog = mEnv.SelectDlogs()[0].get();
	EXPECT_EQ(dialog->mKind, securityIndex);
	EXPECT_EQ(dialog->mCalls, (std::vector<std::string>{"SetIsNewSecurity 1", "SetSecurity",
	                                                    "SetIsNewSecurity 1", "Show"}));
	dialog->mCalls.clear();
	index.ShowSelectDlog(nullptr, 4021, false);
	EXPECT_EQ(mEnv.SelectDlogs().size(), 1u);
	EXPECT_EQ(dialog->mCalls,
	          (std::vector<std::string>{"SetCommand 4021", "SetIsNewSecurity 0", "Show"}));

	index.CloseSelectDlog();
	EXPECT_TRUE(dialog->mClosed);
	EXPECT_EQ(index.GetSelectDlog(), nullptr);
}

TEST_F(TSecurityTest, TickletsFollowTheirTickers)
{
	FakeTicker* main = mEnv.OpenTicker(0);
	FakeTicker* second = mEnv.OpenTicker(7);
	TStock stock;
	stock.AddTicklet(0, nullptr);
	stock.AddTicklet(7, nullptr);
	stock.AddTicklet(9, nullptr);
	EXPECT_EQ(stock.GetTickletOwners()->Count(), 2);
	EXPECT_FALSE(stock.IsActiveTicker(9));
	ASSERT_EQ(main->mShown.size(), 1u);
	auto* first = static_cast<FakeTicklet*>(main->mShown[0]);
	EXPECT_EQ(first->mSecurity, &stock);
	EXPECT_EQ(first->mRefreshes, 1);

	// A new ticklet on the same ticker replaces the old one, which leaves the ticker.
	stock.AddTicklet(0, nullptr);
	EXPECT_EQ(stock.GetTickletOwners()->Count(), 2);
	ASSERT_EQ(main->mShown.size(), 1u);
	EXPECT_NE(main->mShown[0], first);
	EXPECT_EQ(FakeTicklet::sAlive, 2);

	stock.RefreshTicklets();
	EXPECT_EQ(static_cast<FakeTicklet*>(second->mShown[0])->mRefreshes, 2);

	// Closed while the ticker exists: the record stays for when it shows the security again.
	stock.CloseTicklet(7, nullptr);
	EXPECT_TRUE(stock.IsActiveTicker(7));
	EXPECT_TRUE(second->mShown.empty());
	EXPECT_EQ(FakeTicklet::sAlive, 1);
	stock.UpdateTicklets(true);
	EXPECT_EQ(second->mShown.size(), 1u);
	stock.UpdateTicklets(false);
	EXPECT_TRUE(main->mShown.empty());
	EXPECT_TRUE(second->mShown.empty());
	EXPECT_EQ(stock.GetTickletOwners()->Count(), 2);

	// A ticker that no longer exists takes its record with it.
	mEnv.CloseTicker(7);
	stock.CloseTicklet(7, nullptr);
	EXPECT_FALSE(stock.IsActiveTicker(7));
	stock.AddTicklet(7, nullptr);
	EXPECT_FALSE(stock.IsActiveTicker(7));

	stock.RemoveTicklet(0, nullptr);
	EXPECT_FALSE(stock.IsActiveTicker(0));
	EXPECT_EQ(stock.GetTickletOwners()->Count(), 0);
	EXPECT_EQ(main->mRemoves, main->mAdds);
}

TEST_F(TSecurityTest, UpdatingTickletsKeepsClosedTickersAndDropsVanishedOnes)
{
	mEnv.OpenTicker(1);
	mEnv.OpenTicker(2);
	mEnv.OpenTicker(3);
	std::vector<std::string> log;
	RecordingWatcher watcher(&log, "w");
	TFund fund;
	fund.SecuritySymbol("FND");
	fund.AddWatcher(&watcher);
	for (unsigned long id : {1, 2, 3})
		fund.AddTicklet(id, nullptr);
	mEnv.CloseTicker(1, true);
	mEnv.CloseTicker(3);
	fund.UpdateTicklets(true);
	// Then the update rules: ticker strings rebuilt, watchers told the update ended.
	EXPECT_STREQ(fund.TickerHeader(), "FND");
	EXPECT_EQ(log, (std::vector<std::string>{"w ends"}));
	EXPECT_TRUE(fund.IsActiveTicker(1));
	EXPECT_TRUE(fund.IsActiveTicker(2));
	EXPECT_FALSE(fund.IsActiveTicker(3));
	EXPECT_EQ(FakeTicklet::sAlive, 1);

	// Neither closing every ticklet nor adding one to the closed ticker loses its record.
	fund.UpdateTicklets(false);
	fund.AddTicklet(1, nullptr);
	EXPECT_EQ(FakeTicklet::sAlive, 0);
	EXPECT_EQ(fund.GetTickletOwners()->Count(), 2);
	FakeTicker* reopened = mEnv.OpenTicker(1);
	fund.UpdateTicklets(true);
	EXPECT_EQ(reopened->mShown.size(), 1u);
	EXPECT_EQ(FakeTicklet::sAlive, 2);
}

TEST_F(TSecurityTest, DestructionCancelsRequestsWhileTheSecurityIsWhole)
{
	FakeTicker* ticker = mEnv.OpenTicker(0);
	std::vector<std::string> log;
	RecordingWatcher watcher(&log, "w");
	std::vector<std::string> seen;
	mEnv.mOnCancel = [&](TSecurity* security) {
		seen.push_back(std::string(security->SecuritySymbol()) + " window " +
		               (security->GetDetailWindow() != nullptr ? "open" : "gone") + " ticklets " +
		               std::to_string(ticker->mShown.size()) + " watchers " +
		               std::to_string(security->WatcherCount()));
	};
	auto stock = std::make_unique<TStock>();
	stock->SecuritySymbol("XYZ");
	stock->ShowDetailWindow();
	stock->ShowSelectDlog(nullptr, 0, false);
	stock->AddTicklet(0, nullptr);
	stock->AddWatcher(&watcher);
	stock->UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&log));
	stock->UpdateNewsReference(reinterpret_cast<TURLRequest*>(&seen));
	TSecurity* address = stock.get();
	stock.reset();

	ASSERT_EQ(mEnv.mRequests.size(), 2u);
	EXPECT_EQ(mEnv.mRequests[0].operation, "CancelURL");
	EXPECT_EQ(mEnv.mRequests[0].security, address);
	EXPECT_EQ(mEnv.mRequests[1].operation, "CancelNewsURL");
	EXPECT_EQ(seen, (std::vector<std::string>{"XYZ window open ticklets 1 watchers 1",
	                                          "XYZ window open ticklets 1 watchers 1"}));
	EXPECT_TRUE(mEnv.DetailWindows()[0]->mClosed);
	EXPECT_TRUE(mEnv.SelectDlogs()[0]->mClosed);
	EXPECT_TRUE(ticker->mShown.empty());
	EXPECT_EQ(FakeTicklet::sAlive, 0);
	EXPECT_EQ(log, (std::vector<std::string>{"w removed"}));

	// Nothing pending: nothing to cancel.
	mEnv.mRequests.clear();
	{
		TFund fund;
	}
	EXPECT_TRUE(mEnv.mRequests.empty());
}

TEST_F(TSecurityTest, UpdateMeSubmitsTheQuoteRequest)
{
	TCurrency pair;
	pair.UpdateMe();
	ASSERT_EQ(mEnv.mRequests.size(), 1u);
	EXPECT_EQ(mEnv.mRequests[0].operation, "SubmitURL");
	EXPECT_EQ(mEnv.mRequests[0].security, &pair);
}

} // namespace
