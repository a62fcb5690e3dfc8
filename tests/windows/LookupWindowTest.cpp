// The lookup window over its own layouts, searching real quote sources served by a loopback server (named
// as the HTTP proxy): searching page by page, handing rows to the list window that opened it, and what it
// does when a search cannot start, fails, or is cancelled.

#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/VyStrings.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UKeyFilters.h"
#include "tests/Internet/RoutingTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/windows/LookupTestSupport.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "windows/security/TLookupList.h"
#include "windows/security/TLookupTable.h"
#include "windows/security/TLookupWindow.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <unistd.h>

namespace
{

using namespace LookupTest;
using Server = LoopbackHTTPServer;

constexpr OSType kQuoteCom = FOUR_CHAR_CODE("QTCM");
constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");
constexpr char kFirstPage[] = "/qc/lookup/search_results.aspx?lookup=Big%20%26%20Blue&context=www_stocks";
constexpr char kSecondPage[] =
    "/qc/lookup/search_results.aspx?lookup=Big%20%26%20Blue&context=www_stocks&startat=16";

std::string Fixture(const std::string& inFamily, const std::string& inName)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + inFamily + "/" + inName,
	                 std::ios::binary);
	EXPECT_TRUE(in.good()) << inName;
	return std::string(std::istreambuf_iterator<char>(in), {});
}

// The list window's side: on each hand-over, the symbols of the entries to add (marked, not added).
class ListWindowStandIn : public LCommander
{
public:
	explicit ListWindowStandIn(LCommander* inSuper) : LCommander(inSuper) {}
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		if (inCommand != TLookupWindow::kCmdLookupsChosen)
			return false;
		std::vector<std::string> symbols;
		auto* list = static_cast<TLookupList*>(ioParam);
		for (tLookupEntry* entry = list->GetFirst(); entry != nullptr; entry = list->GetNext())
			if (entry->marked && !entry->added)
				symbols.push_back(entry->symbol);
		mHandedOver.push_back(symbols);
		return true;
	}
	std::vector<std::vector<std::string>> mHandedOver;
};

class LookupWindowTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		TURLRequest::SetDefaultTimeout(2000);
		TQuoterHosts::SetHost(kQuoteCom, TQuoterHosts::hostLookup, "lookup.test");
		TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostLookup, "search.test");
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
		TQuoterManager::InitQuoterManager();
		TURLSecurity::Initialize();
		TLookupWindow::sLastQuoterUsed = FOUR_CHAR_CODE("qNON");
		mEnv->SetStockCString(18, "Added %s (%s) to the list.");
		mListWindow = new ListWindowStandIn(mSuper);
	}

	void TearDown() override
	{
		// The windows go first, as the list window closes its lookup window, then the request layer.
		while (!mListWindow->GetSubCommanders().empty())
			delete mListWindow->GetSubCommanders().back();
		delete mListWindow;
		UDispatch::DeletePending();
		TURLSecurity::Terminate();
		TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
		TQuoterHosts::ResetHosts();
		TQuoterManager::FinishQuoterManager();
		SecurityWindowsFixture::TearDown();
	}

	TLookupWindow* Open(tSecurityType inKind)
	{
		return TLookupWindow::Open(inKind, mListWindow, &mResults);
	}

	std::vector<std::string> Symbols()
	{
		std::vector<std::string> symbols;
		for (tLookupEntry* entry = mResults.GetFirst(); entry != nullptr; entry = mResults.GetNext())
			symbols.push_back(entry->symbol);
		return symbols;
	}

	bool Fetching(TLookupWindow* inWindow)
	{
		return inWindow->FindPaneByID(FOUR_CHAR_CODE("Arrw"))->IsVisibleSelf() &&
		       !inWindow->FindPaneByID(TVyWindow::kOKButton)->IsEnabled();
	}

	bool PumpUntil(const std::function<bool()>& inDone, int inMilliseconds = 15000)
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(inMilliseconds);
		while (!inDone()) {
			if (std::chrono::steady_clock::now() > end)
				return false;
			mPump.Execute();
			::usleep(200);
		}
		return true;
	}

	size_t RequestsFor(const std::string& inPath) const
	{
		size_t count = 0;
		for (const Server::Request& request : mServer.Requests())
			count += request.mPath == inPath;
		return count;
	}

	TLookupList mResults;
	ListWindowStandIn* mListWindow = nullptr;
	StRecordedNotices mNotices;
	Server mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
	TCURLPump mPump;
};

