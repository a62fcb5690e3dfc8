#include "ticker/TZvTicker.h"

#include "Includes/TTicklet.h"
#include "platform/framework/LException.h"
#include "platform/framework/LGWorld.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"
#include "platform/toolbox/gui/QDOffscreen.h"
#include "platform/toolbox/gui/StClipRgnState.h"
#include "platform/toolbox/gui/StGrafPortSaver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{

using Node = TZvList<TTicklet>::Node;

SInt32 WidthOf(const Node* node)
{
	return node ? SInt32(node->item->GetWidth()) : 0;
}

} // namespace

TZvTicker::TZvTicker()
    : mTicklets(std::make_unique<TZvList<TTicklet>>(false)), mClip(NewRgn(), DisposeRgn),
      mLeftOut(NewRgn(), DisposeRgn)
{
	ReconcileIncrements();
	mForeground = TKsRGBColor(65535, 65535, 65535);
	mBackground = TKsRGBColor(0, 0, 0);
}

TZvTicker::~TZvTicker()
{
	StopRepeating();
	StopIdling();
	// The ticklets outlive the engine: they must not call back into it.
	for (TTicklet* ticklet = mTicklets->GetFirst(); ticklet; ticklet = mTicklets->GetNext())
		ticklet->SetOwner(nullptr);
}

void TZvTicker::AddTicklet(TTicklet* ticklet, long)
{
	if (ticklet == nullptr)
		return;
	mTicklets->Append(ticklet);
	mNear = nullptr;
	ticklet->SetOwner(this);
	ticklet->RefreshData();
	mPrepared = 0;
	mShownValid = false;
}

void TZvTicker::RemoveTicklet(TTicklet* ticklet)
{
	if (ticklet == nullptr)
		return;
	ticklet->SetOwner(nullptr);
	const SInt32 position = mTicklets->Remove(ticklet);
	if (position == 0)
		return;
	mNear = nullptr;
	// The strip keeps showing the same ticklet: an earlier one going moves its position down.
	if (position < mCurrent)
		--mCurrent;
	else if (position == mCurrent)
		mOffset = 0;
	if (mCurrent > mTicklets->Count())
		mCurrent = mTicklets->Count();
	if (mTicklets->Count() == 0)
		mOffset = 0;
	mPrepared = 0;
	mShownValid = false;
}

void TZvTicker::GetBackground(TKsRGBColor* colour)
{
	if (colour)
		*colour = mBackground;
}

void TZvTicker::GetForeground(TKsRGBColor* colour)
{
	if (colour)
		*colour = mForeground;
}

void TZvTicker::GetFont(TKsFont* font)
{
	if (font)
		*font = mFont;
}

const Node* TZvTicker::NodeAt(SInt32 position)
{
	if (position < 1 || position > mTicklets->Count())
		return nullptr;
	// The strip moves one ticklet at a time: from the node asked for last, a long list is not walked
	// from its start on every step.
	if (mNear == nullptr || position - 1 < std::abs(position - mNearPosition)) {
		mNear = mTicklets->FirstNode();
		mNearPosition = 1;
	}
	for (; mNearPosition < position; ++mNearPosition)
		mNear = mNear->next;
	for (; mNearPosition > position; --mNearPosition)
		mNear = mNear->previous;
	return mNear;
}

void TZvTicker::ReconcileIncrements()
{
	mPixelStep = 1;
	switch (mSpeed) {
	case kTickerStopped:
		mTickStep = 0;
		mPixelStep = 0;
		break;
	case 10:
		mTickStep = 3;
		break;
	case 11:
		mTickStep = 2;
		break;
	case 12:
		mTickStep = 1;
		break;
	case 13:
		mTickStep = 1;
		mPixelStep = 2;
		break;
	case 14:
		mTickStep = 1;
		mPixelStep = 3;
		break;
	default:
		SignalIf_(mSpeed != kTickerStopped); // a speed outside the enumeration
		break;
	}
	const SInt32 factor = GetHeight() / 24;
	if (factor >= 1)
		mPixelStep *= factor;
}

