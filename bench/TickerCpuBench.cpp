// The whole program's processor time on an X display of its own: 30 s with no ticker open, then 30 s with
// the main ticker across the screen at the fastest speed scrolling 50 securities (cpu_idle_pct,
// cpu_ticker_pct: percent of one core). Quotes are not fetched: no proxy answers.

#include "Quoters/TQuoterManager.h"
#include "app/kestrunApp.h"
#include "model/TStock.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StQtApplication.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/InvisibleDetailWindow.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/VirtualDisplay.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{

class TCpuApp : public kestrunApp
{
public:
	using kestrunApp::Initialize;
};

double ProcessSeconds()
{
	rusage usage{};
	getrusage(RUSAGE_SELF, &usage);
	return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
	       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Percent of one core the event loop takes over the seconds.
double RunFor(int inSeconds)
{
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(inSeconds);
	const auto wallStart = std::chrono::steady_clock::now();
	const double cpuStart = ProcessSeconds();
	while (std::chrono::steady_clock::now() < end)
		LApplication::ProcessNextEvent();
	const double wall =
	    std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
	return 100.0 * (ProcessSeconds() - cpuStart) / wall;
}

void WholeProgram(benchmark::State& state)
{
	if (StartVirtualDisplay("1920x1080x24").empty()) {
		state.SkipWithError("Xvfb did not start");
		return;
	}
	setenv("http_proxy", "http://127.0.0.1:9", 1);
	static int argc = 1;
	static char name[] = "bench_TickerCpuBench";
	static char* argv[] = {name, nullptr};
	StQtApplication qt(argc, argv); // as the program makes it
	ScratchFolder home;
	AppTest::LoadProgramResources();
	LoadLocalStrings();
	TQuoterManager::InstallModelHooks();
	TInvisibleDetailWindow::Install();
	gInittingTicker = 1;
	auto app = std::make_unique<TCpuApp>();
	app->Initialize();
	TTicker* main = app->GetMainTicker();
	main->Close();
	std::vector<std::unique_ptr<TStock>> stocks;
	for (int i = 0; i < 50; ++i) {
		auto stock = std::make_unique<TStock>();
		const std::string symbol = "SYM" + std::to_string(i);
		stock->TickerHeader(symbol.c_str());
		stock->PriceString(std::to_string(100 + i).c_str());
		stock->ChangeString(i % 2 ? "+1.25" : "-0.75");
		stock->TrailerString("(1.2%)");
		stocks.push_back(std::move(stock));
	}
	const char* seconds = std::getenv("VANTOREL_CPU_SECONDS");
	const int span = seconds ? std::atoi(seconds) : 30;
	for (auto _ : state) {
		state.counters["cpu_idle_pct"] = RunFor(span);
		main->TickerSpeed(kTickerFastest);
		main->Open(true);
		for (auto& stock : stocks)
			stock->AddTicklet(0, nullptr);
		RunFor(2);
		state.counters["cpu_ticker_pct"] = RunFor(span);
		state.counters["ticklets"] = main->GetTickerPane()->GetTicklets().Count();
	}
	for (auto& stock : stocks)
		stock->RemoveTicklet(0, nullptr);
	app->AttemptQuitSelf(0);
}

BENCHMARK(WholeProgram)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
