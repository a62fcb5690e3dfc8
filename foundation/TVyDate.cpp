#include "foundation/TVyDate.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"

namespace
{

const UInt8 kMonthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// 1 Monday to 7 Sunday, from a Gregorian date.
UInt8 GregorianDayOfWeek(int year, int month, int day)
{
	static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
	if (month < 3)
		year -= 1;
	const int sundayBased = (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
	return UInt8(sundayBased == 0 ? 7 : sundayBased);
}

} // namespace

std::time_t TVyDate::CurrentTime()
{
	const SInt64 ms = WallClockMilliseconds();
	// Floor division, so that an instant before 1970 still falls in the right second.
	return std::time_t(ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000));
}

std::tm TVyDate::CurrentLocalTime()
{
	const std::time_t now = CurrentTime();
	std::tm local{};
	localtime_r(&now, &local);
	return local;
}

void tVyDateOld::Now()
{
	const std::tm local = TVyDate::CurrentLocalTime();
	millisecond = 0;
	second = SInt16(local.tm_sec > 59 ? 59 : local.tm_sec);
	minute = SInt16(local.tm_min);
	hour = SInt16(local.tm_hour);
	day = SInt16(local.tm_mday);
	month = SInt16(local.tm_mon + 1);
	year = SInt16(local.tm_year + 1900);
}

bool tVyDateOld::operator>(const tVyDateOld& other) const
{
	const SInt16 mine[7] = {year, month, day, hour, minute, second, millisecond};
	const SInt16 theirs[7] = {other.year,   other.month,  other.day,        other.hour,
	                          other.minute, other.second, other.millisecond};
	for (int i = 0; i < 7; ++i)
		if (mine[i] != theirs[i])
			return mine[i] > theirs[i];
	return false;
}

bool tVyDateOld::operator<(const tVyDateOld& other) const
{
	return other > *this;
}

TVyDate::TVyDate()
{
	Now();
}

TVyDate::TVyDate(const TVyDate* other)
{
	SignalIf_(other == nullptr);
	if (other != nullptr)
		*this = *other;
	else
		Now();
}

void TVyDate::Now()
{
	const std::tm local = CurrentLocalTime();
	mMillisecond = 0;
	// A leap second is shown as the last second of its minute.
	mSecond = UInt8(local.tm_sec > 59 ? 59 : local.tm_sec);
	mMinute = UInt8(local.tm_min);
	mHour = UInt8(local.tm_hour);
	mDay = UInt8(local.tm_mday);
	mMonth = UInt8(local.tm_mon + 1);
	mYear = UInt16(local.tm_year + 1900);
	mDefined = 1;
	mDayOfWeek = UInt8(local.tm_wday == 0 ? 7 : local.tm_wday);
}

bool TVyDate::IsUndefinedTime(const TVyDate& date)
{
	return date.mMillisecond == kUndefinedMillisecond;
}

bool TVyDate::IsUndefinedTime(const TVyDate* date)
{
	SignalIf_(date == nullptr);
	return date != nullptr && IsUndefinedTime(*date);
}

bool TVyDate::IsUndefinedDate(const TVyDate& date)
{
	return date.mYear == 0 && date.mMonth == 0 && date.mDay == 0;
}

bool TVyDate::IsUndefinedDate(const TVyDate* date)
{
	SignalIf_(date == nullptr);
	return date != nullptr && IsUndefinedDate(*date);
}

void TVyDate::SetUndefinedDateTime(TVyDate& date)
{
	date.mYear = 0;
	date.mMonth = 0;
	date.mDay = 0;
	date.mHour = 0;
	date.mMinute = 0;
	date.mSecond = 0;
	date.mMillisecond = kUndefinedMillisecond;
}

void TVyDate::SetUndefinedDateTime(TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date != nullptr)
		SetUndefinedDateTime(*date);
}

bool TVyDate::IsTodaysDate(const TVyDate& date)
{
	TVyDate today;
	return SameDate(date, today);
}

bool TVyDate::IsTodaysDate(const TVyDate* date)
{
	SignalIf_(date == nullptr);
	return date != nullptr && IsTodaysDate(*date);
}

bool TVyDate::SameDate(const TVyDate& a, const TVyDate& b)
{
	return a.mDay == b.mDay && a.mMonth == b.mMonth && a.mYear == b.mYear;
}

bool TVyDate::operator==(const TVyDate& other) const
{
	return mDefined == other.mDefined && mYear == other.mYear && mMonth == other.mMonth &&
	       mDay == other.mDay && mHour == other.mHour && mMinute == other.mMinute &&
	       mSecond == other.mSecond && mMillisecond == other.mMillisecond;
}

namespace
{

// -1, 0 or 1 over the calendar fields; an undefined millisecond (0xFFFF, -1 signed) sorts first.
int CompareFields(UInt16 yearA, UInt8 monthA, UInt8 dayA, UInt8 hourA, UInt8 minuteA, UInt8 secondA,
                  UInt16 msA, UInt16 yearB, UInt8 monthB, UInt8 dayB, UInt8 hourB, UInt8 minuteB,
                  UInt8 secondB, UInt16 msB)
{
	const unsigned a[6] = {yearA, monthA, dayA, hourA, minuteA, secondA};
	const unsigned b[6] = {yearB, monthB, dayB, hourB, minuteB, secondB};
	for (int i = 0; i < 6; ++i)
		if (a[i] != b[i])
			return a[i] > b[i] ? 1 : -1;
	const SInt16 sa = SInt16(msA);
	const SInt16 sb = SInt16(msB);
	return sa == sb ? 0 : (sa > sb ? 1 : -1);
}

} // namespace

