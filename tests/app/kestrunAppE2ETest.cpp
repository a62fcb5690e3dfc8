// The whole application on the offscreen platform, its quotes fetched through a loopback server named as
// the HTTP proxy: every default security of each kind is updated from the served pages, scripts on a
// private session bus get the served values, and after quit the security files hold them.

#include "platform/framework/LCheckBox.h"
#include "platform/framework/UAppleEventService.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/app/SessionBusSupport.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TTicker.h"
#include "ticker/TXContentMgr.h"
#include "ticker/TZvTicker.h"
#include "toolkit/TVyWindow.h"

#include <QApplication>
#include <QMenuBar>
#include <algorithm>

namespace
{

class kestrunAppE2ETest : public QuoteServingFixture
{
protected:
	// A script's call over the session bus, answered while the program runs.
	static QString Script(const QString& inClass, const QString& inID, const QString& inSymbol)
	{
		return SessionBus::Script([](const auto& done) { return RunUntil(done); }, inClass, inID,
		                          "{'----': <'" + inSymbol + "'>}");
	}
};

TEST_F(kestrunAppE2ETest, DefaultSecuritiesUpdateAnswerScriptsAndAreStoredAtQuit)
{
	StPrivateSessionBus bus(mRoot);
	ASSERT_TRUE(bus.IsUp()) << "dbus-daemon did not start";
	auto app = Start();
	std::string reason;
	ASSERT_TRUE(UAppleEventService::Start(
	    [&](FourCharCode eventClass, FourCharCode eventID, const AppleEvent& event, AppleEvent& reply) {
		    app->DispatchAppleEvent(eventClass, eventID, event, reply);
	    },
	    &reason))
	    << reason;

	const tSecurityType kinds[] = {securityStock, securityFund, securityIndex, securityCurrency};
	for (tSecurityType kind : kinds)
		ASSERT_FALSE(Securities(kind).empty()) << kind;
	// The first update cycle asks for every default security; each kind's page answers.
	ASSERT_TRUE(ServeFirstUpdates());
	for (const auto& [security, price] : mExpected) {
		SCOPED_TRACE(security->SecuritySymbol());
		EXPECT_EQ(security->ErrorCode(), 0);
		EXPECT_FLOAT_EQ(security->CurrentTradePrice(), price);
	}
	for (tSecurityType kind : {securityStock, securityFund, securityIndex}) {
		const auto securities = Securities(kind);
		const auto served =
		    std::count_if(securities.begin(), securities.end(),
		                  [&](TSecurity* security) { return mExpected.count(security) > 0; });
		EXPECT_GT(served, 0) << "kind " << kind;
	}
	for (TSecurity* security : Securities(securityCurrency)) {
		SCOPED_TRACE(security->SecuritySymbol());
		EXPECT_TRUE(security->InitedToday());
		EXPECT_NE(security->CurrentTradePrice(), kNoValue);
	}

	// Scripts ask for the served values, per kind.
	auto servedOf = [&](tSecurityType kind) -> QString {
		for (TSecurity* security : Securities(kind))
			if (mExpected.count(security))
				return security->SecuritySymbol();
		return QString();
	};
	const QString stock = servedOf(securityStock);
	EXPECT_EQ(Script("zvST", "last", stock), "({'----': <101.25>},)");
	EXPECT_EQ(Script("zvST", "prev", stock), "({'----': <102.5>},)");
	EXPECT_EQ(Script("zvFD", "last", servedOf(securityFund)), "({'----': <10.0>},)");
	EXPECT_TRUE(Script("zvIX", "last", servedOf(securityIndex)).startsWith("({'----': <10432.1"));
	EXPECT_EQ(Script("zvST", "last", "NOSUCH"),
	          "({'errn': <int16 -1728>, 'errs': <'Symbol Not Found.'>},)");
	// Prices with no exact binary form answer the numbers the windows show.
	{
		TSecurity* other = Securities(securityStock).back();
		TSecurity* pair = Securities(securityCurrency).front();
		const QString symbol = other->SecuritySymbol();
		other->CurrentTradePrice(140.95f);
		other->YesterdayClose(0.1f);
		other->DayHigh(1234567.8f);
		other->YearLow(-3.3f);
		pair->CurrentTradePrice(1.0823f);
		// gdbus prints 17 digits: the double itself is compared.
		auto value = [](const QString& inAnswer) {
			const qsizetype from = inAnswer.indexOf('<') + 1;
			return inAnswer.mid(from, inAnswer.indexOf('>') - from).toDouble();
		};
		EXPECT_EQ(value(Script("zvST", "last", symbol)), 140.95);
		EXPECT_EQ(value(Script("zvST", "prev", symbol)), 0.1);
		EXPECT_EQ(value(Script("zvST", "high", symbol)), 1234567.8);
		EXPECT_EQ(value(Script("zvST", "yrlo", symbol)), -3.3);
		EXPECT_EQ(value(Script("zvCU", "last", QString(pair->SecuritySymbol()))), 1.0823);
	}

	// A script asks for a fresh quote that is still on its way at quit: cancelled, it is no update.
	TSecurity* pending = nullptr;
	for (TSecurity* security : Securities(securityStock))
		if (security->SecuritySymbol() == stock.toStdString())
			pending = security;
	ASSERT_NE(pending, nullptr);
	const TVyDate lastUpdate = *pending->LastUpdate();
	const std::string path = "/q?s=" + stock.toStdString() + "&d=t";
	mServer.Serve(
	    "finance.yahoo.com", path,
	    LoopbackHTTPServer::Slow(
	        LoopbackHTTPServer::Page(QuoteServing::Fixture("Yahoo", "us_stock_nyse.html")), 3000));
	const std::size_t asked = mServer.RequestCount();
	EXPECT_EQ(Script("zvST", "rfsh", stock), "(@a{sv} {},)");
	ASSERT_TRUE(RunUntil([&] { return mServer.RequestCount() > asked; }));
	ASSERT_NE(pending->UpdateSecurityReference(), nullptr);

	// The about and version windows carry no menu bar, as dialogs do.
	app->ObeyCommand(kCmdAbout, nullptr);
	app->ObeyCommand(kCmdCheckVersion, nullptr);
	app->ObeyCommand(kCmdNewVersion, nullptr);
	LWindow::AfterDispatch();
	for (const char* title : {"About Vantorel", "Check for a New Version", "New Version"}) {
		QWidget* window = nullptr;
		for (QWidget* widget : QApplication::topLevelWidgets())
			if (widget->isVisible() && widget->windowTitle() == title)
				window = widget;
		ASSERT_NE(window, nullptr) << title;
		EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr) << title;
	}

