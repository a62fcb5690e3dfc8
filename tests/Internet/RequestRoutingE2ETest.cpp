// The road of a quote, a search, a headline page and the version notice: the scheduler and the routing
// submit real requests, the pump drives them against the loopback server (as the proxy), and the real quote
// sources scan the fixture pages into the securities.

#include "Internet/TBrokerage.h"
#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Internet/USourceFailures.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/USecurityRequests.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Internet/RoutingTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScopedEnvironment.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

using Server = LoopbackHTTPServer;

constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");

std::string Fixture(const std::string& family, const std::string& name)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + family + "/" + name, std::ios::binary);
	EXPECT_TRUE(in.good()) << name;
	return std::string(std::istreambuf_iterator<char>(in), {});
}

class RequestRoutingE2ETest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		TURLRequest::SetDefaultTimeout(1000);
		TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostQuote, "quotes.test");
		TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostLookup, "search.test");
		TQuoterHosts::SetHost(FOUR_CHAR_CODE("XExe"), TQuoterHosts::hostQuote, "rates.test");
		TQuoterHosts::SetHost(FOUR_CHAR_CODE("GlbM"), TQuoterHosts::hostNews, "news.test");
		TQuoterHosts::SetVersionHost("updates.test");
		mServer.Serve("updates.test", "/VTLVersion.xml",
		              Server::Page("OSX:\t28000\t2.7\tOlder\n", "text/plain"));
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
		TQuoterManager::InitQuoterManager();
		TURLSecurity::Initialize();
	}
	void TearDown() override
	{
		TURLSecurity::Terminate();
		TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
		TQuoterHosts::ResetHosts();
		TQuoterManager::FinishQuoterManager();
	}

	// Passes of the pump, as the event loop would make them, until done() or the limit.
	bool PumpUntil(const std::function<bool()>& done, int milliseconds = 15000)
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
		while (!done()) {
			if (std::chrono::steady_clock::now() > end)
				return false;
			mPump.Execute();
			::usleep(200); // the sockets' own pace
		}
		return true;
	}

	static bool NonePending(std::initializer_list<TSecurity*> securities)
	{
		for (TSecurity* security : securities)
			if (security->UpdateSecurityReference() != nullptr)
				return false;
		return true;
	}

	size_t RequestsFor(const std::string& host, const std::string& path) const
	{
		size_t count = 0;
		for (const Server::Request& request : mServer.Requests())
			count += request.mHost == host && request.mPath == path;
		return count;
	}

	static TVyDate Now()
	{
		TVyDate now;
		now.Now();
		return now;
	}

	StTestClock mClock{5000, 1'700'000'000'000};
	StRecordedNotices mNotices;
	Server mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
	TCURLPump mPump;
};

