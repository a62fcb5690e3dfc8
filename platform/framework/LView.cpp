#include "platform/framework/LView.h"

#include "platform/framework/LWindow.h"

#include <algorithm>

LView::LView()
{
	mImageLocation = mFrameLocation;
}

LView::LView(const SPaneInfo& inPaneInfo) : LPane(inPaneInfo)
{
	mImageLocation = mFrameLocation;
	mImageSize = {mFrameSize.width, mFrameSize.height};
}

LView::LView(LStream* inStream) : LPane(inStream)
{
	mImageLocation = mFrameLocation;
	mImageSize = {mFrameSize.width, mFrameSize.height};
}

LView::~LView()
{
	DeleteAllSubPanes();
}

void LView::DeleteAllSubPanes()
{
	while (!mSubPanes.empty()) {
		LPane* sub = mSubPanes.back();
		sub->PutInside(nullptr);
		delete sub;
	}
}

void LView::AddSubPane(LPane* inSub)
{
	mSubPanes.push_back(inSub);
}

void LView::RemoveSubPane(LPane* inSub)
{
	std::erase(mSubPanes, inSub);
}

LPane* LView::FindPaneByID(PaneIDT inPaneID)
{
	if (LPane* self = LPane::FindPaneByID(inPaneID))
		return self;
	if (inPaneID == 0)
		return nullptr;
	for (LPane* sub : mSubPanes)
		if (LPane* found = sub->FindPaneByID(inPaneID))
			return found;
	return nullptr;
}

LPane* LView::FindDeepSubPaneContaining(SInt32 inHorizPort, SInt32 inVertPort)
{
	if (!IsVisible() || !Contains(inHorizPort, inVertPort))
		return nullptr;
	// The last sub pane is drawn last, so it is the one on top.
	for (auto it = mSubPanes.rbegin(); it != mSubPanes.rend(); ++it) {
		LPane* sub = *it;
		if (!sub->IsVisible() || !sub->Contains(inHorizPort, inVertPort))
			continue;
		if (auto* view = dynamic_cast<LView*>(sub))
			return view->FindDeepSubPaneContaining(inHorizPort, inVertPort);
		return sub;
	}
	return this;
}

LPane* LView::FindSubPaneHitBy(SInt32 inHorizPort, SInt32 inVertPort) const
{
	for (auto it = mSubPanes.rbegin(); it != mSubPanes.rend(); ++it)
		if ((*it)->IsVisible() && (*it)->Contains(inHorizPort, inVertPort))
			return *it;
	return nullptr;
}

Boolean LView::CalcLocalFrameRect(Rect& outRect) const
{
	return CalcFrameRectFrom(mImageLocation, outRect);
}

void LView::PortToLocalPoint(Point& ioPoint) const
{
	ioPoint.h = SInt16(ioPoint.h - mImageLocation.h);
	ioPoint.v = SInt16(ioPoint.v - mImageLocation.v);
}

void LView::LocalToPortPoint(Point& ioPoint) const
{
	ioPoint.h = SInt16(ioPoint.h + mImageLocation.h);
	ioPoint.v = SInt16(ioPoint.v + mImageLocation.v);
}

void LView::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LPane::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	if (mImageSize.width < mFrameSize.width)
		mImageSize.width = mFrameSize.width;
	if (mImageSize.height < mFrameSize.height)
		mImageSize.height = mFrameSize.height;
	const auto subs = mSubPanes;
	for (LPane* sub : subs)
		sub->AdaptToSuperFrameSize(inWidthDelta, inHeightDelta, inRefresh);
}

void LView::MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh)
{
	LPane::MoveBy(inHorizDelta, inVertDelta, inRefresh);
	mImageLocation.h += inHorizDelta;
	mImageLocation.v += inVertDelta;
	OffsetSubPanes(inHorizDelta, inVertDelta, false);
}

void LView::OffsetSubPanes(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh)
{
	for (LPane* sub : mSubPanes) {
		sub->MoveBy(inHorizDelta, inVertDelta, inRefresh);
		sub->AdaptToNewSurroundings();
	}
}

