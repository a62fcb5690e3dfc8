#include "foundation/TVyDate.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace
{

SInt64 UtcMilliseconds(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
	std::tm t{};
	t.tm_year = year - 1900;
	t.tm_mon = month - 1;
	t.tm_mday = day;
	t.tm_hour = hour;
	t.tm_min = minute;
	t.tm_sec = second;
	return SInt64(timegm(&t)) * 1000;
}

TVyDate MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
	TVyDate date;
	date.SetYear(UInt16(year));
	date.SetMonth(UInt8(month));
	date.SetDay(UInt8(day));
	date.SetHour(UInt8(hour));
	date.SetMinute(UInt8(minute));
	date.SetSecond(UInt8(second));
	date.SetMillisecond(UInt16(ms));
	return date;
}

void ExpectDate(const TVyDate& d, int year, int month, int day, int hour, int minute, int second)
{
	EXPECT_EQ(d.GetYear(), year);
	EXPECT_EQ(d.GetMonth(), month);
	EXPECT_EQ(d.GetDay(), day);
	EXPECT_EQ(d.GetHour(), hour);
	EXPECT_EQ(d.GetMinute(), minute);
	EXPECT_EQ(d.GetSecond(), second);
}

} // namespace

TEST(TVyDate, NowReadsTheInjectedWallClock)
{
	// 1 January 2006 was a Sunday.
	StTestClock clock(1000, UtcMilliseconds(2006, 1, 1, 13, 45, 30) + 250);
	TVyDate now;
	ExpectDate(now, 2006, 1, 1, 13, 45, 30);
	EXPECT_EQ(now.GetMillisecond(), 0);
	EXPECT_EQ(now.GetDayOfWeek(), 7);
	EXPECT_TRUE(now.IsDefined());

	clock.SetWallMilliseconds(UtcMilliseconds(2006, 1, 2));
	now.Now();
	EXPECT_EQ(now.GetDayOfWeek(), 1);
	EXPECT_TRUE(TVyDate::IsTodaysDate(now));
	EXPECT_FALSE(TVyDate::IsTodaysDate(MakeDate(2006, 1, 1)));

	tVyDateOld stored;
	stored.Now();
	EXPECT_EQ(stored.year, 2006);
	EXPECT_EQ(stored.month, 1);
	EXPECT_EQ(stored.day, 2);
	EXPECT_EQ(stored.millisecond, 0);
}

TEST(TVyDate, NowIsLocalTime)
{
	StTestClock clock(1000, UtcMilliseconds(2006, 7, 1, 23, 30));
	const char* old = std::getenv("TZ");
	const std::string saved = old != nullptr ? old : "";
	setenv("TZ", "EST5", 1);
	tzset();
	TVyDate now;
	if (old != nullptr)
		setenv("TZ", saved.c_str(), 1);
	else
		unsetenv("TZ");
	tzset();
	ExpectDate(now, 2006, 7, 1, 18, 30, 0);
}

TEST(TVyDate, UndefinedValues)
{
	TVyDate date = MakeDate(2006, 5, 12, 10, 30);
	date.SetDayOfWeek(5);
	EXPECT_FALSE(TVyDate::IsUndefinedDate(date));
	EXPECT_FALSE(TVyDate::IsUndefinedTime(date));
	TVyDate::SetUndefinedDateTime(&date);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(date));
	EXPECT_TRUE(TVyDate::IsUndefinedTime(&date));
	EXPECT_EQ(date.GetHour(), 0);
	EXPECT_EQ(date.GetDayOfWeek(), 5);
	EXPECT_TRUE(date.IsDefined());

	const long before = Debugging::SignalCount();
	EXPECT_FALSE(TVyDate::IsUndefinedDate(static_cast<TVyDate*>(nullptr)));
	EXPECT_EQ(Debugging::SignalCount(), before + 1);
}

TEST(TVyDate, EqualityIgnoresOnlyTheDayOfWeek)
{
	TVyDate a = MakeDate(2006, 5, 12, 10, 30, 15, 7);
	TVyDate b(&a);
	b.SetDayOfWeek(3);
	EXPECT_TRUE(a == b);
	b.SetMillisecond(8);
	EXPECT_TRUE(a != b);
	b = a;
	b.SetDefined(false);
	EXPECT_FALSE(a == b);
	EXPECT_TRUE(TVyDate::SameDate(a, MakeDate(2006, 5, 12, 23)));
}

