#include "toolkit/CScrollWheelHandler.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"

CScrollWheelHandler::CScrollWheelHandler(Boolean inAllowBackground, SInt32 inWheelFactor)
    : mAllowBackground(inAllowBackground), mWheelFactor(inWheelFactor)
{
	LApplication::SetWheelHandler(
	    [this](LWindow* inWindow, Boolean inVertical, SInt32 inDelta, Point inWhere, UInt16 inModifiers) {
		    return HandleScroll(inWindow, inVertical, inDelta, inWhere, inModifiers) == noErr;
	    });
}

CScrollWheelHandler::~CScrollWheelHandler()
{
	LApplication::SetWheelHandler({});
}

OSStatus CScrollWheelHandler::HandleScroll(LWindow* inWindow, Boolean inVertical, SInt32 inDelta,
                                           Point inGlobalMouse, UInt16 inModifiers)
{
	LWindow* window = inWindow;
	if (!window) {
		for (LWindow* candidate : LWindow::GetWindowList()) {
			Rect bounds;
			candidate->GetGlobalBounds(bounds);
			if (candidate->IsVisible() && PtInRect(inGlobalMouse, &bounds)) {
				window = candidate;
				break;
			}
		}
	}
	if (window && DoScrollEvent(window, inVertical, inDelta, inGlobalMouse, inModifiers))
		return noErr;
	return kEventNotHandled;
}

Boolean CScrollWheelHandler::DoScrollEvent(LWindow* inWindow, Boolean inVertical, SInt32 inDelta,
                                           Point inGlobalMouse, UInt16)
{
	SignalIf_(inWindow == nullptr);
	if (!inWindow || !(mAllowBackground || inWindow->IsFrontWindow()))
		return false;
	Point where = inGlobalMouse;
	inWindow->GlobalToPortPoint(where);
	LView* view = FindScrollerFromHitPane(inWindow->FindDeepSubPaneContaining(where.h, where.v));
	if (!view)
		return false;
	SPoint32 unit;
	view->GetScrollUnit(unit);
	const SInt32 steps = mWheelFactor * -inDelta;
	if (inVertical)
		view->ScrollPinnedImageBy(0, steps * unit.v, true);
	else
		view->ScrollPinnedImageBy(steps * unit.h, 0, true);
	return true;
}

LView* CScrollWheelHandler::FindScrollerFromHitPane(LPane* inPane)
{
	for (LPane* pane = inPane; pane; pane = pane->GetSuperView())
		if (auto* scroller = dynamic_cast<LScrollerView*>(pane);
		    scroller && scroller->GetScrollingView())
			return scroller->GetScrollingView();
	return nullptr;
}
