#include "toolkit/TVyWindow.h"

#include "platform/framework/LPushButton.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/framework/UReanimator.h"

namespace
{
enum : UInt8 { kEnterKey = 3, kReturnKey = 13, kEscapeKey = 27 };
}

TVyWindow::TVyWindow(LStream* inStream) : TVyWindow(inStream, true) {}

TVyWindow::TVyWindow(LStream* inStream, bool inReadsLayoutFlag) : LWindow(inStream)
{
	if (inReadsLayoutFlag)
		*inStream >> mLayoutFlag;
}

TVyWindow::~TVyWindow() = default;

void TVyWindow::FinishCreateSelf()
{
	UReanimator::LinkListenerToControls(this, this, ResIDT(GetPaneID()));
	mOKButton = dynamic_cast<LPushButton*>(FindPaneByID(kOKButton));
	mCancelButton = dynamic_cast<LPushButton*>(FindPaneByID(kCancelButton));
}

void TVyWindow::ListenToMessage(MessageT inMessage, void* ioParam)
{
	// A command may close the window: its deletion waits for the end of this dispatch.
	StDispatch dispatch;
	ObeyCommand(inMessage, ioParam);
}

Boolean TVyWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	StDispatch dispatch;
	const UInt8 key = UInt8(inKeyEvent.message & charCodeMask);
	if (key == kReturnKey || key == kEnterKey) {
		if (!mOKButton)
			return false;
		mOKButton->SimulateHotSpotClick(kControlButtonPart);
		return true;
	}
	if (key == kEscapeKey) {
		if (!mCancelButton)
			return HandleEscape(inKeyEvent);
		mCancelButton->SimulateHotSpotClick(kControlButtonPart);
		return true;
	}
	if (UKeyFilters::IsCmdPeriod(inKeyEvent))
		return HandleCommandPeriod(inKeyEvent);
	return LCommander::HandleKeyPress(inKeyEvent);
}

Boolean TVyWindow::HandleEscape(const EventRecord&)
{
	AttemptClose();
	return true;
}

Boolean TVyWindow::HandleCommandPeriod(const EventRecord&)
{
	return true;
}
