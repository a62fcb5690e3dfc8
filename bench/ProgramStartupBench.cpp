// The whole program as main runs it, under the offscreen platform in a private preferences folder: start-up
// from launch to the first null event of the event loop; that first null event itself (the first update
// pass submits a request per security); and shut-down from the quit (asked as Ctrl-C asks it, on the next
// null event) until the settings and security files are written back and the program is torn down. With
// the factory lists and with 250, 500 and 1000 securities of each kind (the factory ones, then made-up ones).
// Each start is a process of its own (this program run again with --child), so that every peak resident
// memory (VmHWM) is that start's alone. Quotes are asked for through a proxy on a loopback port that is
// bound but not listening, so every request is refused and nothing leaves the machine. Run it under
// dbus-run-session to count scripting's start as a desktop session has it.

#include "Quoters/TQuoterManager.h"
#include "app/AppGlobals.h"
#include "app/TQuitSignalWatcher.h"
#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "bench/ChildRuns.h"
#include "bench/SyntheticSecurities.h"
#include "platform/framework/LAttachment.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StQtApplication.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/UKsServices.h"
#include "windows/security/UWindowRegistry.h"

#include <algorithm>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr tSecurityType kKinds[] = {securityStock, securityFund, securityIndex, securityCurrency};

// One start and quit, as the child measures it (steady-clock nanoseconds, kilobytes), sent as one line.
struct Figures {
	long long entry = 0, loaded = 0, constructed = 0, ready = 0, firstNull = 0, secondNull = 0, quit = 0,
	          end = 0;
	long long startPeak = 0, quitPeak = 0, endPeak = 0, securities = 0, windows = 0;

	std::vector<long long*> Fields()
	{
		return {&entry, &loaded,    &constructed, &ready,   &firstNull,  &secondNull, &quit,
		        &end,   &startPeak, &quitPeak,    &endPeak, &securities, &windows};
	}
	std::string Line()
	{
		std::string line;
		for (long long* field : Fields())
			line += std::to_string(*field) + ' ';
		return line + '\n';
	}
	bool Parse(const std::string& line)
	{
		std::istringstream in(line);
		for (long long* field : Fields())
			in >> *field;
		return bool(in) && entry < loaded && loaded < constructed && constructed < ready &&
		       ready < firstNull && firstNull < secondNull && secondNull < quit && quit < end;
	}
};

// ---- The child: the program, with clock readings at the seams of its start and quit.

class TTimedApp : public kestrunApp
{
public:
	explicit TTimedApp(Figures& ioFigures) : mFigures(ioFigures) {}

	void DoQuit(SInt32 inSaveOption) override
	{
		if (mFigures.quit == 0) {
			mFigures.quit = NowNs();
			mFigures.quitPeak = PeakKilobytes();
		}
		kestrunApp::DoQuit(inSaveOption);
	}

protected:
	void StartUp() override
	{
		kestrunApp::StartUp();
		mFigures.ready = NowNs();
	}

private:
	Figures& mFigures;
};

// The n-th action on the n-th null event. Added before the program's own attachments, so that it sees each
// null event before they do.
class TNullEventActions : public LAttachment
{
public:
	explicit TNullEventActions(std::vector<std::function<void()>> inActions)
	    : LAttachment(msg_Event), mActions(std::move(inActions))
	{
	}

protected:
	void ExecuteSelf(MessageT, void* ioParam) override
	{
		if (mNext < mActions.size() && static_cast<EventRecord*>(ioParam)->what == nullEvent)
			mActions[mNext++]();
	}

private:
	std::vector<std::function<void()>> mActions;
	size_t mNext = 0;
};

// seed: brings each kind up to perKind securities before quitting, so that the quit writes them.
int RunChild(bool inSeed, int inPerKind, int inResultFd)
{
	// An alert nobody answers would wait for ever: the parent sees the child killed instead.
	alarm(120);
	Figures figures;
	figures.entry = NowNs();
	gAppStartTick = TickCount();
	int argc = 1;
	char name[] = "vantorel";
	char* argv[] = {name, nullptr};
	std::optional<StQtApplication> qt(std::in_place, argc, argv);
	std::string error;
	if (!ResourceStore::Get().LoadFolder(":/resources", &error)) {
		std::fprintf(stderr, "the program's resources are damaged: %s\n", error.c_str());
		return 1;
	}
	LoadLocalStrings();
	UKsServices::Install();
	TQuoterManager::InstallModelHooks();
	UWindowRegistry::Install();
	figures.loaded = NowNs();
	{
		auto app = std::make_unique<TTimedApp>(figures);
		TTimedApp* target = app.get();
		const auto first = [&figures, target, inSeed, inPerKind] {
			figures.firstNull = NowNs();
			figures.startPeak = PeakKilobytes();
			for (LWindow* window : LWindow::GetWindowList())
				figures.windows += window->IsVisible() ? 1 : 0;
			for (tSecurityType kind : kKinds) {
				TList<TSecurity>* list = target->GetStockPlugin()->GetList(kind);
				for (int i = int(list->Count()); inSeed && i < inPerKind; ++i)
					list->Append(NewSyntheticSecurity(kind, i));
				figures.securities += list->Count();
			}
		};
		// The quit comes once the first null event (the first update pass with it) is done.
		const auto second = [&figures] {
			figures.secondNull = NowNs();
			std::raise(SIGTERM);
		};
		app->AddAttachment(new TNullEventActions({first, second}));
		app->AddAttachment(new TEventWatcher);
		app->AddAttachment(new TCURLAttachment);
		TQuitSignalWatcher quitWatcher;
		if (!UAppleEventService::Start(
		        [target](AEEventClass eventClass, AEEventID eventID, const AppleEvent& event,
		                 AppleEvent& reply) {
			        target->DispatchAppleEvent(eventClass, eventID, event, reply);
		        },
		        &error))
			std::fprintf(stderr, "scripting over D-Bus is off: %s\n", error.c_str());
		figures.constructed = NowNs();
		app->Run();
		UAppleEventService::Stop();
	}
	DisposeLocalStrings();
	qt.reset();
	figures.end = NowNs();
	figures.endPeak = PeakKilobytes();
	const std::string line = figures.Line();
	return write(inResultFd, line.data(), line.size()) == ssize_t(line.size()) ? 0 : 1;
}

