// A portfolio of 100,000 ledger entries over 1,000 stocks that the plug-in holds: opening the document
// (reading its file, building its window and rows, the question about unknown securities), and the
// accountant's rebuild of its rows, against one pass over the same ledger that looks each entry's symbol
// up in a hash table (vs_ledger_pass).

#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "bench/SyntheticSecurities.h"
#include "foundation/TVyFile.h"
#include "model/TAccountant.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenuBar.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScratchFolder.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/security/UWindowRegistry.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace
{

constexpr int kSecurities = 1000;
constexpr int kEntries = 100000;

double Seconds(std::chrono::steady_clock::duration duration)
{
	return std::chrono::duration<double>(duration).count();
}

class World
{
public:
	World()
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		FrameworkTest::EnsureApplication();
		ResourceStore::Get().LoadFolder(std::string(VANTOREL_FIXTURES) + "/../../resources");
		mApp = std::make_unique<LApplication>();
		mMenuBar = std::make_unique<LMenuBar>(0);
		kestrunApp::RegisterClasses();
		UWindowRegistry::Install();
		TPortfolio::InstallHooks();
		mPlugin = std::make_unique<TStockPlugin>(mApp.get());
		mPlugin->Initialize();
		TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
		stocks->Clear();
		for (int i = 0; i < kSecurities; ++i)
			stocks->Append(NewSyntheticSecurity(securityStock, i));

		UPortfolioFile::DefaultParameters(&mParameters, kCurrencyUnknown);
		for (int i = 0; i < kEntries; ++i) {
			tLedgerEntry entry;
			// Mostly buys, every tenth a sale of part of the holding.
			UPortfolioFile::DefaultEntry(&entry, i % 10 == 9 ? kStockSell : kStockBuy, 101,
			                             kCurrencyUnknown);
			const std::string symbol =
			    "S" + std::to_string(securityStock) + "X" + std::to_string(i % kSecurities);
			std::strncpy(entry.symbol, symbol.c_str(), tLedgerEntry::kSymbolSize - 1);
			entry.units = i % 10 == 9 ? 1 : 3;
			entry.price = 10.0f + float(i % 37);
			mLedger.Append(&entry);
		}
		mPath = mFolder.Path() + "/big portfolio";
		FSPathMakeFSSpec(mPath, &mSpec);
		TVyFile file(&mSpec);
		UPortfolioFile::SavePortfolio(&file, &mParameters, &mCategories, &mLedger);
	}

	~World()
	{
		mPlugin->ShutDown();
		mPlugin.reset();
	}

	ScratchFolder mFolder;
	modeltest::ModelTestEnvironment mEnv;
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mMenuBar;
	std::unique_ptr<TStockPlugin> mPlugin;
	tPortfolioParameters mParameters{};
	TList<tCategory> mCategories{true, true};
	TList<tLedgerEntry> mLedger{true, true};
	std::string mPath;
	FSSpec mSpec{};
};

World& TheWorld()
{
	static World world;
	return world;
}

void OpenPortfolio(benchmark::State& state)
{
	World& world = TheWorld();
	using Clock = std::chrono::steady_clock;
	double opening = 0;
	for (auto _ : state) {
		const Clock::time_point start = Clock::now();
		TPortfolio* document = TPortfolio::Open(world.mApp.get(), &world.mSpec);
		opening += Seconds(Clock::now() - start);
		if (document == nullptr) {
			state.SkipWithError("the portfolio did not open");
			return;
		}
		state.PauseTiming();
		document->Close();
		state.ResumeTiming();
	}
	state.counters["open_ms"] = 1000 * opening / double(state.iterations());
}

// One pass over the ledger that finds each entry's row by its symbol in a hash table: the least a rebuild
// has to do.
long LedgerPass(TList<tLedgerEntry>& ledger)
{
	std::unordered_map<std::string, long> rows;
	long found = 0;
	for (tListNode<tLedgerEntry>* node = ledger.GetEntryHead(); node != nullptr; node = node->mNext) {
		char symbol[tLedgerEntry::kSymbolSize] = {};
		std::memcpy(symbol, node->mItem->symbol, sizeof symbol - 1);
		auto [row, added] = rows.try_emplace(symbol, 0);
		row->second += long(node->mItem->units);
		found += added;
	}
	return found;
}

void RebuildRows(benchmark::State& state)
{
	World& world = TheWorld();
	TAccountant accountant;
	accountant.SetLists(&world.mCategories, &world.mLedger, &world.mParameters);
	using Clock = std::chrono::steady_clock;
	long rounds = 0;
	const Clock::time_point start = Clock::now();
	for (auto _ : state) {
		accountant.UpdateLists(true, false);
		++rounds;
	}
	const double rebuild = Seconds(Clock::now() - start);
	const Clock::time_point passStart = Clock::now();
	for (long i = 0; i < rounds; ++i)
		benchmark::DoNotOptimize(LedgerPass(world.mLedger));
	const double pass = Seconds(Clock::now() - passStart);
	state.counters["rows"] = double(accountant.CountRows());
	state.counters["vs_ledger_pass"] = pass > 0 ? rebuild / pass : 0;
}

} // namespace

BENCHMARK(OpenPortfolio)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RebuildRows)->Unit(benchmark::kMillisecond);
