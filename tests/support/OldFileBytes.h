#pragma once
// The former product's files made byte by byte for the conversion tests, and readers of the files it
// writes: big-endian numbers at given offsets.

#include "platform/toolbox/MacTypes.h"

#include <cstring>
#include <string>

namespace oldfile
{

class Bytes
{
public:
	explicit Bytes(std::size_t size = 0) : mBytes(size, '\0') {}

	Bytes& U8(std::size_t at, unsigned value)
	{
		mBytes.at(at) = char(value);
		return *this;
	}
	Bytes& U16(std::size_t at, unsigned value) { return U8(at, value >> 8).U8(at + 1, value & 0xFF); }
	Bytes& U32(std::size_t at, UInt32 value) { return U16(at, value >> 16).U16(at + 2, value & 0xFFFF); }
	Bytes& F32(std::size_t at, float value)
	{
		UInt32 bits;
		std::memcpy(&bits, &value, sizeof(bits));
		return U32(at, bits);
	}
	Bytes& RGB(std::size_t at, unsigned red, unsigned green, unsigned blue)
	{
		return U16(at, red).U16(at + 2, green).U16(at + 4, blue);
	}
	Bytes& Text(std::size_t at, const std::string& text)
	{
		mBytes.replace(at, text.size(), text);
		return *this;
	}
	// Seven 16-bit fields: millisecond, second, minute, hour, day, month, year.
	Bytes& Date(std::size_t at, unsigned hour, unsigned day, unsigned month, unsigned year)
	{
		return U16(at, 0)
		    .U16(at + 2, 30)
		    .U16(at + 4, 15)
		    .U16(at + 6, hour)
		    .U16(at + 8, day)
		    .U16(at + 10, month)
		    .U16(at + 12, year);
	}
	const std::string& Str() const { return mBytes; }
	operator const std::string&() const { return mBytes; }

private:
	std::string mBytes;
};

inline std::string BE32(UInt32 value)
{
	return Bytes(4).U32(0, value).Str();
}

inline std::string BE16(unsigned value)
{
	return Bytes(2).U16(0, value).Str();
}

// A length and the bytes of the text, with or without a terminating zero.
inline std::string Counted(const std::string& text, bool withZero = true)
{
	const std::string bytes = withZero ? text + '\0' : text;
	return BE32(UInt32(bytes.size())) + bytes;
}

inline UInt32 U32At(const std::string& bytes, std::size_t at)
{
	UInt32 value = 0;
	for (std::size_t i = 0; i < 4; ++i)
		value = value << 8 | UInt8(bytes.at(at + i));
	return value;
}

inline UInt16 U16At(const std::string& bytes, std::size_t at)
{
	return UInt16(UInt8(bytes.at(at)) << 8 | UInt8(bytes.at(at + 1)));
}

inline float F32At(const std::string& bytes, std::size_t at)
{
	const UInt32 bits = U32At(bytes, at);
	float value;
	std::memcpy(&value, &bits, sizeof(value));
	return value;
}

inline std::string TextAt(const std::string& bytes, std::size_t at)
{
	return std::string(bytes.c_str() + at);
}

} // namespace oldfile