TEST_F(RequestRoutingE2ETest, SchedulerFetchesEveryKindAndTheRulesFillIt)
{
	mServer.Serve("quotes.test", "/q?s=IBM&d=t", Server::Page(Fixture("Yahoo", "us_stock_nyse.html")));
	mServer.Serve("quotes.test", "/q?s=SGFDX&d=t", Server::Page(Fixture("Yahoo", "us_fund_down.html")));
	mServer.Serve("quotes.test", "/q?s=%5EDJI", Server::Page(Fixture("Yahoo", "us_index.html")));
	mServer.Serve("rates.test", "/ucc/convert.cgi?Amount=1&From=USD&To=EUR",
	              Server::Page(Fixture("Currency", "xe_rate.html")));

	TStock ibm;
	ibm.SecuritySymbol("IBM");
	ibm.Exchange(100);
	TFund fund;
	fund.SecuritySymbol("SGFDX");
	fund.Quoter(kYahooUS);
	TIndex dji;
	dji.SecuritySymbol("^DJI");
	TCurrency pair;
	pair.CurrencyFrom(100);
	pair.CurrencyTo(300);
	TList<TSecurity> stocks(false, false), funds(false, false), indexes(false, false),
	    currencies(false, false);
	stocks.Append(&ibm);
	funds.Append(&fund);
	indexes.Append(&dji);
	currencies.Append(&pair);

	TBrokerage broker;
	broker.SetList(securityStock, &stocks);
	broker.SetList(securityFund, &funds);
	broker.SetList(securityIndex, &indexes);
	broker.SetList(securityCurrency, &currencies);
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		broker.SetMinutes(kind, 5);
	broker.StartUpdating();
	broker.Run();
	for (TSecurity* security : std::initializer_list<TSecurity*>{&ibm, &fund, &dji, &pair})
		EXPECT_NE(security->UpdateSecurityReference(), nullptr);
	// The version check went out with the first quote request; let it finish too.
	ASSERT_TRUE(PumpUntil([&] {
		return NonePending({&ibm, &fund, &dji, &pair}) && TURLRequest::OutstandingRequests() == 0;
	}));

	EXPECT_FLOAT_EQ(ibm.CurrentTradePrice(), 101.25f);
	EXPECT_FLOAT_EQ(ibm.YesterdayClose(), 102.50f);
	EXPECT_FLOAT_EQ(fund.CurrentTradePrice(), 10.00f);
	EXPECT_FLOAT_EQ(dji.CurrentTradePrice(), 10432.15f);
	EXPECT_FLOAT_EQ(pair.CurrentTradePrice(), 0.752301f);
	for (TSecurity* security : std::initializer_list<TSecurity*>{&ibm, &fund, &dji, &pair}) {
		SCOPED_TRACE(security->SecuritySymbol());
		EXPECT_TRUE(security->InitedToday());
		EXPECT_EQ(security->ErrorCode(), 0);
		EXPECT_EQ(*security->LastUpdate(), Now());
	}
	EXPECT_EQ(ibm.State(), stateDown) << "the update rules ran on the new figures";
	EXPECT_EQ(RequestsFor("updates.test", "/VTLVersion.xml"), 1u);
	EXPECT_EQ(mServer.RequestCount(), 5u);
	for (const Server::Request& request : mServer.Requests())
		EXPECT_EQ(request.Header("User-Agent"), TURLRequest::kDefaultUserAgent);
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);

	// Filled since start-up: the next due check passes them by, unless detail updating is on.
	mClock.Advance(5 * TBrokerage::kTicksPerMinute);
	broker.Run();
	EXPECT_TRUE(NonePending({&ibm, &fund, &dji, &pair}));
	broker.SetDetailUpdate(true);
	mClock.Advance(5 * TBrokerage::kTicksPerMinute);
	broker.Run();
	ASSERT_TRUE(PumpUntil([&] { return NonePending({&ibm, &fund, &dji, &pair}); }));
	EXPECT_EQ(mServer.RequestCount(), 9u);
	broker.Stop();
}

TEST_F(RequestRoutingE2ETest, SymbolSearchFillsTheListPageByPage)
{
	// The search text reaches the site escaped.
	mServer.Serve("search.test", "/lookup?m=&s=AT%26T%20Example&t=S",
	              Server::Page(Fixture("Yahoo", "lookup_stocks_1.html")));
	mServer.Serve("search.test", "/lookup?m=&s=AT%26T%20Example&t=S&b=50",
	              Server::Page(Fixture("Yahoo", "lookup_stocks_2.html")));
	FakeLookupList list;
	FakeLookupWindow window;

	TURLSecurity::SubmitLookup("AT&T Example", kYahooUS, securityStock, &list, &window, 1);
	EXPECT_NE(window.GetRequest(), nullptr);
	ASSERT_TRUE(PumpUntil([&] { return window.GetRequest() == nullptr; }));
	EXPECT_EQ(list.Count(), 4);

	TURLSecurity::SubmitLookup("AT&T Example", kYahooUS, securityStock, &list, &window, 2);
	ASSERT_TRUE(PumpUntil([&] { return window.GetRequest() == nullptr; }));
	ASSERT_EQ(list.Count(), 8);
	EXPECT_STREQ(list.mRows[0].symbol, "ABC");
	EXPECT_STREQ(list.mRows[6].symbol, "MSFT");
	EXPECT_EQ(list.mRows[6].quoter, kYahooUS);
	EXPECT_EQ(window.mCalls, (std::vector<std::string>{"SetRequest", "StartUpdating", "FinishUpdating 0",
	                                                   "ClearRequest", "SetRequest", "StartUpdating",
	                                                   "FinishUpdating 0", "ClearRequest"}));
	EXPECT_TRUE(mNotices.mNotices.empty()) << "no beep";
}

