// The stock, index and currency detail windows and the currency quick quote over the program's own
// layouts: each filled from its security, then redrawn after a quote; conversions with a commission; and
// what a user can type into the quick quote.

#include "Includes/NoValue.h"
#include "Quoters/TQuoter.h"
#include "Quoters/TQuoterManager.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/Debugging.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "windows/security/TCurrencyDetailWindow.h"
#include "windows/security/TCurrencyQQWindow.h"
#include "windows/security/TIndexDetailWindow.h"
#include "windows/security/TStockDetailWindow.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace
{

// A source whose quotes stream in: no request to wait for.
class StreamingQuoter : public TQuoter
{
public:
	static constexpr tStockExchange kExchange = 851;
	const char* GetName() override { return "Stream"; }
	OSType GetSig() override { return FOUR_CHAR_CODE("Akti"); }
	long GetProtocol() override { return kQuoterProtocolStreaming; }
	void GetExchanges(const tStockExchange** outList, short* outCount) override
	{
		static const tStockExchange exchanges[] = {kExchange};
		*outList = exchanges;
		*outCount = 1;
	}
	UInt32 GetFeatures() override { return 0; }
	float GetConfidence() override { return 1.0f; }
};

class DetailWindowKindsTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		mEnv->SetStockCString(33, "%.2f %s costs %s %s");
		mEnv->SetStockCString(34, "%.2f %s sells for %s %s");
		mEnv->SetStockCString(35, "%.2f %s costs %s %s");
		mEnv->SetStockCString(36, "%.2f %s sells for %s %s");
		mEnv->SetStockCString(43, "%d %s = %s %s");
		mSignals = Debugging::SignalCount();
	}

	// Every pane a window looks for is in its layout.
	void TearDown() override
	{
		EXPECT_EQ(Debugging::SignalCount(), mSignals);
		UPrinting::SetPrintJobDialog(nullptr);
		SecurityWindowsFixture::TearDown();
	}

	// The text of the page the window prints, as a PDF reader sees it.
	std::string PrintedPage(TDetailWindow* inWindow)
	{
		ScratchFolder folder;
		const std::string pdf = folder.Path("kind-detail.pdf");
		PrintedText::PrintTo(pdf);
		SInt32 item = TDetailWindow::kActPrint;
		inWindow->ObeyCommand(FOUR_CHAR_CODE("Actn"), &item);
		return PrintedText::Read(pdf);
	}

	// The kind's window showing the security, as the security opens it.
	template <class T> T* Open(TSecurity* inSecurity)
	{
		auto* window = dynamic_cast<T*>(TDetailWindow::Make(T::kLayoutID));
		EXPECT_NE(window, nullptr) << T::kLayoutID;
		if (window == nullptr)
			return nullptr;
		inSecurity->SetDetailWindow(window->SecurityFace());
		window->SetCurrentSecurity(inSecurity);
		window->Show();
		return window;
	}

	static std::string NoValueText()
	{
		const unsigned char* text = gStockStrings[0];
		return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
	}

	static void FillAcme(TStock& outStock)
	{
		outStock.SecuritySymbol("ACME");
		outStock.SecurityName("Acme Corporation");
		outStock.Exchange(101);
		outStock.CurrentTradePrice(12.5f);
		outStock.YesterdayClose(12.0f);
		outStock.DayOpen(12.1f);
		outStock.DayLow(kNoValue);
		outStock.DayVolume(1234567);
		outStock.CurrentTradeBid(12.45f);
		outStock.EarningsPerShare(1.234f);
		outStock.PriceEarningsRatio(10.12345f);
		outStock.DividendPerShare(0.5f);
		outStock.Yield(2.456f);
	}

	long mSignals = 0;
};

