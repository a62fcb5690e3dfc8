#pragma once
// A stream over bytes it owns, growing as it is written.

#include "platform/framework/LStream.h"

#include <vector>

class LHandleStream : public LStream
{
public:
	LHandleStream() = default;
	explicit LHandleStream(std::vector<UInt8> inBytes);

	void SetLength(SInt32 inLength) override;
	ExceptionCode PutBytes(const void* inBuffer, SInt32& ioByteCount) override;
	ExceptionCode GetBytes(void* outBuffer, SInt32& ioByteCount) override;

	const std::vector<UInt8>& GetBytes() const { return mBytes; }

private:
	std::vector<UInt8> mBytes;
};
