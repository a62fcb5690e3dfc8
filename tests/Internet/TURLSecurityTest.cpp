#include "Internet/TURLSecurity.h"

#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurityCallback.h"
#include "Internet/tLookupBlock.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "platform/toolbox/TickCount.h"
#include "tests/Internet/RoutingTestSupport.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <new>
#include <string>

namespace
{

using modeltest::FakeDetailWindow;

constexpr OSType kFakeSig = FOUR_CHAR_CODE("YaUS");

// A source whose answers the test sets and whose parsers record what they were given.
struct tFakeState {
	bool parses = true;
	std::string path = "/q?s=IBM";
	std::string lookupURL;
	std::vector<std::string> pages;
	std::vector<std::string> lookupTexts;
	int newsCalls = 0;
	int lookupRows = 0;
	bool lookupMore = false;
};

tFakeState& Fake()
{
	static tFakeState state;
	return state;
}

class FakeQuoter : public TQuoter
{
public:
	OSType GetSig() override { return kFakeSig; }
	const char* GetName() override { return "Fake"; }
	void GetExchanges(const tStockExchange** list, short* count) override
	{
		static const tStockExchange kExchanges[] = {100};
		*list = kExchanges;
		*count = 1;
	}
	UInt32 GetFeatures() override { return kQuoterFeatureIndexes | kQuoterFeatureLookup; }
	float GetConfidence() override { return 2.0f; }
	const char* GetDomain(tSecurityType) override { return "quotes.test"; }
	void GetPageDetailed(char* path, int pathLen, TSecurity*) override
	{
		strcpyn(path, Fake().path.c_str(), pathLen - 1);
	}
	void GetLookup(tSecurityType, char* text, int, char* url, long urlLen) override
	{
		Fake().lookupTexts.push_back(text);
		strcpyn(url, Fake().lookupURL.c_str(), urlLen - 1);
	}
	bool StockDetail(char* page, long length, TStock* stock) override
	{
		Fake().pages.emplace_back(page, size_t(length));
		if (Fake().parses && stock != nullptr)
			stock->CurrentTradePrice(12.5f);
		return Fake().parses;
	}
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType, bool& more) override
	{
		Fake().pages.emplace_back(page, size_t(length));
		for (int i = 0; i < Fake().lookupRows; i++) {
			tLookupEntry row;
			std::snprintf(row.symbol, sizeof row.symbol, "S%d", i);
			results->Append(&row);
		}
		more = Fake().lookupMore;
		return Fake().lookupRows > 0;
	}
	bool News(char* page, long length, TSecurity*) override
	{
		Fake().pages.emplace_back(page, size_t(length));
		++Fake().newsCalls;
		return true;
	}
};

class TURLSecurityTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		Fake() = tFakeState();
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::ClearQuoterClasses();
		TQuoterManager::RegisterQuoterClass(
		    kFakeSig, []() -> TQuoter* { return new (std::nothrow) FakeQuoter; });
		TQuoterManager::InitQuoterManager();
		// No test here may reach the network: the version check counts as done.
		TURLSecurity::VersionRequested(true);
		TQuoterHosts::SetVersionHost("updates.test");
	}
	void TearDown() override
	{
		TURLSecurity::VersionRequested(false);
		TQuoterHosts::ResetHosts();
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
	}

	// One report as the request layer gives it; a failed one carries a refused transfer's result code.
	static void Report(UInt32 tag, void* userData, const std::string& body, unsigned long reason = 2,
	                   bool failed = false)
	{
		TURLRequest request;
		request.SetUserDataFlags(tag);
		if (failed) {
			EXPECT_FALSE(
			    request.TransferURL()); // no URL: refused with a result code, nothing sent
		}
		TVyString text(body.data(), body.size());
		TURLSecurity::sURLSecurityCallback.Run(text, userData, reason, &request);
	}

	static TURLSecurity* Context(TSecurity* security)
	{
		auto* context = new TURLSecurity;
		context->SetSecurity(security);
		context->SetQuoter(TQuoterManager::GetQuoterBySignature(kFakeSig));
		return context;
	}

	static tLookupBlock* Block(FakeLookupList& list, FakeLookupWindow& window, OSType quoter = kFakeSig)
	{
		auto* block = new tLookupBlock;
		block->quoter = quoter;
		block->type = securityStock;
		block->List = &list;
		block->LookupWindow = &window;
		return block;
	}

	FakeDetailWindow* OpenDetailWindow(TSecurity& security)
	{
		security.ShowDetailWindow();
		return mEnv.DetailWindows().back().get();
	}

	static TVyDate Now()
	{
		TVyDate now;
		now.Now();
		return now;
	}

	StTestClock mClock{1000, 1'700'000'000'000};
	StRecordedNotices mNotices;
};

