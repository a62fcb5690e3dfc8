// The program with a fund's detail window open while its quote comes in through a loopback server named as
// the HTTP proxy; quit with the window open, the next start opens it again where it was.

#include "app/TStockPlugin.h"
#include "model/TFund.h"
#include "platform/framework/LMultiPanelView.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "windows/security/TFundDetailWindow.h"
#include "windows/security/UWindowRegistry.h"

namespace
{

class DetailWindowE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}

	static std::vector<TFundDetailWindow*> FundWindows()
	{
		std::vector<TFundDetailWindow*> windows;
		for (LWindow* window : LWindow::GetWindowList())
			if (auto* detail = dynamic_cast<TFundDetailWindow*>(window))
				windows.push_back(detail);
		return windows;
	}
};

TEST_F(DetailWindowE2ETest, AnOpenFundWindowFollowsItsQuoteAndIsReopenedAtTheNextStart)
{
	auto app = Start();
	const std::vector<TSecurity*> funds = Securities(securityFund);
	ASSERT_FALSE(funds.empty());
	const std::string symbol = funds[0]->SecuritySymbol();
	funds[0]->ShowDetailWindow();
	ASSERT_EQ(FundWindows().size(), 1u);
	TFundDetailWindow* window = FundWindows()[0];
	EXPECT_EQ(window->GetFund(), funds[0]);
	EXPECT_TRUE(window->IsVisible());

	ASSERT_TRUE(ServeFirstUpdates());
	ASSERT_EQ(mExpected.count(funds[0]), 1u);
	EXPECT_FLOAT_EQ(funds[0]->CurrentTradePrice(), mExpected[funds[0]]);
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(window, "lstP")), "10.00");
	EXPECT_FALSE(FrameworkTest::FindPane<LPane>(window, "Arrw")->IsVisible());

	window->DoSetBounds(Rect{130, 150, 410, 510});
	window->GetMultiPanelView()->SwitchToPanel(2);
	app->AttemptQuitSelf(0);
	app.reset();
	EXPECT_TRUE(FundWindows().empty());

	app = Start();
	const std::vector<TFundDetailWindow*> reopened = FundWindows();
	ASSERT_EQ(reopened.size(), 1u);
	window = reopened[0];
	ASSERT_NE(window->GetFund(), nullptr);
	EXPECT_EQ(window->GetFund()->SecuritySymbol(), symbol);
	EXPECT_TRUE(window->IsVisible());
	Rect bounds;
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.top, 130);
	EXPECT_EQ(bounds.left, 150);
	EXPECT_EQ(window->GetMultiPanelView()->GetCurrentIndex(), 2);
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(window, "lstP")), "10.00");
	app->AttemptQuitSelf(0);
}

} // namespace
