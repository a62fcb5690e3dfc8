// The detail windows over the program's own layouts: a fund's window opened by its fund, following its
// quotes, flashing with an alert, stepping through its sizes, opening its links and printing, and keeping
// its place in the fund when it closes.

#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TFund.h"
#include "model/UZVUtils.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UPrinting.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/UKsDialogs.h"
#include "windows/security/TDetailAction.h"
#include "windows/security/TFundDetailWindow.h"
#include "windows/security/TSelectDlog.h"

#include <cstdio>
#include <filesystem>

namespace
{

constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");

// A window of the small layout (the alternate banner only), as the quick quotes have, that also lets the
// test close it the way they do.
class TSmallTestWindow : public TFundDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tsDW") };
	explicit TSmallTestWindow(LStream* inStream) : TFundDetailWindow(inStream) { mSmallLayout = true; }
	using TDetailWindow::UnlinkAndCancel;
};

constexpr char kSmallLayout[] = R"(
PPob 29000 {
	'tsDW' 29000 60 60 360 200  str "" u32 0x2000004B i16 16 i16 16 i16 -1 i16 -1 u8 0 {
		'Bnnr' 'aBnr' 0 0 360 48  rgb 65535 65535 65535 u8 0 {
			'capC' 'aPrc' 8 26 120 16  str "" i16 0
			'capS' 'aChn' 132 26 220 16  str "" i16 0 i16 0 i16 0
		}
		'bbut' 'Updt' 8 54 70 20  code 'Updt' i32 0 i32 0 i32 0  str "Update" i16 0 i16 0 i16 0
		'carr' 'Arrw' 84 56 16 16
		'bbut' 'WebP' 106 54 84 20  code 'WebP' i32 0 i32 0 i32 0  str "Web" i16 0 i16 0 i16 0
		'bbut' 'Actn' 196 54 90 20  code 'Actn' i32 0 i32 0 i32 0  str "Actions" i16 0 i16 5030 i16 0
		'tabs' 'Hdrs' 8 80 344 24  code 'Hdrs' i32 1 i32 1 i32 2  i16 2 str "Quote" str "News"
		'mpvw' 'MPV1' 8 106 344 60  i16 2 i16 5205 i16 5206 i16 1 code 'Hdrs'
		'stxt' 'dtTr' 8 170 344 12  str "" i16 0
		'stxt' 'dtUp' 8 184 344 12  str "" i16 0
	}
}
)";

class DetailWindowTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		UWindowRegistry::InstallDetailWindows();
		mFund.SecuritySymbol("VFIAX");
		mFund.SecurityName("Index Admiral Fund");
		mFund.CurrentTradePrice(10.1234f);
		mFund.YesterdayClose(10.0f);
		mFund.YearHigh(11.5f);
		mFund.YearLow(9.25f);
		modeltest::AddNews(mFund, "Fund gains", "news.example", "/vfiax/1");
		modeltest::AddNews(mFund, "Fund holds", "news.example", "/vfiax/2");
	}

	void TearDown() override
	{
		UPrinting::SetPrintJobDialog(nullptr);
		SetPopUpMenuChooser(nullptr);
		mEnv->mKeys = {};
		SecurityWindowsFixture::TearDown();
	}

	// The fund's window as the fund opens it.
	TFundDetailWindow* Open()
	{
		mFund.ShowDetailWindow();
		for (LWindow* window : LWindow::GetWindowList())
			if (auto* detail = dynamic_cast<TFundDetailWindow*>(window);
			    detail && detail->GetFund() == &mFund)
				return detail;
		return nullptr;
	}

	static void Close(TDetailWindow* inWindow)
	{
		inWindow->ObeyCommand(4, nullptr);
		UDispatch::DeletePending();
	}

	static Rect Bounds(LWindow* inWindow)
	{
		Rect bounds;
		inWindow->GetGlobalBounds(bounds);
		return bounds;
	}

	static void Action(TDetailWindow* inWindow, SInt32 inItem)
	{
		inWindow->ObeyCommand(FOUR_CHAR_CODE("Actn"), &inItem);
	}

	static bool Visible(LView* inWindow, const char (&inID)[5])
	{
		LPane* pane = FrameworkTest::FindPane<LPane>(inWindow, inID);
		return pane != nullptr && pane->IsVisible();
	}

	TFund mFund;
};

