#include "platform/framework/LWindow.h"

#include "platform/framework/LStream.h"
#include "platform/framework/QtMenus.h"
#include "platform/framework/QtWindowWidget.h"
#include "platform/framework/QtX11Hints.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/gui/Events.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/Screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstring>

std::vector<LWindow*> LWindow::sWindows;

namespace
{
int Layer(const LWindow* inWindow)
{
	if (inWindow->HasAttribute(windAttr_Modal))
		return 0;
	if (inWindow->HasAttribute(windAttr_Floating))
		return 1;
	return 2;
}

bool HasMenuBar(WindAttrT inAttributes)
{
	return (inAttributes & windAttr_Regular) && !(inAttributes & windAttr_NoMenuBar) &&
	       !(inAttributes & windAttr_Modal) && !(inAttributes & windAttr_Floating);
}

Qt::WindowFlags FlagsOf(WindAttrT inAttributes)
{
	Qt::WindowFlags flags;
	if (inAttributes & windAttr_Modal)
		flags = Qt::Dialog;
	else if (inAttributes & windAttr_Floating)
		flags = Qt::Tool | Qt::WindowStaysOnTopHint;
	else
		flags = Qt::Window;
	if (inAttributes & windAttr_TitleBar) {
		flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
		if (inAttributes & windAttr_CloseBox)
			flags |= Qt::WindowCloseButtonHint;
		if (inAttributes & windAttr_Zoomable)
			flags |= Qt::WindowMaximizeButtonHint;
		if (inAttributes & windAttr_Regular)
			flags |= Qt::WindowMinimizeButtonHint;
	} else {
		flags |= Qt::FramelessWindowHint;
	}
	return flags;
}

// Without a window manager's title bar, cascaded windows still step clear of each other's corner.
constexpr SInt16 kCascadeWithoutTitleBar = 20;
} // namespace

LWindow* LWindow::CreateWindow(ResIDT inLayoutID, LCommander* inSuperCommander)
{
	LPane* pane = UReanimator::ReadObjects(inLayoutID, nullptr, inSuperCommander);
	auto* window = dynamic_cast<LWindow*>(pane);
	if (pane && !window)
		delete pane;
	return window;
}

LWindow::LWindow(const SPaneInfo& inPaneInfo, ConstStr255Param inTitle, WindAttrT inAttributes,
                 LCommander* inSuperCommander)
    : LView(inPaneInfo), LCommander(inSuperCommander)
{
	mAttributes = inAttributes;
	InitWindow(inTitle);
}

LWindow::LWindow(LStream* inStream) : LView(inStream)
{
	Str255 title;
	inStream->ReadPString(title);
	*inStream >> mAttributes;
	SInt16 minWidth, minHeight, maxWidth, maxHeight;
	*inStream >> minWidth >> minHeight >> maxWidth >> maxHeight;
	// -1 leaves no limit.
	mMinMaxSize.left = std::max<SInt16>(minWidth, 0);
	mMinMaxSize.top = std::max<SInt16>(minHeight, 0);
	mMinMaxSize.right = maxWidth < 0 ? SInt16(32767) : maxWidth;
	mMinMaxSize.bottom = maxHeight < 0 ? SInt16(32767) : maxHeight;
	InitWindow(title);
}

