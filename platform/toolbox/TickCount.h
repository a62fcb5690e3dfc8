#pragma once
// The clock seam: ticks of 1/60 s from a monotonic clock, and the wall clock, both replaceable by tests.

#include "platform/toolbox/MacTypes.h"

// Ticks since an arbitrary start (the system's boot on the real clock); wraps after about 828 days.
UInt32 TickCount();

// Milliseconds until the real clock's tick count next changes (1 to 17), for timers that follow the ticks.
UInt32 MillisecondsToNextTick();

// Milliseconds since 1970-01-01 00:00 UTC.
SInt64 WallClockMilliseconds();

class TickSource
{
public:
	virtual ~TickSource() = default;
	virtual UInt64 Ticks() = 0;
	virtual SInt64 WallMilliseconds() = 0;
};

// Installs a source (null restores the real clocks) and returns the one it replaces. Not owned.
TickSource* SetTickSource(TickSource* source);

// A hand-driven clock for tests, installed for its lifetime. Advancing it moves the wall clock along too.
class StTestClock : public TickSource
{
public:
	explicit StTestClock(UInt64 startTicks = 1000, SInt64 wallMilliseconds = 1'000'000'000'000);
	~StTestClock() override;
	StTestClock(const StTestClock&) = delete;
	StTestClock& operator=(const StTestClock&) = delete;

	void SetTicks(UInt64 ticks);
	void Advance(UInt64 ticks);
	void AdvanceMilliseconds(UInt64 ms);
	void SetWallMilliseconds(SInt64 ms);

	UInt64 Ticks() override;
	SInt64 WallMilliseconds() override;

private:
	// Time is kept in units of 1/60000 s, so that tick and millisecond steps both add up exactly.
	UInt64 mElapsed = 0;
	UInt64 mTickOffset;
	SInt64 mWallBase;
	UInt64 mWallAnchor = 0;
	TickSource* mPrevious;
};