TEST_F(DetailWindowTest, AFundWindowShowsItsFundFollowsItsQuotesAndKeepsItsPlace)
{
	TFundDetailWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(window->IsVisible());
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomFull);
	EXPECT_EQ(FrameworkTest::Descriptor(window), "VFIAX") << "the alternate view is titled by the symbol";
	EXPECT_TRUE(Visible(window, "aBnr"));
	EXPECT_FALSE(Visible(window, "bBnr"));
	EXPECT_EQ(Text(window, "aSym"), "Index Admiral Fund");
	EXPECT_EQ(Text(window, "bSym"), "VFIAX");
	EXPECT_EQ(Text(window, "aPrc"), "10.12");
	EXPECT_EQ(Text(window, "lstP"), "10.12");
	EXPECT_EQ(Text(window, "ydyC"), "10.00");
	EXPECT_EQ(Text(window, "ytdH"), "11.50");
	EXPECT_EQ(Text(window, "ytdL"), "9.25");
	EXPECT_EQ(Text(window, "Nws1"), "Fund gains");
	EXPECT_EQ(Text(window, "Nws3"), "");

	// A quote arrives.
	mFund.StartUpdatingDetailWindow();
	EXPECT_TRUE(window->IsUpdating());
	EXPECT_TRUE(Visible(window, "Arrw"));
	EXPECT_FALSE(FrameworkTest::FindPane<LPane>(window, "Updt")->IsEnabled());
	mFund.CurrentTradePrice(10.5f);
	mFund.YearHigh(12.0f);
	mFund.FinishUpdatingDetailWindow();
	mFund.UpdateDetailWindow();
	EXPECT_FALSE(Visible(window, "Arrw"));
	EXPECT_TRUE(FrameworkTest::FindPane<LPane>(window, "Updt")->IsEnabled());
	EXPECT_EQ(Text(window, "aPrc"), "10.50");
	EXPECT_EQ(Text(window, "lstP"), "10.50");
	EXPECT_EQ(Text(window, "ytdH"), "12.00");

	// With a request outstanding every redraw shows the arrows; Update never cancels it but asks the
	// request layer, which moves a request still waiting in the round to the front.
	mFund.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&mFund));
	window->Update();
	EXPECT_TRUE(Visible(window, "Arrw"));
	const size_t asked = mEnv->mRequests.size();
	window->ObeyCommand(FOUR_CHAR_CODE("Updt"), nullptr);
	ASSERT_EQ(mEnv->mRequests.size(), asked + 1);
	EXPECT_EQ(mEnv->mRequests.back().operation, "SubmitUserURL");
	EXPECT_TRUE(Visible(window, "Arrw"));
	mFund.UpdateSecurityReference(nullptr);
	window->ObeyCommand(FOUR_CHAR_CODE("Updt"), nullptr);
	EXPECT_EQ(mEnv->mRequests.back().operation, "SubmitUserURL");

	// The action pop-up: no filings for a fund, no trading while it is off; the big banner view.
	LBevelButton* actions = window->GetActionButton();
	ASSERT_NE(actions, nullptr);
	MenuHandle menu = actions->GetMacMenuH();
	EXPECT_TRUE(menu->IsItemEnabled(TDetailWindow::kActEdit));
	EXPECT_FALSE(menu->IsItemEnabled(TDetailWindow::kActTrade));
	EXPECT_FALSE(menu->IsItemEnabled(TDetailWindow::kActFilings));
	EXPECT_FALSE(menu->IsItemEnabled(TDetailWindow::kActCharts));
	Action(window, TDetailWindow::kActBig);
	EXPECT_EQ(FrameworkTest::Descriptor(window), "Index Admiral Fund");
	EXPECT_TRUE(Visible(window, "bBnr"));
	EXPECT_FALSE(Visible(window, "aBnr"));
	EXPECT_EQ(actions->GetCurrentMenuItem(), TDetailWindow::kActBig);

	// News: the fund's three buttons; a fourth headline is not the window's.
	window->ObeyCommand(FOUR_CHAR_CODE("Nws2"), nullptr);
	ASSERT_EQ(mURLs.size(), 1u);
	EXPECT_EQ(mURLs[0], "http://news.example/vfiax/2");
	mSuper->mCommands.clear();
	window->ObeyCommand(FOUR_CHAR_CODE("Nws4"), nullptr);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{CommandT(FOUR_CHAR_CODE("Nws4"))});
	// The settings dialog's OK, when this window opened it, stops here.
	mSuper->mCommands.clear();
	EXPECT_TRUE(window->ObeyCommand(5124, nullptr));
	EXPECT_TRUE(mSuper->mCommands.empty());

	// Closed on its news page, moved: the fund keeps state 5, the place and the view.
	window->DoSetBounds(Rect{120, 140, 400, 500});
	window->GetMultiPanelView()->SwitchToPanel(2);
	Close(window);
	EXPECT_EQ(mFund.GetDetailWindow(), nullptr);
	SInt32 top = 0, left = 0;
	tZoomState zoom = 0;
	mFund.DetailWindowPosition(&top, &left, &zoom);
	EXPECT_EQ(top, 120);
	EXPECT_EQ(left, 140);
	EXPECT_EQ(zoom, TDetailWindow::kZoomSecondPage);
	EXPECT_EQ(mFund.ViewType(), TDetailWindow::kViewBig);

	// Reopened: the news page at full size where it was.
	window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(window->GetMultiPanelView()->GetCurrentIndex(), 2);
	const Rect bounds = Bounds(window);
	EXPECT_EQ(bounds.top, 120);
	EXPECT_EQ(bounds.left, 140);
	EXPECT_EQ(bounds.right - bounds.left, 360);
	EXPECT_EQ(bounds.bottom - bounds.top, 280);
	EXPECT_EQ(window->GetViewType(), TDetailWindow::kViewBig);
}

