#pragma once
// Recognisers of dates and times in text. They never fail loudly: false, with their outputs zeroed.

// Parts of a local date and time, and the span between two of them.
struct tDateTimeParts {
	int year = 0;
	int month = 0;
	int day = 0;
	int hour = 0;
	int minute = 0;
	int second = 0;
	int millisecond = 0;
};

// The parts are of the absolute span; totalSeconds carries the sign (negative when the end is earlier).
struct tElapsedTime {
	long days = 0;
	int hours = 0;
	int minutes = 0;
	int seconds = 0;
	int milliseconds = 0;
	long totalSeconds = 0;
};

class UDate
{
public:
	static const char sTimeSeparator;
	static const char sDateSeparator;

	static bool IsWordMonth(const char* text, int& month);
	static bool IsShortDate(const char* text, int& month, int& day, bool monthFirst);
	static bool IsTime(const char* text, int& hour, int& minute, int& second, int& millisecond,
	                   long& length, bool allowSeconds);
	static bool IsLeapYear(int year);
	// 0 for a month outside 1-12.
	static int DaysInMonth(int month, int year);
	static bool IsDate(const char* text, int& year, int& month, int& day, long& length, bool allowSerial);
	static bool IsWordDate(const char* text, int& year, int& month, int& day, long& length);

	// Serial day numbers: 1 is 1 January of year 1 (Gregorian); 0 for a date out of range.
	static long GetFileMakerDate(int year, int month, int day);
	static bool IsFileMakerDate(const char* text, int& year, int& month, int& day, long& length);
	static long GetFileMakerTime(int hour, int minute, int second);
	// Digits only (an empty text included) giving 0-86399 seconds since midnight.
	static bool IsFileMakerTime(const char* text, int& hour, int& minute, int& second, int& millisecond,
	                            long& length);

	// The span from start to end in local time; two-digit years below 11 are 2000 and later.
	static bool ParseOutSeconds(const tDateTimeParts& start, const tDateTimeParts& end,
	                            tElapsedTime& elapsed);
	// Two times of today.
	static bool ParseOutTimes(const char* startTime, const char* endTime, tElapsedTime& elapsed);
	// A date and two times of that day.
	static bool ParseOutDates(const char* date, const char* startTime, const char* endTime,
	                          tElapsedTime& elapsed);
};