void LWindow::InitWindow(ConstStr255Param inTitle)
{
	// The pane data's location is the window's global position; in its own port the window is at 0,0.
	SPoint32 location = mFrameLocation;
	GDHandle screen = GetMainDevice();
	const bool withMenuBar = HasMenuBar(mAttributes);
	if ((HasAttribute(windAttr_Modal) || withMenuBar) && location.h == 0 && location.v == 0 && screen) {
		// A dialog or a window placed nowhere in particular goes to the middle of the main screen,
		// not over the ticker (nor its menu bar above the screen).
		const Rect& area = (*screen)->gdRect;
		location.h = (area.left + area.right - mFrameSize.width) / 2;
		location.v = (area.top + area.bottom - mFrameSize.height) / 2;
	}
	mGlobalBounds.left = SInt16(location.h);
	mGlobalBounds.top = SInt16(location.v);
	mGlobalBounds.right = SInt16(location.h + mFrameSize.width);
	mGlobalBounds.bottom = SInt16(location.v + mFrameSize.height);
	mUserBounds = mGlobalBounds;
	mFrameLocation = SPoint32{};
	mImageLocation = SPoint32{};
	mVisible = false;
	mActive = false;
	if (HasAttribute(windAttr_Modal))
		mAttributes |= windAttr_Targetable; // nothing behind a modal window may take its keys
	std::memcpy(mTitle, inTitle, size_t(inTitle[0]) + 1);

	mWidget = new QtWindowWidget(this, FlagsOf(mAttributes), withMenuBar);
	if (HasAttribute(windAttr_Modal))
		mWidget->setWindowModality(Qt::ApplicationModal);
	mWidget->setWindowTitle(QStringFromPascal(mTitle));
	mWidget->ResizeImage(mFrameSize.width, mFrameSize.height);
	mPort = NewImagePort(&mWidget->Image());
	// What is drawn into the port, whenever, is what the widget shows again after the dispatch.
	SetPortDrawnNotifier(mPort, [widget = mWidget](const Rect& inArea) {
		widget->mDrawn +=
		    QRect(inArea.left, inArea.top, inArea.right - inArea.left, inArea.bottom - inArea.top);
	});
	SetPortScrolledNotifier(mPort, [widget = mWidget](const Rect& inArea, SInt16 inDh, SInt16 inDv) {
		widget->NoteScrolled(
		    QRect(inArea.left, inArea.top, inArea.right - inArea.left, inArea.bottom - inArea.top),
		    inDh, inDv);
	});
	mMacWindow.port = mPort;
	mMacWindow.getBounds = [this] { return mGlobalBounds; };
	mMacWindow.setBounds = [this](const Rect& inBounds) {
		if (inBounds.right - inBounds.left == mFrameSize.width &&
		    inBounds.bottom - inBounds.top == mFrameSize.height)
			PlaceOnScreen(inBounds);
		else
			DoSetBounds(inBounds);
	};
	PlaceOnScreen(mGlobalBounds);
	mWidget->SyncMenuBar();
	sWindows.push_back(this);
	if (mFrameSize.width > 0 && mFrameSize.height > 0)
		InvalPortRect(Rect{0, 0, mFrameSize.height, mFrameSize.width});
}

LWindow::~LWindow()
{
	const Boolean wasActive = mActive && mVisible;
	mClosing = true;
	std::erase(sWindows, this);
	if (wasActive && !HasAttribute(windAttr_Floating))
		ActivateNextWindow();
	// The panes go while the window is still whole, and before the port they draw into.
	DeleteAllSubPanes();
	if (mPort) {
		GrafPtr current;
		GetPort(&current);
		if (current == mPort)
			SetPort(nullptr);
		DisposePort(mPort);
		mPort = nullptr;
	}
	mWidget->Detach();
	mWidget = nullptr;
}

void LWindow::SetDescriptor(ConstStr255Param inTitle)
{
	std::memcpy(mTitle, inTitle, size_t(inTitle[0]) + 1);
	mWidget->setWindowTitle(QStringFromPascal(mTitle));
}

StringPtr LWindow::GetDescriptor(Str255 outTitle) const
{
	std::memcpy(outTitle, mTitle, size_t(mTitle[0]) + 1);
	return outTitle;
}

void LWindow::Select()
{
	BringForward(true);
}

void LWindow::BringForward(bool inAskWindowSystem)
{
	if (mClosing)
		return;
	std::erase(sWindows, this);
	auto at = std::find_if(sWindows.begin(), sWindows.end(),
	                       [&](LWindow* w) { return Layer(w) >= Layer(this); });
	sWindows.insert(at, this);
	if (!HasAttribute(windAttr_Floating)) {
		for (LWindow* w : sWindows)
			if (w != this && !w->HasAttribute(windAttr_Floating) && w->mActive)
				w->Deactivate();
	}
	Activate();
	// Not when the window system has just activated the window: asking again would answer its queued
	// activation of another window with one more of this one, and two windows would take turns for ever.
	if (inAskWindowSystem && IsVisible()) {
		mWidget->raise();
		mWidget->activateWindow();
	}
	if (HasAttribute(windAttr_Targetable)) {
		LCommander* target = this;
		while (target->GetLatentSub())
			target = target->GetLatentSub();
		SwitchTarget(target);
	}
}

