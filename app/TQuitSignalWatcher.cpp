#include "app/TQuitSignalWatcher.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LDocument.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

// Counted, never reset: a watcher compares them with the counts acted on, which outlive it.
volatile std::sig_atomic_t sInterrupts = 0;
volatile std::sig_atomic_t sHangUps = 0;
int sInterruptsSeen = 0;
int sHangUpsSeen = 0;
bool sCaught = false;

// A double tap's second Ctrl-C may come just after the terminal was told what a further one does: it was
// not read yet.
constexpr UInt32 kTimeToRead = 60;

extern "C" void NoteSignal(int inSignal)
{
	if (inSignal == SIGHUP)
		sHangUps = sHangUps + 1;
	else
		sInterrupts = sInterrupts + 1;
}

// Caught, not left to its default, so that scripts/run, which passes a signal on only to a program that
// catches it, passes it on.
extern "C" void EndBySignal(int inSignal)
{
	std::signal(inSignal, SIG_DFL);
	std::raise(inSignal);
}

void Catch(void (*inHandler)(int))
{
	struct sigaction action = {};
	action.sa_handler = inHandler;
	action.sa_flags = SA_RESTART;
	sigemptyset(&action.sa_mask);
	sigset_t signals;
	sigemptyset(&signals);
	for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
		sigaddset(&action.sa_mask, signal);
		sigaddset(&signals, signal);
	}
	for (int signal : {SIGINT, SIGTERM, SIGHUP})
		sigaction(signal, &action, nullptr);
	sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

// The names of the documents with unsaved changes, quoted and joined for a sentence.
std::string UnsavedDocuments()
{
	std::string names;
	for (LDocument* document : LDocument::GetDocumentList()) {
		if (!document->IsModified())
			continue;
		Str255 name;
		name[0] = 0;
		document->GetDescriptor(name);
		if (!names.empty())
			names += ", ";
		names += "\xE2\x80\x9C" + MacRoman::ToUTF8(PascalStrings::ToString(name)) + "\xE2\x80\x9D";
	}
	return names;
}

} // namespace

void TQuitSignalWatcher::CatchQuitSignals()
{
	Catch(NoteSignal);
	sCaught = true;
}

bool TQuitSignalWatcher::EndOnQuitSignals()
{
	Catch(EndBySignal);
	sCaught = false;
	return sInterrupts == 0 && sHangUps == 0;
}

TQuitSignalWatcher::TQuitSignalWatcher() : mCaughtHere(!sCaught)
{
	CatchQuitSignals();
	StartRepeating();
}

TQuitSignalWatcher::~TQuitSignalWatcher()
{
	if (!mCaughtHere)
		return;
	for (int signal : {SIGINT, SIGTERM, SIGHUP})
		std::signal(signal, SIG_DFL);
	sCaught = false;
}

void TQuitSignalWatcher::SpendTime(const EventRecord&)
{
	LApplication* app = LApplication::GetApplication();
	const int interrupts = sInterrupts;
	const int hangUps = sHangUps;
	const bool interrupted = interrupts != sInterruptsSeen;
	const bool signalled = interrupted || hangUps != sHangUpsSeen;
	sInterruptsSeen = interrupts;
	sHangUpsSeen = hangUps;
	// The quit runs from here, its questions included: what it changes is settled before.
	if (signalled && !mQuitAsked) {
		mQuitAsked = true;
		if (app)
			app->RequestQuit();
	} else if (interrupted && mTold) {
		const std::string unsaved = UnsavedDocuments();
		if (TickCount() - mToldAt < kTimeToRead) {
			// Said, so that a user who meant it presses again, late enough, instead of wondering.
			std::fprintf(
			    stderr,
			    "Vantorel: that Ctrl-C came within a second of the message above and was taken "
			    "as part of the first. Wait a second, then press Ctrl-C again to %s; pressed at "
			    "once, it is only taken as part of the first again.\n",
			    unsaved.empty() ? "answer it as its Cancel and quit"
			                    : ("quit without saving " + unsaved).c_str());
			std::fflush(stderr);
		} else {
			if (!unsaved.empty())
				std::fprintf(stderr, "Vantorel: quitting without saving %s.\n",
				             unsaved.c_str());
			if (app)
				app->RequestQuit(kAENo);
		}
	}
	const unsigned long waiting = StModalLoop::InnermostNumber();
	if (mQuitAsked && waiting != 0 && waiting != mToldAbout && !StModalLoop::IsQuitPending()) {
		mToldAbout = waiting;
		mToldAt = TickCount();
		mTold = true;
		TellWhatTheQuitWaitsFor();
	}
	// The quit's questions and messages are modal loops: with none running or pending, it is over, and
	// was stopped (Cancel at the display, a failed save) unless the program is quitting.
	if (mQuitAsked && !StModalLoop::IsAnyRunning() && !StModalLoop::IsQuitPending() &&
	    (!app || app->GetState() != programState_Quitting)) {
		mQuitAsked = false;
		mTold = false;
	}
}

void TQuitSignalWatcher::TellWhatTheQuitWaitsFor() const
{
	std::string question = StModalLoop::InnermostWaitsFor();
	if (question.empty())
		question = "a dialog";
	const char* display = std::getenv("DISPLAY");
	const std::string where = display && *display ? std::string(display) : std::string();
	std::string text = "Vantorel: quitting waits for an answer, ";
	text += where.empty() ? "in the program's window" : "on the display " + where;
	text += ", to:\n    " + question + "\n";
	if (!where.empty()) {
		text += "To see and answer it from another terminal, serve the display over VNC (x11vnc "
		        "package) and connect a VNC viewer to port 5900:\n";
		text += "    x11vnc -display " + where + " -localhost\n";
		text += "or, to see it only, take a picture of the screen (imagemagick package):\n";
		text += "    import -display " + where + " -window root screen.png\n";
	}
	const std::string unsaved = UnsavedDocuments();
	if (unsaved.empty())
		text += "Ctrl-C again answers it as its Cancel and quits, with the settings written.\n";
	else
		text += "Ctrl-C again quits without saving " + unsaved +
		        ", whose changes since the last save are then lost; the settings are written.\n";
	std::fputs(text.c_str(), stderr);
	std::fflush(stderr);
}
