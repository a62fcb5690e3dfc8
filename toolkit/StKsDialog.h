#pragma once
// One modal dialog of the toolkit for the length of a call: the framework's dialog handler on a layout,
// under the default commander, shown and run until one of its controls sends a message.

#include "platform/framework/StDialogHandler.h"

class LEditText;
class LPane;

class StKsDialog
{
public:
	explicit StKsDialog(ResIDT inLayoutID);
	StKsDialog(const StKsDialog&) = delete;
	StKsDialog& operator=(const StKsDialog&) = delete;

	// Null when the layout could not be built, or once the dialog has closed.
	LWindow* GetDialog() const { return mHandler.GetDialog(); }
	LPane* FindPane(PaneIDT inPaneID) const;
	LEditText* FindEditField(PaneIDT inPaneID) const; // null when that pane is no edit field

	// Shows the dialog and makes inTarget (a field) the target when it takes typing.
	void Show(LPane* inTarget = nullptr);
	// Shows the dialog when it is not yet shown and runs it until a message arrives, or until
	// inTimeoutTicks have passed (0: no limit; the result is then 0). A dialog that could not be built
	// or that was closed gives Cancel.
	MessageT Run(UInt32 inTimeoutTicks = 0);

private:
	StDialogHandler mHandler;
	bool mShown = false;
};
