#pragma once
// What the tables whose rows can be dragged out share: telling a drag from a click, and the outline of the
// dragged rows.

#include "platform/toolbox/MacTypes.h"

#include <vector>

class LTableView;

class UTableDrag
{
public:
	// Held down and moved a few pixels before release: the start of a drag rather than a click.
	static bool MouseMovedBeforeRelease(Point inStart);
	// The global rectangles of the selected rows that show in the table's frame.
	static std::vector<Rect> SelectedRowRects(LTableView* inTable);
};
