#include "platform/framework/LDragAndDrop.h"

#include "platform/framework/LPane.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtWindowWidget.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/gui/QtDrag.h"

#include <QApplication>
#include <QDropEvent>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace
{
std::vector<LDragAndDrop*>& DropAreas()
{
	static std::vector<LDragAndDrop*> areas;
	return areas;
}

// The drag now over one of our windows.
struct STracking {
	QPointer<QWidget> widget;
	LWindow* window = nullptr;
	DragReference drag = nullptr;
	bool owned = false;
	LDragAndDrop* area = nullptr;
};

STracking& Tracking()
{
	static STracking tracking;
	return tracking;
}

LWindow* WindowOf(QWidget* inContent)
{
	auto* top = dynamic_cast<QtWindowWidget*>(inContent->window());
	return top ? top->Owner() : nullptr;
}

QWidget* ContentOf(LWindow* inWindow)
{
	for (QWidget* top : QApplication::topLevelWidgets())
		if (auto* w = dynamic_cast<QtWindowWidget*>(top); w && w->Owner() == inWindow)
			return w->Content();
	return nullptr;
}

void EndTracking()
{
	STracking& t = Tracking();
	if (t.area)
		t.area->LeaveDropArea(t.drag);
	if (t.owned)
		DisposeDrag(t.drag);
	t = STracking{};
}

LDragAndDrop* FindArea(LWindow* inWindow, Point inGlobal, DragReference inDrag)
{
	const std::vector<LDragAndDrop*> areas = DropAreas();
	// Later drop areas are usually inner panes: they come first.
	for (auto it = areas.rbegin(); it != areas.rend(); ++it) {
		LPane* pane = (*it)->GetDropPane();
		if (pane->GetWindow() == inWindow && pane->IsVisible() && pane->IsEnabled() &&
		    (*it)->PointInDropArea(inGlobal) && (*it)->DragIsAcceptable(inDrag))
			return *it;
	}
	return nullptr;
}

// Follows a drag over a window; true when the drop area under the mouse takes it.
bool Track(QWidget* inContent, QDropEvent* inEvent)
{
	STracking& t = Tracking();
	if (t.widget != inContent) {
		EndTracking();
		t.widget = inContent;
		t.window = WindowOf(inContent);
		t.drag = QtDrag::DragForMimeData(inEvent->mimeData(), t.owned);
		if (!t.window || !t.drag) {
			EndTracking();
			return false;
		}
		if (t.owned) {
			QtDrag::AddDragAttributes(t.drag, kDragHasLeftSenderWindow);
		} else if (QtDrag::GetDragSenderWindow(t.drag) == t.window) {
			QtDrag::AddDragAttributes(t.drag, kDragInsideSenderWindow);
		} else {
			QtDrag::RemoveDragAttributes(t.drag, kDragInsideSenderWindow);
			QtDrag::AddDragAttributes(t.drag, kDragHasLeftSenderWindow);
		}
	}
	Point global{SInt16(inEvent->position().y()), SInt16(inEvent->position().x())};
	t.window->PortToGlobalPoint(global);
	QtDrag::SetDragState(t.drag, global,
	                     SInt16(QtEventTranslation::Modifiers(int(inEvent->modifiers()))));
	LDragAndDrop* area = FindArea(t.window, global, t.drag);
	if (area != t.area) {
		if (t.area)
			t.area->LeaveDropArea(t.drag);
		t.area = area;
		if (area) {
			DragAttributes attributes = 0;
			GetDragAttributes(t.drag, &attributes);
			area->EnterDropArea(t.drag, (attributes & kDragHasLeftSenderWindow) != 0);
		}
	}
	if (t.area)
		t.area->InsideDropArea(t.drag);
	return t.area != nullptr;
}

class DropFilter : public QObject
{
protected:
	bool eventFilter(QObject* inWatched, QEvent* inEvent) override
	{
		auto* content = qobject_cast<QWidget*>(inWatched);
		if (!content)
			return false;
		switch (inEvent->type()) {
		case QEvent::DragEnter:
		case QEvent::DragMove: {
			auto* e = static_cast<QDragMoveEvent*>(inEvent);
			bool taken = false;
			UDispatch::Run([&] { taken = Track(content, e); });
			LWindow::AfterDispatch();
			if (taken)
				e->acceptProposedAction();
			else if (inEvent->type() == QEvent::DragEnter)
				e->accept(); // keep hearing of the drag: another part of the window may take
				             // it
			else
				e->ignore();
			return true;
		}
		case QEvent::DragLeave:
			if (Tracking().widget == content) {
				UDispatch::Run([] { EndTracking(); });
				LWindow::AfterDispatch();
			}
			return true;
		case QEvent::Drop: {
			auto* e = static_cast<QDropEvent*>(inEvent);
			bool taken = false;
			UDispatch::Run([&] {
				if (Track(content, e)) {
					STracking& t = Tracking();
					QtDrag::SetDragMouseUpModifiers(
					    t.drag,
					    SInt16(QtEventTranslation::Modifiers(int(e->modifiers()))));
					LDragAndDrop* area = t.area;
					area->LeaveDropArea(t.drag);
					t.area = nullptr;
					area->DoDragReceive(t.drag);
					taken = true;
				}
			});
			UDispatch::Run([] { EndTracking(); });
			LWindow::AfterDispatch();
			if (taken)
				e->acceptProposedAction();
			else
				e->ignore();
			return true;
		}
		default:
			return false;
		}
	}
};

DropFilter* Filter()
{
	static DropFilter* filter = new DropFilter;
	return filter;
}
} // namespace

