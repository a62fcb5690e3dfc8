#pragma once
// A drag started by the user from a pane: subclasses add their items and flavours (AddFlavors), promising
// data where building it is costly, and DoDrag runs the drag. The drag reference lives as long as the task.

#include "platform/toolbox/gui/Drag.h"

class LDragTask
{
public:
	explicit LDragTask(const EventRecord& inEventRecord);
	// A drag of one item with one flavour; the data is copied.
	LDragTask(const EventRecord& inEventRecord, const Rect& inItemRect, ItemReference inItemRef,
	          FlavorType inFlavor, const void* inDataPtr, Size inDataSize, FlavorFlags inFlags);
	virtual ~LDragTask();
	LDragTask(const LDragTask&) = delete;
	LDragTask& operator=(const LDragTask&) = delete;

	// Adds the items, builds the outline and tracks the drag until the mouse goes up.
	virtual OSErr DoDrag();

	DragReference GetDragReference() const { return mDragRef; }
	const EventRecord& GetEventRecord() const { return mEventRecord; }

protected:
	virtual void AddFlavors(DragReference inDragRef);
	// The outline: the union of the items' rectangles (global coordinates).
	virtual void MakeDragRegion(DragReference inDragRef, RgnHandle inDragRegion);
	// Sets an item's rectangle (global coordinates) and adds it to the outline.
	void AddRectDragItem(ItemReference inItemRef, const Rect& inItemRect);

	EventRecord mEventRecord;
	DragReference mDragRef = nullptr;
	RgnHandle mDragRegion = nullptr;

private:
	struct SSingleItem {
		bool used = false;
		Rect rect{};
		ItemReference ref = 0;
	} mSingle;
};
