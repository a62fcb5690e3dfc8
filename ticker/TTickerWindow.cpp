#include "ticker/TTickerWindow.h"

#include "Includes/tKestrunPrefs.h"
#include "model/StockGlobals.h"
#include "platform/framework/LException.h"
#include "platform/framework/LGWorld.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"
#include "toolkit/UKsScreen.h"

namespace
{
enum : char { kLeftArrow = 28, kRightArrow = 29, kUpArrow = 30, kDownArrow = 31 };
}

TTickerWindow::TTickerWindow(LStream* inStream) : LWindow(inStream)
{
	if (GetMainDevice() == nullptr)
		Throw_(FOUR_CHAR_CODE("nilP"));
	mScreenRight = UKsScreen::ScreenWidth();
	mScreenBottom = UKsScreen::ScreenHeight();
}

TTickerWindow::~TTickerWindow()
{
	// The ticker forgets the engine before it goes (a window closed from outside the ticker included).
	if (auto* ticker = dynamic_cast<TTicker*>(GetSuperCommander()); ticker && ticker->mWindow == this)
		ticker->WindowGone();
}

void TTickerWindow::FinishCreateSelf()
{
	LWindow::FinishCreateSelf();
	mPane = std::make_unique<TZvTicker>();
	CalcLocalFrameRect(mScratch);
	mPane->Init(this, &mScratch);
}

void TTickerWindow::Suspend()
{
	if (gAppPreferences && gAppPreferences->hideTickersInBackground && IsVisible()) {
		Hide();
		mHiddenBySuspend = 1;
	}
}

void TTickerWindow::Resume()
{
	// Only what suspending hid: a ticker opened hidden (a new one being set up) stays hidden.
	if (mHiddenBySuspend && !IsVisible())
		Show();
	mHiddenBySuspend = 0;
}

Boolean TTickerWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	return LWindow::ObeyCommand(inCommand, ioParam);
}

void TTickerWindow::ClickInContent(const EventRecord& inMacEvent)
{
	SwitchTarget(this);
	if (inMacEvent.modifiers & cmdKey) {
		// Dragged off its anchor it is free: other windows may use its edge again.
		LeaveScreenEdge();
		ClickInDrag(inMacEvent);
		mMoved = 1;
		return;
	}
	if (inMacEvent.modifiers & controlKey) {
		if (auto* ticker = dynamic_cast<TTicker*>(GetSuperCommander())) {
			Point where = inMacEvent.where;
			ticker->Click(&where);
		}
		return;
	}
	Point local = inMacEvent.where;
	GlobalToPortPoint(local);
	Rect frame;
	CalcLocalFrameRect(frame);
	if (local.h > frame.right - kGrowBox && local.v > frame.bottom - kGrowBox) {
		ClickInGrow(inMacEvent);
		return;
	}
	LWindow::ClickInContent(inMacEvent);
	if (mPane)
		mPane->Click(local.h, local.v);
}

void TTickerWindow::DoSetBounds(const Rect& inBounds)
{
	LWindow::DoSetBounds(inBounds);
	CalcLocalFrameRect(mScratch);
	if (mPane)
		mPane->ResizeTicker(&mScratch);
	// Only the width may change by hand: the height follows the font.
	Rect minMax;
	GetMinMaxSize(minMax);
	minMax.top = minMax.bottom = SInt16(mScratch.bottom - mScratch.top);
	SetMinMaxSize(minMax);
}

void TTickerWindow::DoSetZoom(Boolean)
{
	if (mTickerZoomed) {
		DoSetBounds(mUnzoomedBounds);
		mTickerZoomed = 0;
		return;
	}
	GetGlobalBounds(mUnzoomedBounds);
	DoSetBounds(Rect{mUnzoomedBounds.top, 10, mUnzoomedBounds.bottom, SInt16(mScreenRight - 10)});
	mTickerZoomed = 1;
}

Boolean TTickerWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (!mPane)
		return false;
	switch (char(inKeyEvent.message & charCodeMask)) {
	case kLeftArrow:
		mPane->RightLeft();
		return true;
	case kRightArrow:
		mPane->LeftRight();
		return true;
	case kUpArrow:
		mPane->SpeedUp();
		return true;
	case kDownArrow:
		mPane->SlowDown();
		return true;
	default:
		return false;
	}
}

void TTickerWindow::SetWindowPosition(int top, int left, int bottom, int right)
{
	mScratch = Rect{SInt16(top), SInt16(left), SInt16(bottom), SInt16(right)};
	DoSetBounds(mScratch);
}

void TTickerWindow::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	LGWorld* offscreen = mPane ? mPane->GetOffscreen() : nullptr;
	if (!offscreen) {
		const RGBColor black{0, 0, 0};
		RGBForeColor(&black);
		PaintRect(&frame);
		return;
	}
	if (!mPane->IsPrepared())
		mPane->Prepare();
	mPane->ShowFrame();
}