TEST_F(DetailWindowTest, TheZoomBoxStepsThroughThreeSizes)
{
	TFundDetailWindow* window = Open();
	ASSERT_NE(window, nullptr);
	window->DoSetBounds(Rect{100, 100, 380, 460});
	auto size = [&] {
		const Rect bounds = Bounds(window);
		EXPECT_EQ(bounds.top, 100);
		EXPECT_EQ(bounds.left, 100) << "the left edge stays";
		return std::make_pair(bounds.right - bounds.left, bounds.bottom - bounds.top);
	};

	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomBanner);
	EXPECT_EQ(size(), std::make_pair(360, 48));
	EXPECT_TRUE(Visible(window, "aBnr"));

	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomSmall);
	EXPECT_EQ(size(), std::make_pair(220, 24));
	EXPECT_TRUE(Visible(window, "sBnr"));
	EXPECT_FALSE(Visible(window, "aBnr"));
	EXPECT_EQ(FrameworkTest::Descriptor(window), "") << "the small banner has no title";

	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomFull);
	EXPECT_EQ(size(), std::make_pair(360, 280));

	// A held key chooses the size: control the small banner, option the banner, shift full size.
	mEnv->mKeys.control = true;
	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomSmall);
	mEnv->mKeys = {};
	mEnv->mKeys.option = true;
	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomBanner);
	mEnv->mKeys = {};
	mEnv->mKeys.shift = true;
	window->DoSetZoom(true);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomFull);
	mEnv->mKeys = {};

	// Closed small, reopened small.
	window->DoSetZoom(true);
	window->DoSetZoom(true);
	Close(window);
	window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(window->GetZoomState(), TDetailWindow::kZoomSmall);
	EXPECT_EQ(size(), std::make_pair(220, 24));
	EXPECT_TRUE(Visible(window, "sBnr"));
	EXPECT_EQ(FrameworkTest::Descriptor(window), "");
}

