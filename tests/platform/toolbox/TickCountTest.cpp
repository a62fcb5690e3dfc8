#include "platform/toolbox/TickCount.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(TickCount, RealClockAdvancesAtSixtyPerSecond)
{
	// Bracketed by the steady clock, so that a busy machine's late wake-up changes nothing.
	using Clock = std::chrono::steady_clock;
	const Clock::time_point outerStart = Clock::now();
	const UInt32 before = TickCount();
	const Clock::time_point innerStart = Clock::now();
	std::this_thread::sleep_for(std::chrono::milliseconds(120));
	const Clock::time_point innerEnd = Clock::now();
	const UInt32 elapsed = TickCount() - before;
	const Clock::time_point outerEnd = Clock::now();
	auto ticks = [](Clock::duration d) {
		return std::chrono::duration_cast<std::chrono::microseconds>(d).count() * 60 / 1'000'000;
	};
	EXPECT_GE(elapsed, 6u);
	EXPECT_GE(long(elapsed), ticks(innerEnd - innerStart) - 1);
	EXPECT_LE(long(elapsed), ticks(outerEnd - outerStart) + 1);
}

TEST(TickCount, TestClockDrivesTicksAndWallClockTogether)
{
	StTestClock clock(500, 1'700'000'000'000);
	EXPECT_EQ(TickCount(), 500u);
	EXPECT_EQ(WallClockMilliseconds(), 1'700'000'000'000);

	// 60 single-tick steps are exactly one second, with no rounding drift.
	for (int i = 0; i < 60; ++i)
		clock.Advance(1);
	EXPECT_EQ(TickCount(), 560u);
	EXPECT_EQ(WallClockMilliseconds(), 1'700'000'001'000);

	clock.AdvanceMilliseconds(500);
	EXPECT_EQ(TickCount(), 590u);
	EXPECT_EQ(WallClockMilliseconds(), 1'700'000'001'500);

	clock.SetTicks(10);
	EXPECT_EQ(TickCount(), 10u);
	EXPECT_EQ(WallClockMilliseconds(), 1'700'000'001'500);
	clock.SetWallMilliseconds(0);
	clock.Advance(6);
	EXPECT_EQ(TickCount(), 16u);
	EXPECT_EQ(WallClockMilliseconds(), 100);
}

TEST(TickCount, NestedTestClocksRestoreTheirPredecessor)
{
	{
		StTestClock outer(100);
		{
			StTestClock inner(7);
			EXPECT_EQ(TickCount(), 7u);
		}
		EXPECT_EQ(TickCount(), 100u);
	}
	// Back on the real clock: the wall clock is after 2020.
	EXPECT_GT(WallClockMilliseconds(), 1'577'836'800'000);
}

TEST(TickCount, TicksWrapAtThirtyTwoBits)
{
	StTestClock clock(0xFFFFFFFFull);
	clock.Advance(2);
	EXPECT_EQ(TickCount(), 1u);
}
