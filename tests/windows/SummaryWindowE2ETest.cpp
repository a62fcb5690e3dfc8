// The program with the summary window open while quotes come in through a loopback server named as the
// HTTP proxy: each security row shows that its quote is on the way, then its served price, and the window's
// picture changes with it. The same flow runs once more in a child process on a virtual X server (Xvfb),
// where a screenshot of the screen shows the rows' colours and their text on the cells' baselines.

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
#include "tests/windows/SummaryTestSupport.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace
{

constexpr char kOnXServer[] = "VANTOREL_SUMMARY_ON_X";

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
	auto securityRows = [&] {
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
	ASSERT_FALSE(securityRows().empty());

	// The first update cycle sends every stock's request; the rows show them on their way.
	ASSERT_TRUE(RunUntil([&] {
		for (TableIndexT row : securityRows())
			if (!window->GetDrawList()->GetNth(long(row))->Updating)
				return false;
		return true;
	}));
	const TableIndexT first = securityRows().front();
	TSecurity* security = window->GetDrawList()->GetNth(long(first))->Security;
	const QImage before = priceColumn(first);

	ServePending();
	ASSERT_TRUE(RunUntil([&] {
		for (TableIndexT row : securityRows())
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

	if (std::getenv(kOnXServer) != nullptr) {
		// What the X server shows: the window's port drawn on the screen.
		RunUntil([] { return false; }, 500);
		QScreen* screen = QGuiApplication::primaryScreen();
		ASSERT_NE(screen, nullptr);
		const QImage shot = screen->grabWindow(0).toImage();
		Point origin{0, 0};
		window->PortToGlobalPoint(origin);
		if (const char* folder = std::getenv("VANTOREL_SCREENSHOTS"))
			shot.save(QString::fromStdString(std::string(folder) + "/summary-xvfb.png"));
		EXPECT_EQ(SummaryTest::CheckRowsInPicture(window, shot, origin, summary.fontSize, 1),
		          int(securityRows().size()));
	}
}

TEST_F(SummaryWindowE2ETest, OnAVirtualXServerTheScreenShowsTheRows)
{
	if (std::getenv(kOnXServer) != nullptr)
		GTEST_SKIP() << "already the child";
	if (QProcess::execute("sh", {"-c", "command -v xvfb-run >/dev/null"}) != 0)
		GTEST_SKIP() << "xvfb-run is not installed";
	QProcess child;
	QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
	env.insert("QT_QPA_PLATFORM", "xcb");
	env.insert(kOnXServer, "1");
	child.setProcessEnvironment(env);
	child.setProcessChannelMode(QProcess::MergedChannels);
	child.start("xvfb-run",
	            {"-a", "-s", "-screen 0 1280x1024x24",
	             QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe").string()),
	             "--gtest_filter=SummaryWindowE2ETest.RowsFollowTheQuotesAsTheyArrive"});
	ASSERT_TRUE(child.waitForFinished(120000));
	const std::string output = child.readAll().toStdString();
	EXPECT_EQ(child.exitCode(), 0) << output;
	EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

} // namespace
