#include "platform/framework/LPane.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <exception>

LView* LPane::sDefaultView = nullptr;
SInt16 LPane::sClickCount = 0;

LPane::LPane() = default;

LPane::LPane(const SPaneInfo& inPaneInfo)
{
	InitPane(inPaneInfo);
}

LPane::LPane(LStream* inStream)
{
	SPaneInfo info;
	*inStream >> info.paneID >> info.width >> info.height >> info.visible >> info.enabled;
	*inStream >> info.bindings.left >> info.bindings.top >> info.bindings.right >> info.bindings.bottom;
	*inStream >> info.left >> info.top >> info.userCon;
	info.superView = sDefaultView;
	InitPane(info);
}

LPane::~LPane()
{
	// A constructor that threw after the pane went inside its view: the view must not keep it.
	if (mSuperView && std::uncaught_exceptions() > 0)
		PutInside(nullptr);
	// A linked pane would leave its view with a dangling pointer.
	Assert_(mSuperView == nullptr);
	UDispatch::ForgetPane(this);
}

void LPane::InitPane(const SPaneInfo& inPaneInfo)
{
	mPaneID = inPaneInfo.paneID;
	mFrameSize.width = inPaneInfo.width;
	mFrameSize.height = inPaneInfo.height;
	mVisible = inPaneInfo.visible;
	mEnabled = inPaneInfo.enabled;
	mFrameBinding = inPaneInfo.bindings;
	mUserCon = inPaneInfo.userCon;
	mFrameLocation.h = inPaneInfo.left;
	mFrameLocation.v = inPaneInfo.top;
	if (inPaneInfo.superView) {
		// The info's location is in the view's local coordinates.
		mFrameLocation.h += inPaneInfo.superView->mImageLocation.h;
		mFrameLocation.v += inPaneInfo.superView->mImageLocation.v;
		PutInside(inPaneInfo.superView, false);
	}
}

LPane* LPane::FindPaneByID(PaneIDT inPaneID)
{
	return (inPaneID != 0 && inPaneID == mPaneID) ? this : nullptr;
}

void LPane::FinishCreate()
{
	if (mFinished)
		return;
	mFinished = true;
	FinishCreateSelf();
}

void LPane::FinishCreateSelf() {}

void LPane::PutInside(LView* inView, Boolean inOrient)
{
	if (mSuperView)
		mSuperView->RemoveSubPane(this);
	mSuperView = inView;
	if (inView) {
		inView->AddSubPane(this);
		if (inOrient)
			AdaptToNewSurroundings();
	}
}

LWindow* LPane::GetWindow() const
{
	const LPane* p = this;
	while (p->mSuperView)
		p = p->mSuperView;
	return dynamic_cast<LWindow*>(const_cast<LPane*>(p));
}

// State changes reach the sub panes of a view through the Super… hooks.
namespace
{
template <class F> void ForSubs(LPane* inPane, F inF)
{
	if (auto* view = dynamic_cast<LView*>(inPane)) {
		const auto subs = view->GetSubPanes();
		for (LPane* sub : subs)
			inF(sub);
	}
}
} // namespace

void LPane::Show()
{
	if (mVisible)
		return;
	mVisible = true;
	if (IsVisible()) {
		ShowSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mVisible)
				p->SuperShow();
		});
		Refresh();
	}
}

void LPane::Hide()
{
	if (!mVisible)
		return;
	const Boolean wasVisible = IsVisible();
	if (wasVisible)
		Refresh();
	mVisible = false;
	if (wasVisible) {
		HideSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mVisible)
				p->SuperHide();
		});
	}
}

Boolean LPane::IsVisible() const
{
	return mVisible && (!mSuperView || mSuperView->IsVisible());
}

void LPane::Enable()
{
	if (mEnabled)
		return;
	mEnabled = true;
	if (IsEnabled()) {
		EnableSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mEnabled)
				p->SuperEnable();
		});
	}
}

void LPane::Disable()
{
	if (!mEnabled)
		return;
	const Boolean wasEnabled = IsEnabled();
	mEnabled = false;
	if (wasEnabled) {
		DisableSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mEnabled)
				p->SuperDisable();
		});
	}
}

Boolean LPane::IsEnabled() const
{
	return mEnabled && (!mSuperView || mSuperView->IsEnabled());
}

