// The program quit the way an interrupt quits it, with windows of the plug-in and of a ticker open, then
// started again on the same settings folder: the main ticker shows what it showed, and the summary and
// detail windows open at quit open again. Quit with nothing open, it still starts with something to reach
// it by.

#include "app/TQuitSignalWatcher.h"
#include "app/TStockPlugin.h"
#include "platform/framework/LDocument.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/PortfolioFiles.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"
#include "windows/security/UWindowRegistry.h"

#include <csignal>
#include <set>

namespace
{

class QuitAndRestartE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}

	static std::vector<TSecurity*> AllSecurities()
	{
		std::vector<TSecurity*> all;
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			for (TSecurity* security : Securities(kind))
				all.push_back(security);
		return all;
	}

	static std::set<std::string> OpenDetailWindows()
	{
		std::set<std::string> open;
		for (TSecurity* security : AllSecurities())
			if (security->IsDetailWindowOpen())
				open.insert(security->SecuritySymbol());
		return open;
	}

	static int MainTickerTicklets(kestrunApp& inApp)
	{
		TZvTicker* pane = inApp.GetMainTicker()->GetTickerPane();
		return pane ? int(pane->GetTicklets().Count()) : -1;
	}
};

TEST_F(QuitAndRestartE2ETest, TheNextStartShowsTheTickerAndTheWindowsOpenAtQuit)
{
	auto app = Start();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	const int securities = int(AllSecurities().size());
	ASSERT_GT(securities, 0);
	ASSERT_TRUE(app->GetMainTicker()->IsWindowOpen());
	EXPECT_EQ(MainTickerTicklets(*app), securities);

	// The user changes the first run's windows: the summary opens, one detail window closes, one opens.
	if (plugin->GetWindow(windowSummary) == nullptr)
		app->ObeyCommand(5004, nullptr);
	ASSERT_NE(plugin->GetWindow(windowSummary), nullptr);
	std::set<std::string> open = OpenDetailWindows();
	TSecurity* closed = nullptr;
	TSecurity* opened = nullptr;
	for (TSecurity* security : AllSecurities()) {
		if (!closed && security->IsDetailWindowOpen())
			closed = security;
		if (!opened && !security->IsDetailWindowOpen() && security->Type() == securityIndex)
			opened = security;
	}
	ASSERT_TRUE(closed && opened);
	closed->GetDetailWindow()->AttemptClose();
	LWindow::AfterDispatch();
	opened->ShowDetailWindow();
	open.erase(closed->SecuritySymbol());
	open.insert(opened->SecuritySymbol());
	ASSERT_EQ(OpenDetailWindows(), open);
	// Windows the plug-in does not own are open too.
	app->ObeyCommand(kCmdMainTickerSettings, nullptr);
	ASSERT_NE(app->GetMainTicker()->GetSettingsWindow(), nullptr);

	{
		TQuitSignalWatcher watcher;
		std::raise(SIGINT);
		ASSERT_TRUE(RunUntil([&] { return app->GetState() == programState_Quitting; }));
	}
	app.reset();
	EXPECT_TRUE(LWindow::GetWindowList().empty());

	app = Start();
	plugin = TStockPlugin::sStockPlugin;
	ASSERT_TRUE(app->GetMainTicker()->IsWindowOpen());
	EXPECT_EQ(MainTickerTicklets(*app), securities);
	EXPECT_NE(plugin->GetWindow(windowSummary), nullptr);
	EXPECT_EQ(OpenDetailWindows(), open);
	app->AttemptQuitSelf(0);
}

TEST_F(QuitAndRestartE2ETest, AStartWithNothingOpenAtQuitShowsTheSummaryUnlessADocumentGivenAtLaunchOpens)
{
	// The user closes the ticker and every window, then quits.
	auto app = Start();
	app->ObeyCommand(kCmdCloseMainTicker, nullptr);
	app->ObeyCommand(5013, nullptr);
	app->ObeyCommand(5005, nullptr);
	ASSERT_EQ(LWindow::FetchTopRegular(), nullptr);
	app->AttemptQuitSelf(0);
	app.reset();

	// A portfolio given at launch is what the next start shows; it opens once the start-up is done.
	ASSERT_EQ(PortfolioFiles::Write(mRoot + "/Growth", {}), 0);
	app = Start();
	app->SetLaunchDocuments({mRoot + "/Growth"});
	app->StartUp();
	ASSERT_TRUE(RunUntil([] { return LDocument::GetDocumentList().size() == 1; }));
	EXPECT_EQ(TStockPlugin::sStockPlugin->GetWindow(windowSummary), nullptr);
	LDocument::GetDocumentList().front()->Close();
	app->AttemptQuitSelf(0);
	app.reset();

	// Without one, the summary window opens, and with it the menu bar.
	app = Start();
	EXPECT_FALSE(app->GetMainTicker()->IsWindowOpen());
	app->StartUp();
	IPluginWindow* summary = TStockPlugin::sStockPlugin->GetWindow(windowSummary);
	ASSERT_NE(summary, nullptr);
	EXPECT_EQ(LWindow::FetchTopRegular(), dynamic_cast<LWindow*>(summary->GetCommander()));
	app->AttemptQuitSelf(0);
}

} // namespace