TEST_F(RequestRoutingE2ETest, HeadlinePageFillsTheNewsList)
{
	mServer.Serve("news.test", "/globe-investor/markets/stocks/news/?q=EXC-T",
	              Server::Page(Fixture("Routing", "globe_news.html")));
	TStock stock;
	stock.SecuritySymbol("EXC");
	stock.Exchange(200);
	stock.UpdateNewsNow(true);

	TURLSecurity::SubmitNewsURL(&stock);
	EXPECT_FALSE(stock.UpdateNewsNow());
	ASSERT_NE(stock.UpdateNewsReference(), nullptr);
	ASSERT_TRUE(PumpUntil([&] { return stock.UpdateNewsReference() == nullptr; }));

	TList<tNewsItem>* news = stock.GetNewsList();
	ASSERT_EQ(news->Count(), 2);
	EXPECT_STREQ(news->GetNth(1)->headline, "Example Corp raises its dividend");
	EXPECT_STREQ(news->GetNth(2)->headline, "Example Corp opens a plant in Hamilton");
	EXPECT_EQ(stock.ErrorCode(), 0) << "headlines do not count as a quote update";
}

TEST_F(RequestRoutingE2ETest, VersionNoticeIsReadAndAskedAgainAfterAFailure)
{
	mServer.Serve("updates.test", "/VTLVersion.xml", Server::Status(404));
	TURLSecurity::SubmitVersionCheck();
	EXPECT_TRUE(TURLSecurity::VersionRequested()) << "pending";
	ASSERT_TRUE(PumpUntil([] { return TURLRequest::OutstandingRequests() == 0; }));
	EXPECT_FALSE(TURLSecurity::VersionRequested());
	EXPECT_EQ(mNotices.mNotices, std::vector<std::string>{"VersionCheckFailed"});
	mNotices.mNotices.clear();

	mServer.Serve(
	    "updates.test", "/VTLVersion.xml",
	    Server::Page("Version notes\r\nOSX:\t28301\t2.9\tNew ticker styles\r\nWIN:\t1\t1\t1\r\n",
	                 "text/plain"));
	mServer.Serve("quotes.test", "/q?s=IBM&d=t", Server::Page(Fixture("Yahoo", "us_stock_nyse.html")));
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	TURLSecurity::SubmitURL(&stock);
	ASSERT_TRUE(PumpUntil([] { return TURLRequest::OutstandingRequests() == 0; }));
	EXPECT_EQ(mNotices.mNotices,
	          (std::vector<std::string>{"NewVersion 2.9 28301", "VersionMessage New ticker styles",
	                                    "UpgradePage http://updates.test/downloads.html",
	                                    "OpenVersionWindow"}));
	EXPECT_TRUE(TURLSecurity::VersionRequested());

	TURLSecurity::SubmitURL(&stock);
	ASSERT_TRUE(PumpUntil([] { return TURLRequest::OutstandingRequests() == 0; }));
	EXPECT_EQ(RequestsFor("updates.test", "/VTLVersion.xml"), 2u) << "asked once more, then never again";
	EXPECT_EQ(RequestsFor("quotes.test", "/q?s=IBM&d=t"), 2u);
}

