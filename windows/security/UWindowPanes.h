#pragma once
// Small pane helpers the security and portfolio windows share.

#include "platform/framework/LView.h"
#include "platform/toolbox/Debugging.h"

class LBevelButton;
class LEditText;

namespace UWindowPanes
{
// The button that turns the sort order round, the same in every sorting window.
constexpr PaneIDT kSortDirection = FOUR_CHAR_CODE("dSrt");

// The pane of this ID as a T; a missing pane is a layout fault, signalled.
template <class T> T* FindAs(LView* inView, PaneIDT inID)
{
	T* pane = inView != nullptr ? dynamic_cast<T*>(inView->FindPaneByID(inID)) : nullptr;
	SignalIf_(pane == nullptr);
	return pane;
}

void SetEnabled(LPane* inPane, bool inEnabled);
// Shown and enabled, or hidden and disabled.
void SetShown(LPane* inPane, bool inShown);
// The sort-direction button shows this colour icon.
void SetIcon(LBevelButton* inButton, SInt16 inIconID);
// The number the field's whole text gives; false, the value untouched, when the text is not a number.
bool ReadNumber(const LEditText* inField, float& outValue);
// Whether OK can take the field's text as a number; no field, nothing to refuse.
bool IsNumber(const LEditText* inField);
// A field whose text OK cannot take: a beep, and the field handed to the user with its text selected.
void RefuseField(LEditText* inField);
} // namespace UWindowPanes
