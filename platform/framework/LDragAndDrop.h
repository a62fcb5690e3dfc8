#pragma once
// A pane that takes drops. While a drag moves over the pane's window, the drop area under the mouse that
// accepts the drag is told when the drag enters, moves inside and leaves it, and receives the items of a
// drop. Subclasses decide what they accept (ItemIsAcceptable) and what a dropped item does
// (ReceiveDragItem); the default hilite frames the pane.
//
// The pane must be in its window when the drop area is made (as it is for panes built from layouts).

#include "platform/toolbox/gui/Drag.h"

class LPane;
class LWindow;

class LDragAndDrop
{
public:
	explicit LDragAndDrop(LPane* inPane);
	virtual ~LDragAndDrop();
	LDragAndDrop(const LDragAndDrop&) = delete;
	LDragAndDrop& operator=(const LDragAndDrop&) = delete;

	LPane* GetDropPane() const { return mPane; }
	Boolean IsHilited() const { return mIsHilited; }
	Boolean CanAcceptCurrentDrag() const { return mCanAcceptCurrentDrag; }

	// Every item acceptable, by default.
	virtual Boolean DragIsAcceptable(DragReference inDragRef);
	virtual Boolean ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef);
	// Global coordinates; by default inside the pane's frame.
	virtual Boolean PointInDropArea(Point inGlobalPt);

	virtual void EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender);
	virtual void LeaveDropArea(DragReference inDragRef);
	virtual void InsideDropArea(DragReference inDragRef);
	virtual void HiliteDropArea(DragReference inDragRef);
	virtual void UnhiliteDropArea(DragReference inDragRef);

	// Hands every acceptable item to ReceiveDragItem.
	virtual void DoDragReceive(DragReference inDragRef);
	virtual void ReceiveDragItem(DragReference inDragRef, DragAttributes inDragAttrs,
	                             ItemReference inItemRef, Rect& inItemBounds);

	// Makes the pane's port current in its local coordinates.
	Boolean FocusDropArea();

	// Drops reach the drop areas of this window; done by the constructor for the pane's window.
	static void EnableDropsIn(LWindow* inWindow);

protected:
	LPane* mPane;
	Boolean mIsHilited = false;
	Boolean mCanAcceptCurrentDrag = false;
};
