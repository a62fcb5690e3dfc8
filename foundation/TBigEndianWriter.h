#pragma once
// Writes the fields of a stored record at their offsets, big-endian whatever the host.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <span>

class TBigEndianWriter
{
public:
	explicit TBigEndianWriter(std::span<unsigned char> buffer) : mBuffer(buffer) {}

	std::size_t Size() const { return mBuffer.size(); }
	void Clear();
	void Zero(std::size_t offset, std::size_t count);

	void PutU8(std::size_t offset, UInt8 value);
	void PutU16(std::size_t offset, UInt16 value);
	void PutS16(std::size_t offset, SInt16 value) { PutU16(offset, UInt16(value)); }
	void PutU32(std::size_t offset, UInt32 value);
	void PutS32(std::size_t offset, SInt32 value) { PutU32(offset, UInt32(value)); }
	void PutF32(std::size_t offset, float value);
	void PutRGB(std::size_t offset, const RGBColor& colour);
	void PutBytes(std::size_t offset, const void* bytes, std::size_t count);
	// The text up to its terminator, then zeros to the end of the field; the last byte is always a zero.
	void PutText(std::size_t offset, const char* text, std::size_t fieldSize);

private:
	unsigned char* At(std::size_t offset, std::size_t count);

	std::span<unsigned char> mBuffer;
};
