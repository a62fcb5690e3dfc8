// The program's menu bar as the user works it: the Quotes menu shows and closes the summary (which stays
// closed, and can be shown again, after a restart), opens, closes and updates detail windows; the per-kind
// menus stand in front of it and Help stays last; a kind's Look Up works while its list window is open.

#include "app/TStockPlugin.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/app/QuoteServingFixture.h"
#include "windows/security/TLookupWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <vector>

namespace
{

class QuotesMenuE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}

	static std::vector<std::string> BarTitles()
	{
		std::vector<std::string> titles;
		for (LMenu* menu : LMenuBar::GetCurrentMenuBar()->GetBarMenus()) {
			Str255 title;
			menu->GetTitle(title);
			titles.push_back(PascalStrings::ToString(title));
		}
		return titles;
	}

	// The item of that text in the bar's menu titled inMenu, as the menu shows it when it opens: its
	// command, or 0 when it is missing or greyed out.
	static CommandT Item(const std::string& inMenu, const std::string& inItem)
	{
		LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
		for (LMenu* menu : bar->GetBarMenus()) {
			Str255 text;
			menu->GetTitle(text);
			if (PascalStrings::ToString(text) != inMenu)
				continue;
			bar->UpdateMenu(menu);
			for (SInt16 i = 1; i <= menu->CountItems(); ++i) {
				menu->GetItemText(i, text);
				if (PascalStrings::ToString(text) == inItem)
					return menu->IsItemEnabled(i) ? menu->CommandFromIndex(i) : 0;
			}
		}
		return 0;
	}

	// Chooses the item; false when it cannot be chosen.
	static bool Choose(const std::string& inMenu, const std::string& inItem)
	{
		const CommandT command = Item(inMenu, inItem);
		if (command == 0)
			return false;
		LApplication::DispatchCommand(command);
		LWindow::AfterDispatch();
		return true;
	}

	static std::vector<TSecurity*> Shown()
	{
		std::vector<TSecurity*> shown;
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			for (TSecurity* security : Securities(kind))
				if (security->MenuEnabled() || security->SummaryEnabled())
					shown.push_back(security);
		return shown;
	}

	static size_t OpenDetailWindows()
	{
		size_t open = 0;
		for (TSecurity* security : Shown())
			open += security->IsDetailWindowOpen() ? 1 : 0;
		return open;
	}

	static IPluginWindow* Summary() { return TStockPlugin::sStockPlugin->GetWindow(windowSummary); }
};

TEST_F(QuotesMenuE2ETest, TheSummaryClosedFromTheMenuStaysClosedAfterARestartAndShowsAgainFromIt)
{
	auto app = Start();
	EXPECT_EQ(BarTitles(), (std::vector<std::string>{"File", "Edit", "Tickers", "Stocks", "Funds",
	                                                 "Indexes", "Currencies", "Quotes", "Help"}));
	if (Summary() == nullptr) {
		ASSERT_TRUE(Choose("Quotes", "Show Summary"));
	}
	ASSERT_NE(Summary(), nullptr);
	EXPECT_EQ(Item("Quotes", "Show Summary"), 0);
	ASSERT_TRUE(Choose("Quotes", "Close Summary"));
	ASSERT_EQ(Summary(), nullptr);
	EXPECT_EQ(Item("Quotes", "Close Summary"), 0);
	app->AttemptQuitSelf(0);
	app.reset();

	app = Start();
	EXPECT_EQ(Summary(), nullptr);
	EXPECT_EQ(BarTitles().back(), "Help");
	ASSERT_TRUE(Choose("Quotes", "Show Summary"));
	EXPECT_NE(Summary(), nullptr);
	app->AttemptQuitSelf(0);
	app.reset();

	app = Start();
	EXPECT_NE(Summary(), nullptr);
	app->AttemptQuitSelf(0);
}

TEST_F(QuotesMenuE2ETest, DetailWindowsOpenCloseAndUpdateFromTheMenu)
{
	auto app = Start();
	const size_t shown = Shown().size();
	ASSERT_GT(shown, 0u);
	ASSERT_TRUE(Choose("Quotes", "Open All Detail Windows"));
	EXPECT_EQ(OpenDetailWindows(), shown);
	EXPECT_EQ(Item("Quotes", "Open All Detail Windows"), 0);

	// The first update cycle is answered; then the user asks again for every security.
	ASSERT_TRUE(ServeFirstUpdates());
	ASSERT_TRUE(Choose("Quotes", "Update All Securities"));
	for (TSecurity* stock : Securities(securityStock))
		EXPECT_NE(stock->UpdateSecurityReference(), nullptr) << stock->SecuritySymbol();
	ServePendingRequests();
	EXPECT_TRUE(RunUntil([&] {
		for (TSecurity* stock : Securities(securityStock))
			if (stock->UpdateSecurityReference() != nullptr)
				return false;
		return true;
	}));

	ASSERT_TRUE(Choose("Quotes", "Close All Detail Windows"));
	EXPECT_EQ(OpenDetailWindows(), 0u);
	EXPECT_EQ(Item("Quotes", "Close All Detail Windows"), 0);
	EXPECT_EQ(Item("Quotes", "Update Open Detail Windows"), 0);
	EXPECT_NE(Item("Quotes", "Open All Detail Windows"), 0);
	app->AttemptQuitSelf(0);
}

TEST_F(QuotesMenuE2ETest, LookUpWorksWhileTheKindsListWindowIsOpen)
{
	auto app = Start();
	if (Summary() == nullptr) {
		ASSERT_TRUE(Choose("Quotes", "Show Summary"));
	}
	ASSERT_TRUE(Choose("Stocks", "Stock List..."));
	IPluginWindow* list = TStockPlugin::sStockPlugin->GetWindow(windowStockList);
	ASSERT_NE(list, nullptr);
	Summary()->Select();
	EXPECT_EQ(Item("Stocks", "Stock List..."), 0);
	auto lookups = [] {
		size_t count = 0;
		for (LWindow* window : LWindow::GetWindowList())
			count += dynamic_cast<TLookupWindow*>(window) != nullptr ? 1 : 0;
		return count;
	};
	ASSERT_EQ(lookups(), 0u);
	ASSERT_TRUE(Choose("Stocks", "Look Up Stocks..."));
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetWindow(windowStockList), list);
	EXPECT_EQ(lookups(), 1u);
	app->AttemptQuitSelf(0);
}

} // namespace
