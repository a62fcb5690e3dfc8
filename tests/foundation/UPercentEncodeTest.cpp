#include "foundation/UPercentEncode.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

TEST(UPercentEncodeTest, QueryValuesAreEscaped)
{
	struct {
		const char* text;
		const char* encoded;
	} const cases[] = {
	    {"general motors", "general%20motors"},
	    {"AT&T", "AT%26T"},
	    {"S&P+500/x=1?#", "S%26P%2B500%2Fx%3D1%3F%23"},
	    {"BRK-B.N_x~", "BRK-B.N_x~"},
	    {"Caf\x8E", "Caf%8E"}, // Mac Roman bytes above 127
	    {"", ""},
	};
	for (const auto& c : cases) {
		char out[64];
		EXPECT_TRUE(UPercentEncode::Encode(c.text, out, sizeof out));
		EXPECT_STREQ(out, c.encoded);
	}
	char out[8] = "x";
	EXPECT_TRUE(UPercentEncode::Encode(nullptr, out, sizeof out));
	EXPECT_STREQ(out, "");
}

TEST(UPercentEncodeTest, AnEscapeIsNeverCut)
{
	char out[8];
	std::memset(out, 'x', sizeof out);
	EXPECT_FALSE(UPercentEncode::Encode("AT&T", out, 5));
	EXPECT_STREQ(out, "AT");
	EXPECT_EQ(out[5], 'x');
	EXPECT_TRUE(UPercentEncode::Encode("AT&T", out, 7));
	EXPECT_STREQ(out, "AT%26T");
}

} // namespace
