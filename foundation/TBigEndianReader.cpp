#include "foundation/TBigEndianReader.h"

#include "platform/toolbox/Debugging.h"

#include <bit>
#include <cstring>

const unsigned char* TBigEndianReader::At(std::size_t offset, std::size_t count) const
{
	Assert_(offset <= mBuffer.size() && count <= mBuffer.size() - offset);
	return mBuffer.data() + offset;
}

UInt8 TBigEndianReader::GetU8(std::size_t offset) const
{
	return *At(offset, 1);
}

UInt16 TBigEndianReader::GetU16(std::size_t offset) const
{
	const unsigned char* p = At(offset, 2);
	return UInt16((p[0] << 8) | p[1]);
}

UInt32 TBigEndianReader::GetU32(std::size_t offset) const
{
	const unsigned char* p = At(offset, 4);
	return (UInt32(p[0]) << 24) | (UInt32(p[1]) << 16) | (UInt32(p[2]) << 8) | UInt32(p[3]);
}

float TBigEndianReader::GetF32(std::size_t offset) const
{
	return std::bit_cast<float>(GetU32(offset));
}

RGBColor TBigEndianReader::GetRGB(std::size_t offset) const
{
	RGBColor colour;
	colour.red = GetU16(offset);
	colour.green = GetU16(offset + 2);
	colour.blue = GetU16(offset + 4);
	return colour;
}

void TBigEndianReader::GetBytes(std::size_t offset, void* bytes, std::size_t count) const
{
	if (count > 0)
		std::memcpy(bytes, At(offset, count), count);
}

void TBigEndianReader::GetText(std::size_t offset, char* text, std::size_t fieldSize) const
{
	if (fieldSize == 0)
		return;
	const unsigned char* p = At(offset, fieldSize);
	std::size_t i = 0;
	for (; i + 1 < fieldSize && p[i] != 0; ++i)
		text[i] = char(p[i]);
	std::memset(text + i, 0, fieldSize - i);
}