TEST_F(DetailWindowTest, ASmallLayoutKeepsItsSizeOnZoomAndIsUnlinkedBeforeItsRequestIsCancelled)
{
	static bool registered = false;
	if (!registered) {
		ASSERT_TRUE(ResourceStore::Get().LoadText(kSmallLayout, "small-test"));
		RegisterClass_(TSmallTestWindow);
		registered = true;
	}
	auto* window = dynamic_cast<TSmallTestWindow*>(LWindow::CreateWindow(29000, mSuper));
	ASSERT_NE(window, nullptr);
	mFund.SetDetailWindow(window->SecurityFace());
	window->SetCurrentSecurity(&mFund);
	const Rect before = Bounds(window);
	window->DoSetZoom(true);
	const Rect after = Bounds(window);
	EXPECT_EQ(after.right - after.left, before.right - before.left);
	EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
	EXPECT_EQ(Text(window, "aPrc"), "10.12");

	// Its request's cancellation completes at once, as the real one may: the window is no longer linked.
	mFund.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&mFund));
	IDetailWindow* linkedAtCancel = window->SecurityFace();
	mEnv->mOnCancel = [&](TSecurity* security) {
		linkedAtCancel = security->GetDetailWindow();
		security->UpdateSecurityReference(nullptr);
	};
	window->UnlinkAndCancel();
	mEnv->mOnCancel = nullptr;
	EXPECT_EQ(linkedAtCancel, nullptr);
	EXPECT_EQ(mEnv->mRequests.back().operation, "CancelURL");
}

TEST_F(DetailWindowTest, AnAlertStylesTheBannersAndFlashesTheirValuesInStepWithTheClock)
{
	StTestClock clock(6000);
	tAlertParameters& alert = mEnv->mPrefs.losingAlert;
	alert.enabled = 1;
	alert.condition = UZVUtils::alertPriceAtOrBelow;
	alert.limit = 11.0f;
	alert.flash = 1;
	alert.bold = 1;
	alert.underline = 1;
	mEnv->mPrefs.idling = {};
	UZVUtils::UpdateSecurity(&mFund, &alert, &mEnv->mPrefs.gainingAlert, &mEnv->mPrefs.idling);

	TFundDetailWindow* window = Open();
	ASSERT_NE(window, nullptr);
	auto* price = FrameworkTest::FindPane<TColourCaption>(window, "aPrc");
	ASSERT_NE(price, nullptr);
	EXPECT_EQ(price->GetAddedFace(), Style(bold | underline))
	    << "the alert's own styles, whatever the idle switches say";
	EXPECT_TRUE(window->IsIdling());

	// Shown from each whole second to 40 ticks past it and blank for the other 20; the text is the
	// kind's own throughout.
	std::string phases;
	for (UInt64 tick = 6000; tick < 6240; tick += 5) {
		clock.SetTicks(tick);
		window->SpendTime(EventRecord{});
		if (tick >= 6120)
			phases += Visible(window, "aPrc") ? 'x' : '.';
		EXPECT_EQ(Text(window, "aPrc"), "10.12");
		EXPECT_EQ(Visible(window, "aChn"), Visible(window, "aPrc"));
	}
	EXPECT_EQ(phases, "xxxxxxxx....xxxxxxxx....");

	// The alert ends: the values stay and the flashing stops.
	clock.SetTicks(6300);
	window->SpendTime(EventRecord{});
	mFund.CurrentTradePrice(12.0f);
	UZVUtils::UpdateSecurity(&mFund, &alert, &mEnv->mPrefs.gainingAlert, &mEnv->mPrefs.idling);
	mFund.UpdateDetailWindow();
	EXPECT_FALSE(window->IsIdling());
	EXPECT_TRUE(Visible(window, "aPrc"));
	EXPECT_EQ(price->GetAddedFace(), Style(normal));
}

