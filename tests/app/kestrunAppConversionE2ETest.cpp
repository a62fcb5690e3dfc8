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
// changed in such a run is not lost without a word: the quit asks whether to keep it.
TEST_F(kestrunAppConversionE2ETest, DecliningTheConversionInPlaceKeepsTheFormerFileForALaterStart)
{
	std::filesystem::remove_all(mRoot + "/config/Kestrun \xC6\x92");
	const std::string folder = PrefsFolder();
	std::filesystem::create_directories(folder);
	const std::string former = "zv20" + BE32(1) + Counted("ZZZZ") + Counted("Former Stock") +
	                           std::string(316, '\0') + BE32(0) + std::string(16, '\0');
	WriteText(folder + "/Stock Plug-in Stocks", former);
	const std::string formerFunds = "zv20" + BE32(0);
	WriteText(folder + "/Stock Plug-in Funds", formerFunds);
	const std::string formerSettings = "zv20" + std::string(600, '\0');
	WriteText(folder + "/Stock Plug-in Prefs", formerSettings);
	// A file of the user's already has the first name the former file would be kept under.
	WriteText(folder + "/Stock Plug-in Stocks.old", "mine");
	auto message = [](short index) {
		Str255 text;
		GetIndString(text, kKsMessageStringsID, index);
		return PascalStrings::ToString(text);
	};

	// Nothing changed, then a change of the stocks dropped at quit, then changes of the stocks and the
	// settings kept.
	for (const MessageT atQuit : {MessageT(msg_Nothing), MessageT(msg_Cancel), MessageT(msg_OK)}) {
		mShown.clear();
		ExpectQuestion(msg_Cancel);
		auto app = Start();
		ASSERT_EQ(mShown.size(), 1u) << "asked at every start, and nothing else";
		const auto stocks = Symbols(securityStock);
		EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "AAPL"), 1);
		EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "ZZZZ"), 0);
		if (atQuit != msg_Nothing) {
			EXPECT_NE(TStockPlugin::AddStock("NEWCO", 101), nullptr);
			// Not written over while the run goes on.
			EXPECT_EQ(ReadText(folder + "/Stock Plug-in Stocks"), former);
			ExpectQuestion(atQuit);
		}
		if (atQuit == msg_OK) {
			TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes = 9;
			TStockPlugin::sStockPlugin->ObeyCommand(5070, nullptr);
			EXPECT_EQ(ReadText(folder + "/Stock Plug-in Prefs"), formerSettings);
			ExpectQuestion(atQuit);
		}
		app->AttemptQuitSelf(0);
		app.reset();
		std::vector<std::string> asked;
		if (atQuit == msg_OK)
			asked.push_back(message(27));
		if (atQuit != msg_Nothing)
			asked.push_back(message(23));
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
	const auto stocks = Symbols(securityStock);
	EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "NEWCO"), 1);
	EXPECT_EQ(std::count(stocks.begin(), stocks.end(), "AAPL"), 1);
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetPrefs()->stockMinutes, 9);
	app->AttemptQuitSelf(0);
	app.reset();
	EXPECT_EQ(ReadText(folder + "/Stock Plug-in Funds"), formerFunds);
}

} // namespace