TEST_F(DetailWindowKindsTest, StockWindowShowsEveryPageAndFollowsAQuote)
{
	TStock stock;
	FillAcme(stock);
	auto* window = Open<TStockDetailWindow>(&stock);
	ASSERT_NE(window, nullptr);

	EXPECT_EQ(Text(window, "bSym"), "ACME");
	EXPECT_EQ(Text(window, "aSym"), "Acme Corporation");
	EXPECT_EQ(Text(window, "bPrc"), "12.50");
	EXPECT_EQ(Text(window, "lstP"), "12.50");
	EXPECT_EQ(Text(window, "dayO"), "12.10");
	EXPECT_EQ(Text(window, "dayL"), NoValueText());
	EXPECT_EQ(Text(window, "dayV"), "1,234,567");
	EXPECT_EQ(Text(window, "lstB"), "12.45");
	EXPECT_EQ(Text(window, "lstA"), NoValueText());
	EXPECT_EQ(Text(window, "oEPS"), "1.23");
	EXPECT_EQ(Text(window, "oPER"), "10.1235");
	EXPECT_EQ(Text(window, "oDPS"), "0.50");
	EXPECT_EQ(Text(window, "yELD"), "2.46");
	EXPECT_FALSE(Text(window, "Exch").empty());
	EXPECT_NE(Text(window, "sPrc"), Text(window, "bPrc")) << "the small banner shows the change";

	// A quote arrives: the security redraws its window.
	stock.CurrentTradePrice(13.0f);
	stock.DayLow(11.9f);
	stock.UpdateDetailWindow();
	EXPECT_EQ(Text(window, "bPrc"), "13.00");
	EXPECT_EQ(Text(window, "aPrc"), "13.00");
	EXPECT_EQ(Text(window, "lstP"), "13.00");
	EXPECT_EQ(Text(window, "dayL"), "11.90");
}

TEST_F(DetailWindowKindsTest, AStreamingStockNeverShowsTheArrows)
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::ClearQuoterClasses();
	TQuoterManager::RegisterQuoterClass(FOUR_CHAR_CODE("Akti"),
	                                    []() -> TQuoter* { return new StreamingQuoter; });
	TQuoterManager::InitQuoterManager();
	TStock stock;
	FillAcme(stock);
	stock.Exchange(StreamingQuoter::kExchange);
	auto* window = Open<TStockDetailWindow>(&stock);
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(window->GetQuoteMode(), TStockDetailWindow::kStreaming);
	stock.StartUpdatingDetailWindow();
	auto* arrows = FrameworkTest::FindPane<LChasingArrows>(window, "Arrw");
	auto* update = FrameworkTest::FindPane<LBevelButton>(window, "Updt");
	ASSERT_TRUE(arrows && update);
	EXPECT_FALSE(arrows->IsVisible());
	EXPECT_TRUE(update->IsEnabled());
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();

	// A polled stock turns the arrows while its request runs.
	TStock polled;
	FillAcme(polled);
	auto* other = Open<TStockDetailWindow>(&polled);
	ASSERT_NE(other, nullptr);
	EXPECT_EQ(other->GetQuoteMode(), TStockDetailWindow::kPolled);
	polled.StartUpdatingDetailWindow();
	EXPECT_TRUE(FrameworkTest::FindPane<LChasingArrows>(other, "Arrw")->IsVisible());
	EXPECT_FALSE(FrameworkTest::FindPane<LBevelButton>(other, "Updt")->IsEnabled());
}

TEST_F(DetailWindowKindsTest, IndexWindowShowsItsQuoteAndTheChangeInTheSmallBanner)
{
	TIndex index;
	index.SecuritySymbol("^DJI");
	index.SecurityName("Dow Jones");
	index.CurrentTradePrice(35100.5f);
	index.YesterdayClose(35000.25f);
	index.DayOpen(35000.25f);
	index.YearLow(kNoValue);
	auto* window = Open<TIndexDetailWindow>(&index);
	ASSERT_NE(window, nullptr);

	EXPECT_EQ(Text(window, "bSym"), "^DJI");
	EXPECT_EQ(Text(window, "bPrc"), "35100.50");
	EXPECT_EQ(Text(window, "dayO"), "35000.25");
	EXPECT_EQ(Text(window, "ydyC"), "35000.25");
	EXPECT_EQ(Text(window, "ytdL"), NoValueText());
	EXPECT_NE(Text(window, "sPrc").find("100.25"), std::string::npos) << Text(window, "sPrc");

	index.CurrentTradePrice(34900.0f);
	index.UpdateDetailWindow();
	EXPECT_EQ(Text(window, "lstP"), "34900.00");
	EXPECT_NE(Text(window, "sPrc").find("100.25"), std::string::npos) << Text(window, "sPrc");
}

