#pragma once
// Recognising Unicode text by its byte-order mark (or the zero bytes of 16-bit text), and flattening it
// to one byte per character.

class UUnicode
{
public:
	// markSize receives the length of the byte-order mark (0 when there is none); it may be null.
	static bool IsBufferUnicode(const void* buffer, unsigned long length, unsigned long* markSize);
	// For a buffer that IsBufferUnicode accepts: a new[] array of the bytes after the mark with every
	// zero byte dropped, each mapped through map when given, followed by a zero byte that newSize does
	// not count. Null (newSize 0) otherwise. The caller deletes it.
	static unsigned char* FlattenBuffer(const void* buffer, unsigned long size, unsigned long* newSize,
	                                    const unsigned char* map);
};
