// The program on the offscreen platform with the summary window open while quotes come in through a
// loopback server named as the HTTP proxy: each stock row shows that its quote is on the way, then its
// served price, and the window's picture changes with it.

#include "Internet/TURLRequest.h"
#include "Quoters/TQuoterManager.h"
#include "app/TDetailWindowSeam.h"
#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "model/TSecurity.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ScopedEnvironment.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QImage>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>

namespace
{

class TTestApp : public kestrunApp
{
public:
	using kestrunApp::Initialize;
};

class SummaryWindowE2ETest : public AppFixture
{
protected:
	void SetUp() override
	{
		AppFixture::SetUp();
		TURLRequest::SetDefaultTimeout(2000);
		TQuoterManager::InstallModelHooks();
		TDetailWindowSeam::Install();
		UWindowRegistry::Install();
		mServer.Serve("/VTLVersion.xml",
		              LoopbackHTTPServer::Page("OSX:\t28000\t2.7\tOlder\n", "text/plain"));
	}

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

	static std::string StockPage(const std::string& inSymbol)
	{
		std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/Yahoo/us_stock_nyse.html",
		                 std::ios::binary);
		std::string page(std::istreambuf_iterator<char>(in), {});
		for (std::size_t at = page.find("IBM"); at != std::string::npos;
		     at = page.find("IBM", at + inSymbol.size()))
			page.replace(at, 3, inSymbol);
		return page;
	}

	// Every pending request answered: the US source's stock page for stocks, an empty page otherwise.
	void ServePending()
	{
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			TStockPlugin::ForEachSecurity(
			    TStockPlugin::sStockPlugin->GetList(kind), [&](TSecurity* security) {
				    TURLRequest* request = security->UpdateSecurityReference();
				    if (!request)
					    return;
				    TVyString url;
				    request->GetURL(url);
				    const std::string address(url.GetCString() ? url.GetCString() : "");
				    const std::size_t hostStart = address.find("://") + 3;
				    const std::size_t pathStart = address.find('/', hostStart);
				    const std::string host = address.substr(hostStart, pathStart - hostStart);
				    const bool ours = kind == securityStock && host == "finance.yahoo.com";
				    mServer.Serve(
				        host, address.substr(pathStart),
				        LoopbackHTTPServer::Page(ours ? StockPage(security->SecuritySymbol())
				                                      : std::string("<html></html>")));
			    });
	}

	LoopbackHTTPServer mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
};

TEST_F(SummaryWindowE2ETest, RowsFollowTheQuotesAsTheyArrive)
{
	gInittingTicker = 1;
	auto app = std::make_unique<TTestApp>();
	app->AddAttachment(new TEventWatcher);
	app->AddAttachment(new TCURLAttachment);
	app->Initialize();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	ASSERT_NE(plugin, nullptr);
	tSummaryParameters& summary = plugin->GetPrefs()->summary;
	summary.showStocks = 1;
	summary.showFunds = summary.showIndexes = summary.showCurrencies = 0;
	app->ObeyCommand(5004, nullptr);
	ASSERT_NE(plugin->GetWindow(windowSummary), nullptr);
	auto* window = dynamic_cast<TSummaryWindow*>(plugin->GetWindow(windowSummary)->GetCommander());
	ASSERT_NE(window, nullptr);

	// The stock rows, and each one's picture of its price column.
	auto stockRows = [&] {
		std::vector<TableIndexT> rows;
		for (TableIndexT row = 1; row <= TableIndexT(window->GetDrawList()->Count()); ++row)
			if (window->GetDrawList()->GetNth(long(row))->Kind == tSummaryDraw::kSecurity)
				rows.push_back(row);
		return rows;
	};
	auto priceColumn = [&](TableIndexT row) {
		window->UpdatePort();
		TSummaryTable* table = window->GetTable();
		Rect cell;
		if (!table->GetLocalCellRect(STableCell(row, 1), cell))
			return QImage();
		const Rect price = table->CalcRects(cell).price;
		Point topLeft{cell.top, price.left};
		table->LocalToPortPoint(topLeft);
		return window->GetMacPort()->image->copy(topLeft.h, topLeft.v, price.right - price.left,
		                                         cell.bottom - cell.top);
	};
	ASSERT_FALSE(stockRows().empty());

	// The first update cycle sends every stock's request; the rows show them on their way.
	ASSERT_TRUE(RunUntil([&] {
		for (TableIndexT row : stockRows())
			if (!window->GetDrawList()->GetNth(long(row))->Updating)
				return false;
		return true;
	}));
	const TableIndexT first = stockRows().front();
	TSecurity* security = window->GetDrawList()->GetNth(long(first))->Security;
	const QImage before = priceColumn(first);

	ServePending();
	ASSERT_TRUE(RunUntil([&] {
		for (TableIndexT row : stockRows())
			if (window->GetDrawList()->GetNth(long(row))->Updating)
				return false;
		return true;
	}));
	// Rows are sorted by name, so the security keeps its row.
	ASSERT_EQ(window->GetDrawList()->GetNth(long(first))->Security, security);
	EXPECT_FLOAT_EQ(security->CurrentTradePrice(), 101.25f);
	const QImage after = priceColumn(first);
	ASSERT_FALSE(after.isNull());
	EXPECT_NE(before, after) << "the price column did not change";
}

} // namespace
