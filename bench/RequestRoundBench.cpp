// A round of quote requests submitted at once against a source that accepts connections and never answers
// (a loopback port that listens and never accepts, named as the HTTP proxy): the submission itself, and
// the event loop's pump passes that follow. The longest pump pass of a round of 10,000 requests is compared
// with the longest pass of a round the size of one pass's admission (vs_small_round), and the sockets the
// program holds at the end of the passes are counted.

#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SilentSource.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <unistd.h>

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

} // namespace

BENCHMARK(SubmitRound)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
