#include "platform/toolbox/TickCount.h"

#include <atomic>
#include <chrono>

namespace
{

std::atomic<TickSource*> sSource{nullptr};

UInt64 RealTicks()
{
	using namespace std::chrono;
	const auto ns = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
	return UInt64(ns) / 1000 * 60 / 1'000'000;
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
