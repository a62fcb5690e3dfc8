// The whole application started beside the former product's folder: it offers the conversion before the
// plug-in reads its files, reports each file's outcome, and starts with what was converted; declined, the
// former files stay as they are and the factory lists are used.

#include "model/TStock.h"
#include "platform/framework/LPane.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/OldFileBytes.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/UKsDialogs.h"

#include <filesystem>

namespace
{

using namespace oldfile;

class kestrunAppConversionE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(true);
		// Settings of 1.6 that update stocks every 7 minutes, and one stock.
		mSettings =
		    "zv16" +
		    Bytes(580).U8(196, 1).U32(212, 7).U32(216, 120).Text(38, "Geneva").U32(76, 12).Str();
		Bytes block(196);
		block.U8(0, 1).U8(1, 1).F32(36, 42.0f);
		mStocks = "zv16" + BE32(1) + Counted("ZZZZ") + Counted("Former Stock") + block.Str() +
		          Bytes(28).U16(0, 101).Str();
		const std::string folder = mRoot + "/config/Kestrun \xC6\x92";
		std::filesystem::create_directories(folder);
		WriteText(folder + "/Kestrun Prefs", mSettings);
		WriteText(folder + "/Kestrun Stocks", mStocks);
	}
	void TearDown() override
	{
		EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 0u)
		    << "a dialog that was expected did not come";
		StDialogHandler::SetAnswersRequired(false);
		StDialogHandler::ClearQueuedAnswers();
		QuoteServingFixture::TearDown();
	}

	// The question's text is noted, then answered.
	void ExpectQuestion(MessageT answer)
	{
		StDialogHandler::QueueAnswer(
		    answer, [this](LWindow* dialog) { mShown.push_back(Text(dialog, kKsDialogTextPane)); });
	}

	static std::string Text(LWindow* dialog, PaneIDT id)
	{
		LPane* pane = dialog != nullptr ? dialog->FindPaneByID(id) : nullptr;
		Str255 text = {0};
		if (pane != nullptr)
			pane->GetDescriptor(text);
		return PascalStrings::ToString(text);
	}

	static std::vector<std::string> Symbols(tSecurityType kind)
	{
		std::vector<std::string> symbols;
		for (TSecurity* security : Securities(kind))
			symbols.push_back(security->SecuritySymbol());
		return symbols;
	}

	std::string FormerFile(const std::string& name) const
	{
		return ReadText(mRoot + "/config/Kestrun \xC6\x92/" + name);
	}

	// A stocks file of the former version in the program's own folder, offered for conversion in place;
	// inPadding bytes after its one stock.
	std::string FormerStocksInPlace(std::size_t inPadding = 0)
	{
		std::filesystem::remove_all(mRoot + "/config/Kestrun \xC6\x92");
		std::filesystem::create_directories(PrefsFolder());
		const std::string former = "zv20" + BE32(1) + Counted("ZZZZ") + Counted("Former Stock") +
		                           std::string(316, '\0') + BE32(0) +
		                           std::string(16 + inPadding, '\0');
		WriteText(PrefsFolder() + "/Stock Plug-in Stocks", former);
		return former;
	}

	// The question whether to keep the changes, naming the file the former one will be kept as.
	static std::string KeepQuestion(short index, const std::string& keptAs)
	{
		Str255 text;
		GetIndString(text, kKsMessageStringsID, index);
		std::string question = PascalStrings::ToString(text);
		Replace(question, "^1", keptAs);
		return question;
	}

	static TSecurity* Stock(const char* symbol)
	{
		return TStockPlugin::FindSymbol(TStockPlugin::sStockPlugin->GetList(securityStock), symbol);
	}

	std::string mSettings;
	std::string mStocks;
	std::vector<std::string> mShown;
};

