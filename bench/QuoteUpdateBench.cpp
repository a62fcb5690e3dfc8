// The quote road's hot paths: scanning one large quote page, and a burst of quote updates through the
// request layer and its pump against a loopback server.

#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooUS.h"
#include "bench/QuotePages.h"
#include "model/TStock.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScopedEnvironment.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kUpdates = 200;

using benchpages::LargeQuotePage;
using benchpages::QuotePage;

// The same page for another symbol.
std::string PageFor(const std::string& page, const std::string& symbol)
{
	std::string out = page;
	const std::string anchor = "(NYSE:IBM)";
	const size_t at = out.find(anchor);
	if (at != std::string::npos)
		out.replace(at, anchor.size(), "(NYSE:" + symbol + ")");
	return out;
}

void BM_ScanLargeQuotePage(benchmark::State& state)
{
	modeltest::ModelTestEnvironment environment;
	std::string text = LargeQuotePage();
	std::vector<char> page(text.begin(), text.end());
	TYahooUS source;
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	for (auto _ : state) {
		const bool parsed = source.StockDetail(page.data(), long(page.size()), &stock);
		benchmark::DoNotOptimize(parsed);
		if (!parsed || stock.CurrentTradePrice() != 101.25f) {
			state.SkipWithError("the page was not read");
			break;
		}
	}
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.size()));
}
BENCHMARK(BM_ScanLargeQuotePage)->Unit(benchmark::kMicrosecond);

void BM_QuoteUpdatesThroughThePump(benchmark::State& state)
{
	modeltest::ModelTestEnvironment environment;
	LoopbackHTTPServer server;
	ScopedEnvironment proxy("http_proxy", server.ProxyURL());
	TQuoterHosts::SetHost(TYahooUS::kSignature, TQuoterHosts::hostQuote, "quotes.test");
	TQuoterHosts::SetVersionHost("");
	TQuoterManager::InitQuoterManager();
	TURLSecurity::Initialize();
	TCURLPump pump;

	const std::string page = QuotePage();
	std::vector<std::unique_ptr<TStock>> stocks;
	for (int i = 0; i < kUpdates; i++) {
		const std::string symbol = "S" + std::to_string(i);
		server.Serve("quotes.test", "/q?s=" + symbol + "&d=t",
		             LoopbackHTTPServer::Page(PageFor(page, symbol)));
		stocks.push_back(std::make_unique<TStock>());
		stocks.back()->SecuritySymbol(symbol.c_str());
		stocks.back()->Exchange(100);
	}

	// Submitted in waves of range(0), each pumped to its end before the next.
	const size_t wave = size_t(state.range(0));
	for (auto _ : state) {
		for (size_t first = 0; first < stocks.size(); first += wave) {
			for (size_t i = first; i < std::min(stocks.size(), first + wave); i++)
				TURLSecurity::SubmitURL(stocks[i].get());
			while (TURLRequest::OutstandingRequests() != 0) {
				pump.Execute();
				::usleep(50);
			}
		}
		for (auto& stock : stocks)
			if (stock->ErrorCode() != 0 || !stock->InitedToday())
				state.SkipWithError("an update failed");
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * kUpdates);

	TURLSecurity::Terminate();
	TQuoterManager::FinishQuoterManager();
	TQuoterHosts::ResetHosts();
}
// All at once, as the scheduler submits them, and in waves that stay within the server's listen queue.
BENCHMARK(BM_QuoteUpdatesThroughThePump)
    ->Arg(kUpdates)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