bool TVyDate::operator>(const TVyDate& other) const
{
	if (mDefined && !other.mDefined)
		return true;
	return CompareFields(mYear, mMonth, mDay, mHour, mMinute, mSecond, mMillisecond, other.mYear,
	                     other.mMonth, other.mDay, other.mHour, other.mMinute, other.mSecond,
	                     other.mMillisecond) > 0;
}

bool TVyDate::operator<(const TVyDate& other) const
{
	if (!mDefined && other.mDefined)
		return true;
	return CompareFields(mYear, mMonth, mDay, mHour, mMinute, mSecond, mMillisecond, other.mYear,
	                     other.mMonth, other.mDay, other.mHour, other.mMinute, other.mSecond,
	                     other.mMillisecond) < 0;
}

bool TVyDate::IsLeapYear(unsigned short year)
{
	return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

UInt8 TVyDate::DaysInMonth(unsigned char month, unsigned short year)
{
	if (month < 1 || month > 12)
		return 0;
	if (month == 2 && IsLeapYear(year))
		return 29;
	return kMonthLengths[month];
}

void TVyDate::UpdateDayOfWeek()
{
	if (mYear >= 1 && mMonth >= 1 && mMonth <= 12 && mDay >= 1)
		mDayOfWeek = GregorianDayOfWeek(mYear, mMonth, mDay);
}

void TVyDate::StepMonth(bool forward)
{
	if (mMonth < 1 || mMonth > 12)
		return;
	if (forward) {
		if (mMonth >= 12) {
			mMonth = 1;
			++mYear;
		} else
			++mMonth;
	} else {
		if (mMonth <= 1) {
			mMonth = 12;
			--mYear;
		} else
			--mMonth;
	}
}

void TVyDate::StepDay(bool forward)
{
	// An undefined date has no month to carry into.
	if (mMonth < 1 || mMonth > 12)
		return;
	if (forward) {
		if (mDay >= DaysInMonth(mMonth, mYear)) {
			mDay = 1;
			StepMonth(true);
		} else
			++mDay;
	} else {
		if (mDay <= 1) {
			StepMonth(false);
			mDay = DaysInMonth(mMonth, mYear);
		} else
			--mDay;
	}
}

void TVyDate::StepHour(bool forward)
{
	if (forward) {
		if (mHour >= 23) {
			mHour = 0;
			StepDay(true);
		} else
			++mHour;
	} else {
		if (mHour == 0) {
			mHour = 23;
			StepDay(false);
		} else
			--mHour;
	}
}

void TVyDate::StepMinute(bool forward)
{
	if (forward) {
		if (mMinute >= 59) {
			mMinute = 0;
			StepHour(true);
		} else
			++mMinute;
	} else {
		if (mMinute == 0) {
			mMinute = 59;
			StepHour(false);
		} else
			--mMinute;
	}
}

void TVyDate::StepSecond(bool forward)
{
	if (forward) {
		if (mSecond >= 59) {
			mSecond = 0;
			StepMinute(true);
		} else
			++mSecond;
	} else {
		if (mSecond == 0) {
			mSecond = 59;
			StepMinute(false);
		} else
			--mSecond;
	}
}

void TVyDate::AdjustYears(SInt16 count)
{
	if (mMonth < 1 || mMonth > 12)
		return;
	mYear = UInt16(mYear + count);
	if (mMonth == 2 && mDay == 29 && !IsLeapYear(mYear))
		mDay = 28;
	UpdateDayOfWeek();
}

void TVyDate::AdjustMonths(SInt16 count)
{
	const bool forward = count > 0;
	for (int i = forward ? count : -count; i > 0; --i)
		StepMonth(forward);
	const UInt8 length = DaysInMonth(mMonth, mYear);
	if (length != 0 && mDay > length)
		mDay = length;
	UpdateDayOfWeek();
}

void TVyDate::AdjustDays(SInt16 count)
{
	const bool forward = count > 0;
	for (int i = forward ? count : -count; i > 0; --i)
		StepDay(forward);
	UpdateDayOfWeek();
}

void TVyDate::AdjustHours(SInt16 count)
{
	const bool forward = count > 0;
	for (int i = forward ? count : -count; i > 0; --i)
		StepHour(forward);
	UpdateDayOfWeek();
}

void TVyDate::AdjustMinutes(SInt16 count)
{
	const bool forward = count > 0;
	for (int i = forward ? count : -count; i > 0; --i)
		StepMinute(forward);
	UpdateDayOfWeek();
}

void TVyDate::AdjustSeconds(SInt16 count)
{
	const bool forward = count > 0;
	for (int i = forward ? count : -count; i > 0; --i)
		StepSecond(forward);
	UpdateDayOfWeek();
}
