// The two quick quotes in the running program, their quotes fetched from a loopback server named as the
// HTTP proxy: the user types what to quote, asks with Return, sees the answer or stops the request, adds
// what was quoted to its list, and finds the window as it was left when reopening it.

#include "Includes/tStockTickerPrefs.h"
#include "Internet/UApplicationNotices.h"
#include "app/TStockPlugin.h"
#include "model/TCurrency.h"
#include "model/TStock.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/UKeyFilters.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "windows/security/TCurrencyQQWindow.h"
#include "windows/security/TStockQQWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <cstring>

using WindowInput::Text;

namespace
{

class QuickQuoteE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}

	template <class T> T* OpenWindow(kestrunApp& inApp, long inCommand, tPluginWindow inWhich)
	{
		inApp.ObeyCommand(inCommand, nullptr);
		IPluginWindow* face = TStockPlugin::sStockPlugin->GetWindow(inWhich);
		return face != nullptr ? dynamic_cast<T*>(face->GetCommander()) : nullptr;
	}

	static void Close(tPluginWindow inWhich)
	{
		TStockPlugin::sStockPlugin->GetWindow(inWhich)->AttemptClose();
		EXPECT_TRUE(
		    RunUntil([&] { return TStockPlugin::sStockPlugin->GetWindow(inWhich) == nullptr; }));
	}

	// Asks for the quote as the user does, with Return.
	static void PressReturn(TVyWindow* inWindow)
	{
		inWindow->HandleKeyPress(WindowInput::KeyEvent(char_Return));
	}

	static bool IsBusy(LView* inWindow)
	{
		LPane* arrows = inWindow->FindPaneByID(FOUR_CHAR_CODE("Arrw"));
		LPane* button = inWindow->FindPaneByID(2000);
		return arrows->IsVisible() && !button->IsEnabled();
	}

	int mBeeps = 0;
};

TEST_F(QuickQuoteE2ETest, StockQuickQuoteFetchesStopsAddsAndRemembersTheStock)
{
	auto app = Start();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	ASSERT_NE(plugin, nullptr);
	UApplicationNotices::Install({[this] { ++mBeeps; }, {}, {}, {}, {}, {}});
	auto* listed = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(listed, nullptr);
	tStockTickerPrefs* prefs = plugin->GetPrefs();
	std::strcpy(prefs->stockQQSymbol, "OLDQ");
	prefs->stockQQExchange = listed->Exchange();
	prefs->stockQQQuoter = TQuoterManager::GetQuoterSig(listed);
	const std::size_t listedCount = Securities(securityStock).size();

	auto* window = OpenWindow<TStockQQWindow>(*app, 5113, windowStockQQ);
	ASSERT_NE(window, nullptr);
	auto* symbol = FrameworkTest::FindPane<LEditText>(window, "qqSm");
	ASSERT_NE(symbol, nullptr);
	EXPECT_EQ(Text(window, "qqSm"), "OLDQ");
	symbol->SetText("ZZQQ", 4);

	PressReturn(window);
	TStock* stock = window->GetStock();
	ASSERT_NE(stock, nullptr);
	ASSERT_NE(stock->UpdateSecurityReference(), nullptr);
	EXPECT_STREQ(stock->SecuritySymbol(), "ZZQQ");
	EXPECT_TRUE(IsBusy(window));
	ServeRequestOf(stock);
	ASSERT_TRUE(RunUntil([&] { return stock->UpdateSecurityReference() == nullptr; }));
	EXPECT_EQ(Text(window, "aPrc"), "101.25");
	EXPECT_EQ(Text(window, "lstP"), "101.25");
	EXPECT_FALSE(IsBusy(window));

	// The arrow keys do nothing; command-period stops a request on its way.
	EXPECT_TRUE(window->HandleKeyPress(WindowInput::KeyEvent(char_UpArrow)));
	PressReturn(window);
	ASSERT_NE(stock->UpdateSecurityReference(), nullptr);
	window->HandleKeyPress(WindowInput::KeyEvent('.', cmdKey));
	EXPECT_EQ(stock->UpdateSecurityReference(), nullptr);
	EXPECT_FALSE(IsBusy(window));

	// Added once; asked again it only beeps.
	window->ObeyCommand(FOUR_CHAR_CODE("qqAd"), nullptr);
	ASSERT_EQ(Securities(securityStock).size(), listedCount + 1);
	TStock* added = TStockPlugin::GetStock("ZZQQ", listed->Exchange());
	ASSERT_NE(added, nullptr);
	window->ObeyCommand(FOUR_CHAR_CODE("qqAd"), nullptr);
	EXPECT_EQ(Securities(securityStock).size(), listedCount + 1);
	EXPECT_EQ(mBeeps, 1);

	// Closing keeps the choices, not any place in the listed stock; reopening shows them.
	SInt32 top = -1, left = -1;
	tZoomState zoom = 0;
	added->DetailWindowPosition(&top, &left, &zoom);
	Close(windowStockQQ);
	EXPECT_STREQ(prefs->stockQQSymbol, "ZZQQ");
	SInt32 topAfter = -1, leftAfter = -1;
	tZoomState zoomAfter = 0;
	added->DetailWindowPosition(&topAfter, &leftAfter, &zoomAfter);
	EXPECT_EQ(std::make_tuple(topAfter, leftAfter, zoomAfter), std::make_tuple(top, left, zoom));

	window = OpenWindow<TStockQQWindow>(*app, 5113, windowStockQQ);
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(Text(window, "qqSm"), "ZZQQ");
	EXPECT_EQ(window->GetStock()->Exchange(), listed->Exchange());
	EXPECT_EQ(window->GetStock()->Quoter(), TQuoterManager::GetQuoterSig(listed));
}

