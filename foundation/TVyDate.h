#pragma once
// A local date and time. "Now" comes from the wall clock of platform/toolbox/TickCount.h, so tests set it.

#include "platform/toolbox/MacTypes.h"

#include <ctime>

// The stored form: seven signed 16-bit fields (big-endian on file).
struct tVyDateOld {
	SInt16 millisecond = 0;
	SInt16 second = 0;
	SInt16 minute = 0;
	SInt16 hour = 0;
	SInt16 day = 0;
	SInt16 month = 0;
	SInt16 year = 0;

	void Now();
	bool operator>(const tVyDateOld& other) const;
	bool operator<(const tVyDateOld& other) const;
};
static_assert(sizeof(tVyDateOld) == 14);

class TVyDate
{
public:
	static constexpr UInt16 kUndefinedMillisecond = 0xFFFF;

	TVyDate();
	TVyDate(const TVyDate& other) = default;
	explicit TVyDate(const TVyDate* other);
	TVyDate& operator=(const TVyDate& other) = default;

	void Now();

	UInt16 GetMillisecond() const { return mMillisecond; }
	UInt8 GetSecond() const { return mSecond; }
	UInt8 GetMinute() const { return mMinute; }
	UInt8 GetHour() const { return mHour; }
	UInt8 GetDay() const { return mDay; }
	UInt8 GetMonth() const { return mMonth; }
	UInt16 GetYear() const { return mYear; }
	UInt8 GetDayOfWeek() const { return mDayOfWeek; }
	bool IsDefined() const { return mDefined != 0; }

	void SetMillisecond(UInt16 v) { mMillisecond = v; }
	void SetSecond(UInt8 v) { mSecond = v; }
	void SetMinute(UInt8 v) { mMinute = v; }
	void SetHour(UInt8 v) { mHour = v; }
	void SetDay(UInt8 v) { mDay = v; }
	void SetMonth(UInt8 v) { mMonth = v; }
	void SetYear(UInt16 v) { mYear = v; }
	void SetDayOfWeek(UInt8 v) { mDayOfWeek = v; }
	void SetDefined(bool v) { mDefined = v ? 1 : 0; }

	static bool IsUndefinedTime(const TVyDate& date);
	static bool IsUndefinedTime(const TVyDate* date);
	static bool IsUndefinedDate(const TVyDate& date);
	static bool IsUndefinedDate(const TVyDate* date);
	static void SetUndefinedDateTime(TVyDate& date);
	static void SetUndefinedDateTime(TVyDate* date);
	static bool IsTodaysDate(const TVyDate& date);
	static bool IsTodaysDate(const TVyDate* date);
	static bool SameDate(const TVyDate& a, const TVyDate& b);

	bool operator==(const TVyDate& other) const;
	bool operator!=(const TVyDate& other) const { return !(*this == other); }
	bool operator>(const TVyDate& other) const;
	bool operator<(const TVyDate& other) const;

	static bool IsLeapYear(unsigned short year);
	// 0 for a month outside 1-12.
	static UInt8 DaysInMonth(unsigned char month, unsigned short year);

	void AdjustYears(SInt16 count);
	void AdjustMonths(SInt16 count);
	void AdjustDays(SInt16 count);
	void AdjustHours(SInt16 count);
	void AdjustMinutes(SInt16 count);
	void AdjustSeconds(SInt16 count);

	// The wall clock now, in seconds, and its local calendar form.
	static std::time_t CurrentTime();
	static std::tm CurrentLocalTime();

private:
	void StepSecond(bool forward);
	void StepMinute(bool forward);
	void StepHour(bool forward);
	void StepDay(bool forward);
	void StepMonth(bool forward);
	void UpdateDayOfWeek();

	UInt16 mMillisecond = 0;
	UInt8 mSecond = 0;
	UInt8 mMinute = 0;
	UInt8 mHour = 0;
	UInt8 mDay = 0;
	UInt8 mMonth = 0;
	UInt16 mYear = 0;
	UInt8 mDefined = 0;
	UInt8 mDayOfWeek = 0;
};
