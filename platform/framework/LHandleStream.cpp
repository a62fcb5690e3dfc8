#include "platform/framework/LHandleStream.h"

#include <algorithm>
#include <cstring>

LHandleStream::LHandleStream(std::vector<UInt8> inBytes) : mBytes(std::move(inBytes))
{
	mLength = SInt32(mBytes.size());
}

void LHandleStream::SetLength(SInt32 inLength)
{
	mBytes.resize(size_t(std::max<SInt32>(0, inLength)));
	LStream::SetLength(inLength);
}

ExceptionCode LHandleStream::PutBytes(const void* inBuffer, SInt32& ioByteCount)
{
	if (ioByteCount <= 0) {
		ioByteCount = 0;
		return noErr;
	}
	if (mMarker + ioByteCount > mLength)
		SetLength(mMarker + ioByteCount);
	std::memcpy(mBytes.data() + mMarker, inBuffer, size_t(ioByteCount));
	mMarker += ioByteCount;
	return noErr;
}

ExceptionCode LHandleStream::GetBytes(void* outBuffer, SInt32& ioByteCount)
{
	const SInt32 available = std::max<SInt32>(0, mLength - mMarker);
	const SInt32 wanted = std::max<SInt32>(0, ioByteCount);
	ioByteCount = std::min(wanted, available);
	if (ioByteCount > 0)
		std::memcpy(outBuffer, mBytes.data() + mMarker, size_t(ioByteCount));
	mMarker += ioByteCount;
	return ioByteCount < wanted ? ExceptionCode(eofErr) : ExceptionCode(noErr);
}
