// The securities plug-in's start-up (reading its five files to ready, with the start-up pass and menus) and
// shut-down (writing them all back), with the factory lists and with 250 and 500 securities of each kind.
// Peak resident memory is reported per benchmark; run one benchmark per process (--benchmark_filter) for a
// clean peak.

#include "app/TStockPlugin.h"
#include "bench/SyntheticSecurities.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenuBar.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScratchFolder.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace
{

class World
{
public:
	// perKind 0 keeps the factory lists.
	explicit World(int perKind)
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		FrameworkTest::EnsureApplication();
		static bool loaded = false;
		if (!loaded)
			loaded = ResourceStore::Get().LoadFolder(std::string(VANTOREL_FIXTURES) +
			                                         "/../../resources");
		mApp = std::make_unique<LApplication>();
		mMenuBar = std::make_unique<LMenuBar>(0);
		// The first run writes the factory files; the second leaves them as a later start finds them.
		for (int run = 0; run < 2; ++run) {
			Start();
			if (perKind > 0 && run == 0)
				Fill(perKind);
			// No detail window open at quit: the fake windows would pile up over the iterations.
			TStockPlugin::ForEachSecurity(
			    mPlugin->GetList(securityStock),
			    [](TSecurity* security) { security->CloseDetailWindow(true); });
			TStockPlugin::ForEachSecurity(
			    mPlugin->GetList(securityIndex),
			    [](TSecurity* security) { security->CloseDetailWindow(true); });
			Stop();
		}
	}

	void Start()
	{
		mPlugin = std::make_unique<TStockPlugin>(mApp.get());
		mPlugin->Initialize();
	}

	void Stop()
	{
		mPlugin->ShutDown();
		mPlugin.reset();
		// The fake request layer notes every cancel of the shut-down; that record is not the
		// program's.
		mEnv.mRequests.clear();
	}

private:
	void Fill(int perKind)
	{
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency}) {
			TList<TSecurity>* list = mPlugin->GetList(kind);
			list->Clear();
			for (int i = 0; i < perKind; ++i)
				list->Append(NewSyntheticSecurity(kind, i));
		}
	}

	ScratchFolder mFolder;
	modeltest::ModelTestEnvironment mEnv;
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mMenuBar;
	std::unique_ptr<TStockPlugin> mPlugin;
};

double PeakMegabytes()
{
	rusage usage{};
	getrusage(RUSAGE_SELF, &usage);
	return double(usage.ru_maxrss) / 1024.0;
}

void StartUp(benchmark::State& state)
{
	World world(int(state.range(0)));
	for (auto _ : state) {
		world.Start();
		state.PauseTiming();
		world.Stop();
		state.ResumeTiming();
	}
	state.counters["peak_MB"] = PeakMegabytes();
}

void ShutDown(benchmark::State& state)
{
	World world(int(state.range(0)));
	for (auto _ : state) {
		state.PauseTiming();
		world.Start();
		state.ResumeTiming();
		world.Stop();
	}
	state.counters["peak_MB"] = PeakMegabytes();
}

} // namespace

// The argument is the number of securities of each kind; 0 keeps the factory lists (30 securities).
BENCHMARK(StartUp)->Arg(0)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(ShutDown)->Arg(0)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);
