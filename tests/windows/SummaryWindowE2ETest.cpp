// The program with the summary window open while quotes come in through a loopback server named as the
// HTTP proxy: each security row shows that its quote is on the way, then its served price, and the window's
// picture changes with it. The same flow runs once more in a child process on a virtual X server (Xvfb),
// where a screenshot of the screen shows the rows' colours and their text on the cells' baselines.

#include "app/TStockPlugin.h"
#include "model/TSecurity.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/windows/SummaryTestSupport.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <filesystem>

namespace
{

constexpr char kOnXServer[] = "VANTOREL_SUMMARY_ON_X";

class SummaryWindowE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}
};

TEST_F(SummaryWindowE2ETest, RowsFollowTheQuotesAsTheyArrive)
{
	auto app = Start();
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

	ServePendingRequests();
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
		// What the X server shows: the window's port drawn on the screen, once the table's part of it
		// is there.
		QScreen* screen = QGuiApplication::primaryScreen();
		ASSERT_NE(screen, nullptr);
		Point origin{0, 0};
		window->PortToGlobalPoint(origin);
		Rect frame;
		window->GetTable()->CalcPortFrameRect(frame);
		const QRect area(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
		EXPECT_TRUE(RunUntil(
		    [&] {
			    window->UpdatePort();
			    LWindow::AfterDispatch();
			    const QImage shown = screen
			                             ->grabWindow(0, origin.h + area.x(), origin.v + area.y(),
			                                          area.width(), area.height())
			                             .toImage()
			                             .convertToFormat(QImage::Format_RGB32);
			    return shown == window->GetMacPort()->image->copy(area).convertToFormat(
			                        QImage::Format_RGB32);
		    },
		    20000))
		    << "the screen does not show the table as the window drew it";
		const QImage shot = screen->grabWindow(0).toImage();
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
