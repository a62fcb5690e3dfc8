#include "windows/security/UDetailPanes.h"

#include "platform/framework/LWindow.h"
#include "toolkit/UKsScreen.h"
#include "windows/security/UWindowPanes.h"

void UDetailPanes::PlaceWindow(LWindow* inWindow, SInt32 inTop, SInt32 inLeft)
{
	Rect bounds;
	inWindow->GetGlobalBounds(bounds);
	const SInt16 top = SInt16(inTop);
	const SInt16 left = SInt16(inLeft);
	bounds = Rect{top, left, SInt16(top + bounds.bottom - bounds.top),
	              SInt16(left + bounds.right - bounds.left)};
	if (!UKsScreen::IsOnScreen(&bounds))
		UKsScreen::ForceOnScreen(&bounds);
	inWindow->DoSetBounds(bounds);
}

void UDetailPanes::GetTopLeft(LWindow* inWindow, SInt32& outTop, SInt32& outLeft)
{
	Rect bounds;
	inWindow->GetGlobalBounds(bounds);
	outTop = bounds.top;
	outLeft = bounds.left;
}

void UDetailPanes::ShowUpdating(LPane* inButton, LPane* inArrows, bool inUpdating)
{
	UWindowPanes::SetEnabled(inButton, !inUpdating);
	UWindowPanes::SetShown(inArrows, inUpdating);
}
