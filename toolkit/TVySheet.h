#pragma once
// A sheet: a window that belongs to a parent window, with the OK and Cancel buttons, keys and control
// messages of TVyWindow. On this desktop a sheet is a window of its own, laid over the top edge of
// its parent and kept in front of it: whatever selects the parent brings the sheet along in front.
// Nothing in the application makes one yet.
//
// Layout stream: the framework's window data only.

#include "toolkit/TVyWindow.h"

class TVySheet : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("Tvys") };

	explicit TVySheet(LStream* inStream);
	~TVySheet() override; // selects the parent again

	// Keeps the parent; when inShow, shows the sheet over the parent's top edge and selects the parent.
	void ShowSheet(LWindow* inParent, Boolean inShow);
	// Shows the sheet again over the parent it was last given.
	void Show() override;
	// The parent, or null when there is none or it has gone.
	LWindow* GetParent() const;

	void HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount) override;

protected:
	LWindow* mParent = nullptr;

private:
	void SelectParent();
};