void TZvTicker::ReconfigureTicklets()
{
	for (const Node* node = mTicklets->FirstNode(); node; node = node->next)
		node->item->RefreshData();
}

void TZvTicker::PaintBackground()
{
	if (!mBackgroundWorld)
		return;
	mBackgroundWorld->BeginDrawing();
	const RGBColor background = mBackground.GetRGB();
	RGBForeColor(&background);
	PaintRect(&mFrame);
	mBackgroundWorld->EndDrawing();
}

void TZvTicker::CopyBackground(const BitMap* destination, SInt32 left, SInt32 right)
{
	left = std::max<SInt32>(left, mFrame.left);
	right = std::min<SInt32>(right, mFrame.right);
	if (!mBackgroundWorld || left >= right)
		return;
	const Rect span{mFrame.top, SInt16(left), mFrame.bottom, SInt16(right)};
	CopyBits(GetPortBitMapForCopyBits(mBackgroundWorld->GetMacGWorld()), destination, &span, &span,
	         srcCopy, nullptr);
}

void TZvTicker::PrepareBlankTicker()
{
	if (!mOffscreen)
		return;
	UnlockPixels(GetGWorldPixMap(mOffscreen->GetMacGWorld()));
	FinishPreparing(true);
}

void TZvTicker::FinishPreparing(bool blank)
{
	if (mBlank != (blank ? 1 : 0))
		mShownValid = false;
	mBlank = blank ? 1 : 0;
	// With a window the frame is composed straight into it at the step: a copy less on every step.
	if (!mWindow)
		ComposeOffscreen();
	mPrepared = 1;
	LockPixels(GetGWorldPixMap(mOffscreen->GetMacGWorld()));
	mPixelsLocked = 1;
}

void TZvTicker::Prepare()
{
	const SInt32 count = mTicklets->Count();
	if (count == 0) {
		PrepareBlankTicker();
		return;
	}
	if (mPrepared)
		return;
	if (!mOffscreen)
		return;
	GWorldPtr world = mOffscreen->GetMacGWorld();
	if (mPixelsLocked) {
		UnlockPixels(GetGWorldPixMap(world));
		mPixelsLocked = 0;
	}
	ScrollPixels(mDirection, mPixelStep);

	// Staging: every ticklet laid on the strip hears of it; one may lie there more than once.
	const Node* first = NodeAt(mCurrent);
	SInt32 x = -mOffset;
	SInt32 staged = 0;
	SInt32 total = 0;
	const Node* node = first;
	SInt32 index = mCurrent;
	while (x < mFrame.right) {
		node->item->OnStage();
		++staged;
		const SInt32 w = WidthOf(node);
		x += w;
		total += w;
		node = node->next;
		if (++index > count) {
			node = mTicklets->FirstNode();
			index = 1;
		}
		if (staged >= count && total == 0) {
			PrepareBlankTicker();
			return;
		}
	}
	if (staged < count) {
		const Node* gone = nullptr;
		if (mDirection == kTickerRightToLeft)
			gone = first->previous ? first->previous : mTicklets->NthNode(count);
		else
			gone = node;
		if (gone)
			gone->item->OffStage();
	}

	FinishPreparing(false);
}

template <typename Visit> void TZvTicker::ForEachShown(Visit visit)
{
	const SInt32 count = mTicklets->Count();
	if (mBlank || count == 0 || mCurrent < 1)
		return;
	SInt32 x = -mOffset;
	const Node* node = NodeAt(std::min(mCurrent, count));
	SInt32 index = std::min(mCurrent, count);
	SInt32 total = 0;
	while (x < mFrame.right) {
		const SInt32 w = node->item->GetWidth();
		if (!visit(node->item, x, w))
			return;
		x += w;
		total += w;
		node = node->next;
		if (++index > count) {
			node = mTicklets->FirstNode();
			index = 1;
			if (total == 0)
				break; // every ticklet is empty
		}
	}
}

