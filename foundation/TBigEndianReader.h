#pragma once
// Reads the fields of a stored record at their offsets, big-endian whatever the host.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <span>

class TBigEndianReader
{
public:
	explicit TBigEndianReader(std::span<const unsigned char> buffer) : mBuffer(buffer) {}

	std::size_t Size() const { return mBuffer.size(); }

	UInt8 GetU8(std::size_t offset) const;
	UInt16 GetU16(std::size_t offset) const;
	SInt16 GetS16(std::size_t offset) const { return SInt16(GetU16(offset)); }
	UInt32 GetU32(std::size_t offset) const;
	SInt32 GetS32(std::size_t offset) const { return SInt32(GetU32(offset)); }
	float GetF32(std::size_t offset) const;
	RGBColor GetRGB(std::size_t offset) const;
	void GetBytes(std::size_t offset, void* bytes, std::size_t count) const;
	// Copies the field's text up to its first zero and fills the rest of the field with zeros, so that
	// the result is terminated even when the stored field is not.
	void GetText(std::size_t offset, char* text, std::size_t fieldSize) const;

private:
	const unsigned char* At(std::size_t offset, std::size_t count) const;

	std::span<const unsigned char> mBuffer;
};
