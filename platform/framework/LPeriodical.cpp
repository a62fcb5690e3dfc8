#include "platform/framework/LPeriodical.h"

#include "platform/framework/UDispatch.h"

#include <algorithm>

LPeriodical::Queue LPeriodical::sIdlers;
LPeriodical::Queue LPeriodical::sRepeaters;

LPeriodical::~LPeriodical()
{
	StopIdling();
	StopRepeating();
}

void LPeriodical::StartIdling()
{
	Add(sIdlers, this);
}

void LPeriodical::StopIdling()
{
	Remove(sIdlers, this);
}

Boolean LPeriodical::IsIdling() const
{
	return Contains(sIdlers, this);
}

void LPeriodical::StartRepeating()
{
	Add(sRepeaters, this);
}

void LPeriodical::StopRepeating()
{
	Remove(sRepeaters, this);
}

Boolean LPeriodical::IsRepeating() const
{
	return Contains(sRepeaters, this);
}

void LPeriodical::DevoteTimeToIdlers(const EventRecord& inMacEvent)
{
	DevoteTime(sIdlers, inMacEvent);
}

void LPeriodical::DevoteTimeToRepeaters(const EventRecord& inMacEvent)
{
	DevoteTime(sRepeaters, inMacEvent);
}

void LPeriodical::Add(Queue& ioQueue, LPeriodical* inItem)
{
	if (!Contains(ioQueue, inItem))
		ioQueue.items.push_back(inItem);
}

void LPeriodical::Remove(Queue& ioQueue, LPeriodical* inItem)
{
	auto it = std::find(ioQueue.items.begin(), ioQueue.items.end(), inItem);
	if (it == ioQueue.items.end())
		return;
	if (ioQueue.walking > 0)
		*it = nullptr; // the walk skips it; erased when the walk ends
	else
		ioQueue.items.erase(it);
}

Boolean LPeriodical::Contains(const Queue& inQueue, const LPeriodical* inItem)
{
	return std::find(inQueue.items.begin(), inQueue.items.end(), inItem) != inQueue.items.end();
}

void LPeriodical::DevoteTime(Queue& ioQueue, const EventRecord& inMacEvent)
{
	++ioQueue.walking;
	// Those started during the walk wait for the next one; one that throws does not keep the others
	// waiting.
	const size_t count = ioQueue.items.size();
	for (size_t i = 0; i < count && i < ioQueue.items.size(); ++i) {
		if (LPeriodical* p = ioQueue.items[i])
			UDispatch::Run([&] { p->SpendTime(inMacEvent); });
	}
	if (--ioQueue.walking == 0)
		std::erase(ioQueue.items, nullptr);
}