Boolean LWindow::IsFrontWindow() const
{
	const std::vector<LWindow*> list = GetWindowList();
	for (LWindow* w : list)
		if (Layer(w) == Layer(this) && w->IsVisible())
			return w == this;
	return false;
}

Boolean LWindow::HoldsTarget() const
{
	for (LCommander* c = GetTarget(); c; c = c->GetSuperCommander())
		if (auto* window = dynamic_cast<LWindow*>(c))
			return window == this;
	return false;
}

void LWindow::TakeKeysFromWindowSystem()
{
	if (mClosing || !IsVisible())
		return;
	if (LWindow* modal = FetchTopModal(); modal && modal != this)
		return;
	if (!IsFrontWindow() || (HasAttribute(windAttr_Targetable) && !HoldsTarget()))
		BringForward(false);
}

// Clicked, a window comes forward unless it is already active with its own chain taking the keys (a
// window under it, or a palette, may have them).
bool LWindow::IsSelectedByClick() const
{
	return !HasAttribute(windAttr_Floating) &&
	       (!mActive || (HasAttribute(windAttr_Targetable) && !HoldsTarget()));
}

Boolean LWindow::AttemptClose()
{
	if (mClosing)
		return true;
	if (mSuperCommander && !mSuperCommander->AllowSubRemoval(this))
		return false;
	DoClose();
	return true;
}

void LWindow::DoClose()
{
	if (mClosing)
		return;
	// Closing before it hides: the window that takes over while it hides must not hand it the keys back.
	mClosing = true;
	Hide();
	UDispatch::DeleteWhenSafe(this);
}

void LWindow::GetGlobalBounds(Rect& outBounds) const
{
	outBounds = mGlobalBounds;
}

void LWindow::DoSetBounds(const Rect& inBounds)
{
	const SInt16 width = std::clamp<SInt16>(SInt16(inBounds.right - inBounds.left), mMinMaxSize.left,
	                                        std::max(mMinMaxSize.left, mMinMaxSize.right));
	const SInt16 height = std::clamp<SInt16>(SInt16(inBounds.bottom - inBounds.top), mMinMaxSize.top,
	                                         std::max(mMinMaxSize.top, mMinMaxSize.bottom));
	const bool placing = mWidget->mPlacing;
	mWidget->mPlacing = true; // ResizeFrameBy must not place the widget a second time
	LView::ResizeFrameBy(SInt16(width - mFrameSize.width), SInt16(height - mFrameSize.height), false);
	mWidget->mPlacing = placing;
	const Boolean resized = mWidget->Image().width() != width || mWidget->Image().height() != height;
	mWidget->ResizeImage(width, height);
	PlaceOnScreen(
	    Rect{inBounds.top, inBounds.left, SInt16(inBounds.top + height), SInt16(inBounds.left + width)});
	if (resized)
		InvalPortRect(Rect{0, 0, height, width});
}

void LWindow::PlaceOnScreen(const Rect& inBounds)
{
	mGlobalBounds = inBounds;
	mPort->globalOffset = Point{inBounds.top, inBounds.left};
	mWidget->PlaceContent(mGlobalBounds);
	if (mDockEdge != EScreenEdge::None) {
		ReserveScreenEdge();
		if (IsVisible())
			MoveOthersOutOfStrip();
	}
}

void LWindow::MoveWindowTo(SInt16 inHoriz, SInt16 inVert)
{
	Rect bounds = mGlobalBounds;
	OffsetRect(&bounds, SInt16(inHoriz - bounds.left), SInt16(inVert - bounds.top));
	DoSetBounds(bounds);
}

void LWindow::ResizeWindowTo(SInt16 inWidth, SInt16 inHeight)
{
	Rect bounds = mGlobalBounds;
	bounds.right = SInt16(bounds.left + inWidth);
	bounds.bottom = SInt16(bounds.top + inHeight);
	DoSetBounds(bounds);
}

void LWindow::SetMinMaxSize(const Rect& inRect)
{
	mMinMaxSize = inRect;
	mWidget->PlaceContent(mGlobalBounds);
}

void LWindow::DockAtScreenEdge(EScreenEdge inEdge)
{
	QtX11Hints::AskToBeDocked(mWidget);
	mDockEdge = inEdge;
	ReserveScreenEdge();
}

