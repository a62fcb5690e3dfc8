#pragma once
// Questions about a drag in progress, for the tables that take drops.

#include "platform/toolbox/gui/Drag.h"

class UDragAndDropUtils
{
public:
	// The drag is over the window it started from.
	static bool CheckIfViewIsAlsoSender(DragReference inDragRef);
	// Option was held when the drag started or when it was dropped.
	static bool CheckForOptionKey(DragReference inDragRef);
	// The drop went to the trash. The desktop does not tell a program where a drop outside it went, so
	// this is never known to be so.
	static bool DroppedInTrash(DragReference inDragRef);
};
