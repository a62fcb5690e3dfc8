#pragma once
// What the detail windows of each kind share beyond their base: typed lookup of the panes their layouts
// must have, the quick quotes' busy state and their placing.

#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"

class LWindow;

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

	// A quote request under way disables its button and turns the arrows; otherwise the reverse.
	static void ShowUpdating(LPane* inButton, LPane* inArrows, bool inUpdating);

	// Moves the window's top-left to the saved corner, keeping its size, and onto a screen when that is
	// on none; the corner that puts it back.
	static void PlaceWindow(LWindow* inWindow, SInt32 inTop, SInt32 inLeft);
	static void GetTopLeft(LWindow* inWindow, SInt32& outTop, SInt32& outLeft);
};
