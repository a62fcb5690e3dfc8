#include "platform/framework/StDialogHandler.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"

#include <deque>
#include <utility>

namespace
{
struct Answer {
	MessageT message;
	StDialogHandler::Preparation prepare;
};
std::deque<Answer> sAnswers;
Boolean sAnswersRequired = false;
StDialogHandler::Unanswered sUnanswered;

std::string Text(const LPane* inPane)
{
	Str255 text;
	inPane->GetDescriptor(text);
	return MacRoman::ToUTF8(PascalStrings::ToString(text));
}

// The texts the dialog shows, in the order of its layout.
void AppendTexts(const LView* inView, std::string& ioTexts)
{
	for (const LPane* pane : inView->GetSubPanes()) {
		if (dynamic_cast<const LStaticText*>(pane) || dynamic_cast<const LCaption*>(pane)) {
			if (const std::string text = Text(pane); !text.empty())
				ioTexts += " \"" + text + "\"";
		}
		if (const auto* view = dynamic_cast<const LView*>(pane))
			AppendTexts(view, ioTexts);
	}
}
} // namespace

StDialogHandler::StDialogHandler(ResIDT inDialogResID, LCommander* inSuper)
    : LCommander(inSuper), mModal([this] { CloseDialog(); })
{
	mDialog = LWindow::CreateWindow(inDialogResID, this);
	SignalIf_(mDialog == nullptr);
	if (mDialog) {
		UReanimator::LinkListenerToControls(this, mDialog, inDialogResID);
		Str255 title;
		mDialog->GetDescriptor(title);
		mModal.SetWaitsFor(MacRoman::ToUTF8(PascalStrings::ToString(title)));
	}
}

StDialogHandler::~StDialogHandler()
{
	// A dialog that closed itself waits for the safe point, after this handler is gone.
	if (mClosedDialog && UDispatch::IsDeletionPending(mClosedDialog))
		mClosedDialog->SetSuperCommander(mSuperCommander);
	delete mDialog;
}

MessageT StDialogHandler::DoDialog()
{
	// A dialog closed without asking its handler (its deletion waits for the safe point) is gone all the
	// same: waiting for its buttons would wait for ever.
	if (mDialog && (StModalLoop::IsQuitPending() || UDispatch::IsDeletionPending(mDialog)))
		CloseDialog();
	if (!mDialog && mMessage != msg_Nothing) {
		const MessageT message = mMessage;
		mMessage = msg_Nothing;
		return message;
	}
	if (!sAnswers.empty()) {
		Answer answer = std::move(sAnswers.front());
		sAnswers.pop_front();
		if (answer.prepare && mDialog)
			answer.prepare(mDialog);
		return answer.message;
	}
	// A test that forgot its answer would wait for ever.
	if (IsUnanswered()) {
		sUnanswered(WaitsFor());
		CloseDialog();
		const MessageT message = mMessage;
		mMessage = msg_Nothing;
		return message;
	}
	Assert_(!sAnswersRequired);
	if (mMessage == msg_Nothing && mDialog)
		LApplication::ProcessNextEvent();
	const MessageT message = mMessage;
	mMessage = msg_Nothing;
	if (message != msg_Nothing)
		mWaitingSince.reset();
	return message;
}

bool StDialogHandler::IsUnanswered()
{
	if (!sUnanswered || !mDialog || mMessage != msg_Nothing)
		return false;
	if (sAnswersRequired)
		return true;
	const auto now = std::chrono::steady_clock::now();
	if (!mWaitingSince)
		mWaitingSince = now;
	return now - *mWaitingSince >= kUnansweredAfter;
}

std::string StDialogHandler::WaitsFor() const
{
	std::string texts;
	AppendTexts(mDialog, texts);
	return "the dialog \"" + Text(mDialog) + "\"" + (texts.empty() ? "" : ", showing" + texts);
}

void StDialogHandler::CloseDialog()
{
	if (LWindow* dialog = mDialog) {
		AllowSubRemoval(dialog);
		dialog->DoClose();
	}
}

void StDialogHandler::ListenToMessage(MessageT inMessage, void*)
{
	if (inMessage != msg_Nothing)
		mMessage = inMessage;
}

Boolean StDialogHandler::AllowSubRemoval(LCommander* inSub)
{
	if (inSub == mDialog) {
		if (mMessage == msg_Nothing)
			mMessage = msg_Cancel;
		mClosedDialog = mDialog;
		mDialog = nullptr;
	}
	return true;
}

void StDialogHandler::QueueAnswer(MessageT inMessage, Preparation inPrepare)
{
	sAnswers.push_back(Answer{inMessage, std::move(inPrepare)});
}

size_t StDialogHandler::CountQueuedAnswers()
{
	return sAnswers.size();
}

void StDialogHandler::ClearQueuedAnswers()
{
	sAnswers.clear();
}

void StDialogHandler::SetAnswersRequired(Boolean inRequired)
{
	sAnswersRequired = inRequired;
}

StDialogHandler::Unanswered StDialogHandler::SetUnanswered(Unanswered inHandler)
{
	return std::exchange(sUnanswered, std::move(inHandler));
}
