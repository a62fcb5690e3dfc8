#include "windows/security/UTableDrag.h"

#include "platform/framework/LTableView.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/gui/Events.h"

#include <cstdlib>

namespace
{
constexpr int kDragSlop = 3;
} // namespace

bool UTableDrag::MouseMovedBeforeRelease(Point inStart)
{
	while (StillDown()) {
		Point now;
		GetGlobalMouse(&now);
		if (std::abs(now.h - inStart.h) > kDragSlop || std::abs(now.v - inStart.v) > kDragSlop)
			return true;
	}
	return false;
}

std::vector<Rect> UTableDrag::SelectedRowRects(LTableView* inTable)
{
	std::vector<Rect> rects;
	LWindow* window = inTable->GetWindow();
	STableCell cell;
	while (window != nullptr && inTable->GetNextSelectedCell(cell)) {
		Rect bounds;
		if (!inTable->GetLocalCellRect(cell, bounds))
			continue;
		Point topLeft{bounds.top, bounds.left};
		Point botRight{bounds.bottom, bounds.right};
		inTable->LocalToPortPoint(topLeft);
		inTable->LocalToPortPoint(botRight);
		window->PortToGlobalPoint(topLeft);
		window->PortToGlobalPoint(botRight);
		rects.push_back(Rect{topLeft.v, topLeft.h, botRight.v, botRight.h});
	}
	return rects;
}