void TZvTicker::ComposeInto(CGrafPtr port, SInt32 left, SInt32 right)
{
	const BitMap* destination = GetPortBitMapForCopyBits(port);
	RGBForeColor(&mCopyForeground);
	RGBBackColor(&mCopyBackground);
	if (mBlank || mTicklets->Count() == 0 || mCurrent < 1) {
		CopyBackground(destination, left, right);
		return;
	}
	ForEachShown([&](TTicklet* ticklet, SInt32 x, SInt32 w) {
		if (x >= right)
			return false;
		LGWorld* tickletWorld = ticklet->GetWorld();
		// Spans wholly left of the strip (after a ticklet shrank) are left out; ticklets without a
		// world show the background.
		if (!tickletWorld)
			CopyBackground(destination, std::max(x, left), std::min(x + w, right));
		else if (x + w > left) {
			Rect bounds;
			tickletWorld->GetBounds(bounds);
			Rect source{bounds.top, SInt16(bounds.left + (x < left ? left - x : 0)),
			            bounds.bottom, SInt16(bounds.left + w)};
			Rect target{mFrame.top, SInt16(std::max(x, left)), mFrame.bottom, SInt16(x + w)};
			if (target.right > right) {
				const SInt16 excess = SInt16(target.right - right);
				target.right = SInt16(target.right - excess);
				source.right = SInt16(source.right - excess);
			}
			CopyBits(GetPortBitMapForCopyBits(tickletWorld->GetMacGWorld()), destination, &source,
			         &target, srcCopy, nullptr);
		}
		return true;
	});
}

void TZvTicker::ComposeOffscreen()
{
	mOffscreen->BeginDrawing();
	ComposeInto(mOffscreen->GetMacGWorld(), 0, mFrame.right);
	mOffscreen->EndDrawing();
}

void TZvTicker::Draw()
{
	if (!mPrepared)
		Prepare();
	ShowStep();
	mPrepared = 0;
}

void TZvTicker::ShowFrame()
{
	Show(false);
}

void TZvTicker::ShowStep()
{
	Show(true);
}

void TZvTicker::ComposeWhole(CGrafPtr port)
{
	ComposeInto(port, 0, mFrame.right);
	// Where a clip (an update's) kept the frame out, the window shows another.
	GetClip(mClip.get());
	RectRgn(mLeftOut.get(), &mFrame);
	DiffRgn(mLeftOut.get(), mClip.get(), mLeftOut.get());
	if (EmptyRgn(mLeftOut.get()))
		RememberShown(port);
	else
		mShownValid = false;
}

bool TZvTicker::ShownStill(CGrafPtr port) const
{
	if (!mShownValid || GetPortDrawStamp(port) != mShownStamp)
		return false;
	for (const ShownTicklet& shown : mShown) {
		const LGWorld* world = shown.ticklet->GetWorld();
		if (world != shown.world || SInt32(shown.ticklet->GetWidth()) != shown.width ||
		    (world && GetPortDrawStamp(world->GetMacGWorld()) != shown.stamp))
			return false;
	}
	return true;
}

void TZvTicker::RememberShown(CGrafPtr port)
{
	mShown.clear();
	ForEachShown([this](TTicklet* ticklet, SInt32, SInt32 w) {
		const LGWorld* world = ticklet->GetWorld();
		mShown.push_back({ticklet, world, w, world ? GetPortDrawStamp(world->GetMacGWorld()) : 0});
		return true;
	});
	mShownStamp = GetPortDrawStamp(port);
	mShift = 0;
	mShownValid = true;
}