void LWindow::LeaveScreenEdge()
{
	mDockEdge = EScreenEdge::None;
	ReserveScreenEdge();
}

void LWindow::ReserveScreenEdge()
{
	QtX11Hints::ReserveStrip(mWidget, mDockEdge == EScreenEdge::Top      ? QtX11Hints::Edge::Top
	                                  : mDockEdge == EScreenEdge::Bottom ? QtX11Hints::Edge::Bottom
	                                                                     : QtX11Hints::Edge::None);
}

Rect LWindow::GetStructureWidths() const
{
	const QMargins frame =
	    HasAttribute(windAttr_TitleBar) ? QtX11Hints::FrameExtents(mWidget) : QMargins();
	return Rect{SInt16(frame.top() + mWidget->MenuBarHeight()), SInt16(frame.left()),
	            SInt16(frame.bottom()), SInt16(frame.right())};
}

Rect LWindow::EstimateStructureWidths(WindAttrT inAttributes)
{
	QMargins frame;
	if (inAttributes & windAttr_TitleBar) {
		QWidget probe(nullptr, FlagsOf(inAttributes));
		frame = QtX11Hints::FrameExtents(&probe);
	}
	const int bar = HasMenuBar(inAttributes) ? QtWindowWidget::StandardMenuBarHeight() : 0;
	return Rect{SInt16(frame.top() + bar), SInt16(frame.left()), SInt16(frame.bottom()),
	            SInt16(frame.right())};
}

Rect LWindow::GetAvailableBounds(const Rect& inNear)
{
	const QPoint middle((inNear.left + inNear.right) / 2, (inNear.top + inNear.bottom) / 2);
	QScreen* screen = QGuiApplication::screenAt(middle);
	if (!screen)
		screen = QGuiApplication::primaryScreen();
	if (!screen)
		return inNear;
	// The manager takes the strips out of its work area too, but only once it has seen them.
	QRect area = screen->availableGeometry();
	for (const LWindow* w : sWindows) {
		if (w->mDockEdge == EScreenEdge::None || w->mClosing || !w->IsVisible())
			continue;
		const QRect strip = w->mWidget->geometry();
		if (!strip.intersects(screen->geometry()))
			continue;
		if (w->mDockEdge == EScreenEdge::Top)
			area.setTop(std::max(area.top(), strip.bottom() + 1));
		else
			area.setBottom(std::min(area.bottom(), strip.top() - 1));
	}
	return QD::ToRect(area);
}

bool LWindow::IsKeptInsideScreen() const
{
	return HasAttribute(windAttr_TitleBar) && !HasAttribute(windAttr_Floating) &&
	       mDockEdge == EScreenEdge::None;
}

void LWindow::MoveInside(const Rect& inArea)
{
	const Rect s = GetStructureWidths();
	const SInt16 width = SInt16(mGlobalBounds.right - mGlobalBounds.left);
	const SInt16 height = SInt16(mGlobalBounds.bottom - mGlobalBounds.top);
	SInt16 left = mGlobalBounds.left, top = mGlobalBounds.top;
	// Right and bottom first: a window larger than the area keeps its title bar on the screen.
	left = std::min<SInt16>(left, SInt16(inArea.right - s.right - width));
	top = std::min<SInt16>(top, SInt16(inArea.bottom - s.bottom - height));
	left = std::max<SInt16>(left, SInt16(inArea.left + s.left));
	top = std::max<SInt16>(top, SInt16(inArea.top + s.top));
	if (left != mGlobalBounds.left || top != mGlobalBounds.top)
		MoveWindowTo(left, top);
}

void LWindow::CascadeFromOthers()
{
	const QMargins frame = QtX11Hints::FrameExtents(mWidget);
	const SInt16 step = frame.top() > 0 ? SInt16(frame.top()) : kCascadeWithoutTitleBar;
	const Rect area = GetAvailableBounds(mGlobalBounds);
	const Rect s = GetStructureWidths();
	auto covered = [this] {
		return std::any_of(sWindows.begin(), sWindows.end(), [this](const LWindow* w) {
			return w != this && !w->mClosing && w->IsVisible() && w->IsKeptInsideScreen() &&
			       w->mGlobalBounds.left == mGlobalBounds.left &&
			       w->mGlobalBounds.top == mGlobalBounds.top;
		});
	};
	for (size_t tries = 0; tries <= sWindows.size() && covered(); ++tries) {
		SInt16 left = SInt16(mGlobalBounds.left + step), top = SInt16(mGlobalBounds.top + step);
		// Past the area's edge the cascade starts again at its corner.
		if (left + (mGlobalBounds.right - mGlobalBounds.left) + s.right > area.right ||
		    top + (mGlobalBounds.bottom - mGlobalBounds.top) + s.bottom > area.bottom) {
			left = SInt16(area.left + s.left);
			top = SInt16(area.top + s.top);
		}
		MoveWindowTo(left, top);
	}
}