TEST_F(kestrunAppConversionE2ETest, AcceptedConversionIsReportedPerFileAndUsedAtOnce)
{
	ExpectQuestion(msg_OK);
	std::vector<std::string> report;
	StDialogHandler::QueueAnswer(msg_OK, [&](LWindow* dialog) {
		for (PaneIDT id : {FOUR_CHAR_CODE("Genl"), FOUR_CHAR_CODE("Stck"), FOUR_CHAR_CODE("Fund"),
		                   FOUR_CHAR_CODE("Indx"), FOUR_CHAR_CODE("Curr")})
			report.push_back(Text(dialog, id));
	});
	auto app = Start();

	ASSERT_EQ(mShown.size(), 1u);
	Str255 question;
	GetIndString(question, kKsMessageStringsID, 13);
	EXPECT_EQ(mShown[0], PascalStrings::ToString(question));
	EXPECT_EQ(report, (std::vector<std::string>{"Converted", "Converted", "Not present", "Not present",
	                                            "Not present"}));
	EXPECT_EQ(Symbols(securityStock), std::vector<std::string>{"ZZZZ"});
	EXPECT_FLOAT_EQ(Securities(securityStock)[0]->CurrentTradePrice(), 42.0f);
	EXPECT_TRUE(Securities(securityCurrency).empty());
	// Funds and indexes the former product did not have come from the factory lists.
	EXPECT_FALSE(Securities(securityFund).empty());
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes, 7);
	app->AttemptQuitSelf(0);
	app.reset();

	EXPECT_EQ(FormerFile("Kestrun Prefs"), mSettings);
	EXPECT_EQ(FormerFile("Kestrun Stocks"), mStocks);
	// Once converted, the next start does not ask again.
	app = Start();
	EXPECT_EQ(Symbols(securityStock), std::vector<std::string>{"ZZZZ"});
	app->AttemptQuitSelf(0);
}

TEST_F(kestrunAppConversionE2ETest, DeclinedConversionLeavesTheFormerFilesAlone)
{
	ExpectQuestion(msg_Cancel);
	auto app = Start();
	EXPECT_EQ(mShown.size(), 1u);
	const auto stocks = Symbols(securityStock);
	EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "ZZZZ"), 0);
	EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "AAPL"), 1);
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes, 5);
	app->AttemptQuitSelf(0);
	app.reset();

	EXPECT_EQ(FormerFile("Kestrun Prefs"), mSettings);
	EXPECT_EQ(FormerFile("Kestrun Stocks"), mStocks);
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mRoot + "/config/Kestrun \xC6\x92"),
	                        std::filesystem::directory_iterator()),
	          2);
}

// A stocks file of the former version in the program's own folder is offered for conversion in place;
// declined, it is neither set aside nor written over, and the next start asks again. What the user
// changed in such a run is not lost without a word: the quit asks whether to keep it, naming the file the
// former one will be kept as. New quotes are no change of the user's.
TEST_F(kestrunAppConversionE2ETest, DecliningTheConversionInPlaceKeepsTheFormerFileForALaterStart)
{
	const std::string former = FormerStocksInPlace();
	const std::string folder = PrefsFolder();
	const std::string formerFunds = "zv20" + BE32(0);
	WriteText(folder + "/Stock Plug-in Funds", formerFunds);
	const std::string formerSettings = "zv20" + std::string(600, '\0');
	WriteText(folder + "/Stock Plug-in Prefs", formerSettings);
	// A file of the user's already has the first name the former file would be kept under.
	WriteText(folder + "/Stock Plug-in Stocks.old", "mine");

	// New quotes only, then a stock's alert edited and the edit dropped at quit, then a stock's name and
	// symbol and the settings edited and kept. The stock's window edits without writing the list.
	for (const MessageT atQuit : {MessageT(msg_Nothing), MessageT(msg_Cancel), MessageT(msg_OK)}) {
		mShown.clear();
		ExpectQuestion(msg_Cancel);
		auto app = Start();
		ASSERT_EQ(mShown.size(), 1u) << "asked at every start, and nothing else";
		EXPECT_EQ(Stock("ZZZZ"), nullptr);
		TSecurity* apple = Stock("AAPL");
		ASSERT_NE(apple, nullptr);
		EXPECT_FALSE(apple->OverrideLosingAlert()) << "an edit that was dropped came back";
		if (atQuit == msg_Nothing) {
			ASSERT_TRUE(ServeFirstUpdates());
			EXPECT_FLOAT_EQ(apple->CurrentTradePrice(), 101.25f);
		}
		if (atQuit == msg_Cancel) {
			apple->OverrideLosingAlert(true);
			apple->AlertLosingParameters()->limit = 90.0f;
			ExpectQuestion(atQuit);
		}
		if (atQuit == msg_OK) {
			apple->SecurityName("Apple Edited");
			apple->SecuritySymbol("AAPX");
			TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes = 9;
			TStockPlugin::sStockPlugin->ObeyCommand(5070, nullptr);
			EXPECT_EQ(ReadText(folder + "/Stock Plug-in Prefs"), formerSettings);
			ExpectQuestion(atQuit);
			ExpectQuestion(atQuit);
		}
		// Not written over while the run goes on.
		EXPECT_EQ(ReadText(folder + "/Stock Plug-in Stocks"), former);
		app->AttemptQuitSelf(0);
		app.reset();
		std::vector<std::string> asked;
		if (atQuit == msg_OK)
			asked.push_back(KeepQuestion(27, "Stock Plug-in Prefs.old"));
		if (atQuit != msg_Nothing)
			asked.push_back(KeepQuestion(23, "Stock Plug-in Stocks 2.old"));
		EXPECT_EQ(std::vector<std::string>(mShown.begin() + 1, mShown.end()), asked);
		EXPECT_FALSE(std::filesystem::exists(folder + "/Stock Plug-in Stocks.corrupt"));
		EXPECT_EQ(ReadText(folder + "/Stock Plug-in Stocks.old"), "mine");
		// The unchanged funds are not asked about; the other files are the program's own.
		EXPECT_EQ(ReadText(folder + "/Stock Plug-in Funds"), formerFunds);
		EXPECT_EQ(ReadText(folder + "/Stock Plug-in Indexes").substr(0, 4), "zv22");
		if (atQuit != msg_OK) {
			EXPECT_EQ(ReadText(folder + "/Stock Plug-in Stocks"), former);
			EXPECT_EQ(ReadText(folder + "/Stock Plug-in Prefs"), formerSettings);
			EXPECT_FALSE(std::filesystem::exists(folder + "/Stock Plug-in Stocks 2.old"));
		}
	}
	EXPECT_EQ(ReadText(folder + "/Stock Plug-in Stocks 2.old"), former);
	EXPECT_EQ(ReadText(folder + "/Stock Plug-in Prefs.old"), formerSettings);
	// The kept list is the program's own file now, read at the next start; the funds are still offered.
	mShown.clear();
	ExpectQuestion(msg_Cancel);
	auto app = Start();
	EXPECT_EQ(mShown.size(), 1u);
	EXPECT_EQ(Stock("AAPL"), nullptr);
	ASSERT_NE(Stock("AAPX"), nullptr);
	EXPECT_STREQ(Stock("AAPX")->SecurityName(), "Apple Edited");
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes, 9);
	app->AttemptQuitSelf(0);
	app.reset();
	EXPECT_EQ(ReadText(folder + "/Stock Plug-in Funds"), formerFunds);
}

