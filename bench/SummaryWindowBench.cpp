// The summary window with thousands of stocks: opening it (the plug-in's command), a click on the sort by
// name, and one quote update while it is sorted by last price. Each prints its ratio to a baseline of the
// same keys measured in the same run: std::sort of the lower-cased names for the open and the sort, and
// moving one price within a sorted vector for the update. For medians:
//   bench_SummaryWindowBench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "bench/SyntheticSecurities.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/UDispatch.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration inDuration)
{
	return std::chrono::duration<double>(inDuration).count();
}

// The plug-in with inCount stocks, all in the summary, in a shuffled order; prices with ties.
class World
{
public:
	explicit World(int inCount)
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		ToolkitTest::LoadResources();
		kestrunApp::RegisterClasses();
		UWindowRegistry::Install();
		mApp = std::make_unique<LApplication>();
		mMenuBar = std::make_unique<LMenuBar>(0);
		mPlugin = std::make_unique<TStockPlugin>(mApp.get());
		mPlugin->Initialize();
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			mPlugin->GetList(kind)->Clear();
		std::vector<int> numbers(static_cast<size_t>(inCount));
		std::iota(numbers.begin(), numbers.end(), 0);
		std::shuffle(numbers.begin(), numbers.end(), mRandom);
		for (int i : numbers) {
			TSecurity* stock = NewSyntheticSecurity(securityStock, i);
			stock->CurrentTradePrice(10.0f + float(i % (inCount / 4)));
			stock->SummaryEnabled(true);
			mPlugin->GetList(securityStock)->Append(stock);
			mStocks.push_back(stock);
		}
		tSummaryParameters& summary = mPlugin->GetPrefs()->summary;
		summary.sortKey = 0;
		summary.descending = 0;
		summary.selectedRow = 0;
	}

	~World()
	{
		Close();
		mPlugin->ShutDown();
		mPlugin.reset();
		mMenuBar.reset();
		mApp.reset();
	}

	TSummaryWindow* Open()
	{
		mPlugin->ObeyCommand(5004, nullptr);
		IPluginWindow* face = mPlugin->GetWindow(windowSummary);
		return face != nullptr ? dynamic_cast<TSummaryWindow*>(face->GetCommander()) : nullptr;
	}

	void Close()
	{
		if (IPluginWindow* face = mPlugin->GetWindow(windowSummary)) {
			mPlugin->AllowSubRemoval(face->GetCommander());
			face->Delete();
		}
		UDispatch::DeletePending();
		// The event loop would delete the window's widgets; here nothing runs it.
		QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	}

	static void Click(TSummaryWindow* inWindow, FourCharCode inCommand)
	{
		SInt32 on = 1;
		inWindow->ObeyCommand(CommandT(inCommand), &on);
	}

	std::vector<std::string> NameKeys() const
	{
		std::vector<std::string> keys;
		for (TSecurity* stock : mStocks) {
			std::string key = stock->SecurityName();
			for (char& c : key)
				c = char(std::tolower(static_cast<unsigned char>(c)));
			keys.push_back(std::move(key));
		}
		return keys;
	}

	std::vector<float> Prices() const
	{
		std::vector<float> prices;
		for (TSecurity* stock : mStocks)
			prices.push_back(stock->CurrentTradePrice());
		return prices;
	}

	ScratchFolder mFolder;
	modeltest::ModelTestEnvironment mEnv;
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mMenuBar;
	std::unique_ptr<TStockPlugin> mPlugin;
	std::vector<TSecurity*> mStocks;
	std::mt19937 mRandom{20261207};
};

// Times inCount runs of std::sort over fresh copies of inKeys (the copies made outside the time).
template <class Key> double StdSortSeconds(const std::vector<Key>& inKeys, long inCount)
{
	double total = 0;
	for (long i = 0; i < inCount; ++i) {
		std::vector<Key> keys = inKeys;
		const Clock::time_point start = Clock::now();
		std::sort(keys.begin(), keys.end());
		total += Seconds(Clock::now() - start);
		benchmark::DoNotOptimize(keys.data());
	}
	return total;
}

// Times inStep alone in every iteration, after inPrepare; returns the sum of those times.
template <class Prepare, class Step> double TimeSteps(benchmark::State& state, Prepare inPrepare, Step inStep)
{
	double total = 0;
	for (auto _ : state) {
		inPrepare();
		const Clock::time_point start = Clock::now();
		inStep();
		const double seconds = Seconds(Clock::now() - start);
		state.SetIterationTime(seconds);
		total += seconds;
	}
	return total;
}

void BM_OpenSummary(benchmark::State& state)
{
	World world(int(state.range(0)));
	TSummaryWindow* window = nullptr;
	const double total = TimeSteps(state, [&] { world.Close(); }, [&] { window = world.Open(); });
	if (window == nullptr || window->GetDrawList()->Count() < state.range(0))
		state.SkipWithError("the summary did not open with every stock");
	const double baseline = StdSortSeconds(world.NameKeys(), long(state.iterations()));
	state.counters["vs_std_sort"] = baseline > 0 ? total / baseline : 0;
}

void BM_SortSummaryByName(benchmark::State& state)
{
	World world(int(state.range(0)));
	TSummaryWindow* window = world.Open();
	if (window == nullptr)
		return state.SkipWithError("the summary did not open");
	// From the order of another key, so that every click has the sorting to do.
	const double total = TimeSteps(
	    state, [&] { World::Click(window, FOUR_CHAR_CODE("tSrt")); },
	    [&] { World::Click(window, FOUR_CHAR_CODE("nSrt")); });
	const double baseline = StdSortSeconds(world.NameKeys(), long(state.iterations()));
	state.counters["vs_std_sort"] = baseline > 0 ? total / baseline : 0;
}

void BM_UpdateWhileSortedByPrice(benchmark::State& state)
{
	World world(int(state.range(0)));
	TSummaryWindow* window = world.Open();
	if (window == nullptr)
		return state.SkipWithError("the summary did not open");
	World::Click(window, FOUR_CHAR_CODE("tSrt"));
	const float top = float(state.range(0) / 4);
	std::uniform_int_distribution<size_t> which(0, world.mStocks.size() - 1);
	std::uniform_real_distribution<float> price(10.0f, 10.0f + top);
	TSecurity* stock = nullptr;
	const double total = TimeSteps(
	    state,
	    [&] {
		    stock = world.mStocks[which(world.mRandom)];
		    stock->CurrentTradePrice(price(world.mRandom));
	    },
	    [&] { stock->EndUpdateWatchers(); });
	// The least an update can do: move one price within a sorted vector of them.
	std::vector<float> prices = world.Prices();
	std::sort(prices.begin(), prices.end());
	double baseline = 0;
	for (long i = 0; i < long(state.iterations()); ++i) {
		const size_t from = which(world.mRandom);
		const float to = price(world.mRandom);
		const Clock::time_point start = Clock::now();
		prices.erase(prices.begin() + long(from));
		prices.insert(std::upper_bound(prices.begin(), prices.end(), to), to);
		baseline += Seconds(Clock::now() - start);
	}
	benchmark::DoNotOptimize(prices.data());
	state.counters["vs_vector_move"] = baseline > 0 ? total / baseline : 0;
}

} // namespace

BENCHMARK(BM_OpenSummary)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortSummaryByName)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateWhileSortedByPrice)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
