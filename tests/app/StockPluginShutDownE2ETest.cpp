// Quitting while a quote is on its way: the real request layer against a loopback server that answers late.
// The cancelled request must leave the security as it was, in memory and in the file written at quit.

#include "Includes/NoValue.h"
#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "model/TStock.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ScopedEnvironment.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace
{

constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");

class StockPluginShutDownE2ETest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		TQuoterHosts::SetHost(kYahooUS, TQuoterHosts::hostQuote, "quotes.test");
		TQuoterHosts::SetVersionHost("updates.test");
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
		TURLSecurity::Initialize();
	}
	void TearDown() override
	{
		Quit();
		TURLSecurity::Terminate();
		TQuoterHosts::ResetHosts();
		TQuoterManager::FinishQuoterManager();
		StockPluginFixture::TearDown();
	}

	void Pump(int milliseconds)
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
		while (std::chrono::steady_clock::now() < end) {
			mPump.Execute();
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
	}

	bool Asked(const std::string& path) const
	{
		for (const LoopbackHTTPServer::Request& request : mServer.Requests())
			if (request.mHost == "quotes.test" && request.mPath == path)
				return true;
		return false;
	}

	static std::string Page()
	{
		std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/Yahoo/us_stock_nyse.html",
		                 std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	LoopbackHTTPServer mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
	TCURLPump mPump;
};

TEST_F(StockPluginShutDownE2ETest, ARequestCancelledAtQuitIsNoUpdate)
{
	mServer.Serve("quotes.test", "/q?s=IBM&d=t",
	              LoopbackHTTPServer::Slow(LoopbackHTTPServer::Page(Page()), 1500));
	Start();
	TStock* ibm = TStockPlugin::GetStock("IBM", 100);
	ASSERT_NE(ibm, nullptr);
	const TVyDate lastUpdate = *ibm->LastUpdate();
	const int errorCode = ibm->ErrorCode();
	ASSERT_TRUE(mPlugin->ObeyCommand(5010, nullptr));
	ASSERT_NE(ibm->UpdateSecurityReference(), nullptr);
	// Pumped until the server holds the quote request.
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
	while (!Asked("/q?s=IBM&d=t") && std::chrono::steady_clock::now() < end)
		Pump(20);
	ASSERT_TRUE(Asked("/q?s=IBM&d=t"));

	mPlugin->ShutDown();
	Pump(2000);
	EXPECT_EQ(ibm->UpdateSecurityReference(), nullptr);
	EXPECT_TRUE(*ibm->LastUpdate() == lastUpdate);
	EXPECT_EQ(ibm->ErrorCode(), errorCode);
	EXPECT_FALSE(ibm->InitedToday());
	EXPECT_FLOAT_EQ(ibm->CurrentTradePrice(), kNoValue);
	mPlugin.reset();

	Start();
	ibm = TStockPlugin::GetStock("IBM", 100);
	EXPECT_TRUE(*ibm->LastUpdate() == lastUpdate);
	EXPECT_FLOAT_EQ(ibm->CurrentTradePrice(), kNoValue);
}

} // namespace