TEST_F(RequestRoutingE2ETest, FailedTransfersAreFailedUpdatesAndStayFetchable)
{
	const std::string page = Fixture("Yahoo", "us_stock_nyse.html");
	mServer.Serve("quotes.test", "/q?s=HANG&d=t", Server::Hangup());
	mServer.Serve("quotes.test", "/q?s=GONE&d=t", Server::Status(404, page));
	mServer.Serve("quotes.test", "/q?s=LOOP&d=t", Server::Redirect("http://quotes.test/q?s=LOOP&d=t"));
	mServer.Serve("quotes.test", "/q?s=SLOW&d=t", Server::Slow(Server::Page(page), 3000));
	struct tCase {
		const char* symbol;
		int code;
	};
	// Past the cap: an announced body over 16 MiB.
	mServer.Serve("quotes.test", "/q?s=HUGE&d=t",
	              Server::Page(std::string(TURLRequest::kMaxBodyBytes + 1, 'x')));
	const tCase cases[] = {{"HANG", CURLE_GOT_NOTHING},
	                       {"GONE", TURLRequest::kResultHTTPError},
	                       {"LOOP", CURLE_TOO_MANY_REDIRECTS},
	                       {"SLOW", CURLE_OPERATION_TIMEDOUT},
	                       {"HUGE", TURLRequest::kResultTooLarge}};
	std::vector<std::unique_ptr<TStock>> stocks;
	for (const tCase& c : cases) {
		stocks.push_back(std::make_unique<TStock>());
		stocks.back()->SecuritySymbol(c.symbol);
		stocks.back()->Exchange(100);
		TURLSecurity::SubmitURL(stocks.back().get());
	}
	auto allDone = [&] {
		for (auto& stock : stocks)
			if (stock->UpdateSecurityReference() != nullptr)
				return false;
		return true;
	};
	ASSERT_TRUE(PumpUntil(allDone));
	for (size_t i = 0; i < stocks.size(); i++) {
		SCOPED_TRACE(cases[i].symbol);
		EXPECT_EQ(stocks[i]->ErrorCode(), cases[i].code);
		EXPECT_EQ(*stocks[i]->LastUpdate(), Now());
		EXPECT_FALSE(stocks[i]->InitedToday());
		EXPECT_EQ(stocks[i]->CurrentTradePrice(), kNoValue) << "an error page is never scanned";
	}

	for (const tCase& c : cases)
		mServer.Serve("quotes.test", std::string("/q?s=") + c.symbol + "&d=t",
		              Server::Page(page.substr(0, page.find("(NYSE:IBM)")) + "(NYSE:" + c.symbol +
		                           ")" + page.substr(page.find("(NYSE:IBM)") + 10)));
	for (auto& stock : stocks)
		TURLSecurity::SubmitURL(stock.get());
	ASSERT_TRUE(PumpUntil(allDone));
	for (size_t i = 0; i < stocks.size(); i++) {
		SCOPED_TRACE(cases[i].symbol);
		EXPECT_EQ(stocks[i]->ErrorCode(), 0);
		EXPECT_TRUE(stocks[i]->InitedToday());
		EXPECT_FLOAT_EQ(stocks[i]->CurrentTradePrice(), 101.25f);
	}
}

