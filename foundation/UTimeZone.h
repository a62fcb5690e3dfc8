#pragma once
// The local offset from universal time, as the wall clock of platform/toolbox/TickCount.h sees it now.

class UTimeZone
{
public:
	// Writes "+hhmm" or "-hhmm" and a zero byte (6 bytes); returns the address of the zero byte.
	static char* GetTimeZone(char* s);
	// Seconds east of universal time.
	static long GetOffsetSeconds();
};
