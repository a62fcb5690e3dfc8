#pragma once
// A date (or time) field: a native date editor on the pane's frame that can be the target. Its value is a
// date and time; a change made by the user is broadcast with the value message.

#include "platform/framework/LCommander.h"
#include "platform/framework/LControl.h"

// The toolbox's broken-down date.
struct LongDateRec {
	SInt16 era = 0;
	SInt16 year = 0;
	SInt16 month = 0; // 1-12
	SInt16 day = 0;
	SInt16 hour = 0;
	SInt16 minute = 0;
	SInt16 second = 0;
	SInt16 dayOfWeek = 0; // 1 Sunday - 7 Saturday
	SInt16 dayOfYear = 0;
	SInt16 weekOfYear = 0;
	SInt16 pm = 0;
	SInt16 res1 = 0;
	SInt16 res2 = 0;
	SInt16 res3 = 0;
};

class LClock : public LControl, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("clck") };
	enum : SInt16 { kind_Date = 0, kind_Time = 1, kind_DateTime = 2 };

	// Reads the control's data, then: kind (16: 0 date, 1 time, 2 date and time), text traits (16).
	// The field starts at 1 January 2000, 00:00:00.
	explicit LClock(LStream* inStream);

	// Without broadcasting. A date that does not exist leaves the field as it was.
	void SetLongDate(const LongDateRec& inDate);
	void GetLongDate(LongDateRec& outDate) const;

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	Boolean AllowBeTarget(LCommander* inNewTarget) override;
	void BeTarget() override;
	void DontBeTarget() override;

private:
	SInt16 mKind = kind_Date;
	ResIDT mTxtrID = 0;
	Boolean mSetting = false;
};
