#include "foundation/TBigEndianWriter.h"

#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <bit>
#include <cstring>

unsigned char* TBigEndianWriter::At(std::size_t offset, std::size_t count)
{
	Assert_(offset <= mBuffer.size() && count <= mBuffer.size() - offset);
	return mBuffer.data() + offset;
}

void TBigEndianWriter::Clear()
{
	std::fill(mBuffer.begin(), mBuffer.end(), 0);
}

void TBigEndianWriter::Zero(std::size_t offset, std::size_t count)
{
	std::memset(At(offset, count), 0, count);
}

void TBigEndianWriter::PutU8(std::size_t offset, UInt8 value)
{
	*At(offset, 1) = value;
}

void TBigEndianWriter::PutU16(std::size_t offset, UInt16 value)
{
	unsigned char* p = At(offset, 2);
	p[0] = UInt8(value >> 8);
	p[1] = UInt8(value);
}

void TBigEndianWriter::PutU32(std::size_t offset, UInt32 value)
{
	unsigned char* p = At(offset, 4);
	p[0] = UInt8(value >> 24);
	p[1] = UInt8(value >> 16);
	p[2] = UInt8(value >> 8);
	p[3] = UInt8(value);
}

void TBigEndianWriter::PutF32(std::size_t offset, float value)
{
	// As a bit pattern, so that every NaN payload survives.
	PutU32(offset, std::bit_cast<UInt32>(value));
}

void TBigEndianWriter::PutRGB(std::size_t offset, const RGBColor& colour)
{
	PutU16(offset, colour.red);
	PutU16(offset + 2, colour.green);
	PutU16(offset + 4, colour.blue);
}

void TBigEndianWriter::PutBytes(std::size_t offset, const void* bytes, std::size_t count)
{
	if (count > 0)
		std::memcpy(At(offset, count), bytes, count);
}

void TBigEndianWriter::PutText(std::size_t offset, const char* text, std::size_t fieldSize)
{
	unsigned char* p = At(offset, fieldSize);
	std::memset(p, 0, fieldSize);
	if (text == nullptr || fieldSize == 0)
		return;
	for (std::size_t i = 0; i + 1 < fieldSize && text[i] != 0; ++i)
		p[i] = UInt8(text[i]);
}
