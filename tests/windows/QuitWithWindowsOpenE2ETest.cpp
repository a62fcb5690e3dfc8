// The user quits with windows still open that stay open while they work elsewhere: the program quits
// cleanly, writes its files as usual, and the next start shows what was stored, not what the open windows
// held unconfirmed.

#include "app/TQuitSignalWatcher.h"
#include "app/TStockPlugin.h"
#include "model/TStock.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/windows/WindowInput.h"
#include "ticker/TTicker.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/TDetailWindow.h"
#include "windows/security/TListWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QMenuBar>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace
{

class QuitWithWindowsOpenE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}

	static LView* DialogOf(TSecurity* inSecurity)
	{
		return dynamic_cast<LView*>(inSecurity->GetSelectDlog());
	}

	struct Stored {
		std::string name;
		bool detailOpen = false;
	};

	static Stored StoredStock(const char* inSymbol)
	{
		Stored stored;
		for (TSecurity* stock : Securities(securityStock))
			if (std::strcmp(stock->SecuritySymbol(), inSymbol) == 0) {
				stored.name = stock->SecurityName();
				stored.detailOpen = stock->IsDetailWindowOpen();
			}
		return stored;
	}

	static tDragEntry Dragged(TSecurity* inSecurity)
	{
		tDragEntry entry;
		entry.kind = inSecurity->Type();
		std::strncpy(entry.symbol, inSecurity->SecuritySymbol(), tDragEntry::kSymbolSize - 1);
		if (auto* stock = dynamic_cast<TStock*>(inSecurity))
			entry.exchange = stock->Exchange();
		return entry;
	}

	// The quit step alone, as when the event loop ends without the Quit command (the session ends).
	static constexpr int kQuitStep = -1;

	// The quit as the user asks for it: the Quit command, an interrupt or termination signal, or the
	// application's quit step alone.
	void Quit(std::unique_ptr<QuoteServing::TTestApp>& ioApp, int inSignal)
	{
		if (inSignal == 0) {
			// As the menu item sends it: the windows go when the dispatch ends.
			UDispatch::Run([&] { ioApp->ObeyCommand(cmd_Quit, nullptr); });
		} else if (inSignal == kQuitStep) {
			ASSERT_TRUE(ioApp->AttemptQuitSelf(0));
			ioApp.reset();
			EXPECT_TRUE(LWindow::GetWindowList().empty());
			return;
		} else {
			TQuitSignalWatcher watcher;
			std::raise(inSignal);
			ASSERT_TRUE(RunUntil([&] { return ioApp->GetState() == programState_Quitting; }));
		}
		EXPECT_EQ(ioApp->GetState(), programState_Quitting);
		ioApp.reset();
		EXPECT_TRUE(LWindow::GetWindowList().empty());
	}
};