void LPane::Activate()
{
	if (mActive)
		return;
	mActive = true;
	if (IsActive()) {
		ActivateSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mActive)
				p->SuperActivate();
		});
	}
}

void LPane::Deactivate()
{
	if (!mActive)
		return;
	const Boolean wasActive = IsActive();
	mActive = false;
	if (wasActive) {
		DeactivateSelf();
		ForSubs(this, [](LPane* p) {
			if (p->mActive)
				p->SuperDeactivate();
		});
	}
}

Boolean LPane::IsActive() const
{
	return mActive && (!mSuperView || mSuperView->IsActive());
}

void LPane::ShowSelf() {}
void LPane::HideSelf() {}
void LPane::EnableSelf() {}
void LPane::DisableSelf() {}
void LPane::ActivateSelf() {}
void LPane::DeactivateSelf() {}

void LPane::SuperShow()
{
	ShowSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mVisible)
			p->SuperShow();
	});
}

void LPane::SuperHide()
{
	HideSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mVisible)
			p->SuperHide();
	});
}

void LPane::SuperEnable()
{
	EnableSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mEnabled)
			p->SuperEnable();
	});
}

void LPane::SuperDisable()
{
	DisableSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mEnabled)
			p->SuperDisable();
	});
}

void LPane::SuperActivate()
{
	ActivateSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mActive)
			p->SuperActivate();
	});
}

void LPane::SuperDeactivate()
{
	DeactivateSelf();
	ForSubs(this, [](LPane* p) {
		if (p->mActive)
			p->SuperDeactivate();
	});
}

void LPane::GetFrameSize(SDimension16& outSize) const
{
	outSize = mFrameSize;
}

void LPane::GetFrameLocation(SPoint32& outLocation) const
{
	outLocation = mFrameLocation;
}

Boolean LPane::CalcLocalFrameRect(Rect& outRect) const
{
	SPoint32 image;
	if (mSuperView)
		image = mSuperView->mImageLocation;
	return CalcFrameRectFrom(image, outRect);
}

Boolean LPane::CalcFrameRectFrom(const SPoint32& inOrigin, Rect& outRect) const
{
	const SInt32 left = mFrameLocation.h - inOrigin.h;
	const SInt32 top = mFrameLocation.v - inOrigin.v;
	outRect.left = SInt16(left);
	outRect.top = SInt16(top);
	outRect.right = SInt16(left + mFrameSize.width);
	outRect.bottom = SInt16(top + mFrameSize.height);
	// Outside the 16-bit range QuickDraw cannot reach the pane.
	return left >= -32768 && top >= -32768 && left + mFrameSize.width <= 32767 &&
	       top + mFrameSize.height <= 32767;
}

void LPane::CalcPortFrameRect(Rect& outRect) const
{
	outRect.left = SInt16(mFrameLocation.h);
	outRect.top = SInt16(mFrameLocation.v);
	outRect.right = SInt16(mFrameLocation.h + mFrameSize.width);
	outRect.bottom = SInt16(mFrameLocation.v + mFrameSize.height);
}

void LPane::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	if (inWidthDelta == 0 && inHeightDelta == 0)
		return;
	if (inRefresh)
		Refresh();
	mFrameSize.width = SInt16(mFrameSize.width + inWidthDelta);
	mFrameSize.height = SInt16(mFrameSize.height + inHeightDelta);
	if (inRefresh)
		Refresh();
}

void LPane::ResizeFrameTo(SInt16 inWidth, SInt16 inHeight, Boolean inRefresh)
{
	ResizeFrameBy(SInt16(inWidth - mFrameSize.width), SInt16(inHeight - mFrameSize.height), inRefresh);
}

void LPane::MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh)
{
	if (inHorizDelta == 0 && inVertDelta == 0)
		return;
	if (inRefresh)
		Refresh();
	mFrameLocation.h += inHorizDelta;
	mFrameLocation.v += inVertDelta;
	if (inRefresh)
		Refresh();
}

void LPane::PlaceInSuperFrameAt(SInt32 inHoriz, SInt32 inVert, Boolean inRefresh)
{
	SPoint32 super;
	if (mSuperView)
		super = mSuperView->mFrameLocation;
	MoveBy(super.h + inHoriz - mFrameLocation.h, super.v + inVert - mFrameLocation.v, inRefresh);
}

