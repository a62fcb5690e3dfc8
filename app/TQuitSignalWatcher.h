#pragma once
// Quits the application the ordinary way (settings written) when the process is asked to stop by SIGINT,
// SIGTERM or SIGHUP. The handler only notes the signal; the repeater acts on it inside the event loop.
// While that quit is held up (a question about an unsaved portfolio), a second SIGINT or SIGTERM ends the
// program at once and a second SIGHUP is ignored; once the user has stopped it, the next signal is an
// ordinary quit again.

#include "platform/framework/LPeriodical.h"

class TQuitSignalWatcher : public LPeriodical
{
public:
	TQuitSignalWatcher(); // installs the handlers and starts repeating
	~TQuitSignalWatcher() override;

	void SpendTime(const EventRecord& inMacEvent) override;

private:
	bool mQuitAsked = false; // by a signal, with the handlers at their default until it is over
};