// Changes kept at a quit that cannot write them, or cannot copy the former file to its ".old" name: the
// former file stays whole under its own name, nothing is kept beside it, and the one message of the quit
// names the files left as they were.
TEST_F(kestrunAppConversionE2ETest, KeptChangesThatCannotBeWrittenLeaveTheFormerFileWhereItWas)
{
	// Room for a copy of the former file, none for the new list; then room for the new list, none for
	// a copy of the former file.
	const struct {
		std::size_t padding;
		rlim_t limit;
	} cases[] = {{0, 1024}, {256 * 1024, 128 * 1024}};
	for (const auto& full : cases) {
		SCOPED_TRACE(full.limit);
		const std::string former = FormerStocksInPlace(full.padding);
		mShown.clear();
		ExpectQuestion(msg_Cancel);
		auto app = Start();
		ASSERT_NE(Stock("AAPL"), nullptr);
		Stock("AAPL")->SecuritySymbol("AAPX");
		ExpectQuestion(msg_OK);
		UModalAlerts::QueueAnswer(1);
		{
			StFileSizeLimit limit(full.limit);
			app->AttemptQuitSelf(0);
			app.reset();
		}
		ASSERT_EQ(mShown.size(), 2u);
		EXPECT_NE(mShown[1].find("\"Stock Plug-in Stocks.old\""), std::string::npos) << mShown[1];
		EXPECT_EQ(ReadText(PrefsFolder() + "/Stock Plug-in Stocks"), former);
		EXPECT_FALSE(std::filesystem::exists(PrefsFolder() + "/Stock Plug-in Stocks.old"));
		const auto alerts = AppTest::TakeAlerts();
		ASSERT_EQ(alerts.size(), 1u);
		EXPECT_EQ(
		    alerts[0].rfind("These settings files could not be written.\nLeft as they were:\n", 0),
		    0u)
		    << alerts[0];
		EXPECT_NE((alerts[0] + "\n").find("\nStock Plug-in Stocks\n"), std::string::npos)
		    << alerts[0];
	}
}

} // namespace
