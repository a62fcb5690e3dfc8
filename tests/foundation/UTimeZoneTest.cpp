#include "foundation/UTimeZone.h"

#include "platform/toolbox/TickCount.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace
{

// Sets TZ for the test's lifetime.
class StTimeZone
{
public:
	explicit StTimeZone(const char* zone)
	{
		const char* old = std::getenv("TZ");
		mHad = old != nullptr;
		if (mHad)
			mOld = old;
		setenv("TZ", zone, 1);
		tzset();
	}
	~StTimeZone()
	{
		if (mHad)
			setenv("TZ", mOld.c_str(), 1);
		else
			unsetenv("TZ");
		tzset();
	}

private:
	bool mHad = false;
	std::string mOld;
};

std::string Zone()
{
	char text[8];
	char* end = UTimeZone::GetTimeZone(text);
	EXPECT_EQ(end, text + 5);
	return text;
}

} // namespace

TEST(UTimeZone, WritesTheLocalOffset)
{
	// 1 July 2006, noon UTC.
	StTestClock clock(1000, 1151755200000);
	{
		StTimeZone zone("UTC0");
		EXPECT_EQ(Zone(), "+0000");
	}
	{
		StTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
		EXPECT_EQ(Zone(), "-0400");
		clock.SetWallMilliseconds(1136116800000); // 1 January 2006
		EXPECT_EQ(Zone(), "-0500");
	}
	{
		StTimeZone zone("IST-5:30");
		EXPECT_EQ(Zone(), "+0530");
	}
}
