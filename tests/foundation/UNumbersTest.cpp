#include "foundation/UNumbers.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>

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

// Stored floats show the decimals of their shortest form, rounded half away from zero; "%.*f" would show
// the digits of the binary value (10419.8496, 0.1000000015, -2.67, 0.12).
TEST(UNumbers, FormatFixedRoundsTheShortestDecimalForm)
{
	struct Case {
		float value;
		int decimals;
		const char* out;
	};
	const Case cases[] = {
	    {10419.85f, 4, "10419.8500"},
	    {10432.15f, 4, "10432.1500"},
	    {10419.85f, 2, "10419.85"},
	    {140.95f, 6, "140.950000"},
	    {0.1f, 10, "0.1000000000"},
	    {1e-5f, 6, "0.000010"},
	    {1e-5f, 4, "0.0000"},
	    {1.5e-5f, 5, "0.00002"},
	    {123456.79f, 2, "123456.79"},
	    {123456.79f, 4, "123456.7900"},
	    {-2.675f, 2, "-2.68"},
	    {2.675f, 2, "2.68"},
	    {0.125f, 2, "0.13"},
	    {-0.125f, 2, "-0.13"},
	    {0.5f, 0, "1"},
	    {2.5f, 0, "3"},
	    {-0.004f, 2, "-0.00"},
	    {9.995f, 2, "10.00"},
	    {99.5f, 0, "100"},
	    {-999.9999f, 2, "-1000.00"},
	    {0.0f, 2, "0.00"},
	    {7.0f, 0, "7"},
	    {16777216.0f, 2, "16777216.00"},
	    {1e10f, 1, "10000000000.0"},
	    // Big values: the shortest form may be plain or take an exponent.
	    {123456789.0f, 2, "123456792.00"},
	    {999999999999999.0f, 2, "1000000000000000.00"},
	    {3.4028235e38f, 0, "340282350000000000000000000000000000000"},
	    {1e-10f, 12, "0.000000000100"},
	    {-5e-10f, 9, "-0.000000001"},
	    {-9999.99f, 2, "-9999.99"},
	};
	for (const Case& c : cases) {
		char text[64];
		EXPECT_EQ(UNumbers::FormatFixed(text, sizeof text, c.value, c.decimals),
		          int(std::strlen(c.out)))
		    << c.out;
		EXPECT_STREQ(text, c.out);
	}

	// Computed doubles round their own shortest form; ShortestDouble keeps a float's decimals exact.
	char text[400];
	UNumbers::FormatFixed(text, sizeof text, 0.1 + 0.2, 2);
	EXPECT_STREQ(text, "0.30");
	UNumbers::FormatFixed(text, sizeof text, 1.005, 2);
	EXPECT_STREQ(text, "1.01");
	UNumbers::FormatFixed(text, sizeof text, 1e300, 0);
	EXPECT_EQ(std::string(text), "1" + std::string(300, '0'));
	const double change = UNumbers::ShortestDouble(10432.15f) - UNumbers::ShortestDouble(10419.85f);
	UNumbers::FormatFixed(text, sizeof text, change, 4);
	EXPECT_STREQ(text, "12.3000");
	EXPECT_EQ(UNumbers::ShortestDouble(140.95f), 140.95);
	EXPECT_EQ(float(UNumbers::ShortestDouble(-9999.99f)), -9999.99f);

	// A short buffer takes what fits and stays terminated.
	char small[6] = "xxxxx";
	EXPECT_EQ(UNumbers::FormatFixed(small, sizeof small, -1234.5f, 2), 5);
	EXPECT_STREQ(small, "-1234");
}

TEST(UNumbers, ReadNumberTakesOnlyAWholeNumber)
{
	const std::pair<const char*, float> numbers[] = {{"12.5", 12.5f}, {"-25.50", -25.5f}, {".5", 0.5f},
	                                                 {"5.", 5.0f},    {"007", 7.0f},      {"0.1", 0.1f},
	                                                 {"-0", 0.0f}};
	for (const auto& [text, expected] : numbers) {
		float value = -1;
		EXPECT_TRUE(UNumbers::ReadNumber(text, value)) << text;
		EXPECT_EQ(value, expected) << text;
	}
	const std::string tooBig(40, '9');
	for (const char* text : {"", "-", ".", "-.", "1.2.3", "abc", "12abc", "--1", "1-", "+1", "1e5", " 1",
	                         "1,000", tooBig.c_str()}) {
		float value = 42;
		EXPECT_FALSE(UNumbers::ReadNumber(text, value)) << text;
		EXPECT_EQ(value, 42) << text;
	}
}
