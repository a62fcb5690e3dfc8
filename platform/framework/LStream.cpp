#include "platform/framework/LStream.h"

#include <algorithm>
#include <cstring>

void LStream::SetMarker(SInt32 inOffset)
{
	mMarker = std::clamp<SInt32>(inOffset, 0, mLength);
}

void LStream::SetLength(SInt32 inLength)
{
	mLength = std::max<SInt32>(0, inLength);
	if (mMarker > mLength)
		mMarker = mLength;
}

void LStream::WriteBlock(const void* inBuffer, SInt32 inByteCount)
{
	SInt32 count = inByteCount;
	const ExceptionCode err = PutBytes(inBuffer, count);
	if (err != noErr || count != inByteCount)
		Throw_(err != noErr ? err : ExceptionCode(writErr));
}

void LStream::ReadBlock(void* outBuffer, SInt32 inByteCount)
{
	SInt32 count = inByteCount;
	const ExceptionCode err = GetBytes(outBuffer, count);
	if (err != noErr || count != inByteCount)
		Throw_(eofErr);
}

UInt32 LStream::ReadBig(int inBytes)
{
	UInt8 bytes[4];
	ReadBlock(bytes, inBytes);
	UInt32 value = 0;
	for (int i = 0; i < inBytes; ++i)
		value = (value << 8) | bytes[i];
	return value;
}

void LStream::WriteBig(UInt32 inValue, int inBytes)
{
	UInt8 bytes[4];
	for (int i = inBytes - 1; i >= 0; --i) {
		bytes[i] = UInt8(inValue);
		inValue >>= 8;
	}
	WriteBlock(bytes, inBytes);
}

LStream& LStream::operator>>(SInt8& outNum)
{
	outNum = SInt8(ReadBig(1));
	return *this;
}

LStream& LStream::operator>>(UInt8& outNum)
{
	outNum = UInt8(ReadBig(1));
	return *this;
}

LStream& LStream::operator>>(char& outChar)
{
	outChar = char(ReadBig(1));
	return *this;
}

LStream& LStream::operator>>(bool& outBool)
{
	outBool = ReadBig(1) != 0;
	return *this;
}

LStream& LStream::operator>>(SInt16& outNum)
{
	outNum = SInt16(ReadBig(2));
	return *this;
}

LStream& LStream::operator>>(UInt16& outNum)
{
	outNum = UInt16(ReadBig(2));
	return *this;
}

LStream& LStream::operator>>(SInt32& outNum)
{
	outNum = SInt32(ReadBig(4));
	return *this;
}

LStream& LStream::operator>>(UInt32& outNum)
{
	outNum = ReadBig(4);
	return *this;
}

LStream& LStream::operator>>(long& outNum)
{
	outNum = SInt32(ReadBig(4));
	return *this;
}

LStream& LStream::operator>>(unsigned long& outNum)
{
	outNum = ReadBig(4);
	return *this;
}

LStream& LStream::operator>>(Rect& outRect)
{
	return *this >> outRect.top >> outRect.left >> outRect.bottom >> outRect.right;
}

LStream& LStream::operator>>(Point& outPoint)
{
	return *this >> outPoint.v >> outPoint.h;
}

LStream& LStream::operator>>(RGBColor& outColor)
{
	return *this >> outColor.red >> outColor.green >> outColor.blue;
}

LStream& LStream::operator>>(StringPtr outString)
{
	ReadPString(outString, 255);
	return *this;
}

LStream& LStream::operator<<(SInt8 inNum)
{
	WriteBig(UInt8(inNum), 1);
	return *this;
}

LStream& LStream::operator<<(UInt8 inNum)
{
	WriteBig(inNum, 1);
	return *this;
}

LStream& LStream::operator<<(char inChar)
{
	WriteBig(UInt8(inChar), 1);
	return *this;
}

LStream& LStream::operator<<(bool inBool)
{
	WriteBig(inBool ? 1 : 0, 1);
	return *this;
}

LStream& LStream::operator<<(SInt16 inNum)
{
	WriteBig(UInt16(inNum), 2);
	return *this;
}

LStream& LStream::operator<<(UInt16 inNum)
{
	WriteBig(inNum, 2);
	return *this;
}

LStream& LStream::operator<<(SInt32 inNum)
{
	WriteBig(UInt32(inNum), 4);
	return *this;
}

LStream& LStream::operator<<(UInt32 inNum)
{
	WriteBig(inNum, 4);
	return *this;
}

LStream& LStream::operator<<(long inNum)
{
	WriteBig(UInt32(inNum), 4);
	return *this;
}

LStream& LStream::operator<<(unsigned long inNum)
{
	WriteBig(UInt32(inNum), 4);
	return *this;
}

LStream& LStream::operator<<(const Rect& inRect)
{
	return *this << inRect.top << inRect.left << inRect.bottom << inRect.right;
}

LStream& LStream::operator<<(Point inPoint)
{
	return *this << inPoint.v << inPoint.h;
}

LStream& LStream::operator<<(const RGBColor& inColor)
{
	return *this << inColor.red << inColor.green << inColor.blue;
}

LStream& LStream::operator<<(ConstStringPtr inString)
{
	WritePString(inString);
	return *this;
}

void LStream::ReadPString(StringPtr outString, UInt8 inMaxLength)
{
	const UInt8 length = UInt8(ReadBig(1));
	const UInt8 kept = std::min(length, inMaxLength);
	outString[0] = kept;
	ReadBlock(outString + 1, kept);
	for (int skipped = length - kept; skipped > 0; --skipped)
		ReadBig(1);
}

void LStream::ReadCString(char* outString, SInt32 inBufferSize)
{
	Str255 text;
	ReadPString(text, 255);
	if (inBufferSize <= 0)
		return;
	const SInt32 n = std::min<SInt32>(text[0], inBufferSize - 1);
	std::memcpy(outString, text + 1, size_t(n));
	outString[n] = 0;
}

void LStream::WritePString(ConstStringPtr inString)
{
	WriteBlock(inString, inString[0] + 1);
}
