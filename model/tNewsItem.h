#pragma once
// One headline of a security's news list. A news list copies its items byte for byte when they are added
// and its copies own the two strings, which UNews::ClearNewsList frees (new[] allocations).

#include "platform/toolbox/MacTypes.h"

enum : UInt16 { kNewsPlain = 0, kNewsAudio = 1, kNewsVideo = 2, kNewsExternal = 3 };

struct tNewsItem {
	UInt16 kind = kNewsPlain;
	char* headline = nullptr;
	// Null when no URL could be built.
	char* url = nullptr;
};