TEST_F(QuickQuoteE2ETest, CurrencyQuickQuoteFetchesTheRateConvertsAndAddsThePairOnce)
{
	auto app = Start();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	ASSERT_NE(plugin, nullptr);
	UApplicationNotices::Install({[this] { ++mBeeps; }, {}, {}, {}, {}, {}});
	auto* listed = dynamic_cast<TCurrency*>(Securities(securityCurrency).front());
	ASSERT_NE(listed, nullptr);
	tStockTickerPrefs* prefs = plugin->GetPrefs();
	prefs->currencyQQFrom = listed->CurrencyFrom();
	prefs->currencyQQTo = listed->CurrencyTo();
	prefs->currencyQQAmount = 100;
	prefs->currencyQQAdjustment = 0;
	prefs->currencyQQTop = 120;
	prefs->currencyQQLeft = 140;

	auto* window = OpenWindow<TCurrencyQQWindow>(*app, 5143, windowCurrencyQQ);
	ASSERT_NE(window, nullptr);
	Rect bounds;
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.top, 120);
	EXPECT_EQ(bounds.left, 140);

	PressReturn(window);
	TCurrency* pair = window->GetCurrency();
	ASSERT_NE(pair->UpdateSecurityReference(), nullptr);
	EXPECT_TRUE(IsBusy(window));
	ServeRequestOf(pair);
	ASSERT_TRUE(RunUntil([&] { return pair->UpdateSecurityReference() == nullptr; }));
	const float rate = pair->CurrentTradePrice();
	ASSERT_NE(rate, kNoValue);
	char expected[64];
	std::snprintf(expected, sizeof expected, "%.6f", double(rate));
	EXPECT_EQ(Text(window, "aPrc"), expected);
	std::snprintf(expected, sizeof expected, "%.2f", double(rate) * 100);
	EXPECT_NE(Text(window, "BuyF").find(expected), std::string::npos) << Text(window, "BuyF");
	EXPECT_FALSE(IsBusy(window));

	// The pair is in the list already: adding only beeps.
	const std::size_t count = Securities(securityCurrency).size();
	window->ObeyCommand(FOUR_CHAR_CODE("qqAd"), nullptr);
	EXPECT_EQ(Securities(securityCurrency).size(), count);
	EXPECT_EQ(mBeeps, 1);

	// The lines follow the amount as it is typed, rounded as everywhere else. One that is no number is
	// refused when the quote is asked for, and the lines keep the last amount it gave (1.2, on the way).
	auto* amount = FrameworkTest::FindPane<LEditText>(window, "qqCv");
	ASSERT_NE(amount, nullptr);
	auto type = [&](const std::string& keys) {
		for (char key : keys)
			WindowInput::Key(amount, key);
	};
	amount->SelectAll();
	type("2.675");
	EXPECT_EQ(Text(window, "BuyF").rfind("2.68 ", 0), 0u) << Text(window, "BuyF");
	amount->SelectAll();
	for (const char* keys : {"1.2.3\r", "\b\r"}) {
		const int beeps = mBeeps;
		type(keys);
		EXPECT_EQ(mBeeps, beeps + 1) << Text(window, "qqCv");
		EXPECT_EQ(pair->UpdateSecurityReference(), nullptr);
		EXPECT_EQ(LCommander::GetTarget(), amount);
		SInt16 start = -1, end = -1;
		amount->GetSelection(start, end);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(end, SInt16(Text(window, "qqCv").size()));
		EXPECT_EQ(Text(window, "BuyF").rfind("1.20 ", 0), 0u) << Text(window, "BuyF");
	}

	// Another pair with another amount, remembered for the next window.
	auto* to = FrameworkTest::FindPane<LPopupButton>(window, "qqTo");
	ASSERT_NE(to, nullptr);
	const SInt32 otherTo = to->GetValue() == 1 ? 2 : 1;
	to->SetValue(otherTo);
	amount->SetText("42.5", 4);
	window->ObeyCommand(FOUR_CHAR_CODE("qqCv"), nullptr);
	window->MoveWindowTo(200, 160);
	Close(windowCurrencyQQ);
	EXPECT_FLOAT_EQ(prefs->currencyQQAmount, 42.5f);
	EXPECT_EQ(prefs->currencyQQTop, 160);
	EXPECT_EQ(prefs->currencyQQLeft, 200);

	window = OpenWindow<TCurrencyQQWindow>(*app, 5143, windowCurrencyQQ);
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(FrameworkTest::FindPane<LPopupButton>(window, "qqTo")->GetValue(), otherTo);
	EXPECT_EQ(std::stod(Text(window, "qqCv")), 42.5);
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.top, 160);
	EXPECT_EQ(bounds.left, 200);
}

} // namespace