	std::vector<float> prices;
	for (tSecurityType kind : kinds)
		for (TSecurity* security : Securities(kind))
			prices.push_back(security->CurrentTradePrice());
	app->AttemptQuitSelf(0);
	UAppleEventService::Stop();
	app.reset();

	// The next start reads them back from the security files before any quote arrives.
	app = Start();
	std::vector<float> stored;
	for (tSecurityType kind : kinds)
		for (TSecurity* security : Securities(kind))
			stored.push_back(security->CurrentTradePrice());
	EXPECT_EQ(stored, prices);
	for (TSecurity* security : Securities(securityStock))
		if (security->SecuritySymbol() == stock.toStdString()) {
			EXPECT_TRUE(*security->LastUpdate() == lastUpdate);
			EXPECT_EQ(security->ErrorCode(), 0);
		}
	app->AttemptQuitSelf(0);
}

TEST_F(kestrunAppE2ETest, ClosedTickersKeepTheirSecuritiesAndDeletedOnesLeaveNoneInTheFiles)
{
	// A new ticker showing the first index and every currency pair, chosen in its settings window.
	auto app = Start();
	app->ObeyCommand(kCmdNewTicker, nullptr);
	TPrefsWindow* settings = nullptr;
	for (LWindow* window : LWindow::GetWindowList())
		if (auto* found = dynamic_cast<TPrefsWindow*>(window))
			settings = found;
	ASSERT_NE(settings, nullptr);
	EventRecord event = {};
	settings->SpendTime(event);
	TXContentMgr* content = settings->GetContentManager();
	for (const char* row : {"Dow", "Currenc"})
		for (long i = 1; TContentTreeNode* node = content->GetNth(i); ++i)
			if (std::string(node->mDescription).starts_with(row)) {
				settings->GetRowCheckBox(SInt32(i - 1))->SetValue(1);
				break;
			}
	settings->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	ASSERT_EQ(gTickers->Count(), 1);
	const UInt32 id = gTickers->GetFirst()->GetID();
	ASSERT_TRUE(gTickers->GetFirst()->IsWindowOpen());
	const long shown = gTickers->GetFirst()->GetTickerPane()->GetTicklets().Count();
	ASSERT_EQ(shown, long(Securities(securityCurrency).size()) + 1);
	app->AttemptQuitSelf(0);
	app.reset();

	// The next start: closed from the menu while the settings are applied and the plug-in re-syncs its
	// ticklets, then opened again, it shows what it showed.
	app = Start();
	TTicker* mine = gTickers->GetFirst();
	ASSERT_NE(mine, nullptr) << "the ticker was not kept";
	ASSERT_TRUE(mine->IsWindowOpen());
	ASSERT_EQ(mine->GetTickerPane()->GetTicklets().Count(), shown);
	app->ObeyCommand(kCmdCloseTicker, nullptr);
	ASSERT_FALSE(mine->IsWindowOpen());
	app->ObeyCommand(5070, nullptr);
	app->GetStockPlugin()->UpdateAllTicklets();
	app->ObeyCommand(kCmdOpenTicker, nullptr);
	ASSERT_TRUE(mine->IsWindowOpen());
	EXPECT_EQ(mine->GetTickerPane()->GetTicklets().Count(), shown);

	// Deleted while indexes are switched off: after quit no security of any kind keeps it in its file.
	app->GetStockPlugin()->GetPrefs()->indexesOn = 0;
	app->ObeyCommand(kCmdDeleteTicker, nullptr);
	ASSERT_EQ(gTickers->Count(), 0);
	app->GetStockPlugin()->GetPrefs()->indexesOn = 1;
	app->AttemptQuitSelf(0);
	app.reset();
	app = Start();
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		for (TSecurity* security : Securities(kind))
			EXPECT_FALSE(security->IsActiveTicker(id)) << security->SecuritySymbol();
	app->AttemptQuitSelf(0);
}

} // namespace