TEST_F(DetailWindowKindsTest, CurrencyWindowShowsTheRateToSixPlacesAndConvertsBothWays)
{
	TCurrency pair;
	pair.CurrencyFrom(100); // USD
	pair.CurrencyTo(300);   // EUR
	pair.SecuritySymbol("USD,EUR");
	pair.SecurityName("US Dollar -> Euro");
	pair.YesterdayClose(0.9f);
	auto* window = Open<TCurrencyDetailWindow>(&pair);
	ASSERT_NE(window, nullptr);
	// No rate yet: every line says so inside its format.
	EXPECT_NE(Text(window, "BuyF").find(NoValueText()), std::string::npos) << Text(window, "BuyF");
	EXPECT_NE(Text(window, "SllT").find(NoValueText()), std::string::npos) << Text(window, "SllT");

	pair.CurrentTradePrice(0.9234567f);
	pair.UpdateDetailWindow();
	EXPECT_EQ(Text(window, "bPrc"), "0.923457");
	EXPECT_EQ(Text(window, "aPrc"), "0.923457");
	EXPECT_EQ(Text(window, "sPrc"), "0.923457") << "a pair's small banner shows the rate";
	const std::string from = Text(window, "BuyF");
	EXPECT_NE(from.find("1 "), std::string::npos);
	EXPECT_NE(from.find("= 0.92 "), std::string::npos) << from;
	EXPECT_NE(Text(window, "SllF").find("100 "), std::string::npos);
	EXPECT_NE(Text(window, "SllF").find("= 92.35 "), std::string::npos) << Text(window, "SllF");
	EXPECT_NE(Text(window, "SllT").find("= 108.29 "), std::string::npos) << Text(window, "SllT");

	// The blink hides and shows the rate; it comes back with its six places.
	window->ShowFlashingValues(false);
	window->ShowFlashingValues(true);
	EXPECT_EQ(Text(window, "aPrc"), "0.923457");

	// A currency the table does not know gives an empty code, never a crash.
	pair.CurrencyTo(tCurrency(-1234));
	pair.UpdateDetailWindow();
	EXPECT_EQ(Text(window, "BuyF"), "1 USD = 0.92 ") << Text(window, "BuyF");
}

TEST_F(DetailWindowKindsTest, EachKindPrintsItsOwnPage)
{
	TStock stock;
	FillAcme(stock);
	std::string text = PrintedPage(Open<TStockDetailWindow>(&stock));
	EXPECT_NE(text.find("Acme Corporation"), std::string::npos) << text;
	EXPECT_NE(text.find("+0.50 (+4.17%)"), std::string::npos) << text;
	EXPECT_NE(text.find("1,234,567"), std::string::npos) << text;
	EXPECT_NE(text.find("10.1235"), std::string::npos) << text;
	EXPECT_NE(text.find("Page 1 of 1"), std::string::npos) << text;

	// The source line of a page: what follows "Source:" on its line.
	auto printedSource = [](const std::string& inText) {
		const std::size_t at = inText.find("Source:");
		if (at == std::string::npos)
			return std::string();
		std::string line = inText.substr(at + 7, inText.find('\n', at) - at - 7);
		line.erase(0, line.find_first_not_of(' '));
		return line;
	};
	TQuoterManager::InitQuoterManager();

	// Without a previous close price and change are both the missing-value text; the rest still prints.
	TIndex index;
	index.SecurityName("Dow Jones");
	index.CurrentTradePrice(35100.5f);
	index.DayOpen(35000.25f);
	auto* indexWindow = Open<TIndexDetailWindow>(&index);
	text = PrintedPage(indexWindow);
	EXPECT_NE(text.find("Dow Jones"), std::string::npos) << text;
	// The source printed is the one the window shows, the kind's when the index has none of its own.
	EXPECT_EQ(printedSource(text), Text(indexWindow, "Quot"));
	char noSource[256] = {};
	TQuoterManager::GetQuoterName(kNoQuoter, noSource, 255);
	EXPECT_NE(printedSource(text), noSource);
	EXPECT_NE(text.find("35000.25"), std::string::npos) << text;
	const std::string missing = NoValueText();
	const std::size_t first = text.find(missing);
	ASSERT_NE(first, std::string::npos) << text;
	EXPECT_NE(text.find(missing, first + missing.size()), std::string::npos) << text;

	TCurrency pair;
	pair.SecurityName("US Dollar -> Euro");
	pair.CurrentTradePrice(0.9234567f);
	pair.YesterdayClose(0.9f);
	auto* pairWindow = Open<TCurrencyDetailWindow>(&pair);
	text = PrintedPage(pairWindow);
	EXPECT_NE(text.find("US Dollar -> Euro"), std::string::npos) << text;
	EXPECT_EQ(printedSource(text), Text(pairWindow, "Quot"));
	EXPECT_NE(printedSource(text), noSource);
	EXPECT_NE(text.find("0.923457"), std::string::npos) << text;
	EXPECT_NE(text.find("+0.023457"), std::string::npos) << text;
}

