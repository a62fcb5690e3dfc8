#include "toolkit/TVySheet.h"

#include "platform/framework/LPushButton.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/framework/UReanimator.h"

#include <algorithm>

namespace
{
enum : UInt8 { kEnterKey = 3, kReturnKey = 13, kEscapeKey = 27 };
}

TVySheet::TVySheet(LStream* inStream) : LWindow(inStream) {}

TVySheet::~TVySheet()
{
	Hide();
	// The parent may have gone first; then there is nothing to select.
	if (LWindow* parent = GetParent())
		parent->Select();
}

LWindow* TVySheet::GetParent() const
{
	if (mParent == nullptr)
		return nullptr;
	const std::vector<LWindow*> windows = LWindow::GetWindowList();
	return std::find(windows.begin(), windows.end(), mParent) != windows.end() ? mParent : nullptr;
}

void TVySheet::FinishCreateSelf()
{
	UReanimator::LinkListenerToControls(this, this, ResIDT(GetPaneID()));
	mOKButton = dynamic_cast<LPushButton*>(FindPaneByID(kOKButton));
	mCancelButton = dynamic_cast<LPushButton*>(FindPaneByID(kCancelButton));
}

void TVySheet::ShowSheet(LWindow* inParent, Boolean inShow)
{
	mParent = inParent;
	if (!inShow)
		return;
	if (LWindow* parent = GetParent()) {
		Rect parentBounds, bounds;
		parent->GetGlobalBounds(parentBounds);
		GetGlobalBounds(bounds);
		const SInt16 width = SInt16(bounds.right - bounds.left);
		const SInt16 parentWidth = SInt16(parentBounds.right - parentBounds.left);
		MoveWindowTo(SInt16(parentBounds.left + (parentWidth - width) / 2), parentBounds.top);
	}
	LWindow::Show();
	Enable();
	SelectParent();
}

void TVySheet::Show()
{
	ShowSheet(mParent, true);
}

void TVySheet::SelectParent()
{
	if (LWindow* parent = GetParent())
		parent->Select();
	if (IsVisible())
		Select();
}

void TVySheet::HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount)
{
	LWindow* parent = GetParent();
	if (parent != nullptr && !parent->IsFrontWindow() && !IsFrontWindow())
		SelectParent();
	LWindow::HandleClick(inMacEvent, inClickCount);
}

void TVySheet::ListenToMessage(MessageT inMessage, void* ioParam)
{
	StDispatch dispatch;
	ObeyCommand(inMessage, ioParam);
}

Boolean TVySheet::HandleKeyPress(const EventRecord& inKeyEvent)
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

Boolean TVySheet::HandleEscape(const EventRecord&)
{
	AttemptClose();
	return true;
}

Boolean TVySheet::HandleCommandPeriod(const EventRecord&)
{
	return true;
}
