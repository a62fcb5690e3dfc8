#include "platform/toolbox/TickCount.h"

#include <atomic>
#include <chrono>

namespace
{

std::atomic<TickSource*> sSource{nullptr};

UInt64 RealMicroseconds()
{
	using namespace std::chrono;
	return UInt64(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

UInt64 RealTicks()
{
	return RealMicroseconds() * 60 / 1'000'000;
}

SInt64 RealWallMilliseconds()
{
	using namespace std::chrono;
	return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

UInt32 TickCount()
{
	TickSource* source = sSource.load();
	return UInt32(source ? source->Ticks() : RealTicks());
}

UInt32 MillisecondsToNextTick()
{
	const UInt64 now = RealMicroseconds();
	const UInt64 next = (now * 60 / 1'000'000 + 1) * 1'000'000;
	const UInt64 wait = (next + 59) / 60 - now; // microseconds, rounded so that the tick has changed
	return UInt32((wait + 999) / 1000);
}

SInt64 WallClockMilliseconds()
{
	TickSource* source = sSource.load();
	return source ? source->WallMilliseconds() : RealWallMilliseconds();
}

TickSource* SetTickSource(TickSource* source)
{
	return sSource.exchange(source);
}

StTestClock::StTestClock(UInt64 startTicks, SInt64 wallMilliseconds)
    : mTickOffset(startTicks * 1000), mWallBase(wallMilliseconds), mPrevious(SetTickSource(this))
{
}

StTestClock::~StTestClock()
{
	SetTickSource(mPrevious);
}

void StTestClock::SetTicks(UInt64 ticks)
{
	mTickOffset = ticks * 1000 - mElapsed;
}

void StTestClock::Advance(UInt64 ticks)
{
	mElapsed += ticks * 1000;
}

void StTestClock::AdvanceMilliseconds(UInt64 ms)
{
	mElapsed += ms * 60;
}

void StTestClock::SetWallMilliseconds(SInt64 ms)
{
	mWallBase = ms;
	mWallAnchor = mElapsed;
}

UInt64 StTestClock::Ticks()
{
	return (mTickOffset + mElapsed) / 1000;
}

SInt64 StTestClock::WallMilliseconds()
{
	return mWallBase + SInt64((mElapsed - mWallAnchor) / 60);
}