// ---- The parent: a private home, a dead proxy, and one child per start.

struct Start {
	long long spawned = 0;
	Figures figures;
	std::string error;
};

Start StartChild(const char* inMode, int inPerKind)
{
	Start start;
	const ChildRun run = RunChildOfSelf("bench_ProgramStartupBench", inMode, inPerKind);
	start.spawned = run.spawned;
	if (!run.exitedWell)
		start.error = std::string(inMode) + " run failed (status " + std::to_string(run.status) + ")";
	else if (!start.figures.Parse(run.output))
		start.error = std::string(inMode) + " run gave no figures";
	return start;
}

void WholeProgram(benchmark::State& state)
{
	const int perKind = int(state.range(0));
	ScratchFolder home;
	// Qt wants the runtime folder private.
	std::filesystem::permissions(home.Path("runtime"), std::filesystem::perms::owner_all,
	                             std::filesystem::perm_options::replace);
	StDeadPort port;
	if (port.Port() == 0) {
		state.SkipWithError("no loopback port for the proxy");
		return;
	}
	const std::string proxy = "http://127.0.0.1:" + std::to_string(port.Port());
	setenv("QT_QPA_PLATFORM", "offscreen", 1);
	for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
		setenv(name, proxy.c_str(), 1);
	unsetenv("no_proxy");
	unsetenv("NO_PROXY");

	// The first run makes every file; the seed run with more securities writes them at its quit.
	const Start seed = StartChild("seed", perKind);
	if (!seed.error.empty() || (perKind > 0 && seed.figures.securities != 4L * perKind)) {
		state.SkipWithError(seed.error.empty() ? "the lists were not filled" : seed.error.c_str());
		return;
	}
	double fromExec = 0, load = 0, construct = 0, init = 0, wait = 0, startup = 0, firstEvent = 0,
	       shutdown = 0;
	long long startPeak = 0, quitPeak = 0, peak = 0;
	for (auto _ : state) {
		const Start run = StartChild("run", perKind);
		if (!run.error.empty()) {
			state.SkipWithError(run.error.c_str());
			return;
		}
		const Figures& f = run.figures;
		// Every start reads back all that the seed (and each quit since) wrote.
		if (f.securities != seed.figures.securities) {
			state.SkipWithError("a start did not read every security back");
			return;
		}
		state.SetIterationTime(double(f.firstNull - run.spawned) / 1e9);
		fromExec += Ms(f.firstNull - run.spawned);
		load += Ms(f.loaded - f.entry);
		construct += Ms(f.constructed - f.loaded);
		init += Ms(f.ready - f.constructed);
		wait += Ms(f.firstNull - f.ready);
		startup += Ms(f.firstNull - f.entry);
		firstEvent += Ms(f.secondNull - f.firstNull);
		shutdown += Ms(f.end - f.quit);
		startPeak = std::max(startPeak, f.startPeak);
		quitPeak = std::max(quitPeak, f.quitPeak);
		peak = std::max(peak, f.endPeak);
	}
	const auto average = [](double sum) {
		return benchmark::Counter(sum, benchmark::Counter::kAvgIterations);
	};
	state.counters["securities"] = double(seed.figures.securities);
	state.counters["windows"] = double(seed.figures.windows);
	state.counters["from_exec_ms"] = average(fromExec);
	state.counters["startup_ms"] = average(startup);
	state.counters["load_ms"] = average(load);
	state.counters["construct_ms"] = average(construct);
	state.counters["init_ms"] = average(init);
	state.counters["first_null_wait_ms"] = average(wait);
	state.counters["first_null_event_ms"] = average(firstEvent);
	state.counters["shutdown_ms"] = average(shutdown);
	state.counters["startup_peak_MB"] = double(startPeak) / 1024.0;
	state.counters["quit_peak_MB"] = double(quitPeak) / 1024.0;
	state.counters["peak_MB"] = double(peak) / 1024.0;
}

} // namespace

// The argument is the number of securities of each kind; 0 keeps the factory lists. Each repetition seeds a
// new folder; the median of the repetitions is the figure to read on a busy machine.
BENCHMARK(WholeProgram)
    ->ArgName("per_kind")
    ->Arg(0)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
	if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
		return RunChild(std::strcmp(argv[2], "seed") == 0, std::atoi(argv[3]), std::atoi(argv[4]));
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
