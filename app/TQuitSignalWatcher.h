#pragma once
// Quits the application the ordinary way (settings written) when the process is asked to stop by SIGINT,
// SIGTERM or SIGHUP. The handler only notes the signal; the repeater acts on it inside the event loop.

#include "platform/framework/LPeriodical.h"

class TQuitSignalWatcher : public LPeriodical
{
public:
	TQuitSignalWatcher(); // installs the handlers and starts repeating
	~TQuitSignalWatcher() override;

	void SpendTime(const EventRecord& inMacEvent) override;
};