TEST_F(DetailWindowTest, LinksOpenInTheBrowserAndTheContextMenuRunsTheActions)
{
	// No registered source: no page to open.
	TFundDetailWindow* window = Open();
	ASSERT_NE(window, nullptr);
	window->ObeyCommand(FOUR_CHAR_CODE("WebP"), nullptr);
	TDetailAction(&mFund).DoWeb();
	EXPECT_TRUE(mURLs.empty());

	TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostQuote, "quotes.test");
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	TQuoterManager::InitQuoterManager();
	mFund.OverrideQuoter(true);
	mFund.Quoter(kYahooUS);
	window->ObeyCommand(FOUR_CHAR_CODE("WebP"), nullptr);
	window->ObeyCommand(FOUR_CHAR_CODE("Quot"), nullptr);
	EXPECT_EQ(mURLs,
	          (std::vector<std::string>{"http://quotes.test/q?s=VFIAX&d=t", "http://finance.yahoo.com"}));
	// A view's action asks for the source's own page.
	mURLs.clear();
	TDetailAction(&mFund).DoWeb();
	TQuoterManager::FinishQuoterManager();
	TQuoterHosts::ResetHosts();
	ASSERT_EQ(mURLs.size(), 1u);
	EXPECT_EQ(mURLs[0], "http://quotes.test/q?s=VFIAX&d=t");
	mURLs.clear();

	// Trading: nothing while it is off, then the link merged with the fund.
	Action(window, TDetailWindow::kActTrade);
	EXPECT_TRUE(mURLs.empty());
	mEnv->mPrefs.useTradeURL = 1;
	std::snprintf(mEnv->mPrefs.tradeURL, sizeof mEnv->mPrefs.tradeURL,
	              "https://broker.example/buy?s=<<symbol>>&p=<<trade_price>>");
	window->Update();
	EXPECT_TRUE(window->GetActionButton()->GetMacMenuH()->IsItemEnabled(TDetailWindow::kActTrade));
	Action(window, TDetailWindow::kActTrade);
	ASSERT_EQ(mURLs.size(), 1u);
	EXPECT_EQ(mURLs[0], "https://broker.example/buy?s=VFIAX&p=10.12");

	// A fund's context menu is 5032: item 4 edits, item 6 asks for a quote.
	SInt16 shown = 0;
	UInt16 item = 4;
	SetPopUpMenuChooser([&](MenuHandle inMenu, Point, SInt16) -> SInt32 {
		shown = inMenu->GetMenuID();
		return (SInt32(shown) << 16) | item;
	});
	EventRecord click{};
	click.modifiers = controlKey;
	window->ClickInContent(click);
	EXPECT_EQ(shown, TDetailWindow::kOtherContextMenuID);
	auto* dialog = dynamic_cast<TSelectDlog*>(mFund.GetSelectDlog());
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(dialog->GetSuperCommander(), window);
	item = 6;
	window->ClickInContent(click);
	ASSERT_FALSE(mEnv->mRequests.empty());
	EXPECT_EQ(mEnv->mRequests.back().operation, "SubmitUserURL");

	dialog->AttemptClose();
	UDispatch::DeletePending();
}

TEST_F(DetailWindowTest, AFundPrintsItsPageToPdf)
{
	mFund.Quoter(kYahooUS);
	TFundDetailWindow* window = Open();
	ASSERT_NE(window, nullptr);
	ScratchFolder folder;
	const std::string pdf = folder.Path("fund-detail.pdf");
	PrintedText::PrintTo(pdf);
	Action(window, TDetailWindow::kActPrint);
	std::string text = PrintedText::Read(pdf);
	EXPECT_NE(text.find("Index Admiral Fund"), std::string::npos) << text;
	// Price and change with four decimals on a fund's page.
	EXPECT_NE(text.find("10.1234"), std::string::npos) << text;
	EXPECT_NE(text.find("+0.1234 (+1.23%)"), std::string::npos) << text;
	EXPECT_NE(text.find("11.50"), std::string::npos) << text;
	EXPECT_NE(text.find("Page 1 of 1"), std::string::npos) << text;

	// Without a previous close price and change are both the missing-value text.
	mFund.YesterdayClose(-9999.99f);
	std::filesystem::remove(pdf);
	Action(window, TDetailWindow::kActPrint);
	text = PrintedText::Read(pdf);
	const std::string missing = PascalStrings::ToString(gStockStrings[0]);
	auto line = [&](const std::string& inLabel) {
		const std::size_t at = text.find(inLabel);
		return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
	};
	EXPECT_NE(line("Price:").find(missing), std::string::npos) << text;
	EXPECT_NE(line("Change:").find(missing), std::string::npos) << text;
	EXPECT_EQ(text.find("10.1234"), std::string::npos) << text;

	// A failure on the way to the printer ends in the print error message.
	UPrinting::SetPrintJobDialog([](LPrintSettings&) -> Boolean { throw LException(err_NilPointer); });
	std::string expected;
	EXPECT_EQ(PrintedText::ErrorShownBy([&] { Action(window, TDetailWindow::kActPrint); }, &expected),
	          expected);
	EXPECT_FALSE(expected.empty());
}

} // namespace
