#pragma once
// Big-endian fields of the stored security record and of the per-kind security files, read and written one
// by one (give them a buffered file: a few system calls per file). A field that runs past the end of the
// file gives kVyFileEOF, and no stored length makes an allocation larger than the bytes that are there.

#include "foundation/TVyFile.h"
#include "platform/toolbox/MacTypes.h"

#include <memory>

class USecurityRecord
{
public:
	static short WriteBytes(TVyFile* file, const void* bytes, unsigned long count);
	static short WriteU8(TVyFile* file, UInt8 value);
	static short WriteU16(TVyFile* file, UInt16 value);
	static short WriteU32(TVyFile* file, UInt32 value);
	// A u32 length including the terminator, then the text and its zero; a null text is the length 0.
	static short WriteText(TVyFile* file, const char* text);

	static short ReadBytes(TVyFile* file, void* bytes, unsigned long count);
	static short ReadU8(TVyFile* file, UInt8* value);
	static short ReadU16(TVyFile* file, UInt16* value);
	static short ReadU32(TVyFile* file, UInt32* value);
	// Reads a text written by WriteText. The result is terminated whatever was stored and is null for the
	// length 0.
	static short ReadText(TVyFile* file, std::unique_ptr<char[]>* text);
};
