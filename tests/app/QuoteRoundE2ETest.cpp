// The whole application with 2,000 stocks whose quote source accepts connections and never answers, under
// a limit of 1,024 open files: the round of quote requests holds a few dozen sockets, and a quit still
// writes the settings file.

#include "Internet/TURLSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/SilentSource.h"

#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace
{

class StOpenFileLimit
{
public:
	explicit StOpenFileLimit(rlim_t inLimit)
	{
		::getrlimit(RLIMIT_NOFILE, &mOld);
		rlimit lower = mOld;
		lower.rlim_cur = std::min(inLimit, mOld.rlim_max);
		::setrlimit(RLIMIT_NOFILE, &lower);
	}
	~StOpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &mOld); }
	StOpenFileLimit(const StOpenFileLimit&) = delete;
	StOpenFileLimit& operator=(const StOpenFileLimit&) = delete;

private:
	rlimit mOld{};
};

class QuoteRoundE2ETest : public QuoteServingFixture
{
protected:
	void TearDown() override
	{
		TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
		QuoteServingFixture::TearDown();
	}

	SilentSource mSilent;
	ScopedEnvironment mSilentProxy{"http_proxy", mSilent.URL()};
};

TEST_F(QuoteRoundE2ETest, SilentSourceHoldsFewSocketsAndQuitStillWritesTheSettings)
{
	constexpr int kStocks = 2000;
	StOpenFileLimit limit(1024);
	TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
	auto app = Start();
	TList<TSecurity>* stocks = TStockPlugin::sStockPlugin->GetList(securityStock);
	for (int i = 0; i < kStocks; ++i) {
		auto* stock = new TStock();
		const std::string symbol = "Q" + std::to_string(i);
		UZVUtils::DefaultStock(stock, symbol.c_str(), symbol.c_str(), 100);
		stocks->Append(stock);
	}
	const long before = SilentSource::OpenDescriptors();
	TStockPlugin::ForEachSecurity(stocks, [](TSecurity* stock) { TURLSecurity::SubmitURL(stock); });
	long pending = 0;
	TStockPlugin::ForEachSecurity(
	    stocks, [&](TSecurity* stock) { pending += stock->UpdateSecurityReference() != nullptr; });
	ASSERT_GE(pending, kStocks);

	// Long enough for every request to have been let in, were nothing holding them back.
	long most = 0;
	const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
	while (std::chrono::steady_clock::now() < end) {
		LApplication::ProcessNextEvent();
		most = std::max(most, SilentSource::OpenDescriptors() - before);
	}
	EXPECT_LE(most, TURLRequest::kMaxTransfers + 16) << "sockets held while the source is silent";
	EXPECT_GT(TURLRequest::OutstandingRequests(), kStocks - TURLRequest::kMaxTransfers)
	    << "the silent source answered nothing";

	// The settings file, gone meanwhile, is written again by the quit without a message.
	std::filesystem::remove(PrefsPath());
	app->AttemptQuitSelf(0);
	app.reset();
	EXPECT_TRUE(std::filesystem::exists(PrefsPath()));
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{});
}

} // namespace