void LWindow::MoveOthersOutOfStrip()
{
	for (LWindow* w : std::vector<LWindow*>(sWindows))
		if (w != this && !w->mClosing && w->IsVisible() && w->IsKeptInsideScreen())
			w->MoveInside(GetAvailableBounds(w->mGlobalBounds));
}

void LWindow::DoSetZoom(Boolean inZoomOut)
{
	if (inZoomOut) {
		mUserBounds = mGlobalBounds;
		// The free area of its screen, clear of docked strips, with the frame and bar inside it too.
		const Rect area = GetAvailableBounds(mGlobalBounds);
		const Rect s = GetStructureWidths();
		DoSetBounds(Rect{SInt16(area.top + s.top), SInt16(area.left + s.left),
		                 SInt16(area.bottom - s.bottom), SInt16(area.right - s.right)});
	} else {
		DoSetBounds(mUserBounds);
	}
	mZoomed = inZoomOut;
}

void LWindow::GlobalToPortPoint(Point& ioPoint) const
{
	ioPoint.h = SInt16(ioPoint.h - mGlobalBounds.left);
	ioPoint.v = SInt16(ioPoint.v - mGlobalBounds.top);
}

void LWindow::PortToGlobalPoint(Point& ioPoint) const
{
	ioPoint.h = SInt16(ioPoint.h + mGlobalBounds.left);
	ioPoint.v = SInt16(ioPoint.v + mGlobalBounds.top);
}

Boolean LWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (inCommand == cmd_Close) {
		AttemptClose();
		return true;
	}
	return LCommander::ObeyCommand(inCommand, ioParam);
}

void LWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                UInt16& outMark, Str255 outName)
{
	if (inCommand == cmd_Close) {
		outEnabled = HasAttribute(windAttr_CloseBox);
		return;
	}
	LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

void LWindow::HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount)
{
	SetClickCount(inClickCount);
	if (IsSelectedByClick())
		Select();
	ClickInContent(inMacEvent);
}

void LWindow::ClickInContent(const EventRecord& inMacEvent)
{
	SMouseDownEvent mouse;
	mouse.macEvent = inMacEvent;
	mouse.wherePort = inMacEvent.where;
	GlobalToPortPoint(mouse.wherePort);
	mouse.clickCount = GetClickCount();
	Click(mouse);
}

void LWindow::ClickInDrag(const EventRecord& inMacEvent)
{
	if (IsSelectedByClick())
		Select();
	// The mouse stays on the screens.
	Rect limits{};
	for (GDHandle device = GetDeviceList(); device; device = GetNextDevice(device)) {
		if (EmptyRect(&limits))
			limits = (*device)->gdRect;
		else
			UnionRect(&limits, &(*device)->gdRect, &limits);
	}
	DragWindow(GetMacWindow(), inMacEvent.where, EmptyRect(&limits) ? nullptr : &limits);
}

void LWindow::ClickInGrow(const EventRecord& inMacEvent)
{
	const SInt32 size = GrowWindow(GetMacWindow(), inMacEvent.where, &mMinMaxSize);
	if (size != 0)
		ResizeWindowTo(SInt16(size & 0xFFFF), SInt16(size >> 16));
}

void LWindow::Suspend()
{
	if (HasAttribute(windAttr_HideOnSuspend) && IsVisible())
		mWidget->hide();
}

void LWindow::Resume()
{
	if (HasAttribute(windAttr_HideOnSuspend) && IsVisible())
		mWidget->show();
}

void LWindow::InvalPortRect(const Rect& inRect)
{
	const QRect r(inRect.left, inRect.top, inRect.right - inRect.left, inRect.bottom - inRect.top);
	if (r.isEmpty() || !mWidget)
		return;
	mWidget->mInvalid += r;
	mWidget->Content()->update(r);
}

