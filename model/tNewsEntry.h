#pragma once
// A headline link as a news parser finds it: byte ranges inside the page, owned by the page.

#include "platform/toolbox/MacTypes.h"

struct tNewsEntry {
	const char* headline = nullptr;
	UInt32 headlineLength = 0;
	const char* host = nullptr;
	UInt32 hostLength = 0;
	const char* path = nullptr;
	UInt32 pathLength = 0;
};
