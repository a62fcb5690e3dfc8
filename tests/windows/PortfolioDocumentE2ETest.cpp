// The program's File menu with portfolio documents: Open through the open dialog (several files at once,
// a file already open brought forward, files of other types passed over) and New with its base currency.
#include "app/TStockPlugin.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "model/TAccountant.h"
#include "model/TStock.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/StDialogHandler.h"
#include "tests/app/QuoteServingFixture.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

class PortfolioDocumentE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
		StDialogHandler::SetAnswersRequired(true);
		TVyFileUtils::SetNavHandler([this](const tNavRequest& inRequest) {
			EXPECT_EQ(inRequest.fileType, UPortfolioFile::kFileType);
			tNavReply reply;
			reply.accepted = true;
			for (const std::string& name : mChosen)
				reply.specs.push_back(Spec(name));
			reply.spec = reply.specs.front();
			return reply;
		});
	}

	void TearDown() override
	{
		for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
			document->Close();
		TVyFileUtils::SetNavHandler(nullptr);
		StDialogHandler::SetAnswersRequired(false);
		kestrunApp::SetDocumentHandlers({});
		TAccountant::SetSecurityFinder(nullptr);
		QuoteServingFixture::TearDown();
	}

	FSSpec Spec(const std::string& inName)
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(mRoot + "/" + inName, &spec), noErr);
		return spec;
	}

	void WritePortfolio(const std::string& inName, TStock* inStock)
	{
		tPortfolioParameters parameters;
		UPortfolioFile::DefaultParameters(&parameters, 100);
		TList<tCategory> categories{true, true};
		TList<tLedgerEntry> ledger{true, true};
		tLedgerEntry buy;
		UPortfolioFile::DefaultEntry(&buy, kStockBuy, SInt16(inStock->Exchange()), 100);
		std::strncpy(buy.symbol, inStock->SecuritySymbol(), tLedgerEntry::kSymbolSize - 1);
		buy.units = 3;
		buy.price = 10;
		ledger.Append(&buy);
		FSSpec spec = Spec(inName);
		TVyFile file(&spec);
		ASSERT_EQ(UPortfolioFile::SavePortfolio(&file, &parameters, &categories, &ledger), 0);
	}

	std::vector<std::string> mChosen;
};

TEST_F(PortfolioDocumentE2ETest, FileMenuOpensChosenPortfoliosOnceAndMakesNewOnes)
{
	auto app = Start();
	ASSERT_FALSE(Securities(securityStock).empty());
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);
	WritePortfolio("Growth", stock);
	WritePortfolio("Income", stock);

	mChosen = {"Growth", "Income"};
	app->ObeyCommand(cmd_Open, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 2u);
	auto* growth = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().front());
	ASSERT_NE(growth, nullptr);
	tPortfolioItem* row = growth->GetPortfolioWindow()->GetAccountant()->GetNth(1);
	ASSERT_NE(row, nullptr);
	EXPECT_EQ(row->security, stock);
	EXPECT_EQ(row->shares, 3);

	StDialogHandler::QueueAnswer(msg_OK);
	app->ObeyCommand(cmd_New, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 3u);
	auto* untitled = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().back());
	ASSERT_NE(untitled, nullptr);
	EXPECT_EQ(untitled->GetParameters()->baseCurrency, 100);
	EXPECT_FALSE(untitled->IsSpecified());

	// A text file is passed over without a word; Growth is not opened a second time.
	{
		FSSpec spec = Spec("Letter");
		TVyFile letter(&spec);
		ASSERT_EQ(TVyFileUtils::TouchFile(&letter, FOUR_CHAR_CODE("TEXT"), FOUR_CHAR_CODE("ttxt")),
		          0);
		tFileInformation info;
		ASSERT_EQ(letter.GetInfo(&info), 0);
		if (info.type != FOUR_CHAR_CODE("TEXT"))
			GTEST_SKIP() << "file types are not kept here";
	}
	mChosen = {"Letter", "Growth"};
	app->ObeyCommand(cmd_Open, nullptr);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 3u);
}

} // namespace
