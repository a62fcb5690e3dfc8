#pragma once
// Marks a modal loop (an alert, a dialog, a file, print or colour dialog, a pop-up menu, a drag) for its
// lifetime. A quit asked for while one runs ends every loop as its Cancel would; the quit itself runs once
// the last of them has unwound, from the event loop, just as when nothing modal was up. A loop entered in
// the meantime ends at once.

#include <functional>
#include <string>

class QDialog;

class StModalLoop
{
public:
	// inCancel ends the loop as its Cancel button would; it is called at most once.
	explicit StModalLoop(std::function<void()> inCancel);
	~StModalLoop();
	StModalLoop(const StModalLoop&) = delete;
	StModalLoop& operator=(const StModalLoop&) = delete;

	// What the loop waits for as the user sees it (an alert's text, a dialog's title), in UTF-8.
	void SetWaitsFor(std::string inText) { mWaitsFor = std::move(inText); }

	static bool IsAnyRunning();
	// The innermost loop running: a number no other loop of this run had (0 when none runs), and what it
	// waits for.
	static unsigned long InnermostNumber();
	static std::string InnermostWaitsFor();
	// From a quit being asked for during a modal loop until that quit runs.
	static bool IsQuitPending();
	// With no modal loop running, runs inQuit now; otherwise cancels every loop, closes the windows Qt
	// has open inside its own dialogs as Escape would, and runs inQuit from the event loop after the last
	// loop has ended. A second request while one is pending is dropped.
	static void Quit(std::function<void()> inQuit);
	// Runs inLoop as a modal loop that inCancel ends; a loop asked for while a quit is pending does not
	// run.
	static void Run(std::function<void()> inCancel, const std::function<void()>& inLoop,
	                std::string inWaitsFor = {});
	// The dialog's exec as a modal loop that a quit rejects, waiting for the dialog's title.
	static int Exec(QDialog& ioDialog);
	// As Exec, for a dialog made with new whose parent window may go while it runs (Qt then deletes the
	// dialog with it): true when it was accepted and is still there, after inTake has read its answer.
	// The dialog is deleted.
	static bool ExecAndDelete(QDialog* inDialog, const std::function<void()>& inTake = {});

private:
	std::function<void()> mCancel;
	StModalLoop* mOuter;
	unsigned long mNumber;
	std::string mWaitsFor;
};
