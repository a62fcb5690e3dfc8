#include "app/TQuitSignalWatcher.h"

#include "platform/framework/LApplication.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <csignal>

namespace
{

volatile std::sig_atomic_t sSignal = 0;

// A second signal ends the program at once, should the first quit be held up (by a question about an
// unsaved portfolio, say). A closed terminal's hang-up may come twice, from the shell and from the terminal:
// a second one is no user insisting.
extern "C" void NoteSignal(int inSignal)
{
	sSignal = inSignal;
	std::signal(inSignal, inSignal == SIGHUP ? SIG_IGN : SIG_DFL);
}

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void Arm()
{
	for (int signal : kSignals)
		std::signal(signal, NoteSignal);
}

} // namespace

TQuitSignalWatcher::TQuitSignalWatcher()
{
	sSignal = 0;
	Arm();
	StartRepeating();
}

TQuitSignalWatcher::~TQuitSignalWatcher()
{
	for (int signal : kSignals)
		std::signal(signal, SIG_DFL);
}

void TQuitSignalWatcher::SpendTime(const EventRecord&)
{
	LApplication* app = LApplication::GetApplication();
	if (sSignal != 0) {
		sSignal = 0;
		mQuitAsked = true;
		if (app)
			app->RequestQuit();
	}
	// The quit's questions and messages are modal loops: with none running or pending, it is over, and
	// was stopped (Cancel, a failed save) unless the program is quitting.
	if (mQuitAsked && !StModalLoop::IsAnyRunning() && !StModalLoop::IsQuitPending() &&
	    (!app || app->GetState() != programState_Quitting)) {
		mQuitAsked = false;
		Arm();
	}
}
