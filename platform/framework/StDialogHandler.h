#pragma once
// Runs a modal dialog built from a layout. The handler is the dialog's super commander and hears the
// messages of the controls named in the layout's control list. DoDialog processes one pass of events and
// returns the message heard during it (msg_Nothing when none); callers loop until it is not msg_Nothing.
// Closing the dialog (close box, Escape) gives msg_Cancel, and so does a quit asked for while it runs.
//
// Tests script the user: QueueAnswer makes the next DoDialog of any dialog return that message at once,
// after an optional preparation that may fill the dialog's fields.

#include "platform/framework/LCommander.h"
#include "platform/framework/LListener.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class LWindow;

class StDialogHandler : public LCommander, public LListener
{
public:
	StDialogHandler(ResIDT inDialogResID, LCommander* inSuper);
	~StDialogHandler() override; // deletes the dialog
	StDialogHandler(const StDialogHandler&) = delete;
	StDialogHandler& operator=(const StDialogHandler&) = delete;

	LWindow* GetDialog() const { return mDialog; } // null once the dialog has closed
	MessageT DoDialog();

	void ListenToMessage(MessageT inMessage, void* ioParam) override;
	Boolean AllowSubRemoval(LCommander* inSub) override;

	typedef std::function<void(LWindow* inDialog)> Preparation;
	static void QueueAnswer(MessageT inMessage, Preparation inPrepare = {});
	static size_t CountQueuedAnswers();
	static void ClearQueuedAnswers();
	// When set, a dialog that finds no queued answer stops the program instead of waiting for a user.
	static void SetAnswersRequired(Boolean inRequired);
	// When set, a dialog the test left unanswered is handed to it, its title and texts in UTF-8, and then
	// ends as its Cancel: a test program fails the test with it. Unanswered is at once while answers are
	// required; otherwise once the dialog has waited kUnansweredAfter with no message, the events that
	// a test posts to drive it processed meanwhile. Returns the handler it replaces.
	typedef std::function<void(const std::string& inWaitsFor)> Unanswered;
	static Unanswered SetUnanswered(Unanswered inHandler);
	static constexpr std::chrono::seconds kUnansweredAfter{5};

private:
	void CloseDialog(); // as its close box does
	bool IsUnanswered();
	std::string WaitsFor() const;

	LWindow* mDialog = nullptr;
	LWindow* mClosedDialog = nullptr; // compared only: it may be gone
	MessageT mMessage = msg_Nothing;
	// From the first pass with no message, until a message is heard.
	std::optional<std::chrono::steady_clock::time_point> mWaitingSince;
	StModalLoop mModal;
};