LDragAndDrop::LDragAndDrop(LPane* inPane) : mPane(inPane)
{
	DropAreas().push_back(this);
	if (mPane)
		EnableDropsIn(mPane->GetWindow());
}

LDragAndDrop::~LDragAndDrop()
{
	std::erase(DropAreas(), this);
	if (Tracking().area == this)
		Tracking().area = nullptr;
}

void LDragAndDrop::EnableDropsIn(LWindow* inWindow)
{
	if (!inWindow || !qobject_cast<QApplication*>(QCoreApplication::instance()))
		return;
	if (QWidget* content = ContentOf(inWindow)) {
		content->setAcceptDrops(true);
		content->removeEventFilter(Filter());
		content->installEventFilter(Filter());
	}
}

Boolean LDragAndDrop::DragIsAcceptable(DragReference inDragRef)
{
	UInt16 count = 0;
	CountDragItems(inDragRef, &count);
	Boolean acceptable = count > 0;
	for (UInt16 i = 1; acceptable && i <= count; ++i) {
		ItemReference ref;
		acceptable = GetDragItemReferenceNumber(inDragRef, i, &ref) == noErr &&
		             ItemIsAcceptable(inDragRef, ref);
	}
	mCanAcceptCurrentDrag = acceptable;
	return acceptable;
}

Boolean LDragAndDrop::ItemIsAcceptable(DragReference, ItemReference)
{
	return true;
}

Boolean LDragAndDrop::PointInDropArea(Point inGlobalPt)
{
	LWindow* window = mPane ? mPane->GetWindow() : nullptr;
	if (!window)
		return false;
	window->GlobalToPortPoint(inGlobalPt);
	return mPane->Contains(inGlobalPt.h, inGlobalPt.v);
}

void LDragAndDrop::EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender)
{
	if (inDragHasLeftSender)
		HiliteDropArea(inDragRef);
}

void LDragAndDrop::LeaveDropArea(DragReference inDragRef)
{
	UnhiliteDropArea(inDragRef);
	mCanAcceptCurrentDrag = false;
}

void LDragAndDrop::InsideDropArea(DragReference) {}

void LDragAndDrop::HiliteDropArea(DragReference inDragRef)
{
	Rect frame;
	if (!FocusDropArea() || !mPane->CalcLocalFrameRect(frame))
		return;
	RgnHandle rgn = NewRgn();
	RectRgn(rgn, &frame);
	ShowDragHilite(inDragRef, rgn, true);
	DisposeRgn(rgn);
	mIsHilited = true;
}

void LDragAndDrop::UnhiliteDropArea(DragReference inDragRef)
{
	if (!mIsHilited)
		return;
	FocusDropArea();
	HideDragHilite(inDragRef);
	mIsHilited = false;
}

void LDragAndDrop::DoDragReceive(DragReference inDragRef)
{
	DragAttributes attributes = 0;
	GetDragAttributes(inDragRef, &attributes);
	UInt16 count = 0;
	CountDragItems(inDragRef, &count);
	for (UInt16 i = 1; i <= count; ++i) {
		ItemReference ref;
		if (GetDragItemReferenceNumber(inDragRef, i, &ref) != noErr ||
		    !ItemIsAcceptable(inDragRef, ref))
			continue;
		Rect bounds{};
		GetDragItemBounds(inDragRef, ref, &bounds);
		ReceiveDragItem(inDragRef, attributes, ref, bounds);
	}
}

void LDragAndDrop::ReceiveDragItem(DragReference, DragAttributes, ItemReference, Rect&) {}

Boolean LDragAndDrop::FocusDropArea()
{
	return mPane && mPane->FocusDraw();
}
