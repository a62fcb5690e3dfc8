#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/tNewsEntry.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UReanimator.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "toolkit/UKsStrings.h"
#include "windows/security/TCurrencyDetailView.h"
#include "windows/security/TDetailView.h"
#include "windows/security/TFundDetailView.h"
#include "windows/security/TIndexDetailView.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/TStockDetailView.h"

#include <QImage>
#include <cstring>
#include <functional>

namespace
{

constexpr float kNoValue = -9999.99f;

class DetailViewTest : public SecurityWindowsFixture
{
protected:
	template <class T> std::unique_ptr<T> MakeView(ResIDT inLayout)
	{
		LPane* pane = UReanimator::ReadObjects(inLayout, nullptr, mSuper);
		auto* view = dynamic_cast<T*>(pane);
		EXPECT_NE(view, nullptr) << inLayout;
		if (view == nullptr)
			delete pane;
		return std::unique_ptr<T>(view);
	}

	static std::string NoValueText()
	{
		const unsigned char* text = gStockStrings[0];
		return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
	}
};

TEST_F(DetailViewTest, StockViewShowsTheStockAndFollowsItsUpdates)
{
	TStock stock;
	stock.SecuritySymbol("ACME");
	stock.SecurityName("Acme Corporation");
	stock.Exchange(300);
	stock.CurrentTradePrice(12.5f);
	stock.YesterdayClose(12.0f);
	stock.DayOpen(12.1f);
	stock.DayHigh(12.75f);
	stock.DayLow(kNoValue);
	stock.DayVolume(1234567);
	stock.CurrentTradeBid(12.45f);
	stock.CurrentTradeAsk(12.55f);
	stock.EarningsPerShare(1.234f);
	stock.PriceEarningsRatio(10.12345f);
	modeltest::AddNews(stock, "Acme beats estimates", "news.example", "/acme/1");

	auto view = MakeView<TStockDetailView>(5031);
	ASSERT_TRUE(view);
	ASSERT_TRUE(view->HasNews());
	view->SetStock(&stock);

	EXPECT_EQ(Text(view.get(), "cNam"), "Acme Corporation");
	EXPECT_EQ(Text(view.get(), "curP"), "12.50");
	EXPECT_EQ(Text(view.get(), "dayO"), "12.10");
	EXPECT_EQ(Text(view.get(), "dayH"), "12.75");
	EXPECT_EQ(Text(view.get(), "dayL"), NoValueText());
	EXPECT_EQ(Text(view.get(), "dayV"), "1,234,567");
	EXPECT_EQ(Text(view.get(), "lstB"), "12.45");
	EXPECT_EQ(Text(view.get(), "oEPS"), "1.23");
	EXPECT_EQ(Text(view.get(), "oPER"), "10.1235");
	EXPECT_EQ(Text(view.get(), "Nws1"), "Acme beats estimates");
	EXPECT_EQ(Text(view.get(), "Nws2"), "");
	EXPECT_EQ(view->GetCommand(), 5051);

	// The host gives the view its security again after an update.
	stock.CurrentTradePrice(13.0f);
	stock.DayLow(11.9f);
	stock.SecurityName("");
	view->RedoContent();
	EXPECT_EQ(Text(view.get(), "curP"), "13.00");
	EXPECT_EQ(Text(view.get(), "lstP"), "13.00");
	EXPECT_EQ(Text(view.get(), "dayL"), "11.90");
	EXPECT_EQ(Text(view.get(), "cNam"), "ACME") << "without a name the symbol stands in";

	view->ListenToMessage(FOUR_CHAR_CODE("Nws1"), nullptr);
	ASSERT_EQ(mURLs.size(), 1u);
	EXPECT_EQ(mURLs[0], "http://news.example/acme/1");
}

TEST_F(DetailViewTest, AViewWithoutNewsButtonsIgnoresTheirMessages)
{
	TStock stock;
	stock.SecuritySymbol("ACME");
	modeltest::AddNews(stock, "Headline", "news.example", "/1");
	auto view = MakeView<TStockDetailView>(5030);
	ASSERT_TRUE(view);
	EXPECT_FALSE(view->HasNews());
	view->SetStock(&stock);
	view->ListenToMessage(FOUR_CHAR_CODE("Nws1"), nullptr);
	EXPECT_TRUE(mURLs.empty());
}

TEST_F(DetailViewTest, FundIndexAndCurrencyViewsShowTheirOwnValues)
{
	TFund fund;
	fund.SecuritySymbol("VFIAX");
	fund.YesterdayClose(401.5f);
	fund.YearHigh(420.0f);
	auto fundView = MakeView<TFundDetailView>(5032);
	ASSERT_TRUE(fundView);
	fundView->SetFund(&fund);
	EXPECT_EQ(Text(fundView.get(), "ydyC"), "401.50");
	EXPECT_EQ(Text(fundView.get(), "ytdH"), "420.00");
	EXPECT_EQ(fundView->GetCommand(), 5052);

	TIndex index;
	index.SecuritySymbol("^DJI");
	index.DayOpen(35000.25f);
	index.YearLow(kNoValue);
	auto indexView = MakeView<TIndexDetailView>(5035);
	ASSERT_TRUE(indexView);
	indexView->SetIndex(&index);
	EXPECT_EQ(Text(indexView.get(), "dayO"), "35000.25");
	EXPECT_EQ(Text(indexView.get(), "ytdL"), NoValueText());
	EXPECT_EQ(indexView->GetCommand(), 5053);

	TCurrency pair;
	pair.SecuritySymbol("EURUSD");
	pair.CurrentTradePrice(1.0876543f);
	pair.YesterdayClose(1.08f);
	auto pairView = MakeView<TCurrencyDetailView>(5036);
	ASSERT_TRUE(pairView);
	pairView->SetCurrency(&pair);
	EXPECT_EQ(Text(pairView.get(), "curP"), "1.087654") << "rates show six places";
	EXPECT_EQ(Text(pairView.get(), "ydyC"), "1.08");
	EXPECT_EQ(pairView->GetCommand(), 5054);
}

TEST_F(DetailViewTest, ContextActionsOpenPagesAskForQuotesAndEditTheSecurity)
{
	TStock stock;
	stock.SecuritySymbol("ACME");
	stock.SecurityName("Acme");
	stock.Exchange(101);
	mEnv->SetStockCString(27, "http://filings.example/?s=%s");
	mEnv->SetStockCString(28, "http://charts.example/%s");
	auto view = MakeView<TStockDetailView>(5030);
	ASSERT_TRUE(view);
	view->SetStock(&stock);

	view->DoMenuItem(TDetailView::kMenuCharts);
	view->DoMenuItem(TDetailView::kMenuFilings);
	ASSERT_EQ(mURLs.size(), 2u);
	EXPECT_EQ(mURLs[0], "http://charts.example/ACME");
	EXPECT_EQ(mURLs[1], "http://filings.example/?s=ACME");

	// An exchange outside both groups opens nothing; so does trading while it is off.
	stock.Exchange(300);
	view->DoMenuItem(TDetailView::kMenuCharts);
	view->DoMenuItem(TDetailView::kMenuTrade);
	EXPECT_EQ(mURLs.size(), 2u);
	mEnv->mPrefs.useTradeURL = 1;
	std::strcpy(mEnv->mPrefs.tradeURL, "https://broker.example/trade");
	view->DoMenuItem(TDetailView::kMenuTrade);
	ASSERT_EQ(mURLs.size(), 3u);
	EXPECT_EQ(mURLs[2], "https://broker.example/trade");
	// A link typed without its scheme opens nothing, and the user is told which link to mend.
	std::strcpy(mEnv->mPrefs.tradeURL, "broker.example/trade?s=<<symbol>>");
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	view->DoMenuItem(TDetailView::kMenuTrade);
	EXPECT_EQ(mURLs.size(), 3u);
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[0].text,
	          "The trading link \xD2" "broker.example/trade?s=<<symbol>>\xD3 is not a web address, so Trade "
	          "cannot open it. Give a link that begins with http:// or https:// in the settings, under "
	          "Trading.");

