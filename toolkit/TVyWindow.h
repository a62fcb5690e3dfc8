#pragma once
// The base of the application's windows. It adds to the framework's window the standard OK (pane 2000) and
// Cancel (pane 2001) push buttons of a layout, their keyboard equivalents, and one rule: every message a
// control of the window's control list broadcasts arrives at the window as the command of that number.
//
// Keys: Return and Enter click the OK button (without one the key counts as not handled and goes no
// further); Escape clicks the Cancel button, or without one calls HandleEscape, which closes the window;
// command-period calls HandleCommandPeriod, which swallows it; every other key goes to the commander chain.
//
// A window may close itself from inside its own key and command handlers: its deletion waits until the
// outermost handler has returned.
//
// Layout stream: the framework's window data, then one byte, the layout flag.

#include "platform/framework/LListener.h"
#include "platform/framework/LWindow.h"

class LPushButton;

class TVyWindow : public LWindow, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("Tvyd") };
	enum : PaneIDT { kOKButton = 2000, kCancelButton = 2001 };

	explicit TVyWindow(LStream* inStream);
	~TVyWindow() override;

	void ListenToMessage(MessageT inMessage, void* ioParam) override;
	virtual Boolean HandleCommandPeriod(const EventRecord& inKeyEvent);
	virtual Boolean HandleEscape(const EventRecord& inKeyEvent);
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

	UInt8 GetLayoutFlag() const { return mLayoutFlag; }
	LPushButton* GetOKButton() const { return mOKButton; }
	LPushButton* GetCancelButton() const { return mCancelButton; }

protected:
	// For windows whose layout stream ends with the framework's window data (sheets).
	TVyWindow(LStream* inStream, bool inReadsLayoutFlag);

	// Subclasses call this first, then find their own panes.
	void FinishCreateSelf() override;

	UInt8 mLayoutFlag = 0; // read and kept; nothing consults it
	LPushButton* mOKButton = nullptr;
	LPushButton* mCancelButton = nullptr;
};
