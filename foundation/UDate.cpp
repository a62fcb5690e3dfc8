#include "foundation/UDate.h"

#include "foundation/TVyDate.h"
#include "foundation/VyStrings.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

const char UDate::sTimeSeparator = ':';
const char UDate::sDateSeparator = '/';

namespace
{

const char* const kMonthNames[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                     "jul", "aug", "sep", "oct", "nov", "dec"};
const int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

inline bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

// Digits only, at most maxDigits of them (so the value cannot overflow); an empty text gives 0.
bool ReadDigitsOnly(const char* text, int maxDigits, long& value, long& length)
{
	value = 0;
	length = 0;
	for (const char* p = text; *p != 0; ++p) {
		if (!IsDigit(*p) || ++length > maxDigits)
			return false;
		value = value * 10 + (*p - '0');
	}
	return true;
}

// atoi without its overflow: values too large for any date part are clamped.
int Number(const char* text)
{
	const long value = std::strtol(text, nullptr, 10);
	return int(value > 999999 ? 999999 : (value < -999999 ? -999999 : value));
}

int CurrentYear()
{
	return TVyDate::CurrentLocalTime().tm_year + 1900;
}

void SetToday(tDateTimeParts& parts)
{
	const std::tm now = TVyDate::CurrentLocalTime();
	parts.year = now.tm_year + 1900;
	parts.month = now.tm_mon + 1;
	parts.day = now.tm_mday;
}

bool ReadTime(const char* text, tDateTimeParts& parts)
{
	long length = 0;
	return UDate::IsTime(text, parts.hour, parts.minute, parts.second, parts.millisecond, length, true);
}

} // namespace

bool UDate::IsWordMonth(const char* text, int& month)
{
	month = 0;
	if (text == nullptr)
		return false;
	for (int i = 0; i < 12; ++i)
		if (strncmpi(text, kMonthNames[i], 3) == 0) {
			month = i + 1;
			return true;
		}
	return false;
}

bool UDate::IsShortDate(const char* text, int& month, int& day, bool monthFirst)
{
	if (text == nullptr)
		return false;
	char copy[128];
	strcpyn(copy, text, sizeof(copy) - 1);
	char* argv[3];
	const char seps[] = {sDateSeparator, '-', 0};
	if (strparse(copy, argv, seps, 3) == 2) {
		month = Number(argv[monthFirst ? 0 : 1]);
		day = Number(argv[monthFirst ? 1 : 0]);
		if (month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, CurrentYear()))
			return true;
	}
	month = 0;
	day = 0;
	return false;
}

bool UDate::IsTime(const char* text, int& hour, int& minute, int& second, int& millisecond, long& length,
                   bool allowSeconds)
{
	hour = minute = second = millisecond = 0;
	length = 0;
	if (text == nullptr)
		return false;

	const char* am = strstri(text, "am");
	const char* pm = strstri(text, "pm");
	if (am != nullptr && pm != nullptr) {
		if (am < pm)
			pm = nullptr;
		else
			am = nullptr;
	}

	bool colon = false;
	bool fraction = false;
	long n = 0;
	while (n < 13) {
		const char c = text[n];
		if (IsDigit(c))
			++n;
		else if (c == sTimeSeparator && IsDigit(text[n + 1])) {
			colon = true;
			++n;
		} else if (c == '.' && IsDigit(text[n + 1])) {
			fraction = true;
			++n;
		} else
			break;
	}

	if (colon && n >= 3) {
		char work[14];
		strmemcpyn(work, text, n, sizeof(work) - 1);
		char* argv[5];
		int h = 0, m = 0, s = 0, ms = 0;
		bool shaped = true;
		if (!fraction) {
			const char seps[] = {sTimeSeparator, 0};
			switch (strparse(work, argv, seps, 5)) {
			case 1:
				s = Number(argv[0]);
				break;
			case 2:
				h = Number(argv[0]);
				m = Number(argv[1]);
				if (am == nullptr && pm == nullptr && h > 23) {
					s = m;
					m = h;
					h = 0;
				}
				break;
			case 3:
				h = Number(argv[0]);
				m = Number(argv[1]);
				s = Number(argv[2]);
				break;
			default:
				shaped = false;
			}
		} else {
			const char seps[] = {sTimeSeparator, '.', 0};
			const long count = strparse(work, argv, seps, 5);
			if (count >= 2) {
				const char* digits = argv[count - 1];
				ms = Number(digits);
				switch (std::strlen(digits)) {
				case 1:
					ms *= 100;
					break;
				case 2:
					ms *= 10;
					break;
				case 3:
					break;
				default:
					ms = 0;
				}
				s = Number(argv[count - 2]);
				if (count >= 3)
					m = Number(argv[count - 3]);
				if (count == 4)
					h = Number(argv[0]);
			} else
				shaped = false;
		}
		if (shaped && ms < 1000 && s < 60 && m < 60 && h < 24) {
			if (pm != nullptr && h > 0 && h < 12)
				h += 12;
			else if (am != nullptr && h == 12)
				h = 0;
			hour = h;
			minute = m;
			second = s;
			millisecond = ms;
			length = n;
			return true;
		}
	}

	if (allowSeconds && IsFileMakerTime(text, hour, minute, second, millisecond, length))
		return true;
	hour = minute = second = millisecond = 0;
	length = 0;
	return false;
}

