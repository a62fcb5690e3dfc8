// A quote page's scan against the cheapest pass over the same bytes: one memmem for a label the page does
// not hold. The label begins with a letter, not with '>': a page holds a '>' every few bytes, and a needle
// that starts with one makes memmem stop at each, which would flatter the scan. Reported as x_memmem for a
// page of about 1 KB and one of 100 KB (goal on the large page: under 8, with a scan looking for about four
// labels over the whole page).

#include "Quoters/Yahoo/TYahooUS.h"
#include "bench/QuotePages.h"
#include "model/TStock.h"
#include "tests/support/ModelTestEnvironment.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <string.h>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr char kAbsentLabel[] = "Ex-Dividend Date:";
constexpr int kRounds = 32; // per iteration, so that a small page's passes are long enough to time

void BM_ScanAgainstMemmem(benchmark::State& state)
{
	modeltest::ModelTestEnvironment environment;
	const std::string text =
	    state.range(0) == 1 ? benchpages::SmallQuotePage() : benchpages::LargeQuotePage(100 * 1024);
	std::vector<char> page(text.begin(), text.end());
	TYahooUS source;
	TStock stock;
	stock.SecuritySymbol("IBM");
	stock.Exchange(100);
	if (memmem(page.data(), page.size(), kAbsentLabel, sizeof kAbsentLabel - 1) != nullptr) {
		state.SkipWithError("the page holds the label the baseline looks for");
		return;
	}
	double scanSeconds = 0;
	double memmemSeconds = 0;
	for (auto _ : state) {
		const auto start = Clock::now();
		for (int round = 0; round < kRounds; round++) {
			const bool parsed = source.StockDetail(page.data(), long(page.size()), &stock);
			benchmark::DoNotOptimize(parsed);
			if (!parsed || stock.CurrentTradePrice() != 101.25f) {
				state.SkipWithError("the page was not read");
				return;
			}
		}
		const auto scanned = Clock::now();
		for (int round = 0; round < kRounds; round++) {
			void* found = memmem(page.data(), page.size(), kAbsentLabel, sizeof kAbsentLabel - 1);
			benchmark::DoNotOptimize(found);
			benchmark::ClobberMemory();
		}
		const auto searched = Clock::now();
		scanSeconds += std::chrono::duration<double>(scanned - start).count();
		memmemSeconds += std::chrono::duration<double>(searched - scanned).count();
		state.SetIterationTime(std::chrono::duration<double>(scanned - start).count() / kRounds);
	}
	state.counters["bytes"] = double(page.size());
	state.counters["x_memmem"] = memmemSeconds > 0 ? scanSeconds / memmemSeconds : 0;
}
BENCHMARK(BM_ScanAgainstMemmem)
    ->ArgName("KB")
    ->Arg(1)
    ->Arg(100)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