TEST(TVyDate, OrderingPutsUndefinedFirst)
{
	TVyDate early = MakeDate(2006, 5, 12, 10, 30);
	TVyDate late = MakeDate(2006, 5, 12, 10, 31);
	EXPECT_TRUE(late > early);
	EXPECT_TRUE(early < late);
	EXPECT_FALSE(early > early);
	EXPECT_FALSE(early < early);

	TVyDate undefinedTime = early;
	undefinedTime.SetMillisecond(TVyDate::kUndefinedMillisecond);
	EXPECT_TRUE(undefinedTime < early);

	// A value without the defined flag sorts before any defined one, whatever its fields.
	TVyDate notDefined = MakeDate(2099, 1, 1);
	notDefined.SetDefined(false);
	EXPECT_TRUE(early > notDefined);
	EXPECT_TRUE(notDefined < early);

	tVyDateOld a{0, 0, 0, 0, 1, 2, 2006};
	tVyDateOld b{0, 0, 0, 0, 31, 1, 2006};
	EXPECT_TRUE(a > b);
	EXPECT_TRUE(b < a);
	EXPECT_FALSE(a < a);
}

TEST(TVyDate, LeapYearsAndMonthLengths)
{
	EXPECT_TRUE(TVyDate::IsLeapYear(2004));
	EXPECT_TRUE(TVyDate::IsLeapYear(2000));
	EXPECT_FALSE(TVyDate::IsLeapYear(1900));
	EXPECT_FALSE(TVyDate::IsLeapYear(2006));
	EXPECT_EQ(TVyDate::DaysInMonth(2, 2004), 29);
	EXPECT_EQ(TVyDate::DaysInMonth(2, 2100), 28);
	EXPECT_EQ(TVyDate::DaysInMonth(4, 2006), 30);
	EXPECT_EQ(TVyDate::DaysInMonth(13, 2006), 0);
}

TEST(TVyDate, AdjustingCarriesIntoLargerUnits)
{
	TVyDate d = MakeDate(2006, 12, 31, 23, 59, 59);
	d.AdjustSeconds(1);
	ExpectDate(d, 2007, 1, 1, 0, 0, 0);
	EXPECT_EQ(d.GetDayOfWeek(), 1);
	d.AdjustSeconds(-1);
	ExpectDate(d, 2006, 12, 31, 23, 59, 59);
	EXPECT_EQ(d.GetDayOfWeek(), 7);

	d = MakeDate(2004, 3, 1, 0, 30);
	d.AdjustHours(-1);
	ExpectDate(d, 2004, 2, 29, 23, 30, 0);
	d.AdjustDays(1);
	ExpectDate(d, 2004, 3, 1, 23, 30, 0);
	d.AdjustDays(-366);
	ExpectDate(d, 2003, 3, 1, 23, 30, 0);
	d.AdjustMinutes(90);
	ExpectDate(d, 2003, 3, 2, 1, 0, 0);

	d = MakeDate(2006, 1, 31);
	d.AdjustMonths(1);
	ExpectDate(d, 2006, 2, 28, 0, 0, 0);
	d = MakeDate(2006, 1, 31);
	d.AdjustMonths(-13);
	ExpectDate(d, 2004, 12, 31, 0, 0, 0);

	d = MakeDate(2004, 2, 29);
	d.AdjustYears(1);
	ExpectDate(d, 2005, 2, 28, 0, 0, 0);
	d = MakeDate(2004, 2, 29);
	d.AdjustYears(4);
	ExpectDate(d, 2008, 2, 29, 0, 0, 0);
}

TEST(TVyDate, AdjustingAnUndefinedDateKeepsItUndefined)
{
	TVyDate d;
	TVyDate::SetUndefinedDateTime(d);
	d.AdjustDays(3);
	d.AdjustMonths(2);
	d.AdjustYears(1);
	EXPECT_TRUE(TVyDate::IsUndefinedDate(d));
}
