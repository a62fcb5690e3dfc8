#pragma once
// Times a copy against one memcpy of the same bytes in the same run (counter vs_memcpy), and counts the
// allocations per call (allocs_per_call). Included once per benchmark program: it counts the allocations.

#include "tests/support/AllocationCounter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <vector>

inline double Seconds(std::chrono::steady_clock::duration inDuration)
{
	return std::chrono::duration<double>(inDuration).count();
}

// Runs inCopy for the benchmark's iterations, then as many memcpy calls of inBytes.
template <class F> void Measure(benchmark::State& state, size_t inBytes, F inCopy)
{
	using Clock = std::chrono::steady_clock;
	long calls = 0;
	const long allocationsBefore = AllocationCount();
	const Clock::time_point start = Clock::now();
	for (auto _ : state) {
		inCopy();
		++calls;
	}
	const double copyTime = Seconds(Clock::now() - start);
	const long allocations = AllocationCount() - allocationsBefore;

	std::vector<char> from(inBytes, 1), to(inBytes, 0);
	const Clock::time_point memcpyStart = Clock::now();
	for (long i = 0; i < calls; ++i) {
		std::memcpy(to.data(), from.data(), inBytes);
		benchmark::ClobberMemory();
	}
	const double memcpyTime = Seconds(Clock::now() - memcpyStart);
	state.counters["vs_memcpy"] = memcpyTime > 0 ? copyTime / memcpyTime : 0;
	state.counters["allocs_per_call"] = calls ? double(allocations) / double(calls) : 0;
}