TEST_F(RequestRoutingE2ETest, CancelledRequestsTouchNothing)
{
	const std::string page = Fixture("Yahoo", "us_stock_nyse.html");
	mServer.Serve("quotes.test", "/q?s=IBM&d=t", Server::Slow(Server::Page(page), 3000));
	mServer.Serve("search.test", "/lookup?m=&s=IBM&t=S", Server::Slow(Server::Page(page), 3000));

	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	stock.ShowDetailWindow();
	modeltest::FakeDetailWindow* window = mEnv.DetailWindows().back().get();
	const TVyDate before = *stock.LastUpdate();
	mClock.AdvanceMilliseconds(60000);
	TURLSecurity::SubmitURL(&stock);
	// The version check finishes; the quote stays under way.
	ASSERT_TRUE(PumpUntil([&] {
		return RequestsFor("quotes.test", "/q?s=IBM&d=t") == 1 &&
		       TURLRequest::OutstandingRequests() == 1;
	}));
	window->mCalls.clear();

	TURLSecurity::CancelURL(&stock);
	EXPECT_EQ(stock.UpdateSecurityReference(), nullptr);
	EXPECT_EQ(*stock.LastUpdate(), before);
	EXPECT_EQ(stock.ErrorCode(), 0);
	EXPECT_TRUE(window->mCalls.empty()) << "no refresh for a cancelled update";
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);

	// A security destroyed while its request runs cancels it on the way out.
	auto going = std::make_unique<TStock>();
	going->SecuritySymbol("IBM");
	going->Exchange(100);
	TURLSecurity::SubmitURL(going.get());
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 1);
	going.reset();
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);

	mNotices.mNotices.clear();
	FakeLookupList list;
	FakeLookupWindow lookup;
	TURLSecurity::SubmitLookup("IBM", kYahooUS, securityStock, &list, &lookup, 1);
	TURLSecurity::SubmitLookup("IBM", kYahooUS, securityStock, &list, &lookup, 1); // searched again
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 1) << "the older search is cancelled";
	TURLSecurity::CancelLookup(&lookup);
	EXPECT_EQ(lookup.mCalls, (std::vector<std::string>{"SetRequest", "StartUpdating", "FinishUpdating 0",
	                                                   "ClearRequest", "SetRequest", "StartUpdating",
	                                                   "FinishUpdating 0", "ClearRequest"}));
	EXPECT_EQ(list.Count(), 0);
	EXPECT_TRUE(mNotices.mNotices.empty()) << "neither message nor beep";

	// Nothing left to finish, and the security is fetchable again.
	for (int i = 0; i < 20; i++)
		mPump.Execute();
	EXPECT_EQ(*stock.LastUpdate(), before);
	TURLSecurity::SubmitURL(&stock);
	EXPECT_NE(stock.UpdateSecurityReference(), nullptr);
	TURLSecurity::CancelURL(&stock);
}

// The end of the run, before or after the securities and windows that hold requests: every holder lets go
// in the cancel report, so nothing later reaches a freed request (the sanitizer build watches this).
TEST_F(RequestRoutingE2ETest, EndOfTheRunLetsGoOfEveryPendingRequest)
{
	// Never pumped: every request is still open at the end.
	auto stock = std::make_unique<TStock>();
	stock->SecuritySymbol("IBM");
	stock->Exchange(100);
	auto news = std::make_unique<TStock>();
	news->SecuritySymbol("EXC");
	news->Exchange(200);
	TURLSecurity::SubmitURL(stock.get());
	TURLSecurity::SubmitNewsURL(news.get());
	FakeLookupList list;
	auto lookup = std::make_unique<FakeLookupWindow>();
	TURLSecurity::SubmitLookup("EXC", kYahooUS, securityStock, &list, lookup.get(), 1);
	ASSERT_NE(stock->UpdateSecurityReference(), nullptr);
	ASSERT_NE(news->UpdateNewsReference(), nullptr);
	ASSERT_GE(TURLRequest::OutstandingRequests(), 3);
	const TVyDate before = *stock->LastUpdate();

	TURLSecurity::Terminate();
	EXPECT_EQ(stock->UpdateSecurityReference(), nullptr);
	EXPECT_EQ(news->UpdateNewsReference(), nullptr);
	EXPECT_EQ(lookup->GetRequest(), nullptr);
	EXPECT_EQ(lookup->mCalls, (std::vector<std::string>{"SetRequest", "StartUpdating", "FinishUpdating 0",
	                                                    "ClearRequest"}));
	EXPECT_EQ(*stock->LastUpdate(), before) << "a cancelled update stamps nothing";
	EXPECT_TRUE(list.mRows.empty());
	stock.reset();
	news.reset();
	TURLSecurity::CancelLookup(lookup.get());
	lookup.reset();
	TURLSecurity::Initialize(); // for TearDown
}

} // namespace

