// The whole program with a long stocks list (1,000 and 10,000 securities), on an X display of its own, each
// measurement a process of its own (this program run again with --child) in a preferences folder seeded
// once per size. Quotes are asked for through a proxy on a loopback port that refuses every connection.
// - StartupToFirstWindow: from launch until the first window has shown (drawn after its first exposure), and
//   the peak resident memory then; x_bare is the time against a bare Qt window's launch in the same run.
// - OpenStocksList: the command that opens the stocks list window, until the window has drawn.
// - SortClick: one click on a sort button of that window (by name and by symbol in turn), until the table
//   has drawn; x_std_sort is the time against std::sort of the same keys in the same order.
// - IdleCpu: percent of one core the idle program takes with every security shown, and so kept updated;
//   x_factory is the same against the program with the factory lists, measured in the same run.
// Medians of the repetitions are the figures to read.

#include "Quoters/TQuoterManager.h"
#include "app/AppGlobals.h"
#include "app/TQuitSignalWatcher.h"
#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "bench/ChildRuns.h"
#include "bench/SyntheticSecurities.h"
#include "platform/framework/LAttachment.h"
#include "platform/framework/LControl.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/StQtApplication.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/VirtualDisplay.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/UKsServices.h"
#include "windows/security/TListWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kSortClicks = 6;
constexpr int kSettleSeconds = 5;
constexpr int kIdleSeconds = 20;

