#include "foundation/UNumbers.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(UNumbers, AddCommasGroupsTheIntegerPart)
{
	struct Case {
		const char* in;
		const char* out;
	};
	const Case cases[] = {
	    {"1234567.89", "1,234,567.89"},
	    {"-1234", "-1,234"},
	    {"123", "123"},
	    {"1234", "1,234"},
	    {"123456", "123,456"},
	    {"-123.45", "-123.45"},
	    {"1000000", "1,000,000"},
	    {"0.12345", "0.12345"},
	};
	for (const Case& c : cases) {
		char buffer[32];
		std::strcpy(buffer, c.in);
		EXPECT_TRUE(UNumbers::AddCommas(buffer, sizeof(buffer)));
		EXPECT_STREQ(buffer, c.out) << c.in;
	}
}

TEST(UNumbers, AddCommasKeepsWithinTheBuffer)
{
	char buffer[10] = "1234567";
	buffer[9] = 'z';
	EXPECT_FALSE(UNumbers::AddCommas(buffer, 9));
	EXPECT_STREQ(buffer, "1234567");
	EXPECT_TRUE(UNumbers::AddCommas(buffer, 10));
	EXPECT_STREQ(buffer, "1,234,567");
}
