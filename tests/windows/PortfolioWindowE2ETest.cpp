// The program with a new portfolio open while quotes come in through a loopback server named as the HTTP
// proxy: the holding is valued at its purchase price until the served quote arrives, then the banner and the
// row show the served price.

#include "Includes/tPortfolioParameters.h"
#include "app/TStockPlugin.h"
#include "model/TAccountant.h"
#include "model/TStock.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/StDialogHandler.h"
#include "tests/app/QuoteServingFixture.h"
#include "toolkit/TColourCaptions.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <cstring>

namespace
{

class PortfolioWindowE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}
};

TEST_F(PortfolioWindowE2ETest, TheBannerAndRowsFollowTheServedQuotes)
{
	auto app = Start();
	ASSERT_FALSE(Securities(securityStock).empty());
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);

	// A new portfolio in the currency the dialog offers, and a purchase entered in the ledger window.
	StDialogHandler::QueueAnswer(msg_OK);
	TPortfolio* portfolio = TPortfolio::New(app.get());
	ASSERT_NE(portfolio, nullptr);
	TPortfolioWindow* window = portfolio->GetPortfolioWindow();
	ASSERT_NE(window, nullptr);
	tLedgerEntry buy;
	UPortfolioFile::DefaultEntry(&buy, kStockBuy, stock->Exchange(),
	                             tCurrency(portfolio->GetParameters()->baseCurrency));
	std::strncpy(buy.symbol, stock->SecuritySymbol(), tLedgerEntry::kSymbolSize - 1);
	buy.units = 4;
	buy.price = 50;
	portfolio->GetLedger()->Append(&buy);
	window->ObeyCommand(TPortfolioWindow::kCmdLedgerOK, nullptr);
	auto value = [&] {
		Str255 text;
		window->FindPaneByID(FOUR_CHAR_CODE("pVal"))->GetDescriptor(text);
		return PascalStrings::ToString(text);
	};
	ASSERT_TRUE(RunUntil([&] { return window->GetTable()->IsValidRow(1); }));
	// No quote yet: the holding is worth what it cost.
	EXPECT_EQ(value(), "200.00");

	ASSERT_TRUE(ServeFirstUpdates());
	ASSERT_EQ(mExpected.count(stock), 1u);
	// 4 shares at the served 101.25.
	ASSERT_TRUE(RunUntil([&] { return value() == "405.00"; })) << value();
	const tPortfolioItem* row = window->GetAccountant()->GetNth(1);
	ASSERT_NE(row, nullptr);
	EXPECT_FLOAT_EQ(row->currentPrice, mExpected[stock]);
	EXPECT_FLOAT_EQ(row->originalTotal, 200.0f);
	EXPECT_STREQ(
	    dynamic_cast<TColourCaptions*>(window->FindPaneByID(FOUR_CHAR_CODE("oChn")))->GetFirstString(),
	    "+205.00  ");
	EXPECT_TRUE(portfolio->IsModified());
	portfolio->ClearModified();
	delete portfolio;
}

} // namespace