void LWindow::InvalPortRegion(RgnHandle inRegion)
{
	if (!inRegion || !mWidget)
		return;
	mWidget->mInvalid += inRegion->region;
	mWidget->Content()->update(inRegion->region);
}

void LWindow::UpdatePort()
{
	if (!mWidget || mWidget->mInvalid.isEmpty() || mUpdateRgn)
		return;
	mUpdateRgn = NewRgn();
	mUpdateRgn->region = mWidget->mInvalid;
	mWidget->mInvalid = QRegion();
	struct StClear {
		LWindow* w;
		~StClear()
		{
			DisposeRgn(w->mUpdateRgn);
			w->mUpdateRgn = nullptr;
		}
	} clear{this};
	Draw(mUpdateRgn);
}

void LWindow::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
	RGBBackColor(&white);
	EraseRect(&frame);
}

void LWindow::Show()
{
	const Boolean firstShow = !mShownBefore;
	const Boolean wasVisible = IsVisible();
	LView::Show();
	if (wasVisible || !IsVisible() || HasAttribute(windAttr_Floating))
		return;
	// After the panes are shown, so that the field taking the keys is on screen.
	if (HasAttribute(windAttr_Modal))
		Select();
	else if (firstShow && HasAttribute(windAttr_Targetable) && !FetchTopModal())
		Select();
}

void LWindow::ShowSelf()
{
	if (!mShownBefore) {
		mShownBefore = true;
		if (IsKeptInsideScreen()) {
			MoveInside(GetAvailableBounds(mGlobalBounds));
			CascadeFromOthers();
		}
	}
	InvalPortRect(Rect{0, 0, mFrameSize.height, mFrameSize.width});
	mWidget->show();
	mWidget->Content()->setFocus();
	if (HasAttribute(windAttr_Floating))
		Activate();
	if (mDockEdge != EScreenEdge::None)
		MoveOthersOutOfStrip();
}

void LWindow::HideSelf()
{
	mWidget->hide();
	const Boolean wasActive = mActive;
	Deactivate();
	if (IsOnDuty())
		SwitchTarget(mSuperCommander ? mSuperCommander : GetDefaultCommander());
	if (wasActive && !HasAttribute(windAttr_Floating))
		ActivateNextWindow();
}

void LWindow::ActivateNextWindow()
{
	// The next window takes over, as when the front window goes.
	for (LWindow* w : GetWindowList())
		if (w != this && w->IsVisible() && !w->HasAttribute(windAttr_Floating)) {
			w->Select();
			return;
		}
}

void LWindow::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	if (mWidget->mPlacing) {
		LView::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
		return;
	}
	Rect bounds = mGlobalBounds;
	bounds.right = SInt16(bounds.right + inWidthDelta);
	bounds.bottom = SInt16(bounds.bottom + inHeightDelta);
	DoSetBounds(bounds);
}

void LWindow::MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean)
{
	MoveWindowTo(SInt16(mGlobalBounds.left + inHorizDelta), SInt16(mGlobalBounds.top + inVertDelta));
}

std::vector<LWindow*> LWindow::GetWindowList()
{
	std::vector<LWindow*> list;
	for (LWindow* w : sWindows)
		if (!w->mClosing)
			list.push_back(w);
	std::stable_sort(list.begin(), list.end(),
	                 [](LWindow* a, LWindow* b) { return Layer(a) < Layer(b); });
	return list;
}

LWindow* LWindow::FetchTopRegular()
{
	for (LWindow* w : GetWindowList())
		if (Layer(w) == 2 && w->IsVisible())
			return w;
	return nullptr;
}

LWindow* LWindow::FetchTopModal()
{
	for (LWindow* w : GetWindowList())
		if (Layer(w) == 0 && w->IsVisible())
			return w;
	return nullptr;
}

void LWindow::AfterDispatch()
{
	bool menuBarShown = false;
	for (LWindow* w : sWindows) {
		w->mWidget->ShowChanges();
		w->mWidget->SyncMenuBar();
		menuBarShown = menuBarShown || w->mWidget->ShowsMenuBar();
	}
	QtMenus::SyncTray(menuBarShown);
}