TEST_F(TURLSecurityTest, QuoteReportScansStampsAndRunsTheRules)
{
	TStock stock;
	stock.SecuritySymbol("IBM");
	FakeDetailWindow* window = OpenDetailWindow(stock);
	window->mCalls.clear();
	stock.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&stock));
	mClock.AdvanceMilliseconds(5000);

	Report(TURLSecurity::kQuoteTag, Context(&stock), "<html>IBM 12.50</html>");

	ASSERT_EQ(Fake().pages.size(), 1u);
	EXPECT_EQ(Fake().pages[0], "<html>IBM 12.50</html>");
	EXPECT_FLOAT_EQ(stock.CurrentTradePrice(), 12.5f);
	EXPECT_TRUE(stock.InitedToday());
	EXPECT_EQ(stock.ErrorCode(), 0);
	EXPECT_EQ(*stock.LastUpdate(), Now());
	EXPECT_EQ(stock.UpdateSecurityReference(), nullptr) << "fetchable again";
	// The rules refresh the window before it hears that the update has ended.
	EXPECT_EQ(window->mCalls, (std::vector<std::string>{"Update", "FinishUpdating"}));
}

TEST_F(TURLSecurityTest, PageWithoutAQuoteStillStampsButDoesNotFill)
{
	Fake().parses = false;
	TStock stock;
	Report(TURLSecurity::kQuoteTag, Context(&stock), "<html>no such symbol</html>");

	EXPECT_EQ(Fake().pages.size(), 1u);
	EXPECT_FALSE(stock.InitedToday());
	EXPECT_EQ(stock.ErrorCode(), 0);
	EXPECT_EQ(*stock.LastUpdate(), Now());
}

TEST_F(TURLSecurityTest, OnlyTheFinishedReportWorksAndTagsPickTheHandler)
{
	TStock stock;
	const TVyDate before = *stock.LastUpdate();
	mClock.AdvanceMilliseconds(5000);
	TURLSecurity* context = Context(&stock);
	Report(TURLSecurity::kQuoteTag, context, "<html>", 1);
	Report(TURLSecurity::kQuoteTag, context, "<html>IBM", 4);
	EXPECT_TRUE(Fake().pages.empty());
	EXPECT_EQ(*stock.LastUpdate(), before);

	Report(0x5555, nullptr, "<html>IBM</html>");
	EXPECT_TRUE(Fake().pages.empty()) << "an unknown tag is ignored";

	Report(TURLSecurity::kQuoteTag, context, "<html>IBM</html>");
	EXPECT_EQ(Fake().pages.size(), 1u);
	EXPECT_EQ(Fake().newsCalls, 0);

	stock.UpdateNewsReference(reinterpret_cast<TURLRequest*>(&stock));
	Report(TURLSecurity::kNewsTag, Context(&stock), "<html>headlines</html>");
	EXPECT_EQ(Fake().newsCalls, 1);
	EXPECT_EQ(stock.UpdateNewsReference(), nullptr);
	EXPECT_EQ(stock.ErrorCode(), 0);

	FakeLookupList list;
	FakeLookupWindow window;
	Fake().lookupRows = 2;
	Fake().lookupMore = true;
	Report(TURLSecurity::kLookupTag, Block(list, window), "<html>results</html>");
	EXPECT_EQ(list.Count(), 2);
	EXPECT_EQ(window.mCalls, (std::vector<std::string>{"FinishUpdating 1", "ClearRequest"}));
	EXPECT_TRUE(mNotices.mNotices.empty());
}