TEST_F(LookupWindowTest, SearchesPageByPageAndRemembersTheSource)
{
	mServer.Serve("lookup.test", kFirstPage, Server::Page(Fixture("QuoteSite", "quotecom_lookup.html")));
	mServer.Serve("lookup.test", kSecondPage,
	              Server::Page(Fixture("QuoteSite", "quotecom_lookup_last.html")));
	tLookupEntry earlier{};
	strcpyn(earlier.symbol, "OLD", 3);
	mResults.Append(&earlier);

	TLookupWindow* window = Open(securityStock);
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(mResults.Count(), 0) << "an earlier search's results are gone";
	EXPECT_EQ(window->ChosenQuoter(), kYahooUS) << "the kind's default source";
	EXPECT_FALSE(FrameworkTest::FindPane<LPushButton>(window, "More")->IsEnabled());

	// The text reaches the site escaped; Return again while the page is on its way sends nothing more.
	Search(window, "Big & Blue", kQuoteCom);
	EXPECT_TRUE(Fetching(window));
	Key(window, 13);
	ASSERT_TRUE(PumpUntil([&] { return window->GetRequest() == nullptr; }));
	EXPECT_EQ(RequestsFor(kFirstPage), 1u);
	EXPECT_FALSE(Fetching(window));
	EXPECT_EQ(Symbols(), (std::vector<std::string>{"IBM", "ABCD", "MPL", "PLAIN", "OTCX"}));
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{1}));
	EXPECT_TRUE(window->GetSelectButton()->IsEnabled());
	EXPECT_TRUE(FrameworkTest::FindPane<LPushButton>(window, "More")->IsEnabled());

	// More appends the next page; the last page leaves More off.
	PressButton(window, "More");
	ASSERT_TRUE(PumpUntil([&] { return window->GetRequest() == nullptr; }));
	EXPECT_EQ(window->GetPage(), 2u);
	EXPECT_EQ(Symbols(), (std::vector<std::string>{"IBM", "ABCD", "MPL", "PLAIN", "OTCX", "NLI", "MMX"}));
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{1}));
	EXPECT_FALSE(FrameworkTest::FindPane<LPushButton>(window, "More")->IsEnabled());
	EXPECT_TRUE(mNotices.mNotices.empty()) << "no beep";

	// Sorting by symbol, then the other way round.
	window->ObeyCommand(FOUR_CHAR_CODE("sSrt"), nullptr);
	EXPECT_EQ(Symbols().front(), "ABCD");
	window->ObeyCommand(FOUR_CHAR_CODE("dSrt"), nullptr);
	EXPECT_EQ(Symbols().front(), "PLAIN");
	// Keys in the table: End, Page Up past the top, the arrows at either end and with nothing selected.
	TLookupTable* table = window->GetTable();
	Key(table, char_End);
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{7}));
	Key(table, char_DownArrow);
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{7}));
	Key(table, char_PageUp);
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{1}));
	table->UnselectAllCells();
	EXPECT_FALSE(window->GetSelectButton()->IsEnabled());
	Key(window, char_UpArrow);
	EXPECT_EQ(SelectedRows(window), (std::vector<TableIndexT>{7}));
	EXPECT_TRUE(window->GetSelectButton()->IsEnabled());
	// Typing the start of a name in the table selects its row, in any case.
	Key(window->GetTable(), 'm');
	Key(window->GetTable(), 'O');
	EXPECT_STREQ(mResults.GetNth(long(SelectedRows(window).at(0)))->name, "Montreal Metals");

	// The source is chosen again for a kind it can look up, not for one it cannot.
	TLookupWindow* funds = Open(securityFund);
	EXPECT_EQ(funds->ChosenQuoter(), kQuoteCom);
	TLookupWindow* indexes = Open(securityIndex);
	EXPECT_EQ(indexes->ChosenQuoter(), kYahooUS);
	EXPECT_EQ(TLookupWindow::Open(securityCurrency, mListWindow, &mResults), nullptr);
}

