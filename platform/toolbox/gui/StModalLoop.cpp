#include "platform/toolbox/gui/StModalLoop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>
#include <utility>
#include <vector>

namespace
{
StModalLoop* sInnermost = nullptr;
int sCount = 0;
std::function<void()> sPendingQuit;
bool sQuitPosted = false;

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

StModalLoop::StModalLoop(std::function<void()> inCancel) : mCancel(std::move(inCancel)), mOuter(sInnermost)
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
}

void StModalLoop::Run(std::function<void()> inCancel, const std::function<void()>& inLoop)
{
	StModalLoop modal(std::move(inCancel));
	if (!IsQuitPending())
		inLoop();
}

int StModalLoop::Exec(QDialog& ioDialog)
{
	int result = QDialog::Rejected;
	Run([&ioDialog] { ioDialog.reject(); }, [&] { result = ioDialog.exec(); });
	return result;
}