TEST_F(TURLSecurityTest, SubmitWithoutAnAddressFailsAtOnceAndStaysFetchable)
{
	Fake().path = "";
	TStock stock;
	stock.Exchange(100);
	FakeDetailWindow* window = OpenDetailWindow(stock);
	window->mCalls.clear();
	stock.UpdateSecurityNow(true);

	TURLSecurity::SubmitURL(&stock);

	EXPECT_EQ(stock.UpdateSecurityReference(), nullptr);
	EXPECT_EQ(stock.ErrorCode(), TURLRequest::kResultNoURL);
	EXPECT_EQ(*stock.LastUpdate(), Now());
	EXPECT_FALSE(stock.UpdateSecurityNow());
	EXPECT_EQ(window->mCalls, (std::vector<std::string>{"StartUpdating", "Update", "FinishUpdating"}));
}

TEST_F(TURLSecurityTest, SubmitDropsPendingAndSourcelessSecurities)
{
	Fake().path = "";
	TStock pending;
	pending.Exchange(100);
	TFund fund; // the fake serves no funds
	const TVyDate before = *pending.LastUpdate();
	mClock.AdvanceMilliseconds(5000);
	TURLRequest* marker = reinterpret_cast<TURLRequest*>(&pending);
	pending.UpdateSecurityReference(marker);
	pending.UpdateSecurityNow(true);
	TURLSecurity::SubmitURL(&pending);
	EXPECT_EQ(pending.UpdateSecurityReference(), marker);
	EXPECT_FALSE(pending.UpdateSecurityNow()) << "the update-again flag is cleared all the same";
	EXPECT_EQ(*pending.LastUpdate(), before);
	pending.UpdateSecurityReference(nullptr);

	FakeDetailWindow* window = OpenDetailWindow(fund);
	window->mCalls.clear();
	TURLSecurity::SubmitURL(&fund);
	EXPECT_TRUE(window->mCalls.empty());
	EXPECT_EQ(*fund.LastUpdate(), before);
	EXPECT_EQ(fund.ErrorCode(), 0);
}

TEST_F(TURLSecurityTest, SearchFailuresAndEmptyResultsAreShownWithABeep)
{
	FakeLookupList empty;
	FakeLookupWindow first;
	Report(TURLSecurity::kLookupTag, Block(empty, first), "", 2, true);
	EXPECT_EQ(first.mCalls, (std::vector<std::string>{"Message The quote server answered with error 3.",
	                                                  "Message Nothing was found.", "FinishUpdating 0",
	                                                  "ClearRequest"}));
	EXPECT_EQ(mNotices.mNotices, (std::vector<std::string>{"Beep", "Beep"}));
	EXPECT_TRUE(Fake().pages.empty()) << "a failed page is not scanned";

	mNotices.mNotices.clear();
	FakeLookupList earlier;
	earlier.mRows.resize(2);
	FakeLookupWindow further;
	Report(TURLSecurity::kLookupTag, Block(earlier, further), "", 2, true);
	EXPECT_EQ(earlier.Count(), 2);
	EXPECT_EQ(further.mCalls, (std::vector<std::string>{"Message The quote server answered with error 3.",
	                                                    "FinishUpdating 0", "ClearRequest"}));
	EXPECT_EQ(mNotices.mNotices, (std::vector<std::string>{"Beep"}));

	// The message text is a format only for the one integer it is given.
	const char* const saved = gStockCStrings[15];
	for (const char* text : {"Error %s at %n", "Error %d of %d", "Error %99999d", "Error 100%"}) {
		gStockCStrings[15] = text;
		FakeLookupWindow hostile;
		Report(TURLSecurity::kLookupTag, Block(earlier, hostile), "", 2, true);
		EXPECT_EQ(hostile.mCalls.at(0), std::string("Message ") + text);
	}
	gStockCStrings[15] = "Error %03d, 100%% sure";
	FakeLookupWindow formatted;
	Report(TURLSecurity::kLookupTag, Block(earlier, formatted), "", 2, true);
	EXPECT_EQ(formatted.mCalls.at(0), "Message Error 003, 100% sure");
	gStockCStrings[15] = saved;

	mNotices.mNotices.clear();
	FakeLookupWindow nowhere;
	Report(TURLSecurity::kLookupTag, Block(empty, nowhere, FOUR_CHAR_CODE("Oand")), "<html></html>");
	EXPECT_EQ(nowhere.mCalls, (std::vector<std::string>{"FinishUpdating 0", "ClearRequest"}));
	EXPECT_EQ(mNotices.mNotices, (std::vector<std::string>{"Beep"}));
}

