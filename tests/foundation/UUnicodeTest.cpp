#include "foundation/UUnicode.h"

#include <gtest/gtest.h>
#include <memory>

TEST(UUnicode, RecognisesMarksAndZeroBytes)
{
	struct Case {
		unsigned char bytes[4];
		bool unicode;
		unsigned long mark;
	};
	const Case cases[] = {
	    {{0x00, 0x00, 0xFE, 0xFF}, true, 4}, {{0x00, 'a', 0x00, 'b'}, true, 0},
	    {{0xEF, 0xBB, 0xBF, 'a'}, true, 3},  {{0xFE, 0xFF, 0x00, 'a'}, true, 2},
	    {{0xFF, 0xFE, 'a', 0x00}, true, 2},  {{0xFF, 0xFE, 0x00, 0x00}, true, 4},
	    {{'a', 'b', 'c', 'd'}, false, 0},
	};
	for (const Case& c : cases) {
		unsigned long mark = 99;
		EXPECT_EQ(UUnicode::IsBufferUnicode(c.bytes, 4, &mark), c.unicode);
		EXPECT_EQ(mark, c.mark);
	}
	const unsigned char shortBuffer[] = {0xFE, 0xFF, 0x00};
	EXPECT_FALSE(UUnicode::IsBufferUnicode(shortBuffer, 3, nullptr));
	EXPECT_FALSE(UUnicode::IsBufferUnicode(nullptr, 8, nullptr));
}

TEST(UUnicode, FlattenDropsTheMarkAndZeroBytes)
{
	const unsigned char utf16[] = {0xFF, 0xFE, 'H', 0x00, 'i', 0x00, '!', 0x00};
	unsigned long size = 0;
	std::unique_ptr<unsigned char[]> flat(UUnicode::FlattenBuffer(utf16, sizeof(utf16), &size, nullptr));
	ASSERT_NE(flat, nullptr);
	EXPECT_EQ(size, 3u);
	EXPECT_STREQ(reinterpret_cast<char*>(flat.get()), "Hi!");

	unsigned char upper[256];
	for (int i = 0; i < 256; ++i)
		upper[i] = (unsigned char)(i >= 'a' && i <= 'z' ? i - 32 : i);
	flat.reset(UUnicode::FlattenBuffer(utf16, sizeof(utf16), &size, upper));
	EXPECT_STREQ(reinterpret_cast<char*>(flat.get()), "HI!");

	const unsigned char plain[] = {'a', 'b', 'c', 'd'};
	size = 7;
	EXPECT_EQ(UUnicode::FlattenBuffer(plain, sizeof(plain), &size, nullptr), nullptr);
	EXPECT_EQ(size, 0u);
}