TEST_F(QuitWithWindowsOpenE2ETest, QuittingWithEveryKindOfWindowOpenKeepsWhatWasStored)
{
	for (int quitBy : {kQuitStep, 0, SIGINT, SIGTERM}) {
		SCOPED_TRACE(quitBy);
		auto app = Start();
		TStockPlugin* plugin = TStockPlugin::sStockPlugin;
		ASSERT_GE(Securities(securityStock).size(), 2u);
		ASSERT_FALSE(Securities(securityFund).empty());
		const int stocks = int(Securities(securityStock).size());
		TSecurity* fromList = Securities(securityStock)[0];
		TSecurity* fromDetail = Securities(securityStock)[1];
		TSecurity* fund = Securities(securityFund).front();
		const std::string listSymbol = fromList->SecuritySymbol();
		const std::string detailSymbol = fromDetail->SecuritySymbol();
		const Stored listBefore = StoredStock(listSymbol.c_str());
		const Stored detailBefore = StoredStock(detailSymbol.c_str());
		ASSERT_FALSE(listBefore.name.empty() || detailBefore.name.empty());

		// New Stock, typed into and left unconfirmed.
		app->ObeyCommand(5112, nullptr);
		LWindow* newStock = nullptr;
		for (LWindow* window : LWindow::GetWindowList())
			if (dynamic_cast<ISelectDlog*>(window))
				newStock = window;
		ASSERT_NE(newStock, nullptr);
		WindowInput::Type(newStock, "Name", "Never Confirmed");
		WindowInput::Type(newStock, "Symb", "NVRC");
		ASSERT_EQ(WindowInput::Text(newStock, "Symb"), "NVRC");

		// The stock list with its lookup window, and a stock's settings opened from the list.
		app->ObeyCommand(5115, nullptr);
		IPluginWindow* listFace = plugin->GetWindow(windowStockList);
		ASSERT_NE(listFace, nullptr);
		auto* list = dynamic_cast<TListWindow*>(listFace->GetCommander());
		ASSERT_NE(list, nullptr);
		EXPECT_NE(list->GetLookupWindow(), nullptr);
		TSecurity* edited = nullptr;
		TList<tSecurityEntry>* rows = list->GetWorkingList();
		ASSERT_NE(rows, nullptr);
		for (long row = 1; row <= long(rows->Count()) && !edited; ++row)
			if (std::strcmp(rows->GetNth(row)->Security->SecuritySymbol(), listSymbol.c_str()) ==
			    0) {
				list->CreateEditWindow(TableIndexT(row), false);
				edited = rows->GetNth(row)->Security;
			}
		ASSERT_NE(edited, nullptr);
		ASSERT_NE(DialogOf(edited), nullptr);
		WindowInput::Type(DialogOf(edited), "Name", "Typed In The List's Dialog");
		ASSERT_EQ(WindowInput::Text(DialogOf(edited), "Name"), "Typed In The List's Dialog");
		// A stock added in the list, its settings open and unconfirmed.
		const size_t before = LWindow::GetWindowList().size();
		list->ObeyCommand(TListWindow::kAddCommand, nullptr);
		LWindow* added = nullptr;
		for (LWindow* window : LWindow::GetWindowList())
			if (dynamic_cast<ISelectDlog*>(window) && window != newStock &&
			    window != DialogOf(edited))
				added = window;
		ASSERT_NE(added, nullptr);
		EXPECT_EQ(LWindow::GetWindowList().size(), before + 1);
		WindowInput::Type(added, "Name", "Added But Not Confirmed");
		WindowInput::Type(added, "Symb", "LSTN");

		// A detail window with its security's settings, and a fund's detail window.
		if (fromDetail->IsDetailWindowOpen())
			fromDetail->CloseDetailWindow(true);
		const std::vector<LWindow*> shown = LWindow::GetWindowList();
		fromDetail->ShowDetailWindow();
		TDetailWindow* detail = nullptr;
		for (LWindow* window : LWindow::GetWindowList())
			if (std::find(shown.begin(), shown.end(), window) == shown.end())
				detail = dynamic_cast<TDetailWindow*>(window);
		ASSERT_NE(detail, nullptr);
		detail->DoEdit();
		ASSERT_NE(DialogOf(fromDetail), nullptr);
		WindowInput::Type(DialogOf(fromDetail), "Name", "Typed In The Detail's Dialog");
		fund->ShowDetailWindow();
		ASSERT_NE(fund->GetDetailWindow(), nullptr);
		// The fund's settings as its detail window's actions open them: under the application.
		fund->ShowSelectDlog(app.get(), 0, false);
		ASSERT_NE(DialogOf(fund), nullptr);

		// The security preferences, the quick quotes, the summary and the main ticker's settings.
		app->ObeyCommand(5000, nullptr);
		app->ObeyCommand(5113, nullptr);
		app->ObeyCommand(5143, nullptr);
		app->ObeyCommand(5004, nullptr);
		app->ObeyCommand(kCmdMainTickerSettings, nullptr);
		EXPECT_NE(plugin->GetWindow(windowSecurityPrefs), nullptr);
		EXPECT_NE(plugin->GetWindow(windowStockQQ), nullptr);
		EXPECT_NE(plugin->GetWindow(windowCurrencyQQ), nullptr);
		EXPECT_NE(plugin->GetWindow(windowSummary), nullptr);
		EXPECT_NE(app->GetMainTicker()->GetSettingsWindow(), nullptr);

		// A portfolio with its ledger and a new ledger entry being edited; a second one with the
		// entry of a dropped stock being edited and its settings.
		StDialogHandler::QueueAnswer(msg_OK);
		TPortfolio* portfolio = TPortfolio::New(app.get());
		ASSERT_NE(portfolio, nullptr);
		TPortfolioWindow* window = portfolio->GetPortfolioWindow();
		ASSERT_NE(window, nullptr);
		window->ObeyCommand(TPortfolioWindow::kCmdOpenLedger, nullptr);
		auto* ledger = dynamic_cast<TLedgerWindow*>(window->LedgerWindow());
		ASSERT_NE(ledger, nullptr);
		ledger->ObeyCommand(FOUR_CHAR_CODE("BuyS"), nullptr);
		EXPECT_EQ(ledger->CountEditWindows(), 1u);

		StDialogHandler::QueueAnswer(msg_OK);
		TPortfolio* dropped = TPortfolio::New(app.get());
		ASSERT_NE(dropped, nullptr);
		DragReference drag = WindowInput::Drag({Dragged(fromList)});
		Rect bounds{};
		const size_t open = LWindow::GetWindowList().size();
		dropped->GetPortfolioWindow()->ReceiveDragItem(drag, 0, 1, bounds);
		EXPECT_EQ(LWindow::GetWindowList().size(), open + 1);
		dropped->GetPortfolioWindow()->ObeyCommand(TPortfolioWindow::kCmdOpenSettings, nullptr);
		EXPECT_NE(dropped->GetPortfolioWindow()->SettingsWindow(), nullptr);
		DisposeDrag(drag);
		EXPECT_TRUE(AppTest::TakeAlerts().empty());

		// Dialogs and the windows that edit settings carry no menu bar; the others keep theirs.
		if (quitBy == kQuitStep) {
			LWindow::AfterDispatch();
			auto hasBar = [](LWindow* inWindow) {
				QWidget* content = inWindow ? QtPaneWidget::ContentOf(inWindow) : nullptr;
				return content && content->window()->findChild<QMenuBar*>() != nullptr;
			};
			IPluginWindow* prefs = plugin->GetWindow(windowSecurityPrefs);
			ASSERT_NE(prefs, nullptr);
			const std::pair<LWindow*, bool> bars[] = {
			    {newStock, false},
			    {dynamic_cast<LWindow*>(prefs->GetCommander()), false},
			    {app->GetMainTicker()->GetSettingsWindow(), false},
			    {dropped->GetPortfolioWindow()->SettingsWindow(), false},
			    {window, true},
			    {detail, true}};
			for (const auto& [shown, withBar] : bars) {
				ASSERT_NE(shown, nullptr);
				Str255 title;
				shown->GetDescriptor(title);
				EXPECT_EQ(hasBar(shown), withBar) << PascalStrings::ToString(title);
			}
		}

		// Each changed portfolio asks whether to save it (the quit step alone asks nothing); the user
		// does not.
		size_t changed = 0;
		for (TPortfolio* document : {portfolio, dropped})
			if (document->IsModified() && quitBy != kQuitStep) {
				UModalAlerts::QueueAnswer(answer_DontSave);
				++changed;
			}
		// The settings files as the start wrote them are gone: the quit writes them all again.
		std::vector<std::string> files{PrefsPath()};
		for (const char* kind : {"Prefs", "Stocks", "Funds", "Indexes", "Currencies"})
			files.push_back(PrefsFolder() + "/Stock Plug-in " + kind);
		for (const std::string& file : files)
			ASSERT_TRUE(std::filesystem::remove(file)) << file;
		Quit(app, quitBy);
		EXPECT_EQ(AppTest::TakeAlerts().size(), changed);
		for (const std::string& file : files)
			EXPECT_TRUE(std::filesystem::exists(file) && std::filesystem::file_size(file) > 0)
			    << file;

		// The next start shows what was stored before: no new stock, no typed names.
		app = Start();
		plugin = TStockPlugin::sStockPlugin;
		EXPECT_EQ(int(Securities(securityStock).size()), stocks);
		const Stored listAfter = StoredStock(listSymbol.c_str());
		const Stored detailAfter = StoredStock(detailSymbol.c_str());
		EXPECT_EQ(listAfter.name, listBefore.name);
		EXPECT_EQ(detailAfter.name, detailBefore.name);
		EXPECT_TRUE(StoredStock("NVRC").name.empty());
		EXPECT_TRUE(StoredStock("LSTN").name.empty());
		// The windows noted open at quit open again.
		EXPECT_NE(plugin->GetWindow(windowSummary), nullptr);
		EXPECT_NE(plugin->GetWindow(windowStockQQ), nullptr);
		EXPECT_NE(plugin->GetWindow(windowCurrencyQQ), nullptr);
		EXPECT_TRUE(detailAfter.detailOpen);
		// Closed again for the next round, which starts as this one did.
		app->ObeyCommand(5005, nullptr);
		app->ObeyCommand(5011, nullptr);
		for (tPluginWindow which : {windowStockQQ, windowCurrencyQQ})
			if (IPluginWindow* quote = plugin->GetWindow(which))
				quote->AttemptClose();
		Quit(app, 0);
	}
}

} // namespace
