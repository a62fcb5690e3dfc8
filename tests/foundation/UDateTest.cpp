#include "foundation/UDate.h"

#include "platform/toolbox/TickCount.h"

#include <ctime>
#include <gtest/gtest.h>

namespace
{

SInt64 UtcMilliseconds(int year, int month, int day, int hour = 12)
{
	std::tm t{};
	t.tm_year = year - 1900;
	t.tm_mon = month - 1;
	t.tm_mday = day;
	t.tm_hour = hour;
	return SInt64(timegm(&t)) * 1000;
}

struct TimeCase {
	const char* text;
	bool allowSeconds;
	bool ok;
	int hour, minute, second, millisecond;
	long length;
};

struct DateCase {
	const char* text;
	bool allowSerial;
	bool ok;
	int year, month, day;
	long length;
};

} // namespace

TEST(UDate, WordMonthsLookAtThreeLetters)
{
	int month = -1;
	EXPECT_TRUE(UDate::IsWordMonth("DEC 24", month));
	EXPECT_EQ(month, 12);
	EXPECT_TRUE(UDate::IsWordMonth("Sept", month));
	EXPECT_EQ(month, 9);
	EXPECT_TRUE(UDate::IsWordMonth("Janet", month));
	EXPECT_EQ(month, 1);
	EXPECT_FALSE(UDate::IsWordMonth("Mai", month));
	EXPECT_EQ(month, 0);
	month = 5;
	EXPECT_FALSE(UDate::IsWordMonth(nullptr, month));
	EXPECT_EQ(month, 0);
}

TEST(UDate, ShortDatesUseTheCurrentYear)
{
	int month = 0, day = 0;
	{
		StTestClock clock(1000, UtcMilliseconds(2008, 6, 1));
		EXPECT_TRUE(UDate::IsShortDate("2/29", month, day, true));
		EXPECT_EQ(month, 2);
		EXPECT_EQ(day, 29);
	}
	StTestClock clock(1000, UtcMilliseconds(2006, 6, 1));
	EXPECT_FALSE(UDate::IsShortDate("2/29", month, day, true));
	EXPECT_EQ(month, 0);
	EXPECT_EQ(day, 0);

	EXPECT_TRUE(UDate::IsShortDate("31/12", month, day, false));
	EXPECT_EQ(month, 12);
	EXPECT_EQ(day, 31);
	EXPECT_TRUE(UDate::IsShortDate("12-5", month, day, true));
	EXPECT_EQ(month, 12);
	EXPECT_EQ(day, 5);
	EXPECT_TRUE(UDate::IsShortDate("5/12/2006", month, day, true));
	EXPECT_EQ(month, 5);
	EXPECT_FALSE(UDate::IsShortDate("13/1", month, day, true));
	EXPECT_FALSE(UDate::IsShortDate("4/31", month, day, true));
	EXPECT_FALSE(UDate::IsShortDate("12", month, day, true));
}

TEST(UDate, Times)
{
	const TimeCase cases[] = {
	    {"4:05pm", false, true, 16, 5, 0, 0, 4},
	    {"12:30 PM", false, true, 12, 30, 0, 0, 5},
	    {"12:30 am", false, true, 0, 30, 0, 0, 5},
	    {"11:59 AM", false, true, 11, 59, 0, 0, 5},
	    // When both occur, the earlier of "am" and "pm" decides.
	    {"10:00 pm, not am", false, true, 22, 0, 0, 0, 5},
	    {"9:15 am to pm", false, true, 9, 15, 0, 0, 4},
	    {"9:30:15.5", false, true, 9, 30, 15, 500, 9},
	    {"9:30:15.25 x", false, true, 9, 30, 15, 250, 10},
	    {"30:15.125", false, true, 0, 30, 15, 125, 9},
	    {"45:10", false, true, 0, 45, 10, 0, 5},
	    {"10:45:30", false, true, 10, 45, 30, 0, 8},
	    {"23:59:60", false, false, 0, 0, 0, 0, 0},
	    {"24:00:00", false, false, 0, 0, 0, 0, 0},
	    {"1:2:3:4", false, false, 0, 0, 0, 0, 0},
	    {"12:", false, false, 0, 0, 0, 0, 0},
	    {"", false, false, 0, 0, 0, 0, 0},
	    {"", true, true, 0, 0, 0, 0, 0},
	    {"3600", true, true, 1, 0, 0, 0, 4},
	    {"86399", true, true, 23, 59, 59, 0, 5},
	    {"86400", true, false, 0, 0, 0, 0, 0},
	    {"3600", false, false, 0, 0, 0, 0, 0},
	    {"36x", true, false, 0, 0, 0, 0, 0},
	};
	for (const TimeCase& c : cases) {
		SCOPED_TRACE(c.text);
		int h = -1, m = -1, s = -1, ms = -1;
		long length = -1;
		EXPECT_EQ(UDate::IsTime(c.text, h, m, s, ms, length, c.allowSeconds), c.ok);
		EXPECT_EQ(h, c.hour);
		EXPECT_EQ(m, c.minute);
		EXPECT_EQ(s, c.second);
		EXPECT_EQ(ms, c.millisecond);
		EXPECT_EQ(length, c.length);
	}
}

