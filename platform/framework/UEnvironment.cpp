#include "platform/framework/UEnvironment.h"

#include <algorithm>
#include <cstdio>
#include <sys/utsname.h>

SInt32 UEnvironment::GetOSVersion()
{
	int major = 0, minor = 0;
	utsname name;
	if (uname(&name) == 0)
		std::sscanf(name.release, "%d.%d", &major, &minor);
	return 0x1000 | (std::clamp(major, 0, 9) << 4) | std::clamp(minor, 0, 9);
}