double ProcessSeconds()
{
	rusage usage{};
	getrusage(RUSAGE_SELF, &usage);
	return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
	       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// ---- The child: the program as main runs it, driven by a script of steps.

// Notes when a widget has drawn: the time once the event loop is past its paint, so that the copy to the
// screen is in.
class TPaintWatcher : public QObject
{
public:
	std::function<void(QObject*)> mOnExposed;
	std::map<QObject*, long long> mPainted;

protected:
	bool eventFilter(QObject* inWatched, QEvent* inEvent) override
	{
		if (inEvent->type() == QEvent::Paint) {
			QPointer<QObject> watched(inWatched);
			QTimer::singleShot(0, this, [this, watched] {
				if (watched)
					mPainted[watched.data()] = NowNs();
			});
		} else if (inEvent->type() == QEvent::Expose && mOnExposed) {
			if (auto* window = qobject_cast<QWindow*>(inWatched); window && window->isExposed())
				QTimer::singleShot(0, this, [this, window] {
					if (mOnExposed)
						mOnExposed(window);
				});
		}
		return false;
	}
};

// Each step is polled on every null event until it answers true; then the next one runs.
class TScript : public LAttachment
{
public:
	explicit TScript(std::vector<std::function<bool()>> inSteps)
	    : LAttachment(msg_Event), mSteps(std::move(inSteps))
	{
	}

protected:
	void ExecuteSelf(MessageT, void* ioParam) override
	{
		if (mNext < mSteps.size() && static_cast<EventRecord*>(ioParam)->what == nullEvent &&
		    mSteps[mNext]())
			++mNext;
	}

private:
	std::vector<std::function<bool()>> mSteps;
	size_t mNext = 0;
};

// Names in no order related to the symbols, so that each sort moves the rows.
std::string ShuffledName(int inIndex)
{
	UInt32 x = UInt32(inIndex) * 2654435761u + 12345u;
	std::string name;
	for (int i = 0; i < 8; ++i) {
		x ^= x << 13;
		x ^= x >> 17;
		x ^= x << 5;
		name += char('a' + x % 26);
	}
	name[0] = char(std::toupper(UInt8(name[0])));
	return name + " Holdings " + std::to_string(inIndex);
}

std::string LoweredKey(const char* inText)
{
	std::string key(inText, 0, 255);
	for (char& c : key)
		c = char(std::tolower(UInt8(c)));
	return key;
}

struct ChildProgram {
	std::vector<std::string> out; // the figures, sent as one line
	TPaintWatcher watcher;
	kestrunApp* app = nullptr;
	TStockPlugin* Plugin() const { return app->GetStockPlugin(); }
};

int RunProgram(int inResultFd,
               const std::function<std::vector<std::function<bool()>>(ChildProgram&)>& inScript)
{
	// A dialog nobody answers would wait for ever: the parent sees the child killed instead.
	alarm(600);
	gAppStartTick = TickCount();
	int argc = 1;
	char name[] = "vantorel";
	char* argv[] = {name, nullptr};
	ChildProgram child;
	{
		StQtApplication qt(argc, argv);
		qApp->installEventFilter(&child.watcher);
		std::string error;
		if (!ResourceStore::Get().LoadFolder(":/resources", &error)) {
			std::fprintf(stderr, "the program's resources are damaged: %s\n", error.c_str());
			return 1;
		}
		LoadLocalStrings();
		UKsServices::Install();
		TQuoterManager::InstallModelHooks();
		UWindowRegistry::Install();
		{
			auto app = std::make_unique<kestrunApp>();
			child.app = app.get();
			// Before the program's own attachments, so that the script sees each null event
			// first.
			app->AddAttachment(new TScript(inScript(child)));
			app->AddAttachment(new TEventWatcher);
			app->AddAttachment(new TCURLAttachment);
			TQuitSignalWatcher quitWatcher;
			kestrunApp* target = app.get();
			UAppleEventService::Start(
			    [target](AEEventClass eventClass, AEEventID eventID, const AppleEvent& event,
			             AppleEvent& reply) {
				    target->DispatchAppleEvent(eventClass, eventID, event, reply);
			    },
			    &error);
			app->Run();
			UAppleEventService::Stop();
		}
		DisposeLocalStrings();
		qApp->removeEventFilter(&child.watcher);
	}
	std::string line;
	for (const std::string& figure : child.out)
		line += figure + ' ';
	line += '\n';
	return write(inResultFd, line.data(), line.size()) == ssize_t(line.size()) ? 0 : 1;
}

bool Quit()
{
	std::raise(SIGTERM);
	return true;
}

// Brings the stocks list up to inCount securities; the quit writes them.
std::vector<std::function<bool()>> SeedScript(ChildProgram& ioChild, int inCount)
{
	return {[&ioChild, inCount] {
		        TList<TSecurity>* list = ioChild.Plugin()->GetList(securityStock);
		        for (int i = int(list->Count()); i < inCount; ++i) {
			        TSecurity* stock = NewSyntheticSecurity(securityStock, i);
			        stock->SecurityName(ShuffledName(i).c_str());
			        list->Append(stock);
		        }
		        ioChild.out.push_back(std::to_string(list->Count()));
		        return true;
	        },
	        Quit};
}

// The first window shown ends the start: its time (from the child's spawn, which the parent notes) and
// the peak memory then.
std::vector<std::function<bool()>> StartScript(ChildProgram& ioChild)
{
	auto shown = std::make_shared<long long>(0);
	ioChild.watcher.mOnExposed = [&ioChild, shown](QObject*) {
		if (*shown != 0)
			return;
		*shown = NowNs();
		ioChild.out.push_back(std::to_string(*shown));
		ioChild.out.push_back(std::to_string(PeakKilobytes()));
	};
	return {[shown] { return *shown != 0; }, Quit};
}

TListWindow* FrontListWindow()
{
	for (LWindow* window : LWindow::GetWindowList())
		if (auto* list = dynamic_cast<TListWindow*>(window))
			return list;
	return nullptr;
}

// Runs inAction at once; the step is done when inWindow's content has drawn after it. Writes the time.
class TTimedUntilDrawn
{
public:
	TTimedUntilDrawn(ChildProgram& ioChild, std::function<void()> inAction,
	                 std::function<LWindow*()> inWindow)
	    : mChild(ioChild), mAction(std::move(inAction)), mWindow(std::move(inWindow))
	{
	}
	bool operator()()
	{
		if (mStart == 0) {
			mStart = NowNs();
			mAction();
			return false;
		}
		QWidget* content = QtPaneWidget::ContentOf(mWindow());
		const auto painted = mChild.watcher.mPainted.find(content);
		if (content == nullptr || painted == mChild.watcher.mPainted.end() ||
		    painted->second < mStart)
			return false;
		mChild.out.push_back(std::to_string(painted->second - mStart));
		return true;
	}

private:
	ChildProgram& mChild;
	std::function<void()> mAction;
	std::function<LWindow*()> mWindow;
	long long mStart = 0;
};

// Lets the start-up's work (the first update pass among it) settle.
std::vector<std::function<bool()>> Settle()
{
	auto start = std::make_shared<long long>(0);
	return {[start] {
		        *start = NowNs();
		        return true;
	        },
	        [start] { return NowNs() - *start >= kSettleSeconds * 1000000000LL; }};
}

// Opens the stocks list window, then clicks the name and symbol sort buttons in turn; each click is
// followed by std::sort of the same keys (the lowered names or symbols, in the rows' order before it).
std::vector<std::function<bool()>> ListScript(ChildProgram& ioChild)
{
	std::vector<std::function<bool()>> steps = Settle();
	steps.push_back(TTimedUntilDrawn(
	    ioChild, [] { LApplication::DispatchCommand(5111); }, FrontListWindow));
	for (int click = 0; click < kSortClicks; ++click) {
		const bool byName = click % 2 == 1;
		auto keys = std::make_shared<std::vector<std::string>>();
		steps.push_back([keys, byName] {
			TListWindow* window = FrontListWindow();
			if (window == nullptr || window->GetWorkingList() == nullptr)
				return Quit();
			for (tListNode<tSecurityEntry>* node = window->GetWorkingList()->GetEntryHead();
			     node != nullptr; node = node->mNext)
				keys->push_back(LoweredKey(byName ? node->mItem->Security->SecurityName()
				                                  : node->mItem->Security->SecuritySymbol()));
			return true;
		});
		steps.push_back(TTimedUntilDrawn(
		    ioChild,
		    [byName] {
			    UDispatch::Run([byName] {
				    if (TListWindow* window = FrontListWindow())
					    if (auto* button = dynamic_cast<LControl*>(
					            window->FindPaneByID(byName ? TListWindow::kSortName
					                                        : TListWindow::kSortSymbol)))
						    button->SimulateHotSpotClick(kControlButtonPart);
			    });
			    LWindow::AfterDispatch();
		    },
		    FrontListWindow));
		steps.push_back([&ioChild, keys] {
			const long long start = NowNs();
			std::sort(keys->begin(), keys->end());
			ioChild.out.push_back(std::to_string(NowNs() - start));
			benchmark::DoNotOptimize(keys->data());
			return true;
		});
	}
	steps.push_back(Quit);
	return steps;
}

// Once the start-up has settled, the processor time over kIdleSeconds.
std::vector<std::function<bool()>> IdleScript(ChildProgram& ioChild)
{
	auto start = std::make_shared<long long>(0);
	auto cpu = std::make_shared<double>(0);
	std::vector<std::function<bool()>> steps = Settle();
	steps.push_back([start, cpu] {
		*start = NowNs();
		*cpu = ProcessSeconds();
		return true;
	});
	steps.push_back([&ioChild, start, cpu] {
		const long long wall = NowNs() - *start;
		if (wall < kIdleSeconds * 1000000000LL)
			return false;
		ioChild.out.push_back(
		    std::to_string(100.0 * (ProcessSeconds() - *cpu) / (double(wall) / 1e9)));
		return true;
	});
	steps.push_back(Quit);
	return steps;
}

// A bare Qt window: the least any window's launch costs.
int RunBareWindow(int inResultFd)
{
	int argc = 1;
	char name[] = "bare";
	char* argv[] = {name, nullptr};
	QApplication qt(argc, argv);
	TPaintWatcher watcher;
	std::string line;
	watcher.mOnExposed = [&line](QObject*) {
		if (!line.empty())
			return;
		line = std::to_string(NowNs()) + ' ' + std::to_string(PeakKilobytes()) + '\n';
		QCoreApplication::quit();
	};
	qt.installEventFilter(&watcher);
	QWidget window;
	window.resize(400, 300);
	window.show();
	QApplication::exec();
	qt.removeEventFilter(&watcher);
	return write(inResultFd, line.data(), line.size()) == ssize_t(line.size()) ? 0 : 1;
}

int RunChild(const std::string& inMode, int inCount, int inResultFd)
{
	if (inMode == "bare")
		return RunBareWindow(inResultFd);
	return RunProgram(inResultFd, [&](ChildProgram& ioChild) {
		if (inMode == "seed")
			return SeedScript(ioChild, inCount);
		if (inMode == "start")
			return StartScript(ioChild);
		if (inMode == "list")
			return ListScript(ioChild);
		return IdleScript(ioChild);
	});
}

// ---- The parent: a display, a dead proxy, a seeded folder per size, and one child per measurement.

struct Run {
	long long spawned = 0;
	std::vector<double> figures;
	std::string error;
};

Run StartChild(const char* inMode, int inCount)
{
	Run run;
	const ChildRun child = RunChildOfSelf("bench_ManySecuritiesBench", inMode, inCount);
	run.spawned = child.spawned;
	std::istringstream in(child.output);
	for (double figure; in >> figure;)
		run.figures.push_back(figure);
	if (!child.exitedWell || run.figures.empty())
		run.error = std::string(inMode) + " run failed (status " + std::to_string(child.status) + ")";
	return run;
}

// The display, the proxy and the environment every child inherits.
class World
{
public:
	static World& Get()
	{
		static World world;
		return world;
	}
	const std::string& Error() const { return mError; }

	// A folder whose stocks list holds inCount securities (0: the factory lists); its variables set.
	bool UseFolder(int inCount)
	{
		auto& folder = mFolders[inCount];
		if (!folder) {
			folder = std::make_unique<std::string>(mRoot.Path("n" + std::to_string(inCount)));
			std::filesystem::create_directories(*folder + "/config");
			std::filesystem::create_directories(*folder + "/runtime");
			std::filesystem::permissions(*folder + "/runtime", std::filesystem::perms::owner_all,
			                             std::filesystem::perm_options::replace);
			Point(*folder);
			const Run seed = StartChild("seed", inCount);
			if (!seed.error.empty() || (inCount > 0 && seed.figures[0] != inCount)) {
				mError = seed.error.empty() ? "the stocks list was not filled" : seed.error;
				return false;
			}
		}
		Point(*folder);
		return true;
	}

private:
	World()
	{
		if (StartVirtualDisplay("1920x1080x24").empty()) {
			mError = "Xvfb did not start";
			return;
		}
		if (mPort.Port() == 0) {
			mError = "no loopback port for the proxy";
			return;
		}
		const std::string proxy = "http://127.0.0.1:" + std::to_string(mPort.Port());
		for (const char* name :
		     {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
			setenv(name, proxy.c_str(), 1);
		unsetenv("no_proxy");
		unsetenv("NO_PROXY");
	}

	static void Point(const std::string& inFolder)
	{
		setenv("HOME", inFolder.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (inFolder + "/config").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (inFolder + "/runtime").c_str(), 1);
		setenv("TMPDIR", inFolder.c_str(), 1);
	}

	ScratchFolder mRoot;
	StDeadPort mPort;
	std::map<int, std::unique_ptr<std::string>> mFolders;
	std::string mError;
};

bool Ready(benchmark::State& state, int inCount)
{
	World& world = World::Get();
	if (world.Error().empty())
		world.UseFolder(inCount);
	if (!world.Error().empty()) {
		state.SkipWithError(world.Error().c_str());
		return false;
	}
	return true;
}

void StartupToFirstWindow(benchmark::State& state)
{
	const int count = int(state.range(0));
	for (auto _ : state) {
		if (!Ready(state, count))
			return;
		const Run bare = StartChild("bare", 0);
		const Run run = StartChild("start", count);
		if (!bare.error.empty() || !run.error.empty() || bare.figures.size() < 2 ||
		    run.figures.size() < 2) {
			state.SkipWithError("a start gave no figures");
			return;
		}
		const double ms = Ms(static_cast<long long>(run.figures[0]) - run.spawned);
		const double bareMs = Ms(static_cast<long long>(bare.figures[0]) - bare.spawned);
		state.SetIterationTime(ms / 1e3);
		state.counters["peak_MB"] = run.figures[1] / 1024.0;
		state.counters["bare_ms"] = bareMs;
		state.counters["bare_peak_MB"] = bare.figures[1] / 1024.0;
		state.counters["x_bare"] = ms / bareMs;
	}
}

// One child opens the window and clicks: the window's time, then per click its time and std::sort's.
void ListWindow(benchmark::State& state, bool inSortClick)
{
	const int count = int(state.range(0));
	for (auto _ : state) {
		if (!Ready(state, count))
			return;
		const Run run = StartChild("list", count);
		if (!run.error.empty() || run.figures.size() != 1 + 2 * kSortClicks) {
			state.SkipWithError("the list window gave no figures");
			return;
		}
		if (!inSortClick) {
			state.SetIterationTime(run.figures[0] / 1e9);
			continue;
		}
		std::vector<double> clicks, sorts;
		for (int i = 0; i < kSortClicks; ++i) {
			clicks.push_back(run.figures[1 + 2 * i]);
			sorts.push_back(run.figures[2 + 2 * i]);
		}
		std::sort(clicks.begin(), clicks.end());
		std::sort(sorts.begin(), sorts.end());
		const double click = clicks[kSortClicks / 2], sort = sorts[kSortClicks / 2];
		state.SetIterationTime(click / 1e9);
		state.counters["std_sort_ms"] = sort / 1e6;
		state.counters["x_std_sort"] = click / sort;
	}
}

void OpenStocksList(benchmark::State& state)
{
	ListWindow(state, false);
}

void SortClick(benchmark::State& state)
{
	ListWindow(state, true);
}

void IdleCpu(benchmark::State& state)
{
	const int count = int(state.range(0));
	for (auto _ : state) {
		if (!Ready(state, 0))
			return;
		const Run factory = StartChild("idle", 0);
		if (!Ready(state, count))
			return;
		const Run run = StartChild("idle", count);
		if (!factory.error.empty() || !run.error.empty()) {
			state.SkipWithError("an idle run gave no figures");
			return;
		}
		state.SetIterationTime(1);
		state.counters["cpu_pct"] = run.figures[0];
		state.counters["factory_cpu_pct"] = factory.figures[0];
		state.counters["x_factory"] =
		    factory.figures[0] > 0 ? run.figures[0] / factory.figures[0] : 0;
	}
}

void Sizes(benchmark::internal::Benchmark* inBenchmark)
{
	inBenchmark->ArgName("securities")->Arg(1000)->Arg(10000)->UseManualTime()->Iterations(1);
}

} // namespace

BENCHMARK(StartupToFirstWindow)
    ->Apply(Sizes)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(OpenStocksList)
    ->Apply(Sizes)
    ->Repetitions(3)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SortClick)->Apply(Sizes)->Repetitions(3)->DisplayAggregatesOnly(true)->Unit(
    benchmark::kMillisecond);
BENCHMARK(IdleCpu)->Apply(Sizes)->Repetitions(3)->DisplayAggregatesOnly(true)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
	if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
		return RunChild(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
