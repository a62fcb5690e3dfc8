#pragma once
// Turns mouse-wheel events into scrolling of the scroller view under the mouse: the innermost scroller
// view with a scrolling view that holds the pane under the mouse scrolls that view by the wheel's steps
// times its scroll unit (times the wheel factor), pinned to the image. Only the front window scrolls unless
// background windows are allowed. Events it does not scroll go on to the system's default handling.

#include "platform/framework/FrameworkTypes.h"

class LPane;
class LView;
class LWindow;

class CScrollWheelHandler
{
public:
	enum : OSStatus { kEventNotHandled = -9874 };

	// Installs itself as the application's wheel handler; the application builds it with (false, 1).
	explicit CScrollWheelHandler(Boolean inAllowBackground = false, SInt32 inWheelFactor = 1);
	~CScrollWheelHandler(); // removes itself
	CScrollWheelHandler(const CScrollWheelHandler&) = delete;
	CScrollWheelHandler& operator=(const CScrollWheelHandler&) = delete;

	// A wheel event: the window it came to (null: the one under the mouse), the axis, the delta in steps
	// (positive away from the user), the mouse location (global) and the modifiers. noErr when it
	// scrolled.
	OSStatus HandleScroll(LWindow* inWindow, Boolean inVertical, SInt32 inDelta, Point inGlobalMouse,
	                      UInt16 inModifiers);
	Boolean DoScrollEvent(LWindow* inWindow, Boolean inVertical, SInt32 inDelta, Point inGlobalMouse,
	                      UInt16 inModifiers);
	// The scrolling view of the first scroller view, from the pane upward, that has one; or null.
	static LView* FindScrollerFromHitPane(LPane* inPane);

private:
	Boolean mAllowBackground;
	SInt32 mWheelFactor;
};