TEST_F(DetailWindowKindsTest, CurrencyQuickQuoteConvertsTheAmountWithTheCommission)
{
	mEnv->mPrefs.currencyQQAmount = 250;
	mEnv->mPrefs.currencyQQAdjustment = 150; // not on the menu
	auto* window =
	    dynamic_cast<TCurrencyQQWindow*>(LWindow::CreateWindow(TCurrencyQQWindow::kLayoutID, mSuper));
	ASSERT_NE(window, nullptr);
	auto* commission = FrameworkTest::FindPane<LPopupButton>(window, "qqCm");
	auto* amount = FrameworkTest::FindPane<LEditText>(window, "qqCv");
	ASSERT_TRUE(commission && amount);
	EXPECT_EQ(commission->GetValue(), 1);
	EXPECT_NE(Text(window, "BuyF").find(NoValueText()), std::string::npos);
	window->ObeyCommand(FOUR_CHAR_CODE("qqCv"), nullptr);
	EXPECT_EQ(mEnv->mPrefs.currencyQQAdjustment, 0) << "a commission the menu lacks is stored as none";

	TCurrency* pair = window->GetCurrency();
	ASSERT_NE(pair, nullptr);
	pair->CurrentTradePrice(2.0f);
	commission->SetValue(4); // 1 percent: redrawn at once, nothing fetched
	window->ObeyCommand(FOUR_CHAR_CODE("qqCm"), nullptr);
	EXPECT_EQ(mEnv->mPrefs.currencyQQAdjustment, 100);
	EXPECT_NE(Text(window, "BuyF").find("505.00"), std::string::npos) << Text(window, "BuyF");
	EXPECT_NE(Text(window, "SllF").find("495.00"), std::string::npos) << Text(window, "SllF");
	EXPECT_NE(Text(window, "BuyT").find("126.25"), std::string::npos) << Text(window, "BuyT");
	EXPECT_NE(Text(window, "SllT").find("123.75"), std::string::npos) << Text(window, "SllT");
	EXPECT_TRUE(mEnv->mRequests.empty());

	// Any amount the user types stays inside its line, however long its conversion at a tiny rate.
	const std::string huge(15, '9'); // as many as the field takes
	amount->SetText(huge.c_str(), Size(huge.size()));
	pair->CurrentTradePrice(1e-44f);
	window->ObeyCommand(FOUR_CHAR_CODE("qqCv"), nullptr);
	EXPECT_GT(mEnv->mPrefs.currencyQQAmount, 9e14f);
	for (const char* line : {"BuyF", "SllF", "BuyT", "SllT"}) {
		const std::string text = Text(window, reinterpret_cast<const char(&)[5]>(*line));
		EXPECT_LE(text.size(), 255u) << line;
		// The amount as the float holds it, in its shortest form: 1e15.
		EXPECT_EQ(text.rfind("1000000000000000.00 ", 0), 0u) << text;
	}

	// Zoom leaves the small window as it is.
	Rect before, after;
	window->GetGlobalBounds(before);
	window->DoSetZoom(true);
	window->GetGlobalBounds(after);
	EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
	EXPECT_EQ(after.right - after.left, before.right - before.left);
}

} // namespace
