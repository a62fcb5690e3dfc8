#include "model/USecurityRecord.h"

#include "foundation/UIntelConversion.h"
#include "model/SecurityTypes.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

short USecurityRecord::WriteBytes(TVyFile* file, const void* bytes, unsigned long count)
{
	return count == 0 ? short(0) : file->Write(bytes, count);
}

short USecurityRecord::WriteU8(TVyFile* file, UInt8 value)
{
	return WriteBytes(file, &value, 1);
}

short USecurityRecord::WriteU16(TVyFile* file, UInt16 value)
{
	const UInt16 stored = UIntelConversion::ConvertUnsignedInt16(value);
	return WriteBytes(file, &stored, sizeof(stored));
}

short USecurityRecord::WriteU32(TVyFile* file, UInt32 value)
{
	const UInt32 stored = UIntelConversion::ConvertUnsignedInt32(value);
	return WriteBytes(file, &stored, sizeof(stored));
}

short USecurityRecord::WriteText(TVyFile* file, const char* text)
{
	const UInt32 length = text != nullptr ? UInt32(std::strlen(text) + 1) : 0;
	if (short err = WriteU32(file, length); err != 0)
		return err;
	return WriteBytes(file, text, length);
}

short USecurityRecord::ReadBytes(TVyFile* file, void* bytes, unsigned long count)
{
	if (count == 0)
		return 0;
	unsigned long got = count;
	const short err = file->Read(bytes, &got);
	if (err != 0 && err != kVyFileEOF)
		return err;
	return got == count ? short(0) : short(kVyFileEOF);
}

short USecurityRecord::ReadU8(TVyFile* file, UInt8* value)
{
	return ReadBytes(file, value, 1);
}

short USecurityRecord::ReadU16(TVyFile* file, UInt16* value)
{
	UInt16 stored = 0;
	if (short err = ReadBytes(file, &stored, sizeof(stored)); err != 0)
		return err;
	*value = UIntelConversion::ConvertUnsignedInt16(stored);
	return 0;
}

short USecurityRecord::ReadU32(TVyFile* file, UInt32* value)
{
	UInt32 stored = 0;
	if (short err = ReadBytes(file, &stored, sizeof(stored)); err != 0)
		return err;
	*value = UIntelConversion::ConvertUnsignedInt32(stored);
	return 0;
}

short USecurityRecord::ReadText(TVyFile* file, std::unique_ptr<char[]>* text)
{
	UInt32 length = 0;
	if (short err = ReadU32(file, &length); err != 0)
		return err;
	if (length == 0) {
		text->reset();
		return 0;
	}
	// The length is not trusted for an allocation: the text grows only with the bytes that are there.
	constexpr UInt32 kChunk = 4096;
	std::string read;
	try {
		while (read.size() < length) {
			const std::size_t start = read.size();
			const std::size_t count = std::min<std::size_t>(kChunk, length - start);
			read.resize(start + count);
			if (short err = ReadBytes(file, read.data() + start, count); err != 0)
				return err;
		}
	} catch (const std::bad_alloc&) {
		throw kSecurityMemoryError;
	}
	std::unique_ptr<char[]> result(new (std::nothrow) char[length + 1]);
	if (!result)
		throw kSecurityMemoryError;
	std::memcpy(result.get(), read.data(), length);
	result[length] = 0;
	*text = std::move(result);
	return 0;
}
