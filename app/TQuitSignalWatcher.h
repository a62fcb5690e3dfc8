#pragma once
// Quits the application the ordinary way (settings written) when the process is asked to stop by SIGINT,
// SIGTERM or SIGHUP. The handlers, installed first thing in main, only note the signal, so that one that
// comes while the program starts is acted on once the event loop runs; the repeater acts inside it.
// While a signal's quit is held up by a question or an alert, standard error says what it waits for, on
// which display, and what a further Ctrl-C does: a SIGINT or SIGTERM a second after that answers every
// waiting question as Don't Save (other alerts as their Cancel) and quits without saving. One that comes
// sooner (a double tap) is the same quit as the first, which the terminal is told; a hang-up never drops a
// change, since nobody is left at the terminal to have read the message.

#include "platform/framework/LPeriodical.h"

class TQuitSignalWatcher : public LPeriodical
{
public:
	// Whatever the process inherited (ignored, from a background start), for the whole run.
	static void CatchQuitSignals();
	// Where nothing of the user's is left to write: a quit signal from now on ends the process at once,
	// as its default would. False when one came already.
	static bool EndOnQuitSignals();

	// Catches them too, when main has not: they then go back to their defaults with the watcher.
	TQuitSignalWatcher();
	~TQuitSignalWatcher() override;

	void SpendTime(const EventRecord& inMacEvent) override;

private:
	void TellWhatTheQuitWaitsFor() const;

	bool mCaughtHere;
	bool mQuitAsked = false;      // by a signal, until that quit ends or is stopped at the display
	bool mTold = false;           // the terminal was told what the quit waits for and what Ctrl-C does
	UInt32 mToldAt = 0;           // in ticks
	unsigned long mToldAbout = 0; // the modal loop the terminal was told about
};