namespace
{

// Sources whose connections open and never answer hold their own share of transfers and nobody else's: a
// quick source's quotes, a symbol search and a quote the user asks for all come back at once while the
// silent ones stay pending, and the transfers in flight stay a share per source.
TEST_F(RequestRoutingE2ETest, SilentSourcesHoldUpNoOtherSource)
{
	constexpr int kSilentHosts = 6, kPerSilentHost = 12;
	TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostLookup, "quotes.test");
	const std::string page = Fixture("Yahoo", "us_stock_nyse.html");
	mServer.Serve("quotes.test", "/q?s=IBM&d=t", Server::Page(page));
	mServer.Serve("quotes.test", "/lookup?m=&s=IBM&t=S",
	              Server::Page(Fixture("Yahoo", "lookup_stocks_1.html")));
	auto silentHost = [](int host) { return "silent" + std::to_string(host) + ".test"; };
	for (int host = 0; host < kSilentHosts; ++host) {
		mServer.Serve(silentHost(host), "/s", Server::Slow(Server::Page("late"), 60000));
		for (int i = 0; i < kPerSilentHost; ++i) {
			auto* request = new TURLRequest;
			request->SetURL(("http://" + silentHost(host) + "/s").c_str());
			request->SetTimeout(60000);
			ASSERT_TRUE(request->TransferURL());
		}
	}
	auto silentSeen = [&](int host) { return RequestsFor(silentHost(host), "/s"); };
	// Every transfer let in has reached its source and holds its connection.
	ASSERT_TRUE(PumpUntil([&] {
		const long inSet = TURLRequest::TransfersInSet();
		return inSet > 0 && long(mServer.RequestCount()) == inSet;
	}));

	TStock ibm, asked;
	for (TStock* stock : {&ibm, &asked}) {
		stock->SecuritySymbol("IBM");
		stock->Exchange(100);
	}
	FakeLookupList list;
	FakeLookupWindow window;
	TURLSecurity::SubmitURL(&ibm);
	TURLSecurity::SubmitLookup("IBM", kYahooUS, securityStock, &list, &window, 1);
	USecurityRequests::SubmitUserURL(&asked);
	// The version check went out with the first quote: only the silent ones are left.
	ASSERT_TRUE(PumpUntil(
	    [&] { return TURLRequest::OutstandingRequests() == kSilentHosts * kPerSilentHost; }, 3000));
	EXPECT_TRUE(NonePending({&ibm, &asked}));
	EXPECT_EQ(window.GetRequest(), nullptr);
	EXPECT_FLOAT_EQ(ibm.CurrentTradePrice(), 101.25f);
	EXPECT_FLOAT_EQ(asked.CurrentTradePrice(), 101.25f);
	EXPECT_EQ(list.Count(), 4);

	for (int host = 0; host < kSilentHosts; ++host)
		EXPECT_EQ(silentSeen(host), size_t(TURLRequest::kMaxHostTransfers)) << silentHost(host);
	EXPECT_EQ(TURLRequest::TransfersInSet(), kSilentHosts * TURLRequest::kMaxHostTransfers);
	EXPECT_GE(TURLRequest::ConnectionLimit(), TURLRequest::TransfersInSet());
}

