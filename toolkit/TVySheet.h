#pragma once
// A sheet: a window that belongs to a parent window, with the same OK and Cancel buttons, keys and
// control messages as TVyWindow. On this desktop a sheet is a window of its own, laid over the top edge of
// its parent and kept in front of it: whatever selects the parent brings the sheet along in front.
// Nothing in the application makes one yet.
//
// Layout stream: the framework's window data only.

#include "platform/framework/LListener.h"
#include "platform/framework/LWindow.h"

class LPushButton;

class TVySheet : public LWindow, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("Tvys") };
	enum : PaneIDT { kOKButton = 2000, kCancelButton = 2001 };

	explicit TVySheet(LStream* inStream);
	~TVySheet() override; // selects the parent again

	// Keeps the parent; when inShow, shows the sheet over the parent's top edge and selects the parent.
	void ShowSheet(LWindow* inParent, Boolean inShow);
	// Shows the sheet again over the parent it was last given.
	void Show() override;
	// The parent, or null when there is none or it has gone.
	LWindow* GetParent() const;

	void ListenToMessage(MessageT inMessage, void* ioParam) override;
	virtual Boolean HandleCommandPeriod(const EventRecord& inKeyEvent);
	virtual Boolean HandleEscape(const EventRecord& inKeyEvent);
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	void HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount) override;

	LPushButton* GetOKButton() const { return mOKButton; }
	LPushButton* GetCancelButton() const { return mCancelButton; }

protected:
	void FinishCreateSelf() override;

	LWindow* mParent = nullptr;
	LPushButton* mOKButton = nullptr;
	LPushButton* mCancelButton = nullptr;

private:
	void SelectParent();
};
