#pragma once
// What the detail windows of each kind share beyond their base: typed lookup of the panes their layouts
// must have, the writing of the banner captions a kind's layout has, and the quick quotes' placing.

#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"

class LWindow;
class TColourCaption;
class TColourCaptions;
class TSecurity;

class UDetailPanes
{
public:
	// Null (and a debug signal) when the view is missing or lacks the pane.
	template <class T> static T* Find(LView* inView, PaneIDT inID)
	{
		T* pane = inView != nullptr ? dynamic_cast<T*>(inView->FindPaneByID(inID)) : nullptr;
		SignalIf_(pane == nullptr);
		return pane;
	}

	// The banner captions of a window; those its layout lacks are null and left alone.
	struct tBanners {
		TColourCaption* symbolBig;
		TColourCaption* priceBig;
		TColourCaptions* changeBig;
		TColourCaption* nameAlt;
		TColourCaption* priceAlt;
		TColourCaptions* changeAlt;
		TColourCaption* symbolSmall;
		TColourCaption* changeSmall;
	};
	// Symbol and name, the price as a quote, the change with percent (the small banner the change alone).
	static void SetQuoteBanners(const tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour,
	                            bool inFractions);
	// A quote request under way disables its button and turns the arrows; otherwise the reverse.
	static void ShowUpdating(LPane* inButton, LPane* inArrows, bool inUpdating);

	// Moves the window's top-left to the saved corner, keeping its size, and onto a screen when that is on
	// none; the corner that puts it back.
	static void PlaceWindow(LWindow* inWindow, SInt32 inTop, SInt32 inLeft);
	static void GetTopLeft(LWindow* inWindow, SInt32& outTop, SInt32& outLeft);

	// The same with the price as a rate of inDecimals places, which the small banner shows too.
	static void SetRateBanners(const tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour,
	                           bool inFractions, int inDecimals);
};