	// Update asks for a fresh quote also while one is outstanding (a request waiting in the round moves
	// up), and never cancels it.
	view->DoMenuItem(TDetailView::kMenuUpdate);
	stock.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&stock));
	view->DoMenuItem(TDetailView::kMenuUpdate);
	stock.UpdateSecurityReference(nullptr);
	ASSERT_EQ(mEnv->mRequests.size(), 2u);
	EXPECT_EQ(mEnv->mRequests[0].operation, "SubmitUserURL");
	EXPECT_EQ(mEnv->mRequests[1].operation, "SubmitUserURL");

	// Edit opens the settings dialog under the application; its OK reports the kind's list.
	view->DoMenuItem(TDetailView::kMenuEdit);
	auto* dialog = dynamic_cast<TSelectDlog*>(stock.GetSelectDlog());
	ASSERT_NE(dialog, nullptr);
	dialog->ObeyCommand(2000, nullptr);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5051});
	EXPECT_EQ(stock.GetSelectDlog(), nullptr);
}

TEST_F(DetailViewTest, TheTradeAndUpdateTimesFitOnTheirLinesInEveryLayout)
{
	// The program's own wording of the times, not the tests' short stand-in.
	char* wording = UKsStrings::LoadStringC(5001, 42);
	ASSERT_NE(wording, nullptr);
	mEnv->SetStockCString(41, wording);
	delete[] wording;
	TVyDate when;
	when.SetYear(2026);
	when.SetMonth(12);
	when.SetDay(28);
	when.SetHour(23);
	when.SetMinute(58);
	when.SetSecond(58);
	when.SetDefined(true);
	TStock stock;
	TFund fund;
	TIndex index;
	TCurrency pair;
	for (TSecurity* security : std::initializer_list<TSecurity*>{&stock, &fund, &index, &pair}) {
		security->SecuritySymbol("WWWW");
		security->CurrentTradeUpdate(&when);
		security->LastUpdate(&when);
	}
	QImage image(10, 10, QImage::Format_RGB32);
	GrafPtr port = NewImagePort(&image);
	SetPort(port);
	auto fits = [&](LView* inView, ResIDT inLayout, const char(&inID)[5]) {
		auto* line = dynamic_cast<LStaticText*>(inView->FindPaneByID(PaneIDT(FOUR_CHAR_CODE(inID))));
		ASSERT_NE(line, nullptr) << inLayout << inID;
		const std::string text = Text(inView, inID);
		ASSERT_FALSE(text.empty()) << inLayout << inID;
		UTextTraits::SetPortTextTraits(line->GetTextTraitsID());
		SDimension16 frame;
		line->GetFrameSize(frame);
		EXPECT_LE(StringWidth(text.c_str()), frame.width) << inLayout << " " << inID << " " << text;
	};
	// Each kind below the table (the first layout) and beside it (the next).
	auto check = [&](ResIDT inBelow, const std::function<void(TDetailView*)>& inShow) {
		for (ResIDT layout : {inBelow, ResIDT(inBelow + 1)}) {
			auto view = MakeView<TDetailView>(layout);
			ASSERT_TRUE(view);
			inShow(view.get());
			fits(view.get(), layout, "dtTr");
			fits(view.get(), layout, "dtUp");
		}
	};
	check(5030, [&](TDetailView* v) { dynamic_cast<TStockDetailView*>(v)->SetStock(&stock); });
	check(5032, [&](TDetailView* v) { dynamic_cast<TFundDetailView*>(v)->SetFund(&fund); });
	check(5034, [&](TDetailView* v) { dynamic_cast<TIndexDetailView*>(v)->SetIndex(&index); });
	check(5036, [&](TDetailView* v) { dynamic_cast<TCurrencyDetailView*>(v)->SetCurrency(&pair); });
	SetPort(nullptr);
	DisposePort(port);
}

} // namespace