TEST_F(TURLSecurityTest, SearchWithoutAnAddressThrowsAndLeavesTheWindowAlone)
{
	FakeLookupList list;
	FakeLookupWindow window;
	const std::string longText(80, 'x');
	try {
		TURLSecurity::SubmitLookup(longText.c_str(), kFakeSig, securityStock, &list, &window, 1);
		ADD_FAILURE() << "no exception";
	} catch (long error) {
		EXPECT_EQ(error, long(FOUR_CHAR_CODE("asrt")));
	}
	ASSERT_EQ(Fake().lookupTexts.size(), 1u);
	EXPECT_EQ(Fake().lookupTexts[0], std::string(63, 'x'));
	EXPECT_TRUE(window.mCalls.empty());
}

TEST(VersionNoticeTest, ReadsTheFirstOSXLine)
{
	struct tCase {
		const char* body;
		bool found;
		long number;
		const char* text;
		const char* message;
	};
	const tCase cases[] = {
	    {"OSX:\t28301\t2.9\tA faster ticker\n", true, 28301, "2.9", "A faster ticker"},
	    {"MAC:\t1\tx\ty\r\nosx:\t\t29000\t\t3.0 beta\tTry it\tignored\r\n", true, 29000, "3.0 beta",
	     "Try it"},
	    {"OSX:\t28400\t2.9\tfirst\nOSX:\t28500\t3.0\tsecond\n", true, 28400, "2.9", "first"},
	    {"OSX:\t28400\t2.9\n", false, 0, "", ""},
	    {"Nothing here\n", false, 0, "", ""},
	    {"", false, 0, "", ""},
	};
	for (const tCase& c : cases) {
		TVyString body(c.body);
		TURLSecurityCallback::tVersionNotice notice;
		EXPECT_EQ(TURLSecurityCallback::ReadVersionNotice(body, notice), c.found) << c.body;
		EXPECT_EQ(notice.number, c.number) << c.body;
		EXPECT_STREQ(notice.text, c.text) << c.body;
		EXPECT_STREQ(notice.message, c.message) << c.body;
	}

	TVyString longLine(("OSX:\t28301\t" + std::string(300, 't') + "\t" + std::string(300, 'm')).c_str());
	TURLSecurityCallback::tVersionNotice notice;
	ASSERT_TRUE(TURLSecurityCallback::ReadVersionNotice(longLine, notice));
	EXPECT_EQ(std::strlen(notice.text), 128u);
	EXPECT_EQ(std::strlen(notice.message), 128u);
}

TEST_F(TURLSecurityTest, VersionNoticeIsPassedOnAndShownOnlyWhenNewerAndNotSilenced)
{
	TURLSecurity::VersionRequested(false);
	Report(TURLSecurity::kVersionTag, nullptr, "OSX:\t28301\t2.9\tA faster ticker\n");
	EXPECT_EQ(mNotices.mNotices,
	          (std::vector<std::string>{"NewVersion 2.9 28301", "VersionMessage A faster ticker",
	                                    "UpgradePage http://updates.test/downloads.html",
	                                    "OpenVersionWindow"}));
	EXPECT_TRUE(TURLSecurity::VersionRequested());

	mNotices.mNotices.clear();
	Report(TURLSecurity::kVersionTag, nullptr, "OSX:\t28300\t2.8\tThis one\n");
	EXPECT_EQ(mNotices.mNotices.size(), 3u);
	EXPECT_EQ(mNotices.mNotices.back(), "UpgradePage http://updates.test/downloads.html");

	mNotices.mNotices.clear();
	mEnv.mAppPrefs.ignoreNewVersions = 1;
	Report(TURLSecurity::kVersionTag, nullptr, "OSX:\t30000\t4.0\tBig\n");
	EXPECT_EQ(mNotices.mNotices.size(), 3u) << "silenced: the texts are stored, the window stays shut";
	EXPECT_NE(mNotices.mNotices.back(), "OpenVersionWindow");

	mNotices.mNotices.clear();
	TURLSecurity::VersionRequested(false);
	Report(TURLSecurity::kVersionTag, nullptr, "OSX:\t30000\t4.0\n");
	EXPECT_EQ(mNotices.mNotices, std::vector<std::string>{"VersionCheckFailed"});
	EXPECT_TRUE(TURLSecurity::VersionRequested()) << "a readable answer counts as done";
}

} // namespace