TEST_F(LookupWindowTest, ChosenRowsAreHandedOverOnce)
{
	mServer.Serve("lookup.test", kFirstPage, Server::Page(Fixture("QuoteSite", "quotecom_lookup.html")));
	mServer.Serve("lookup.test", kSecondPage,
	              Server::Page(Fixture("QuoteSite", "quotecom_lookup_last.html")));
	TLookupWindow* window = Open(securityFund);
	Search(window, "Big & Blue", kQuoteCom);
	// The fund search asks with the fund context.
	mServer.Serve("lookup.test",
	              "/qc/lookup/search_results.aspx?lookup=Big%20%26%20Blue&context=www_funds",
	              Server::Page(Fixture("QuoteSite", "quotecom_lookup.html")));
	ASSERT_TRUE(PumpUntil([&] { return window->GetRequest() == nullptr; }));
	ASSERT_EQ(mResults.Count(), 5);

	// A double-click hands over its row at once, names it, and the window stays.
	ClickRow(window, 2);
	ClickRow(window, 2, 2);
	ASSERT_EQ(mListWindow->mHandedOver.size(), 1u);
	EXPECT_EQ(mListWindow->mHandedOver[0], (std::vector<std::string>{"ABCD"}));
	EXPECT_TRUE(mResults.GetNth(2)->added);
	EXPECT_EQ(Text(window, "Msge"), "Added Acme Bulletin Corp (ABCD) to the list.");
	EXPECT_FALSE(window->GetSelectButton()->IsEnabled());

	// The added row takes no clicks; the others can still be chosen.
	ClickRow(window, 2);
	EXPECT_TRUE(SelectedRows(window).empty());
	ClickRow(window, 1);
	EXPECT_TRUE(window->GetSelectButton()->IsEnabled());

	// More keeps the flags, so that no row is handed over twice: a selection that takes in the added row
	// hands over only the others.
	PressButton(window, "More");
	ASSERT_TRUE(PumpUntil([&] { return window->GetRequest() == nullptr; }));
	EXPECT_TRUE(mResults.GetNth(2)->added);
	for (TableIndexT row : {1, 2, 3})
		window->GetTable()->SelectCell(STableCell(row, 1));
	PressButton(window, "Slct");
	ASSERT_EQ(mListWindow->mHandedOver.size(), 2u);
	EXPECT_EQ(mListWindow->mHandedOver[1], (std::vector<std::string>{"IBM", "MPL"}));
	// The Select button closes the window.
	UDispatch::DeletePending();
	EXPECT_TRUE(mListWindow->GetSubCommanders().empty());
}

TEST_F(LookupWindowTest, SearchesThatCannotStartFailOrAreCancelled)
{
	TLookupWindow* window = Open(securityStock);

	// No text, or no source: a beep, and the window stays idle.
	Search(window, "", kYahooUS);
	Search(window, "IBM", FOUR_CHAR_CODE("qNON"));
	EXPECT_EQ(mNotices.mNotices, (std::vector<std::string>{"Beep", "Beep"}));
	EXPECT_EQ(window->GetRequest(), nullptr);
	EXPECT_FALSE(Fetching(window));
	EXPECT_TRUE(mServer.Requests().empty());

	// With Shift the source's search page opens in the browser instead, the text escaped.
	mEnv->mKeys.shift = true;
	Search(window, "AT&T", kYahooUS);
	mEnv->mKeys.shift = false;
	EXPECT_EQ(mURLs, (std::vector<std::string>{"http://search.test/lookup?m=&s=AT%26T&t=S"}));
	EXPECT_EQ(window->GetRequest(), nullptr);

	// A page the site does not have: the error, then that nothing was found, each with a beep.
	mNotices.mNotices.clear();
	Search(window, "Nothing", kYahooUS);
	ASSERT_TRUE(PumpUntil([&] { return window->GetRequest() == nullptr; }));
	EXPECT_EQ(Text(window, "Msge"), "Nothing was found.");
	EXPECT_EQ(mNotices.mNotices, (std::vector<std::string>{"Beep", "Beep"}));

	// Command-period while a page is on its way: the search ends at once, silently and empty.
	mNotices.mNotices.clear();
	mServer.Serve("search.test", "/lookup?m=&s=IBM&t=S",
	              Server::Slow(Server::Page(Fixture("Yahoo", "lookup_stocks_1.html")), 1500));
	Search(window, "IBM", kYahooUS);
	ASSERT_TRUE(PumpUntil([&] {
		return !mServer.Requests().empty() &&
		       mServer.Requests().back().mPath == "/lookup?m=&s=IBM&t=S";
	}));
	EXPECT_TRUE(Fetching(window));
	Key(window, '.', cmdKey);
	EXPECT_FALSE(Fetching(window));
	EXPECT_EQ(window->GetRequest(), nullptr);
	EXPECT_FALSE(FrameworkTest::FindPane<LPushButton>(window, "More")->IsEnabled());
	PumpUntil([] { return false; }, 300);
	EXPECT_TRUE(mNotices.mNotices.empty());
	EXPECT_FALSE(window->FindPaneByID(FOUR_CHAR_CODE("Msge"))->IsVisibleSelf());
	EXPECT_EQ(mResults.Count(), 0);

	// Cancel while a page is on its way closes the window and lets go of the search.
	Search(window, "IBM", kYahooUS);
	ASSERT_NE(window->GetRequest(), nullptr);
	window->GetCancelButton()->SimulateHotSpotClick(kControlButtonPart);
	UDispatch::DeletePending();
	EXPECT_TRUE(mListWindow->GetSubCommanders().empty());
	PumpUntil([] { return false; }, 300);
	EXPECT_TRUE(mNotices.mNotices.empty());
}

} // namespace