void LView::ResizeImageTo(SInt32 inWidth, SInt32 inHeight, Boolean inRefresh)
{
	mImageSize = {inWidth, inHeight};
	if (inRefresh)
		Refresh();
	if (mSuperView)
		mSuperView->SubImageChanged(this);
}

void LView::SubImageChanged(LView*) {}

void LView::GetScrollPosition(SPoint32& outPosition) const
{
	outPosition.h = mFrameLocation.h - mImageLocation.h;
	outPosition.v = mFrameLocation.v - mImageLocation.v;
}

void LView::ScrollImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh)
{
	if (inLeftDelta == 0 && inTopDelta == 0)
		return;
	mImageLocation.h -= inLeftDelta;
	mImageLocation.v -= inTopDelta;
	OffsetSubPanes(-inLeftDelta, -inTopDelta, false);
	if (inRefresh)
		Refresh();
	if (mSuperView)
		mSuperView->SubImageChanged(this);
}

void LView::ScrollImageTo(SInt32 inLeftLocation, SInt32 inTopLocation, Boolean inRefresh)
{
	SPoint32 position;
	GetScrollPosition(position);
	ScrollImageBy(inLeftLocation - position.h, inTopLocation - position.v, inRefresh);
}

Boolean LView::ScrollPinnedImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh)
{
	SPoint32 position;
	GetScrollPosition(position);
	auto pin = [](SInt32 pos, SInt32 delta, SInt32 image, SInt32 frame) {
		const SInt32 maxPos = std::max<SInt32>(0, image - frame);
		return std::clamp(pos + delta, std::min<SInt32>(pos, 0), std::max(maxPos, pos)) - pos;
	};
	const SInt32 h = pin(position.h, inLeftDelta, mImageSize.width, mFrameSize.width);
	const SInt32 v = pin(position.v, inTopDelta, mImageSize.height, mFrameSize.height);
	ScrollImageBy(h, v, inRefresh);
	return h != 0 || v != 0;
}

void LView::GetRevealedRect(Rect& outRect) const
{
	CalcPortFrameRect(outRect);
	if (mSuperView) {
		Rect super;
		mSuperView->GetRevealedRect(super);
		if (!SectRect(&outRect, &super, &outRect))
			outRect = Rect{};
	}
}

void LView::Draw(RgnHandle inSuperDrawRgnH)
{
	if (!IsVisible() || !IsInDrawRegion(inSuperDrawRgnH))
		return;
	if (FocusDraw())
		DrawSelf();
	const auto subs = mSubPanes;
	for (LPane* sub : subs)
		sub->Draw(inSuperDrawRgnH);
}

Boolean LView::FocusDraw(LPane*)
{
	LWindow* window = GetWindow();
	if (!window || !window->GetMacPort())
		return false;
	Rect revealed;
	GetRevealedRect(revealed);
	SetPort(window->GetMacPort());
	SetOrigin(SInt16(-mImageLocation.h), SInt16(-mImageLocation.v));
	OffsetRect(&revealed, SInt16(-mImageLocation.h), SInt16(-mImageLocation.v));
	ClipRect(&revealed);
	if (RgnHandle update = window->GetUpdateRgn()) {
		// While the window updates, drawing stays inside what waits to be redrawn.
		RgnHandle clip = NewRgn();
		RgnHandle local = NewRgn();
		GetClip(clip);
		CopyRgn(update, local);
		OffsetRgn(local, SInt16(-mImageLocation.h), SInt16(-mImageLocation.v));
		SectRgn(clip, local, clip);
		SetClip(clip);
		DisposeRgn(local);
		DisposeRgn(clip);
	}
	return true;
}

void LView::Click(SMouseDownEvent& inMouseDown)
{
	if (!IsEnabled())
		return;
	if (LPane* hit = FindSubPaneHitBy(inMouseDown.wherePort.h, inMouseDown.wherePort.v)) {
		hit->Click(inMouseDown);
		return;
	}
	LPane::Click(inMouseDown);
}