void TZvTicker::Show(bool inStep)
{
	if (!mWindow || !mOffscreen)
		return;
	CGrafPtr port = mWindow->GetMacPort();
	StGrafPortSaver saver(port);
	SetOrigin(0, 0);
	if (!inStep) {
		ComposeWhole(port);
		return;
	}
	// A step is no update: it draws the whole strip whatever the last update clipped to.
	StClipRgnState clip(mFrame);
	// When only the strip's position changed, what the window shows is moved and only the span it
	// uncovers is composed.
	if (mFrame.left == 0 && std::abs(mShift) < mFrame.right && ShownStill(port)) {
		if (mShift == 0)
			return;
		const Rect uncovered =
		    mShift > 0 ? Rect{mFrame.top, SInt16(mFrame.right - mShift), mFrame.bottom, mFrame.right}
		               : Rect{mFrame.top, 0, mFrame.bottom, SInt16(-mShift)};
		RGBBackColor(&mCopyBackground);
		ScrollRect(&mFrame, SInt16(-mShift), 0, mLeftOut.get());
		Rect erased;
		GetRegionBounds(mLeftOut.get(), &erased);
		if (std::memcmp(&erased, &uncovered, sizeof erased) == 0) {
			ComposeInto(port, uncovered.left, uncovered.right);
			RememberShown(port);
			return;
		}
	}
	ComposeWhole(port);
}

void TZvTicker::SpendTime(const EventRecord&)
{
	const UInt32 now = TickCount();
	if (SInt32(mNextStep - now) > 0) {
		if (!mPrepared)
			Prepare();
		return;
	}
	mNextStep = now + UInt32(mTickStep);
	Draw();
}

void TZvTicker::SetName(const char* name)
{
	std::memset(mName, 0, sizeof mName);
	if (name)
		std::strncpy(mName, name, kNameSize);
}

void TZvTicker::Init(LWindow* window, const Rect* frame)
{
	mWindow = window;
	mShownValid = false;
	ResizeTicker(frame);
	mPrepared = 0;
	mNextStep = TickCount() + UInt32(mTickStep);
	StartRepeating();
	StartIdling();
}

void TZvTicker::ResizeTicker(const Rect* frame)
{
	const short oldHeight = GetHeight();
	mFrame = *frame;
	mOffscreen.reset();
	mBackgroundWorld.reset();
	mPixelsLocked = 0;
	// The screen's own depth: each step's copy to the window is then a straight copy of rows.
	const SInt16 depth = 0;
	if (mFrame.right > mFrame.left && mFrame.bottom > mFrame.top) {
		try {
			mOffscreen = std::make_unique<LGWorld>(mFrame, depth);
			mBackgroundWorld = std::make_unique<LGWorld>(mFrame, depth);
		} catch (...) {
			Throw_(FOUR_CHAR_CODE("nilP"));
		}
	}
	PaintBackground();
	mPrepared = 0;
	mShownValid = false;
	if (GetHeight() != oldHeight) {
		ReconfigureTicklets();
		ReconcileIncrements();
	}
}

void TZvTicker::SetSpeed(tTickerSpeed speed)
{
	mSpeed = speed;
	ReconcileIncrements();
}

void TZvTicker::SpeedUp()
{
	if (mSpeed == kTickerStopped)
		SetSpeed(kTickerSlowest);
	else if (mSpeed >= kTickerSlowest && mSpeed < kTickerFastest)
		SetSpeed(tTickerSpeed(mSpeed + 1));
}

void TZvTicker::SlowDown()
{
	if (mSpeed > kTickerSlowest && mSpeed <= kTickerFastest)
		SetSpeed(tTickerSpeed(mSpeed - 1));
	else if (mSpeed == kTickerSlowest)
		SetSpeed(kTickerStopped);
}

void TZvTicker::SetForegroundColour(const RGBColor* colour)
{
	if (colour)
		mForeground.SetRGB(*colour);
}

