#pragma once
// The whole application on the offscreen platform (or a display of the test's own), its quotes fetched
// through a loopback server named as the HTTP proxy: starting it, running its event loop, and serving each
// pending quote request the page of the US quote source made out for its security.

#include "Includes/NoValue.h"
#include "Internet/TURLRequest.h"
#include "Quoters/TQuoterManager.h"
#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "model/TSecurity.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/InvisibleDetailWindow.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ScopedEnvironment.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>

namespace QuoteServing
{

inline std::string Fixture(const std::string& inFamily, const std::string& inName)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + inFamily + "/" + inName,
	                 std::ios::binary);
	EXPECT_TRUE(in.good()) << inName;
	return std::string(std::istreambuf_iterator<char>(in), {});
}

class TTestApp : public kestrunApp
{
public:
	using kestrunApp::Initialize;
	using kestrunApp::StartUp;
};

} // namespace QuoteServing

class QuoteServingFixture : public AppFixture
{
protected:
	void SetUp() override
	{
		AppFixture::SetUp();
		TURLRequest::SetDefaultTimeout(2000);
		TQuoterManager::InstallModelHooks();
		TInvisibleDetailWindow::Install();
		mServer.Serve("/VTLVersion.xml",
		              LoopbackHTTPServer::Page("OSX:\t28000\t2.7\tOlder\n", "text/plain"));
	}

	// One start of the program, up to the event loop.
	std::unique_ptr<QuoteServing::TTestApp> Start()
	{
		gInittingTicker = 1;
		auto app = std::make_unique<QuoteServing::TTestApp>();
		app->AddAttachment(new TEventWatcher);
		app->AddAttachment(new TCURLAttachment);
		app->Initialize();
		return app;
	}

	// Passes of the event loop until the condition holds (false after the time).
	static bool RunUntil(const std::function<bool()>& inDone, int inMilliseconds = 15000)
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(inMilliseconds);
		while (!inDone()) {
			if (std::chrono::steady_clock::now() > end)
				return false;
			LApplication::ProcessNextEvent();
		}
		return true;
	}

	static std::vector<TSecurity*> Securities(tSecurityType inKind)
	{
		std::vector<TSecurity*> securities;
		TStockPlugin::ForEachSecurity(TStockPlugin::sStockPlugin->GetList(inKind),
		                              [&](TSecurity* security) { securities.push_back(security); });
		return securities;
	}

	static void Replace(std::string& ioText, const std::string& inFrom, const std::string& inTo)
	{
		for (std::size_t at = ioText.find(inFrom); at != std::string::npos;
		     at = ioText.find(inFrom, at + inTo.size()))
			ioText.replace(at, inFrom.size(), inTo);
	}

	// The US quote source's page of each kind, made out for the security, with its last price; other
	// sources' pages answer without a price to expect.
	static std::string PageFor(TSecurity* inSecurity, const std::string& inHost,
	                           std::optional<float>* outPrice)
	{
		std::string symbol = inSecurity->SecuritySymbol();
		if (inHost != "finance.yahoo.com")
			return inSecurity->Type() == securityCurrency
			           ? QuoteServing::Fixture("Currency", "xe_rate.html")
			           : std::string("<html></html>");
		std::string page;
		switch (inSecurity->Type()) {
		case securityStock:
			page = QuoteServing::Fixture("Yahoo", "us_stock_nyse.html");
			Replace(page, "IBM", symbol);
			*outPrice = 101.25f;
			break;
		case securityFund:
			page = QuoteServing::Fixture("Yahoo", "us_fund_down.html");
			Replace(page, "SGFDX", symbol);
			*outPrice = 10.00f;
			break;
		default:
			page = QuoteServing::Fixture("Yahoo", "us_index.html");
			Replace(page, "^DJI", symbol);
			if (!symbol.empty() && symbol[0] == '^')
				symbol.erase(0, 1);
			Replace(page, "DJI", symbol);
			*outPrice = 10432.15f;
		}
		return page;
	}

	// Serves its page at the address of each pending quote request.
	void ServePendingRequests()
	{
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			for (TSecurity* security : Securities(kind))
				ServeRequestOf(security);
	}

	// Serves the security's page at the address of its pending quote request, if it has one.
	void ServeRequestOf(TSecurity* inSecurity)
	{
		TURLRequest* request = inSecurity->UpdateSecurityReference();
		if (!request)
			return;
		TVyString url;
		request->GetURL(url);
		const std::string address(url.GetCString() ? url.GetCString() : "");
		const std::size_t hostStart = address.find("://") + 3;
		const std::size_t pathStart = address.find('/', hostStart);
		const std::string host = address.substr(hostStart, pathStart - hostStart);
		std::optional<float> price;
		mServer.Serve(host, address.substr(pathStart),
		              LoopbackHTTPServer::Page(PageFor(inSecurity, host, &price)));
		if (price)
			mExpected[inSecurity] = *price;
	}

	// Waits for the first update cycle to ask for every default security, serves each its page and waits
	// for the answers; false when either wait runs out.
	bool ServeFirstUpdates()
	{
		const tSecurityType kinds[] = {securityStock, securityFund, securityIndex, securityCurrency};
		auto all = [&](const std::function<bool(TSecurity*)>& inTest) {
			for (tSecurityType kind : kinds)
				for (TSecurity* security : Securities(kind))
					if (!inTest(security))
						return false;
			return true;
		};
		if (!RunUntil([&] {
			    return all([](TSecurity* s) {
				    return s->UpdateSecurityReference() || s->InitedToday();
			    });
		    }))
			return false;
		ServePendingRequests();
		return RunUntil(
		    [&] { return all([](TSecurity* s) { return !s->UpdateSecurityReference(); }); });
	}

	std::map<TSecurity*, float> mExpected;
	LoopbackHTTPServer mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
};
