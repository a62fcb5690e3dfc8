#include "platform/framework/LGrowZone.h"

LGrowZone* LGrowZone::sGrowZone = nullptr;

LGrowZone::LGrowZone(SInt32 inReserveSize) : mReserveSize(inReserveSize)
{
	sGrowZone = this;
}

LGrowZone::~LGrowZone()
{
	if (sGrowZone == this)
		sGrowZone = nullptr;
}
