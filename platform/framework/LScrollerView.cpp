#include "platform/framework/LScrollerView.h"

#include "platform/framework/LScrollBar.h"
#include "platform/framework/LStream.h"

#include <algorithm>

namespace
{
enum : MessageT { msg_HorizBar = FOUR_CHAR_CODE("sbHz"), msg_VertBar = FOUR_CHAR_CODE("sbVt") };
}

LScrollerView::LScrollerView(LStream* inStream) : LView(inStream)
{
	SInt16 horizLeft = -1, horizRight = 0, vertTop = -1, vertBottom = 0;
	Boolean live = true;
	*inStream >> horizLeft >> horizRight >> vertTop >> vertBottom >> mScrollingViewID >> live;
	if (horizLeft >= 0) {
		SPaneInfo info;
		info.left = horizLeft;
		info.top = mFrameSize.height - kBarThickness;
		info.width = SInt16(mFrameSize.width - horizLeft - horizRight);
		info.height = kBarThickness;
		info.bindings = SBooleanRect{true, false, true, true};
		info.superView = this;
		mHorizBar = new LScrollBar(info, msg_HorizBar, 0, 0, 0);
		mHorizBar->AddListener(this);
	}
	if (vertTop >= 0) {
		SPaneInfo info;
		info.left = mFrameSize.width - kBarThickness;
		info.top = vertTop;
		info.width = kBarThickness;
		info.height = SInt16(mFrameSize.height - vertTop - vertBottom);
		info.bindings = SBooleanRect{false, true, true, true};
		info.superView = this;
		mVertBar = new LScrollBar(info, msg_VertBar, 0, 0, 0);
		mVertBar->AddListener(this);
	}
}

void LScrollerView::FinishCreateSelf()
{
	if (!mScrollingView && mScrollingViewID != 0)
		InstallView(dynamic_cast<LView*>(FindPaneByID(mScrollingViewID)));
}

void LScrollerView::InstallView(LView* inScrollingView)
{
	mScrollingView = inScrollingView;
	if (mScrollingView && mScrollingView->GetSuperView() != this)
		mScrollingView->PutInside(this);
	AdjustScrollBars();
}

void LScrollerView::AdjustScrollBars()
{
	if (mAdjusting)
		return;
	mAdjusting = true;
	SDimension32 image;
	SDimension16 frame;
	SPoint32 position, unit;
	if (mScrollingView) {
		mScrollingView->GetImageSize(image);
		mScrollingView->GetFrameSize(frame);
		mScrollingView->GetScrollPosition(position);
		mScrollingView->GetScrollUnit(unit);
	}
	auto adjust = [](LScrollBar* bar, SInt32 imageSize, SInt32 frameSize, SInt32 pos, SInt32 step) {
		if (!bar)
			return;
		step = std::max<SInt32>(step, 1);
		const SInt32 maxValue = std::max<SInt32>(0, (imageSize - frameSize + step - 1) / step);
		bar->SetMaxValue(std::max(maxValue, pos / step));
		bar->SetPageStep(std::max<SInt32>(1, (frameSize - step) / step));
		bar->SetValue(pos / step);
	};
	adjust(mHorizBar, image.width, frame.width, position.h, unit.h);
	adjust(mVertBar, image.height, frame.height, position.v, unit.v);
	mAdjusting = false;
}

void LScrollerView::SubImageChanged(LView* inSubView)
{
	if (inSubView == mScrollingView)
		AdjustScrollBars();
}

void LScrollerView::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LView::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	AdjustScrollBars();
}

void LScrollerView::ListenToMessage(MessageT inMessage, void* ioParam)
{
	if (mAdjusting || !mScrollingView || !ioParam ||
	    (inMessage != msg_HorizBar && inMessage != msg_VertBar))
		return;
	const SInt32 value = *static_cast<SInt32*>(ioParam);
	SPoint32 position, unit;
	mScrollingView->GetScrollPosition(position);
	mScrollingView->GetScrollUnit(unit);
	if (inMessage == msg_HorizBar)
		mScrollingView->ScrollPinnedImageBy(value * std::max<SInt32>(unit.h, 1) - position.h, 0,
		                                    true);
	else
		mScrollingView->ScrollPinnedImageBy(0, value * std::max<SInt32>(unit.v, 1) - position.v,
		                                    true);
	AdjustScrollBars(); // a pinned scroll may have moved less than asked
}

void LScrollerView::Scroll(Boolean inVertical, SInt16 inPart)
{
	if (!mScrollingView)
		return;
	SPoint32 unit;
	SDimension16 frame;
	mScrollingView->GetScrollUnit(unit);
	mScrollingView->GetFrameSize(frame);
	const SInt32 step = std::max<SInt32>(inVertical ? unit.v : unit.h, 1);
	const SInt32 page = std::max<SInt32>(step, (inVertical ? frame.height : frame.width) - step);
	SInt32 delta = 0;
	switch (inPart) {
	case kControlUpButtonPart:
		delta = -step;
		break;
	case kControlDownButtonPart:
		delta = step;
		break;
	case kControlPageUpPart:
		delta = -page;
		break;
	case kControlPageDownPart:
		delta = page;
		break;
	default:
		return;
	}
	if (inVertical)
		mScrollingView->ScrollPinnedImageBy(0, delta, true);
	else
		mScrollingView->ScrollPinnedImageBy(delta, 0, true);
}

void LScrollerView::VertScroll(SInt16 inPart)
{
	Scroll(true, inPart);
}

void LScrollerView::HorizScroll(SInt16 inPart)
{
	Scroll(false, inPart);
}