void TZvTicker::SetBackgroundColour(const RGBColor* colour)
{
	if (colour) {
		mBackground.SetRGB(*colour);
		PaintBackground();
		mPrepared = 0;
		mShownValid = false;
	}
}

void TZvTicker::SetFont(const TKsFont* font)
{
	if (font)
		mFont = *font;
}

void TZvTicker::Click(long x, long y)
{
	const UInt32 now = TickCount();
	if (now - mLastClick < kDoubleClickTicks) {
		if (++mClickCount > 1) {
			DoubleClick(x, y);
			return;
		}
	} else {
		mClickCount = 1;
		mLastClick = now;
	}

	// Scrolling by hand: the strip follows the mouse and does not move by itself meanwhile.
	const SInt32 savedStep = mPixelStep;
	mPixelStep = 0;
	if (mWindow) {
		StGrafPortSaver saver(mWindow->GetMacPort());
		Point previous;
		GetMouse(&previous);
		while (StillDown()) {
			Point mouse;
			GetMouse(&mouse);
			const int delta = mouse.h - previous.h;
			if (delta < 0)
				ScrollPixels(kTickerRightToLeft, -delta);
			else
				ScrollPixels(kTickerLeftToRight, delta);
			Draw();
			previous = mouse;
		}
	}
	mPixelStep = savedStep;
}

void TZvTicker::DoubleClick(long x, long y)
{
	const SInt32 count = mTicklets->Count();
	if (count == 0 || mClickCount < 2 || mCurrent < 1)
		return;
	const Node* node = NodeAt(mCurrent);
	SInt32 index = mCurrent;
	SInt32 x0 = -mOffset;
	while (x0 < mFrame.right) {
		const SInt32 w = WidthOf(node);
		const SInt32 left = std::max<SInt32>(x0, 0);
		const SInt32 right = std::min<SInt32>(x0 + w, mFrame.right);
		if (w > 0 && x >= left && x <= right) {
			node->item->DoubleClick(short(x), short(y), 0);
			return;
		}
		x0 += w;
		node = node->next;
		if (++index > count) {
			node = mTicklets->FirstNode();
			index = 1;
		}
		if (index == mCurrent && x0 <= 0)
			return; // every ticklet is empty
	}
}

void TZvTicker::ScrollPixels(tTickerDirection direction, int pixels)
{
	const SInt32 count = mTicklets->Count();
	if (count == 0)
		return;
	if (mCurrent == 0 || mCurrent > count) {
		mCurrent = direction == kTickerLeftToRight ? count : 1;
		mShownValid = false;
	}
	const SInt32 w = WidthOf(NodeAt(mCurrent));
	if (direction == kTickerRightToLeft) {
		mOffset += pixels;
		if (mOffset >= w) {
			mCurrent = mCurrent >= count ? 1 : mCurrent + 1;
			mOffset -= w;
		}
	} else if (direction == kTickerLeftToRight) {
		mOffset -= pixels;
		if (mOffset < 1) {
			mCurrent = mCurrent <= 1 ? count : mCurrent - 1;
			mOffset += WidthOf(NodeAt(mCurrent));
		}
	} else {
		SignalIf_(direction != kTickerRightToLeft); // a direction outside the enumeration
	}
	mShift += direction == kTickerRightToLeft ? pixels : direction == kTickerLeftToRight ? -pixels : 0;
	// What is carried over stays within one round of the strip; an offset inside the current ticklet
	// is (the whole round is summed only when the step went past it).
	if (mOffset < 0) {
		mOffset = 0;
		mShownValid = false;
	} else if (mOffset >= WidthOf(NodeAt(mCurrent))) {
		mShownValid = false;
		SInt32 total = 0;
		for (const Node* node = mTicklets->FirstNode(); node; node = node->next)
			total += WidthOf(node);
		mOffset = std::min<SInt32>(mOffset, std::max<SInt32>(total - 1, 0));
	}
	mPrepared = 0;
}
