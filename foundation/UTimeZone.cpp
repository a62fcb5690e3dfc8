#include "foundation/UTimeZone.h"

#include "foundation/TVyDate.h"
#include "platform/toolbox/Debugging.h"

long UTimeZone::GetOffsetSeconds()
{
	return long(TVyDate::CurrentLocalTime().tm_gmtoff);
}

char* UTimeZone::GetTimeZone(char* s)
{
	Assert_(s != NULL);
	long offset = GetOffsetSeconds();
	*s++ = offset < 0 ? '-' : '+';
	if (offset < 0)
		offset = -offset;
	const long hours = offset / 3600 % 100;
	const long minutes = offset % 3600 / 60;
	*s++ = char('0' + hours / 10);
	*s++ = char('0' + hours % 10);
	*s++ = char('0' + minutes / 10);
	*s++ = char('0' + minutes % 10);
	*s = 0;
	return s;
}