TEST(UDate, Dates)
{
	StTestClock clock(1000, UtcMilliseconds(2006, 6, 1));
	const DateCase cases[] = {
	    {"05/12/2006", false, true, 2006, 5, 12, 10},   {"25/12/2006", false, true, 2006, 12, 25, 10},
	    {"2006-05-12", false, true, 2006, 5, 12, 10},   {"2006-25-12", false, true, 2006, 12, 25, 10},
	    {"5/12/06 10:30", false, true, 2006, 5, 12, 7}, {"5/12/95", false, true, 1995, 5, 12, 7},
	    {"2/29/2004", false, true, 2004, 2, 29, 9},     {"2/29/2006", false, false, 0, 0, 0, 0},
	    {"4/31/2006", false, false, 0, 0, 0, 0},        {"0/12/2006", false, false, 0, 0, 0, 0},
	    {"5/0/2006", false, false, 0, 0, 0, 0},         {"5/12/206", false, false, 0, 0, 0, 0},
	    {"5/1x/2006", false, false, 0, 0, 0, 0},        {"5/12", false, false, 0, 0, 0, 0},
	    {"732443", false, false, 0, 0, 0, 0},           {"732443", true, true, 2006, 5, 12, 6},
	};
	for (const DateCase& c : cases) {
		SCOPED_TRACE(c.text);
		int y = -1, m = -1, d = -1;
		long length = -1;
		EXPECT_EQ(UDate::IsDate(c.text, y, m, d, length, c.allowSerial), c.ok);
		EXPECT_EQ(y, c.year);
		EXPECT_EQ(m, c.month);
		EXPECT_EQ(d, c.day);
		EXPECT_EQ(length, c.length);
	}
}

TEST(UDate, WordDates)
{
	StTestClock clock(1000, UtcMilliseconds(2006, 6, 1));
	int y = 0, m = 0, d = 0;
	long length = 0;
	EXPECT_TRUE(UDate::IsWordDate("Dec 24, 2005 10:30", y, m, d, length));
	EXPECT_EQ(y, 2005);
	EXPECT_EQ(m, 12);
	EXPECT_EQ(d, 24);
	EXPECT_EQ(length, 12);
	EXPECT_TRUE(UDate::IsWordDate("march 3", y, m, d, length));
	EXPECT_EQ(y, 2006);
	EXPECT_EQ(m, 3);
	EXPECT_EQ(length, 7);
	EXPECT_TRUE(UDate::IsWordDate("Jan 2 99", y, m, d, length));
	EXPECT_EQ(y, 1999);
	EXPECT_FALSE(UDate::IsWordDate("Feb 30 2006", y, m, d, length));
	EXPECT_FALSE(UDate::IsWordDate("Foo 3 2006", y, m, d, length));
	EXPECT_FALSE(UDate::IsWordDate("Jan x", y, m, d, length));
	EXPECT_FALSE(UDate::IsWordDate("Jan 3 500", y, m, d, length));
	EXPECT_EQ(length, 0);
}

TEST(UDate, SerialDayNumbersRoundTrip)
{
	EXPECT_EQ(UDate::GetFileMakerDate(1, 1, 1), 1);
	EXPECT_EQ(UDate::GetFileMakerDate(4, 1, 1), 1096);
	EXPECT_EQ(UDate::GetFileMakerDate(4, 3, 1), 1156);
	EXPECT_EQ(UDate::GetFileMakerDate(0, 1, 1), 0);
	EXPECT_EQ(UDate::GetFileMakerDate(2006, 13, 1), 0);

	const int samples[][3] = {{1, 1, 1},     {4, 2, 29},     {1900, 3, 1},
	                          {2000, 2, 29}, {2000, 12, 31}, {2006, 5, 12}};
	for (const auto& s : samples) {
		const long serial = UDate::GetFileMakerDate(s[0], s[1], s[2]);
		const std::string text = std::to_string(serial);
		int y = 0, m = 0, d = 0;
		long length = 0;
		ASSERT_TRUE(UDate::IsFileMakerDate(text.c_str(), y, m, d, length)) << text;
		EXPECT_EQ(y, s[0]);
		EXPECT_EQ(m, s[1]);
		EXPECT_EQ(d, s[2]);
	}
	int y = 0, m = 0, d = 0;
	long length = 0;
	EXPECT_TRUE(UDate::IsFileMakerDate("0", y, m, d, length));
	EXPECT_EQ(d, 1);
	EXPECT_FALSE(UDate::IsFileMakerDate("1095727", y, m, d, length));
	EXPECT_FALSE(UDate::IsFileMakerDate("", y, m, d, length));
	EXPECT_EQ(UDate::GetFileMakerTime(1, 2, 3), 3723);
}

TEST(UDate, ElapsedTimes)
{
	StTestClock clock(1000, UtcMilliseconds(2006, 6, 1));
	tElapsedTime e;
	ASSERT_TRUE(UDate::ParseOutTimes("9:15", "17:45:30", e));
	EXPECT_EQ(e.totalSeconds, 8 * 3600 + 30 * 60 + 30);
	EXPECT_EQ(e.hours, 8);
	EXPECT_EQ(e.minutes, 30);
	EXPECT_EQ(e.seconds, 30);
	EXPECT_FALSE(UDate::ParseOutTimes("9:15", "later", e));

	ASSERT_TRUE(UDate::ParseOutTimes("10:00", "9:59:59.5", e));
	EXPECT_EQ(e.totalSeconds, 0);
	EXPECT_EQ(e.milliseconds, 500);

	tDateTimeParts start{5, 12, 31, 23, 0, 0, 0};
	tDateTimeParts end{6, 1, 2, 1, 0, 0, 0};
	ASSERT_TRUE(UDate::ParseOutSeconds(start, end, e));
	EXPECT_EQ(e.days, 1);
	EXPECT_EQ(e.hours, 2);
	EXPECT_EQ(e.totalSeconds, 26 * 3600);

	ASSERT_TRUE(UDate::ParseOutDates("5/12/2006", "8:00", "20:30", e));
	EXPECT_EQ(e.totalSeconds, 12 * 3600 + 1800);
	EXPECT_FALSE(UDate::ParseOutDates("soon", "8:00", "20:30", e));
}
