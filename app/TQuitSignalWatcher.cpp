#include "app/TQuitSignalWatcher.h"

#include "platform/framework/LApplication.h"

#include <csignal>

namespace
{

volatile std::sig_atomic_t sSignal = 0;

// A second signal ends the program at once, should the first quit be held up (by a question about an
// unsaved portfolio, say).
extern "C" void NoteSignal(int inSignal)
{
	sSignal = inSignal;
	std::signal(inSignal, SIG_DFL);
}

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

} // namespace

TQuitSignalWatcher::TQuitSignalWatcher()
{
	sSignal = 0;
	for (int signal : kSignals)
		std::signal(signal, NoteSignal);
	StartRepeating();
}

TQuitSignalWatcher::~TQuitSignalWatcher()
{
	for (int signal : kSignals)
		std::signal(signal, SIG_DFL);
}

void TQuitSignalWatcher::SpendTime(const EventRecord&)
{
	if (sSignal == 0)
		return;
	sSignal = 0;
	if (LApplication* app = LApplication::GetApplication())
		app->RequestQuit();
}
