#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

namespace
{
StModalLoop* sInnermost = nullptr;
int sCount = 0;
unsigned long sLoopsRun = 0;
std::function<void()> sPendingQuit;
bool sQuitPosted = false;

// The windows Qt runs inside its own dialogs (a file dialog's messages and context menu, the print
// dialog's properties) are no loops of ours, yet the dialog around them cannot return while they wait.
// They close as Escape would, innermost first: a message box answers its Escape button ("No" to
// replacing a file), never a button that goes on.
void CloseQtWindows()
{
	if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
		return;
	for (;;) {
		QPointer<QWidget> open = QApplication::activePopupWidget();
		if (!open)
			open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
		if (!open)
			return;
		open->close();
		if (auto* dialog = qobject_cast<QDialog*>(open.data()); dialog && dialog->isVisible())
			dialog->reject();
		if (open && open->isVisible())
			return; // it will not close: no loop here
	}
}

void PostQuit()
{
	if (sQuitPosted)
		return;
	sQuitPosted = true;
	// Posted rather than run: the code that ran the last loop finishes first, and before the main loop
	// has started the quit waits for it.
	QTimer::singleShot(0, QCoreApplication::instance(), [] {
		std::function<void()> quit = std::move(sPendingQuit);
		sPendingQuit = nullptr;
		sQuitPosted = false;
		if (quit)
			quit();
	});
}
} // namespace

StModalLoop::StModalLoop(std::function<void()> inCancel)
    : mCancel(std::move(inCancel)), mOuter(sInnermost), mNumber(++sLoopsRun)
{
	sInnermost = this;
	++sCount;
}

StModalLoop::~StModalLoop()
{
	// Loops end innermost first; one that ends out of turn is unlinked where it stands.
	for (StModalLoop** link = &sInnermost; *link != nullptr; link = &(*link)->mOuter)
		if (*link == this) {
			*link = mOuter;
			break;
		}
	if (--sCount == 0 && sPendingQuit)
		PostQuit();
}

bool StModalLoop::IsAnyRunning()
{
	return sCount > 0;
}

unsigned long StModalLoop::InnermostNumber()
{
	return sInnermost ? sInnermost->mNumber : 0;
}

std::string StModalLoop::InnermostWaitsFor()
{
	return sInnermost ? sInnermost->mWaitsFor : std::string();
}

bool StModalLoop::IsQuitPending()
{
	return bool(sPendingQuit);
}

void StModalLoop::Quit(std::function<void()> inQuit)
{
	if (sPendingQuit || !inQuit)
		return;
	if (sCount == 0) {
		inQuit();
		return;
	}
	sPendingQuit = std::move(inQuit);
	// Taken first: a cancel may end its loop's bookkeeping before the next is reached.
	std::vector<std::function<void()>> cancels;
	for (StModalLoop* loop = sInnermost; loop != nullptr; loop = loop->mOuter)
		if (loop->mCancel)
			cancels.push_back(std::exchange(loop->mCancel, nullptr));
	for (const auto& cancel : cancels)
		cancel();
	CloseQtWindows();
}

void StModalLoop::Run(std::function<void()> inCancel, const std::function<void()>& inLoop,
                      std::string inWaitsFor)
{
	StModalLoop modal(std::move(inCancel));
	modal.SetWaitsFor(std::move(inWaitsFor));
	if (!IsQuitPending())
		inLoop();
}

int StModalLoop::Exec(QDialog& ioDialog)
{
	int result = QDialog::Rejected;
	QPointer<QDialog> dialog = &ioDialog;
	Run(
	    [dialog] {
		    if (dialog)
			    dialog->reject();
	    },
	    [&] { result = ioDialog.exec(); }, ioDialog.windowTitle().toStdString());
	return result;
}

bool StModalLoop::ExecAndDelete(QDialog* inDialog, const std::function<void()>& inTake)
{
	QPointer<QDialog> dialog = inDialog;
	const bool accepted = Exec(*inDialog) == QDialog::Accepted && dialog;
	if (accepted && inTake)
		inTake();
	delete dialog.data();
	return accepted;
}
