#include "platform/framework/LDragTask.h"

#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/toolbox/gui/QtDrag.h"

#include <QGuiApplication>

LDragTask::LDragTask(const EventRecord& inEventRecord) : mEventRecord(inEventRecord)
{
	NewDrag(&mDragRef);
	mDragRegion = NewRgn();
}

LDragTask::LDragTask(const EventRecord& inEventRecord, const Rect& inItemRect, ItemReference inItemRef,
                     FlavorType inFlavor, const void* inDataPtr, Size inDataSize, FlavorFlags inFlags)
    : LDragTask(inEventRecord)
{
	mSingle = SSingleItem{true, inItemRect, inItemRef};
	// The data is copied now: the caller's buffer need not outlive the constructor.
	AddDragItemFlavor(mDragRef, inItemRef, inFlavor, inDataPtr, inDataSize, inFlags);
}

LDragTask::~LDragTask()
{
	DisposeRgn(mDragRegion);
	DisposeDrag(mDragRef);
}

OSErr LDragTask::DoDrag()
{
	AddFlavors(mDragRef);
	MakeDragRegion(mDragRef, mDragRegion);
	// The window under the mouse-down is the sender window.
	for (LWindow* window : LWindow::GetWindowList()) {
		Rect bounds;
		window->GetGlobalBounds(bounds);
		if (window->IsVisible() && PtInRect(mEventRecord.where, &bounds)) {
			QtDrag::SetDragSenderWindow(mDragRef, window);
			break;
		}
	}
	QtDrag::SetDragMouseDownModifiers(mDragRef, SInt16(mEventRecord.modifiers), mEventRecord.where);
	const OSErr err = TrackDrag(mDragRef, &mEventRecord, mDragRegion);
	if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
		QtDrag::SetDragMouseUpModifiers(
		    mDragRef,
		    SInt16(QtEventTranslation::Modifiers(int(QGuiApplication::queryKeyboardModifiers()))),
		    true);
	return err;
}

void LDragTask::AddFlavors(DragReference)
{
	if (mSingle.used)
		AddRectDragItem(mSingle.ref, mSingle.rect);
}

void LDragTask::MakeDragRegion(DragReference inDragRef, RgnHandle inDragRegion)
{
	UInt16 count = 0;
	CountDragItems(inDragRef, &count);
	RgnHandle itemRgn = NewRgn();
	for (UInt16 i = 1; i <= count; ++i) {
		ItemReference ref;
		Rect bounds;
		if (GetDragItemReferenceNumber(inDragRef, i, &ref) == noErr &&
		    GetDragItemBounds(inDragRef, ref, &bounds) == noErr) {
			RectRgn(itemRgn, &bounds);
			UnionRgn(inDragRegion, itemRgn, inDragRegion);
		}
	}
	DisposeRgn(itemRgn);
}

void LDragTask::AddRectDragItem(ItemReference inItemRef, const Rect& inItemRect)
{
	SetDragItemBounds(mDragRef, inItemRef, &inItemRect);
}
