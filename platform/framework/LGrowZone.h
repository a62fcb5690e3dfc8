#pragma once
// The framework's guard against running out of memory. Allocation failures here surface as exceptions
// where they happen, so the zone only remembers the reserve it was asked to keep.

#include "platform/toolbox/MacTypes.h"

class LGrowZone
{
public:
	explicit LGrowZone(SInt32 inReserveSize); // becomes the process's zone
	~LGrowZone();
	LGrowZone(const LGrowZone&) = delete;
	LGrowZone& operator=(const LGrowZone&) = delete;

	static LGrowZone* GetGrowZone() { return sGrowZone; }
	SInt32 GetReserveSize() const { return mReserveSize; }
	// Never low: nothing is held back that could be given up.
	Boolean MemoryIsLow() const { return false; }

private:
	SInt32 mReserveSize;
	static LGrowZone* sGrowZone;
};
