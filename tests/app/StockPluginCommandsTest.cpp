#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LMenu.h"
#include "tests/app/StockPluginTestSupport.h"
#include "ticker/TSecurityTicklet.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

// A singleton window of the plug-in as the later window classes will be: it notes what it is told.
class FakePluginWindow : public IPluginWindow
{
public:
	LCommander* GetCommander() override { return &mCommander; }
	void Show() override { mCalls.push_back("Show"); }
	void Select() override { mCalls.push_back("Select"); }
	void Activate() override { mCalls.push_back("Activate"); }
	void AttemptClose() override { mCalls.push_back("AttemptClose"); }
	void Delete() override { mCalls.push_back("Delete"); }
	void SetList(UInt16 kind, TList<TSecurity>*) override
	{
		mCalls.push_back("SetList " + std::to_string(kind));
	}
	void SetParameters(tSummaryParameters*) override { mCalls.push_back("SetParameters"); }
	void ObeyCommand(long command) override
	{
		mCalls.push_back("ObeyCommand " + std::to_string(command));
	}

	LCommander mCommander{nullptr};
	std::vector<std::string> mCalls;
};

class StockPluginCommandsTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		Start();
	}

	Boolean Enabled(long command, UInt16* mark = nullptr)
	{
		Boolean enabled = true, usesMark = false;
		UInt16 outMark = 0;
		Str255 name = {0};
		mPlugin->FindCommandStatus(command, enabled, usesMark, outMark, name);
		if (mark != nullptr)
			*mark = outMark;
		return enabled;
	}

	TStock* AppendStock(const std::string& name, const std::string& symbol)
	{
		auto* stock = new TStock();
		UZVUtils::DefaultStock(stock, name.c_str(), symbol.c_str(), 101);
		mPlugin->GetList(securityStock)->Append(stock);
		return stock;
	}

	LMenu* Menu(short id) const { return mMenuBar->FetchMenu(id); }

	// The window's opener makes fake windows, kept in mWindows.
	void Install(tPluginWindow which)
	{
		TStockPlugin::SetWindowOpener(which, [this](LCommander*) -> IPluginWindow* {
			mWindows.push_back(std::make_unique<FakePluginWindow>());
			return mWindows.back().get();
		});
	}

	std::vector<std::unique_ptr<FakePluginWindow>> mWindows;
};

