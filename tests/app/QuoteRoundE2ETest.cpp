// The whole application with 2,000 stocks whose quote source accepts connections and never answers, under
// a limit of 1,024 open files: the round of quote requests holds a few dozen sockets, and a quit still
// writes the settings file.

#include "Internet/TURLSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "tests/app/QuoteServingFixture.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <filesystem>
#include <netinet/in.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

// A loopback port that listens and never accepts: the kernel completes each connection, nobody answers.
class StSilentSource
{
public:
	StSilentSource()
	{
		mSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
		sockaddr_in address{};
		address.sin_family = AF_INET;
		address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		socklen_t length = sizeof address;
		EXPECT_EQ(::bind(mSocket, reinterpret_cast<sockaddr*>(&address), length), 0);
		EXPECT_EQ(::listen(mSocket, SOMAXCONN), 0);
		::getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length);
		mURL = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
	}
	~StSilentSource() { ::close(mSocket); }
	StSilentSource(const StSilentSource&) = delete;
	StSilentSource& operator=(const StSilentSource&) = delete;
	const std::string& URL() const { return mURL; }

private:
	int mSocket = -1;
	std::string mURL;
};

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

long OpenDescriptors()
{
	long count = 0;
	if (DIR* folder = ::opendir("/proc/self/fd")) {
		while (::readdir(folder) != nullptr)
			++count;
		::closedir(folder);
	}
	return count;
}

class QuoteRoundE2ETest : public QuoteServingFixture
{
protected:
	void TearDown() override
	{
		TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
		QuoteServingFixture::TearDown();
	}

	StSilentSource mSilent;
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
	const long before = OpenDescriptors();
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
		most = std::max(most, OpenDescriptors() - before);
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
