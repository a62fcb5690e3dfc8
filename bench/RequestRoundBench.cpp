// A round of quote requests submitted at once against a source that accepts connections and never answers
// (a loopback port that listens and never accepts, named as the HTTP proxy): the submission itself, and
// the event loop's pump passes that follow. The longest pump pass of a round of 10,000 requests is compared
// with the longest pass of a round the size of one pass's admission (vs_small_round), and the sockets the
// program holds at the end of the passes are counted.
//
// SchedulerRound: the same through the quote scheduler, as the program runs it: each event-loop pass gives
// the scheduler its time and then pumps, and a kind of 10,000 securities falls due. The longest pass is
// compared with that of a kind of 32 securities in the same run.

#include "Internet/TBrokerage.h"
#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooUS.h"
#include "model/TStock.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SilentSource.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kPasses = 400;
constexpr int kSources = 14;
constexpr int kSmallRound = 32; // what one pass lets into the set

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration)
{
	return std::chrono::duration<double, std::milli>(duration).count();
}

class Ignore : public TURLCallback
{
public:
	void Run(TVyString&, void*, unsigned long, TURLRequest*) override {}
};

struct tRound {
	double submitMs = 0;
	double longestPassMs = 0;
	long sockets = 0;
};

// One round of requests spread over the sources, then the pump's passes as the event loop makes them.
tRound RunRound(int requests)
{
	static Ignore ignore;
	tRound round;
	const long before = SilentSource::OpenDescriptors();
	TURLRequest::Initialize(true);
	TCURLPump::TurnOn();
	const Clock::time_point start = Clock::now();
	for (int i = 0; i < requests; ++i) {
		auto* request = new TURLRequest;
		request->SetURL(
		    ("http://source" + std::to_string(i % kSources) + ".example/q?s=S" + std::to_string(i))
		        .c_str());
		request->SetUserAgent(TURLRequest::kDefaultUserAgent);
		request->SetFollowLocation(true);
		request->SetCallback(&ignore, nullptr, 7);
		if (!request->TransferURL())
			delete request;
	}
	round.submitMs = Milliseconds(Clock::now() - start);
	TCURLPump pump;
	for (int pass = 0; pass < kPasses; ++pass) {
		const Clock::time_point passStart = Clock::now();
		pump.Execute();
		round.longestPassMs = std::max(round.longestPassMs, Milliseconds(Clock::now() - passStart));
		::usleep(1000);
	}
	round.sockets = SilentSource::OpenDescriptors() - before;
	TCURLPump::TurnOff();
	TURLRequest::Terminate();
	return round;
}

void SubmitRound(benchmark::State& state)
{
	SilentSource source;
	ScopedEnvironment proxy("http_proxy", source.URL());
	tRound small, large;
	for (auto _ : state) {
		small = RunRound(kSmallRound);
		large = RunRound(int(state.range(0)));
	}
	state.counters["submit_ms"] = large.submitMs;
	state.counters["longest_pass_ms"] = large.longestPassMs;
	state.counters["small_round_pass_ms"] = small.longestPassMs;
	state.counters["vs_small_round"] =
	    small.longestPassMs > 0 ? large.longestPassMs / small.longestPassMs : 0;
	state.counters["sockets"] = double(large.sockets);
}

constexpr int kSchedulerPasses = 60;

struct tSchedulerRound {
	double longestPassMs = 0;
	double schedulerMs = 0; // in Run over all the passes: the cost of creating and queueing the requests
};

// The event-loop passes while the scheduler submits a due kind of the given size.
tSchedulerRound SchedulerPasses(int securities)
{
	std::vector<std::unique_ptr<TStock>> stocks;
	TList<TSecurity> list(false, false);
	for (int i = 0; i < securities; ++i) {
		stocks.push_back(std::make_unique<TStock>());
		stocks.back()->SecuritySymbol(("S" + std::to_string(i)).c_str());
		stocks.back()->Exchange(100);
		list.Append(stocks.back().get());
	}
	TURLSecurity::Initialize();
	tSchedulerRound round;
	{
		TBrokerage broker;
		broker.SetList(securityStock, &list);
		broker.StartUpdating();
		broker.SetMinutes(securityStock, 1);
		TCURLPump pump;
		for (int pass = 0; pass < kSchedulerPasses; ++pass) {
			const Clock::time_point passStart = Clock::now();
			broker.Run();
			round.schedulerMs += Milliseconds(Clock::now() - passStart);
			pump.Execute();
			round.longestPassMs =
			    std::max(round.longestPassMs, Milliseconds(Clock::now() - passStart));
			::usleep(1000);
		}
		long submitted = 0;
		for (const auto& stock : stocks)
			submitted += stock->UpdateSecurityReference() != nullptr ? 1 : 0;
		if (submitted != securities)
			round.longestPassMs = -1;
		broker.Stop();
	}
	TURLSecurity::Terminate();
	return round;
}

void SchedulerRound(benchmark::State& state)
{
	modeltest::ModelTestEnvironment environment;
	environment.mPrefs.fundsOn = environment.mPrefs.indexesOn = environment.mPrefs.currenciesOn = 0;
	environment.mPrefs.idling.enabled = 0;
	SilentSource source;
	ScopedEnvironment proxy("http_proxy", source.URL());
	TQuoterHosts::SetHost(TYahooUS::kSignature, TQuoterHosts::hostQuote, "quotes.test");
	TQuoterHosts::SetVersionHost("");
	TQuoterManager::InitQuoterManager();
	tSchedulerRound small, large;
	for (auto _ : state) {
		small = SchedulerPasses(kSmallRound);
		large = SchedulerPasses(int(state.range(0)));
	}
	if (small.longestPassMs < 0 || large.longestPassMs < 0)
		state.SkipWithError("not every security of the round was submitted");
	state.counters["longest_pass_ms"] = large.longestPassMs;
	state.counters["small_round_pass_ms"] = small.longestPassMs;
	state.counters["vs_small_round"] =
	    small.longestPassMs > 0 ? large.longestPassMs / small.longestPassMs : 0;
	state.counters["us_per_submission"] = large.schedulerMs * 1000 / double(state.range(0));
	TQuoterManager::FinishQuoterManager();
	TQuoterHosts::ResetHosts();
}

} // namespace

BENCHMARK(SchedulerRound)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SubmitRound)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