void LPane::PlaceInSuperImageAt(SInt32 inHoriz, SInt32 inVert, Boolean inRefresh)
{
	SPoint32 image;
	if (mSuperView)
		image = mSuperView->mImageLocation;
	MoveBy(image.h + inHoriz - mFrameLocation.h, image.v + inVert - mFrameLocation.v, inRefresh);
}

void LPane::AdaptToSuperFrameSize(SInt32 inSurrWidthDelta, SInt32 inSurrHeightDelta, Boolean inRefresh)
{
	SInt32 width = 0, height = 0, h = 0, v = 0;
	if (mFrameBinding.right)
		(mFrameBinding.left ? width : h) = inSurrWidthDelta;
	if (mFrameBinding.bottom)
		(mFrameBinding.top ? height : v) = inSurrHeightDelta;
	ResizeFrameBy(SInt16(width), SInt16(height), inRefresh);
	MoveBy(h, v, inRefresh);
}

void LPane::AdaptToNewSurroundings() {}

Boolean LPane::Contains(SInt32 inHorizPort, SInt32 inVertPort) const
{
	return inHorizPort >= mFrameLocation.h && inHorizPort < mFrameLocation.h + mFrameSize.width &&
	       inVertPort >= mFrameLocation.v && inVertPort < mFrameLocation.v + mFrameSize.height;
}

void LPane::PortToLocalPoint(Point& ioPoint) const
{
	if (mSuperView) {
		ioPoint.h = SInt16(ioPoint.h - mSuperView->mImageLocation.h);
		ioPoint.v = SInt16(ioPoint.v - mSuperView->mImageLocation.v);
	}
}

void LPane::LocalToPortPoint(Point& ioPoint) const
{
	if (mSuperView) {
		ioPoint.h = SInt16(ioPoint.h + mSuperView->mImageLocation.h);
		ioPoint.v = SInt16(ioPoint.v + mSuperView->mImageLocation.v);
	}
}

GrafPtr LPane::GetMacPort() const
{
	LWindow* window = GetWindow();
	return window ? window->GetMacPort() : nullptr;
}

void LPane::Draw(RgnHandle inSuperDrawRgnH)
{
	if (IsVisible() && IsInDrawRegion(inSuperDrawRgnH) && FocusDraw())
		DrawSelf();
}

Boolean LPane::IsInDrawRegion(RgnHandle inSuperDrawRgnH) const
{
	if (!inSuperDrawRgnH)
		return true;
	Rect frame;
	CalcPortFrameRect(frame);
	return RectInRgn(&frame, inSuperDrawRgnH);
}

void LPane::DrawSelf() {}

Boolean LPane::FocusDraw(LPane*)
{
	return mSuperView ? mSuperView->FocusDraw(this) : false;
}

void LPane::Refresh()
{
	if (!IsVisible())
		return;
	if (LWindow* window = GetWindow()) {
		Rect r;
		CalcPortFrameRect(r);
		window->InvalPortRect(r);
	}
}

void LPane::ApplyForeAndBackColors() const
{
	RGBColor fore, back;
	GetForeAndBackColors(&fore, &back);
	RGBForeColor(&fore);
	RGBBackColor(&back);
}

void LPane::GetForeAndBackColors(RGBColor* outForeColor, RGBColor* outBackColor) const
{
	if (mSuperView) {
		mSuperView->GetForeAndBackColors(outForeColor, outBackColor);
		return;
	}
	if (outForeColor)
		*outForeColor = RGBColor{0, 0, 0};
	if (outBackColor)
		*outBackColor = RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
}

void LPane::UpdatePort()
{
	if (LWindow* window = GetWindow())
		window->UpdatePort();
}

void LPane::Click(SMouseDownEvent& inMouseDown)
{
	if (!IsEnabled())
		return;
	inMouseDown.whereLocal = inMouseDown.wherePort;
	PortToLocalPoint(inMouseDown.whereLocal);
	if (ExecuteAttachments(msg_Click, &inMouseDown))
		ClickSelf(inMouseDown);
}

void LPane::ClickSelf(const SMouseDownEvent&) {}

LPane* LPane::FindSubPaneHitBy(SInt32, SInt32) const
{
	return nullptr;
}

void LPane::SetDescriptor(ConstStr255Param) {}

StringPtr LPane::GetDescriptor(Str255 outDescriptor) const
{
	outDescriptor[0] = 0;
	return outDescriptor;
}

SInt32 LPane::GetValue() const
{
	return 0;
}

void LPane::SetValue(SInt32) {}
