#pragma once
// A sequence of bytes with a marker, read and written field by field. Numbers are big-endian, as in the
// stored resources; long is taken as 32 bits, as the system's code means it. Reading past the end throws
// LException(eofErr) and leaves the marker at the end.

#include "platform/framework/LException.h"
#include "platform/toolbox/MacErrors.h"

class LStream
{
public:
	LStream() = default;
	virtual ~LStream() = default;
	LStream(const LStream&) = delete;
	LStream& operator=(const LStream&) = delete;

	SInt32 GetMarker() const { return mMarker; }
	void SetMarker(SInt32 inOffset); // pinned to 0 ... length
	SInt32 GetLength() const { return mLength; }
	virtual void SetLength(SInt32 inLength);
	Boolean AtEnd() const { return mMarker >= mLength; }

	// Moves up to ioByteCount bytes; ioByteCount becomes the number moved.
	virtual ExceptionCode PutBytes(const void* inBuffer, SInt32& ioByteCount) = 0;
	virtual ExceptionCode GetBytes(void* outBuffer, SInt32& ioByteCount) = 0;
	// All or an exception.
	void WriteBlock(const void* inBuffer, SInt32 inByteCount);
	void ReadBlock(void* outBuffer, SInt32 inByteCount);

	LStream& operator>>(SInt8& outNum);
	LStream& operator>>(UInt8& outNum);
	LStream& operator>>(char& outChar);
	LStream& operator>>(bool& outBool); // one byte, nonzero is true
	LStream& operator>>(SInt16& outNum);
	LStream& operator>>(UInt16& outNum);
	LStream& operator>>(SInt32& outNum);
	LStream& operator>>(UInt32& outNum);
	LStream& operator>>(long& outNum);
	LStream& operator>>(unsigned long& outNum);
	LStream& operator>>(Rect& outRect);   // top, left, bottom, right
	LStream& operator>>(Point& outPoint); // v, h
	LStream& operator>>(RGBColor& outColor);
	LStream& operator>>(StringPtr outString); // length-prefixed; the buffer must hold 256 bytes

	LStream& operator<<(SInt8 inNum);
	LStream& operator<<(UInt8 inNum);
	LStream& operator<<(char inChar);
	LStream& operator<<(bool inBool);
	LStream& operator<<(SInt16 inNum);
	LStream& operator<<(UInt16 inNum);
	LStream& operator<<(SInt32 inNum);
	LStream& operator<<(UInt32 inNum);
	LStream& operator<<(long inNum);
	LStream& operator<<(unsigned long inNum);
	LStream& operator<<(const Rect& inRect);
	LStream& operator<<(Point inPoint);
	LStream& operator<<(const RGBColor& inColor);
	LStream& operator<<(ConstStringPtr inString);

	// Length-prefixed text of at most inMaxLength bytes (the rest is skipped); the result is terminated
	// after inMaxLength bytes in any case when read into a C buffer of inMaxLength + 1.
	void ReadPString(StringPtr outString, UInt8 inMaxLength = 255);
	void ReadCString(char* outString, SInt32 inBufferSize); // length-prefixed on the stream
	void WritePString(ConstStringPtr inString);

protected:
	SInt32 mMarker = 0;
	SInt32 mLength = 0;

private:
	UInt32 ReadBig(int inBytes);
	void WriteBig(UInt32 inValue, int inBytes);
};