// A quote the user asks for (a window's Update, a script's refresh) goes ahead of its source's queued round:
// it takes the first share that comes free. A refresh of a security waiting in the round moves its request
// there; one being transferred is left to bring the quote.
TEST_F(RequestRoutingE2ETest, UsersQuoteGoesAheadOfTheQueuedRound)
{
	constexpr int kRound = 30;
	TURLRequest::SetDefaultTimeout(60000);
	mServer.Serve("quotes.test", "/q?s=IBM&d=t", Server::Page(Fixture("Yahoo", "us_stock_nyse.html")));
	std::vector<std::unique_ptr<TStock>> round;
	for (int i = 0; i < kRound; ++i) {
		const std::string symbol = "R" + std::to_string(i);
		mServer.Serve("quotes.test", "/q?s=" + symbol + "&d=t",
		              Server::Slow(Server::Page("late"), 60000));
		round.push_back(std::make_unique<TStock>());
		round.back()->SecuritySymbol(symbol.c_str());
		round.back()->Exchange(100);
		TURLSecurity::SubmitURL(round.back().get());
	}
	auto quotesSeen = [&] {
		std::vector<std::string> paths;
		for (const Server::Request& request : mServer.Requests())
			if (request.mHost == "quotes.test")
				paths.push_back(request.mPath);
		return paths;
	};
	ASSERT_TRUE(PumpUntil([&] { return quotesSeen().size() == size_t(TURLRequest::kMaxHostTransfers); }));

	TStock ibm;
	ibm.SecuritySymbol("IBM");
	ibm.Exchange(100);
	USecurityRequests::SubmitUserURL(&ibm);
	USecurityRequests::CancelURL(round.front().get());
	ASSERT_TRUE(PumpUntil([&] { return NonePending({&ibm}); }));
	EXPECT_FLOAT_EQ(ibm.CurrentTradePrice(), 101.25f);
	const std::vector<std::string> seen = quotesSeen();
	ASSERT_GT(seen.size(), size_t(TURLRequest::kMaxHostTransfers));
	EXPECT_EQ(seen[TURLRequest::kMaxHostTransfers], "/q?s=IBM&d=t");

	// IBM's share went to the round's next one.
	const size_t before = TURLRequest::kMaxHostTransfers + 2;
	ASSERT_TRUE(PumpUntil([&] { return quotesSeen().size() == before; }));
	TSecurity* transferring = round[1].get();
	TURLRequest* request = transferring->UpdateSecurityReference();
	const long open = TURLRequest::OutstandingRequests();
	USecurityRequests::SubmitUserURL(round[25].get());
	USecurityRequests::SubmitUserURL(transferring);
	EXPECT_EQ(TURLRequest::OutstandingRequests(), open);
	EXPECT_EQ(transferring->UpdateSecurityReference(), request);
	USecurityRequests::CancelURL(round[2].get());
	ASSERT_TRUE(PumpUntil([&] { return quotesSeen().size() > before; }));
	EXPECT_EQ(quotesSeen()[before], "/q?s=R25&d=t");
}

// A quote source that fails, keeps failing, recovers and fails again is told on standard error once per
// change, in libcurl's words, and a failure that comes back soon after a recovery stays quiet for a while.
TEST_F(RequestRoutingE2ETest, SourceFailuresAreToldOncePerChangeAndNotFlooded)
{
	std::vector<std::string> lines;
	USourceFailures::SetSink([&](const std::string& line) { lines.push_back(line); });
	TStock ibm;
	ibm.SecuritySymbol("IBM");
	ibm.Exchange(100);
	const std::string source = TQuoterManager::GetQuoterBySignature(kYahooUS)->GetName();
	auto update = [&](Server::Response response) {
		mServer.Serve("quotes.test", "/q?s=IBM&d=t", std::move(response));
		TURLSecurity::SubmitURL(&ibm);
		EXPECT_TRUE(PumpUntil([&] { return NonePending({&ibm}); }));
	};
	const Server::Response page = Server::Page(Fixture("Yahoo", "us_stock_nyse.html"));
	const std::string unavailable =
	    "Vantorel: quote source " + source +
	    " fails: HTTP response code said error (The requested URL returned error: 503)";
	const std::string back = "Vantorel: quote source " + source + " answers again";

	update(Server::Status(503));
	update(Server::Status(503));
	EXPECT_EQ(lines, std::vector<std::string>{unavailable}) << "an outage is told once";
	EXPECT_EQ(ibm.ErrorCode(), TURLRequest::kResultHTTPError);

	update(page);
	update(page);
	EXPECT_EQ(lines, (std::vector<std::string>{unavailable, back}));
	EXPECT_EQ(ibm.ErrorCode(), 0);

	// Flaky: the same failure soon again, and its recovery, stay quiet; another failure is told.
	update(Server::Status(503));
	update(page);
	EXPECT_EQ(lines.size(), 2u);
	update(Server::Hangup());
	ASSERT_EQ(lines.size(), 3u);
	EXPECT_EQ(lines[2],
	          "Vantorel: quote source " + source +
	              " fails: Server returned nothing (no headers, no data) (Empty reply from server)");

	// Long after it was last told, the first failure is told again.
	update(page);
	mClock.Advance(USourceFailures::kQuietTicks);
	update(Server::Status(503));
	EXPECT_EQ(lines.size(), 5u);
	EXPECT_EQ(lines.back(), unavailable);
	USourceFailures::SetSink(nullptr);
}

} // namespace
