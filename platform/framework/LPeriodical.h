#pragma once
// Periodic work. Idlers get time on null events (when no real event came during a tick); repeaters get time
// after every event, null events included. Registration is undone by the destructor; starting and stopping,
// even of others, is safe from inside SpendTime.

#include "platform/toolbox/MacTypes.h"

#include <vector>

class LPeriodical
{
public:
	LPeriodical() = default;
	virtual ~LPeriodical();
	LPeriodical(const LPeriodical&) = delete;
	LPeriodical& operator=(const LPeriodical&) = delete;

	virtual void SpendTime(const EventRecord& inMacEvent) = 0;

	void StartIdling();
	void StopIdling();
	Boolean IsIdling() const;
	void StartRepeating();
	void StopRepeating();
	Boolean IsRepeating() const;

	static void DevoteTimeToIdlers(const EventRecord& inMacEvent);
	static void DevoteTimeToRepeaters(const EventRecord& inMacEvent);

private:
	struct Queue {
		std::vector<LPeriodical*> items;
		int walking = 0;
	};
	static Queue sIdlers;
	static Queue sRepeaters;
	static void Add(Queue& ioQueue, LPeriodical* inItem);
	static void Remove(Queue& ioQueue, LPeriodical* inItem);
	static Boolean Contains(const Queue& inQueue, const LPeriodical* inItem);
	static void DevoteTime(Queue& ioQueue, const EventRecord& inMacEvent);
};
