#include "platform/toolbox/gui/MacWindows.h"

#include "platform/toolbox/gui/Events.h"

#include <algorithm>

namespace
{
Point Pinned(Point inWhere, const Rect* inBounds)
{
	if (!inBounds || EmptyRect(inBounds))
		return inWhere;
	inWhere.h = std::clamp<SInt16>(inWhere.h, inBounds->left, SInt16(inBounds->right - 1));
	inWhere.v = std::clamp<SInt16>(inWhere.v, inBounds->top, SInt16(inBounds->bottom - 1));
	return inWhere;
}

// Calls inFollow with the mouse each time it moves, until the button is up (the release point included).
template <class F> void FollowMouse(Point inStart, const Rect* inPinTo, F inFollow)
{
	Point last = Pinned(inStart, inPinTo);
	for (;;) {
		const Boolean down = StillDown();
		Point now;
		GetGlobalMouse(&now);
		now = Pinned(now, inPinTo);
		if (now.h != last.h || now.v != last.v) {
			inFollow(now);
			last = now;
		}
		if (!down)
			return;
	}
}
} // namespace

CGrafPtr GetWindowPort(WindowRef window)
{
	return window ? window->port : nullptr;
}

void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect)
{
	if (!window || !window->getBounds || !window->setBounds)
		return;
	const Rect start = window->getBounds();
	const Point from = Pinned(startPt, boundsRect);
	FollowMouse(startPt, boundsRect, [&](Point inNow) {
		Rect bounds = start;
		OffsetRect(&bounds, SInt16(inNow.h - from.h), SInt16(inNow.v - from.v));
		window->setBounds(bounds);
	});
}

SInt32 GrowWindow(WindowRef window, Point startPt, const Rect* sizeConstraints)
{
	if (!window || !window->getBounds || !window->setBounds)
		return 0;
	const Rect start = window->getBounds();
	const SInt16 width = SInt16(start.right - start.left), height = SInt16(start.bottom - start.top);
	Rect limits{1, 1, 32767, 32767};
	if (sizeConstraints)
		limits = *sizeConstraints;
	SInt16 newWidth = width, newHeight = height;
	FollowMouse(startPt, nullptr, [&](Point inNow) {
		newWidth = std::clamp<SInt16>(SInt16(width + inNow.h - startPt.h), limits.left,
		                              std::max(limits.left, limits.right));
		newHeight = std::clamp<SInt16>(SInt16(height + inNow.v - startPt.v), limits.top,
		                               std::max(limits.top, limits.bottom));
		Rect bounds = start;
		bounds.right = SInt16(bounds.left + newWidth);
		bounds.bottom = SInt16(bounds.top + newHeight);
		window->setBounds(bounds);
	});
	if (newWidth == width && newHeight == height)
		return 0;
	return (SInt32(newHeight) << 16) | UInt16(newWidth);
}