TEST_F(StockPluginCommandsTest, KindMenusListTheShownSecuritiesInRangesThatNeverMeet)
{
	// 20 factory stocks plus 130: more than a hundred items in one kind.
	for (int i = 0; i < 130; ++i)
		AppendStock("Company " + std::to_string(i), "C" + std::to_string(i));
	TStock* unnamed = AppendStock("", "NONAME");
	TStock* hidden = AppendStock("Hidden", "HID");
	hidden->MenuEnabled(false);
	mPlugin->GetList(securityStock)->GetNth(21)->SecurityName("Yahoo! Inc. (A&B)");
	ASSERT_TRUE(mPlugin->ObeyCommand(5072, nullptr));

	LMenu* stocks = Menu(TStockPlugin::kStockMenuID);
	LMenu* funds = Menu(TStockPlugin::kFundMenuID);
	ASSERT_NE(stocks, nullptr);
	ASSERT_NE(funds, nullptr);
	// The resource's four items, a separator, one item per named stock shown in the menu.
	ASSERT_EQ(stocks->CountItems(), 4 + 1 + 150);
	EXPECT_TRUE(stocks->IsSeparator(5));
	EXPECT_EQ(stocks->CommandFromIndex(6), TStockPlugin::kStockMenuBase + 1);
	EXPECT_EQ(stocks->CommandFromIndex(155), TStockPlugin::kStockMenuBase + 150);
	EXPECT_EQ(funds->CommandFromIndex(5), TStockPlugin::kFundMenuBase + 1);
	EXPECT_LT(TStockPlugin::kStockMenuBase + 150, TStockPlugin::kFundMenuBase + 1);
	EXPECT_EQ(unnamed->DetailWindowCommand(), 0);
	EXPECT_EQ(hidden->DetailWindowCommand(), 0);
	Str255 text;
	stocks->GetItemText(155, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Company 129");
	stocks->GetItemText(5 + 21, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Yahoo! Inc. (A&B)") << "names show as written";

	// The 150th item opens its own stock's window, and its status then carries the check mark.
	TSecurity* last = mPlugin->GetList(securityStock)->GetNth(150);
	const long command = TStockPlugin::kStockMenuBase + 150;
	UInt16 mark = 1;
	EXPECT_TRUE(Enabled(command, &mark));
	EXPECT_EQ(mark, 0);
	ASSERT_TRUE(mPlugin->ObeyCommand(command, nullptr));
	EXPECT_TRUE(last->IsDetailWindowOpen());
	EXPECT_TRUE(Enabled(command, &mark));
	EXPECT_EQ(mark, 19);
	EXPECT_FALSE(mPlugin->ObeyCommand(TStockPlugin::kStockMenuBase + 152, nullptr));

	// Before the menu is rebuilt: a stock gone from the list takes its mark along, and a stock taken out
	// of the menu loses its item.
	TSecurity* before = mPlugin->GetList(securityStock)->GetNth(149);
	ASSERT_TRUE(mPlugin->ObeyCommand(command - 1, nullptr));
	EXPECT_TRUE(Enabled(command - 1, &mark));
	EXPECT_EQ(mark, 19);
	mPlugin->GetList(securityStock)->Remove(before);
	EXPECT_TRUE(Enabled(command - 1, &mark));
	EXPECT_EQ(mark, 0);
	last->MenuEnabled(false);
	last->SummaryEnabled(false);
	EXPECT_TRUE(Enabled(command, &mark));
	EXPECT_EQ(mark, 0);
	last->MenuEnabled(true);
	ASSERT_TRUE(mPlugin->ObeyCommand(5072, nullptr));
	EXPECT_TRUE(Enabled(command - 1, &mark)) << "the last stock's item moved up one";
	EXPECT_EQ(mark, 19);

	// A kind switched off has no menu, and its items no command.
	mPlugin->GetPrefs()->fundsOn = 0;
	ASSERT_TRUE(mPlugin->ObeyCommand(5071, nullptr));
	ASSERT_TRUE(mPlugin->ObeyCommand(5072, nullptr));
	EXPECT_EQ(Menu(TStockPlugin::kFundMenuID), nullptr);
	EXPECT_EQ(mPlugin->GetList(securityFund)->GetFirst()->DetailWindowCommand(), 0);
	Quit();
}

TEST_F(StockPluginCommandsTest, LookupsAndAdditions)
{
	TStock* ibm = TStockPlugin::GetStock("ibm", 100);
	ASSERT_NE(ibm, nullptr);
	EXPECT_STREQ(ibm->SecuritySymbol(), "IBM");
	EXPECT_EQ(TStockPlugin::GetStock("ibm", 101), nullptr);
	ASSERT_NE(TStockPlugin::GetCurrency(300, 100), nullptr);
	EXPECT_EQ(TStockPlugin::GetCurrency(300, 850), nullptr);

	tLedgerEntry entry;
	std::strcpy(entry.symbol, "fmagx");
	entry.type = 120;
	EXPECT_EQ(TStockPlugin::GetSecurity(&entry), mPlugin->GetList(securityFund)->GetFirst());
	entry.type = 191;
	EXPECT_EQ(TStockPlugin::GetSecurity(&entry), nullptr);

	TStock* added = TStockPlugin::AddStock("ACME", 102);
	ASSERT_NE(added, nullptr);
	EXPECT_STREQ(added->SecurityName(), "ACME");
	EXPECT_EQ(TStockPlugin::GetStock("acme", 102), added);
	ASSERT_EQ(mEnv->mRequests.size(), 1u);
	EXPECT_EQ(mEnv->mRequests[0].security, added);
	EXPECT_NE(added->DetailWindowCommand(), 0);
	// Written at once.
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks")).substr(4, 4), std::string("\0\0\0\x15", 4));

	TCurrency* pair = TStockPlugin::AddCurrency(300, 850);
	EXPECT_STREQ(pair->SecuritySymbol(), "EUR,XAU");
	EXPECT_EQ(TStockPlugin::GetCurrency(300, 850), pair);
	Quit();
}

TEST_F(StockPluginCommandsTest, NewSecurityDialogsAndTheirAdd)
{
	ASSERT_TRUE(mPlugin->ObeyCommand(5112, nullptr));
	ASSERT_EQ(mEnv->SelectDlogs().size(), 1u);
	TSecurity* scratch = mEnv->SelectDlogs()[0]->mSecurity;
	ASSERT_NE(scratch, nullptr);
	EXPECT_STREQ(scratch->SecurityName(), "New Stock");
	EXPECT_TRUE(mEnv->SelectDlogs()[0]->mIsNew);

	scratch->SecuritySymbol("ZZZ");
	ASSERT_TRUE(mPlugin->ObeyCommand(5114, nullptr));
	TSecurity* added = mPlugin->GetList(securityStock)->GetLast();
	EXPECT_NE(added, scratch);
	EXPECT_STREQ(added->SecuritySymbol(), "ZZZ");
	ASSERT_EQ(mEnv->mRequests.size(), 1u);
	EXPECT_EQ(mEnv->mRequests[0].security, added);

	// A string-table entry that failed to load names the new fund with an empty text.
	gStockCStrings[6] = nullptr;
	ASSERT_TRUE(mPlugin->ObeyCommand(5122, nullptr));
	ASSERT_EQ(mEnv->SelectDlogs().size(), 2u);
	EXPECT_STREQ(mEnv->SelectDlogs()[1]->mSecurity->SecurityName(), "");
	Quit();
}

TEST_F(StockPluginCommandsTest, SingletonWindowsGoThroughTheirOpenersAndAreRemembered)
{
	// Not in this build: disabled, and the command does nothing.
	EXPECT_FALSE(Enabled(5004));
	EXPECT_TRUE(mPlugin->ObeyCommand(5004, nullptr));
	EXPECT_EQ(mPlugin->GetWindow(windowSummary), nullptr);

	Install(windowSummary);
	EXPECT_TRUE(Enabled(5004));
	ASSERT_TRUE(mPlugin->ObeyCommand(5004, nullptr));
	ASSERT_EQ(mWindows.size(), 1u);
	EXPECT_EQ(mWindows[0]->mCalls,
	          (std::vector<std::string>{"SetList 100", "SetList 101", "SetList 102", "SetList 103",
	                                    "SetParameters", "Show", "Select", "Activate"}));
	EXPECT_FALSE(Enabled(5004));
	EXPECT_TRUE(Enabled(5005));
	ASSERT_TRUE(mPlugin->ObeyCommand(5004, nullptr));
	EXPECT_EQ(mWindows.size(), 1u);
	EXPECT_EQ(mWindows[0]->mCalls.back(), "Select");

	// The summary going does not rebuild the menus; a list window going does.
	const UInt32 seed = mMenuBar->GetSeed();
	mPlugin->AllowSubRemoval(mWindows[0]->GetCommander());
	EXPECT_EQ(mPlugin->GetWindow(windowSummary), nullptr);
	EXPECT_EQ(mMenuBar->GetSeed(), seed);
	Install(windowFundList);
	ASSERT_TRUE(mPlugin->ObeyCommand(5125, nullptr));
	ASSERT_EQ(mWindows.size(), 2u);
	EXPECT_EQ(mWindows[1]->mCalls,
	          (std::vector<std::string>{"SetList 101", "Show",
	                                    "ObeyCommand " + std::to_string(FOUR_CHAR_CODE("Look"))}));
	mPlugin->AllowSubRemoval(mWindows[1]->GetCommander());
	EXPECT_EQ(mPlugin->GetWindow(windowFundList), nullptr);
	EXPECT_NE(mMenuBar->GetSeed(), seed);

	// Open at quit, open again at the next start.
	ASSERT_TRUE(mPlugin->ObeyCommand(5004, nullptr));
	Quit();
	EXPECT_EQ(mWindows[2]->mCalls.back(), "Delete");
	Start();
	ASSERT_EQ(mWindows.size(), 4u);
	EXPECT_NE(mPlugin->GetWindow(windowSummary), nullptr);
	Quit();
	// A build without the window keeps the flag the user left.
	TStockPlugin::SetWindowOpener(windowSummary, nullptr);
	Start();
	Quit();
	Install(windowSummary);
	Start();
	EXPECT_EQ(mWindows.size(), 5u);
	Quit();
}

TEST_F(StockPluginCommandsTest, DetailWindowCommandsNoteWhatWasOpenAtQuit)
{
	TStockPlugin* plugin = mPlugin.get();
	for (TSecurity* security = plugin->GetList(securityStock)->GetFirst(); security != nullptr;
	     security = plugin->GetList(securityStock)->GetNext())
		security->CloseDetailWindow(true);
	EXPECT_FALSE(Enabled(5013));
	EXPECT_TRUE(Enabled(5012));
	TSecurity* msft = TStockPlugin::GetStock("MSFT", 101);
	msft->ShowDetailWindow();
	EXPECT_TRUE(Enabled(5013));
	ASSERT_TRUE(plugin->ObeyCommand(5013, nullptr));
	EXPECT_FALSE(msft->IsDetailWindowOpen());
	EXPECT_TRUE(msft->DetailWindowOpenOnQuit());
	EXPECT_FALSE(TStockPlugin::GetStock("IBM", 100)->DetailWindowOpenOnQuit());
	Quit();
}

TEST_F(StockPluginCommandsTest, OpeningATickerGivesTickletsOnlyForKindsSwitchedOn)
{
	modeltest::FakeTicker* ticker = mEnv->OpenTicker(7);
	TSecurity* stock = mPlugin->GetList(securityStock)->GetFirst();
	TSecurity* fund = mPlugin->GetList(securityFund)->GetFirst();
	stock->AddTicklet(7, nullptr);
	fund->AddTicklet(7, nullptr);
	mPlugin->TickerCloseNotify(7);
	ASSERT_TRUE(ticker->mShown.empty());

	mPlugin->GetPrefs()->fundsOn = 0;
	mPlugin->TickerOpenNotify(7);
	ASSERT_EQ(ticker->mShown.size(), 1u);
	// The plug-in's own ticklets: one security ticklet for the stock.
	auto* ticklet = dynamic_cast<TSecurityTicklet*>(ticker->mShown[0]);
	ASSERT_NE(ticklet, nullptr);
	EXPECT_EQ(ticklet->GetSecurity(), stock);
	// A deleted ticker is forgotten by every kind, switched on or not.
	mPlugin->TickerDeleteNotify(7);
	EXPECT_FALSE(stock->IsActiveTicker(7));
	EXPECT_FALSE(fund->IsActiveTicker(7));
	Quit();
}

TEST_F(StockPluginCommandsTest, DecliningTheConversionLeavesTheFormerFilesAlone)
{
	Quit();
	std::vector<std::string> calls;
	TStockPlugin::SetConverter({[&] { return true; }, [&] { calls.push_back("start"); },
	                            [&](UInt8*) { calls.push_back("convert"); },
	                            [&] { calls.push_back("finish"); }});
	StDialogHandler::QueueAnswer(msg_Cancel);
	Start();
	EXPECT_EQ(calls, std::vector<std::string>{"finish"});
	Quit();
}

} // namespace