bool UDate::IsLeapYear(int year)
{
	return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int UDate::DaysInMonth(int month, int year)
{
	if (month < 1 || month > 12)
		return 0;
	return TVyDate::DaysInMonth((unsigned char)month, (unsigned short)year);
}

bool UDate::IsDate(const char* text, int& year, int& month, int& day, long& length, bool allowSerial)
{
	year = month = day = 0;
	length = 0;
	if (text == nullptr)
		return false;

	bool shaped = std::strlen(text) >= 6;
	long n = 0;
	while (shaped && n < 10) {
		const char c = text[n];
		if (IsDigit(c) || c == sDateSeparator || c == '-')
			++n;
		else if (n < 6)
			shaped = false;
		else
			break;
	}
	if (shaped) {
		char work[11];
		strmemcpyn(work, text, n, sizeof(work) - 1);
		char* argv[4];
		const char seps[] = {sDateSeparator, '-', 0};
		if (strparse(work, argv, seps, 4) == 3) {
			const int a = Number(argv[0]);
			const int b = Number(argv[1]);
			const int c = Number(argv[2]);
			int y = c, m = a, d = b;
			if (a > 12) {
				if (a < 32) {
					d = a;
					m = b;
				} else {
					y = a;
					m = b;
					d = c;
					if (b > 12) {
						d = b;
						m = c;
					}
				}
			}
			if (y <= 99)
				y += y < 90 ? 2000 : 1900;
			const bool yearOK = y >= 1000 && y <= 9999;
			if (yearOK && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(m, y)) {
				year = y;
				month = m;
				day = d;
				length = n;
				return true;
			}
		}
	}
	if (allowSerial)
		return IsFileMakerDate(text, year, month, day, length);
	return false;
}

bool UDate::IsWordDate(const char* text, int& year, int& month, int& day, long& length)
{
	year = month = day = 0;
	length = 0;
	if (text == nullptr)
		return false;
	char copy[41];
	strcpyn(copy, text, sizeof(copy) - 1);
	char* argv[4];
	const long count = strparse(copy, argv, " ,", 4);
	if (count < 2)
		return false;
	int m = 0;
	if (!IsWordMonth(argv[0], m) || !IsDigit(argv[1][0]))
		return false;
	const int d = Number(argv[1]);
	int y = CurrentYear();
	if (count == 3) {
		if (!IsDigit(argv[2][0]))
			return false;
		y = Number(argv[2]);
		if (y <= 99)
			y += 1900;
		else if (y < 1000 || y > 10000)
			return false;
	}
	if (d < 1 || d > DaysInMonth(m, y))
		return false;
	year = y;
	month = m;
	day = d;
	length = long(argv[count - 1] - copy) + long(std::strlen(argv[count - 1]));
	return true;
}

long UDate::GetFileMakerDate(int year, int month, int day)
{
	if (year < 1 || year > 3000 || month < 1 || month > 12 || day < 1 || day > 31)
		return 0;
	long serial = kDaysBeforeMonth[month] + day + 365L * (year - 1) + year / 4 - year / 100 + year / 400;
	if (IsLeapYear(year) && month <= 2)
		serial -= 1;
	return serial;
}

bool UDate::IsFileMakerDate(const char* text, int& year, int& month, int& day, long& length)
{
	year = month = day = 0;
	length = 0;
	long serial = 0;
	long digits = 0;
	if (text == nullptr || !ReadDigitsOnly(text, 7, serial, digits) || digits == 0 || serial > 1095726)
		return false;
	if (serial == 0) {
		year = month = day = 1;
		length = digits;
		return true;
	}
	// From an estimate of the year, step to the one whose 1 January is the last at or before the serial.
	int y = int(serial * 400 / 146097) + 1;
	while (y > 1 && GetFileMakerDate(y, 1, 1) > serial)
		--y;
	while (GetFileMakerDate(y + 1, 1, 1) != 0 && GetFileMakerDate(y + 1, 1, 1) <= serial)
		++y;
	int m = 1;
	while (m < 12 && GetFileMakerDate(y, m + 1, 1) <= serial)
		++m;
	year = y;
	month = m;
	day = int(serial - GetFileMakerDate(y, m, 1)) + 1;
	length = digits;
	return true;
}

long UDate::GetFileMakerTime(int hour, int minute, int second)
{
	return hour * 3600L + minute * 60L + second;
}

bool UDate::IsFileMakerTime(const char* text, int& hour, int& minute, int& second, int& millisecond,
                            long& length)
{
	hour = minute = second = millisecond = 0;
	length = 0;
	long value = 0;
	long digits = 0;
	if (text == nullptr || !ReadDigitsOnly(text, 5, value, digits) || value > 86399)
		return false;
	hour = int(value / 3600);
	minute = int(value % 3600 / 60);
	second = int(value % 60);
	length = digits;
	return true;
}

bool UDate::ParseOutSeconds(const tDateTimeParts& start, const tDateTimeParts& end, tElapsedTime& elapsed)
{
	elapsed = tElapsedTime();
	auto toTime = [](const tDateTimeParts& parts) {
		int year = parts.year;
		if (year < 11)
			year += 2000;
		else if (year < 100)
			year += 1900;
		std::tm t{};
		t.tm_year = year - 1900;
		t.tm_mon = parts.month - 1;
		t.tm_mday = parts.day;
		t.tm_hour = parts.hour;
		t.tm_min = parts.minute;
		t.tm_sec = parts.second;
		t.tm_isdst = -1;
		return std::mktime(&t);
	};
	const std::time_t from = toTime(start);
	const std::time_t to = toTime(end);
	if (from == std::time_t(-1) || to == std::time_t(-1))
		return false;

	long long ms = (long long)(to - from) * 1000 + (end.millisecond - start.millisecond);
	elapsed.totalSeconds = long(ms / 1000);
	if (ms < 0)
		ms = -ms;
	elapsed.milliseconds = int(ms % 1000);
	long long rest = ms / 1000;
	elapsed.seconds = int(rest % 60);
	rest /= 60;
	elapsed.minutes = int(rest % 60);
	rest /= 60;
	elapsed.hours = int(rest % 24);
	elapsed.days = long(rest / 24);
	return true;
}

bool UDate::ParseOutTimes(const char* startTime, const char* endTime, tElapsedTime& elapsed)
{
	elapsed = tElapsedTime();
	tDateTimeParts start, end;
	if (!ReadTime(startTime, start) || !ReadTime(endTime, end))
		return false;
	SetToday(start);
	SetToday(end);
	return ParseOutSeconds(start, end, elapsed);
}

bool UDate::ParseOutDates(const char* date, const char* startTime, const char* endTime, tElapsedTime& elapsed)
{
	elapsed = tElapsedTime();
	tDateTimeParts start, end;
	long length = 0;
	if (!IsDate(date, start.year, start.month, start.day, length, true))
		return false;
	if (!ReadTime(startTime, start) || !ReadTime(endTime, end))
		return false;
	end.year = start.year;
	end.month = start.month;
	end.day = start.day;
	return ParseOutSeconds(start, end, elapsed);
}
