#include "foundation/UUnicode.h"

#include <new>

bool UUnicode::IsBufferUnicode(const void* buffer, unsigned long length, unsigned long* markSize)
{
	unsigned long mark = 0;
	bool unicode = false;
	if (buffer != nullptr && length >= 4) {
		const auto* b = static_cast<const unsigned char*>(buffer);
		unicode = true;
		if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF)
			mark = 4;
		else if (b[0] == 0x00 && b[2] == 0x00)
			mark = 0;
		else if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
			mark = 3;
		else if (b[0] == 0xFE && b[1] == 0xFF)
			mark = 2;
		else if (b[0] == 0xFF && b[1] == 0xFE)
			mark = b[2] == 0 && b[3] == 0 ? 4 : 2;
		else
			unicode = false;
	}
	if (markSize != nullptr)
		*markSize = mark;
	return unicode;
}

unsigned char* UUnicode::FlattenBuffer(const void* buffer, unsigned long size, unsigned long* newSize,
                                       const unsigned char* map)
{
	if (newSize != nullptr)
		*newSize = 0;
	unsigned long mark = 0;
	if (!IsBufferUnicode(buffer, size, &mark))
		return nullptr;
	const auto* in = static_cast<const unsigned char*>(buffer);
	auto* out = new (std::nothrow) unsigned char[size - mark + 1];
	if (out == nullptr)
		return nullptr;
	unsigned long count = 0;
	for (unsigned long i = mark; i < size; ++i)
		if (in[i] != 0)
			out[count++] = map != nullptr ? map[in[i]] : in[i];
	out[count] = 0;
	if (newSize != nullptr)
		*newSize = count;
	return out;
}
