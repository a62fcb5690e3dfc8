#include "foundation/TVyBufferFile.h"

#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <cstring>
#include <new>

TVyBufferFile::TVyBufferFile() = default;

TVyBufferFile::TVyBufferFile(TVyFile* other) : TVyBufferFile(other, kDefaultBufferSize) {}

TVyBufferFile::TVyBufferFile(TVyFile* other, long bufferSize) : TVyFile(other)
{
	mBufferSize = bufferSize > 0 ? SInt32(bufferSize) : SInt32(kDefaultBufferSize);
	if (auto* buffered = dynamic_cast<TVyBufferFile*>(other))
		mUnicode = buffered->mUnicode;
}

TVyBufferFile::~TVyBufferFile()
{
	// Only a file this object opened is closed: a copy of another open file shares its reference.
	if (mBuffer != nullptr)
		Close();
}

short TVyBufferFile::Open()
{
	Purge();
	mBuffer = new (std::nothrow) UInt8[std::size_t(mBufferSize)]();
	if (mBuffer == nullptr)
		return kVyFileFull;
	mCapacity = UInt32(mBufferSize);
	mCurrent = mBuffer;
	mBufferEnd = mMode == kFileModeWrite ? mBuffer + mCapacity : mBuffer;
	short result = TVyFile::Open();
	if (result != 0) {
		Purge();
		return result;
	}
	mEndReached = 0;
	return 0;
}

short TVyBufferFile::Close()
{
	short result = 0;
	if (mBuffer != nullptr && mMode == kFileModeWrite && mFileRef != 0)
		result = WritePending();
	Purge();
	short closed = TVyFile::Close();
	return result != 0 ? result : closed;
}

void TVyBufferFile::Purge()
{
	delete[] mBuffer;
	mBuffer = mCurrent = mBufferEnd = nullptr;
	mCapacity = 0;
	mEndReached = 1;
}

short TVyBufferFile::WritePending()
{
	unsigned long count = std::size_t(mCurrent - mBuffer);
	if (count == 0)
		return 0;
	short result = TVyFile::Write(mBuffer, count);
	if (result == 0)
		mCurrent = mBuffer;
	return result;
}

short TVyBufferFile::Write(const void* buffer, unsigned long count)
{
	if (mMode != kFileModeWrite)
		return kVyFilePermission;
	if (mBuffer == nullptr)
		return kVyFileBadParam;
	if (count == 0)
		return 0;
	SignalIf_(buffer == nullptr);
	if (buffer == nullptr)
		return kVyFileBadParam;
	if (count > std::size_t(mBufferEnd - mCurrent)) {
		short result = WritePending();
		if (result != 0)
			return result;
		if (count >= std::size_t(mBufferSize))
			return TVyFile::Write(buffer, count);
	}
	std::memcpy(mCurrent, buffer, count);
	mCurrent += count;
	return 0;
}

short TVyBufferFile::Flush()
{
	if (mBuffer == nullptr || mMode != kFileModeWrite)
		return 0;
	return WritePending();
}

short TVyBufferFile::Seek(tSeekPlacement placement, unsigned long offset)
{
	if (mBuffer == nullptr)
		return TVyFile::Seek(placement, offset);
	if (mMode == kFileModeWrite) {
		short result = WritePending();
		if (result != 0)
			return result;
		return TVyFile::Seek(placement, offset);
	}
	// Relative moves count from the byte the caller reads next, not from the end of what was buffered.
	const unsigned long here = Tell();
	unsigned long target = offset;
	if (placement == kSeekForward)
		target = here + offset;
	else if (placement == kSeekBackward)
		target = offset > here ? 0 : here - offset;
	mCurrent = mBufferEnd = mBuffer;
	mEndReached = 0;
	if (placement == kSeekToEnd)
		return TVyFile::Seek(kSeekToEnd, offset);
	return TVyFile::Seek(kSeekAbsolute, target);
}

unsigned long TVyBufferFile::Tell()
{
	if (mFileRef == 0)
		return 0;
	if (mBuffer == nullptr)
		return mPosition;
	if (mMode == kFileModeWrite)
		return mPosition + std::size_t(mCurrent - mBuffer);
	return mPosition - std::min<unsigned long>(mPosition, std::size_t(mBufferEnd - mCurrent));
}

void TVyBufferFile::CheckUnicodeHeader()
{
	if (!mUnicode || mMarkFound || mDelivered != 0 || mBuffer == nullptr)
		return;
	mUnicode = 0;
	if (mCapacity <= 3)
		return;
	const UInt8* b = mBuffer;
	std::size_t skip = 0;
	if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
		skip = 3;
	else if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF)
		skip = 4;
	else if (b[0] == 0xFE && b[1] == 0xFF)
		skip = 2;
	else if (b[0] == 0xFF && b[1] == 0xFE)
		skip = b[2] == 0 && b[3] == 0 ? 4 : 2;
	if (skip == 0)
		return;
	mUnicode = 1;
	mMarkFound = 1;
	mCurrent = std::min(mBuffer + skip, mBufferEnd);
}

short TVyBufferFile::GetChar(short* error)
{
	short err = 0;
	for (;;) {
		if (mCurrent >= mBufferEnd) {
			if (mEndReached || mBuffer == nullptr) {
				err = kVyFileEOF;
				break;
			}
			unsigned long count = mCapacity;
			short result = TVyFile::Read(mBuffer, &count);
			if (result != 0 && result != kVyFileEOF) {
				err = result;
				break;
			}
			if (result == kVyFileEOF)
				mEndReached = 1;
			mCurrent = mBuffer;
			mBufferEnd = mBuffer + std::min<unsigned long>(count, mCapacity);
			continue;
		}
		if (mUnicode && !mMarkFound && mDelivered == 0) {
			CheckUnicodeHeader();
			continue;
		}
		if (mUnicode && *mCurrent == 0) {
			mCurrent++;
			continue;
		}
		break;
	}
	if (error != nullptr)
		*error = err;
	if (err != 0)
		return 0;
	mDelivered++;
	return short(static_cast<signed char>(*mCurrent++));
}

void TVyBufferFile::UnGetChar(short* error)
{
	if (mBuffer != nullptr && mCurrent > mBuffer) {
		mCurrent--;
		if (mCurrent < mBufferEnd)
			mEndReached = 0;
	}
	if (error != nullptr)
		*error = 0;
}

short TVyBufferFile::Read(void* buffer, unsigned long* count)
{
	if (mMode != kFileModeRead)
		return kVyFilePermission;
	SignalIf_(count == nullptr);
	if (count == nullptr)
		return kVyFileBadParam;
	if (*count == 0)
		return 0;
	SignalIf_(buffer == nullptr);
	if (buffer == nullptr || mBuffer == nullptr)
		return kVyFileBadParam;
	auto* out = static_cast<unsigned char*>(buffer);
	return mLineMode ? ReadLineBytes(out, count) : ReadRaw(out, count);
}

short TVyBufferFile::ReadRaw(unsigned char* out, unsigned long* count)
{
	const unsigned long wanted = *count;
	unsigned long got = 0;
	while (got < wanted) {
		// Plain bytes are copied in runs; only Unicode text needs the byte-by-byte path.
		if (!mUnicode && mCurrent < mBufferEnd) {
			unsigned long n =
			    std::min<unsigned long>(wanted - got, std::size_t(mBufferEnd - mCurrent));
			std::memcpy(out + got, mCurrent, n);
			mCurrent += n;
			mDelivered += UInt32(n);
			got += n;
			continue;
		}
		short error = 0;
		short c = GetChar(&error);
		if (error == kVyFileEOF) {
			out[got] = 0;
			*count = got;
			return kVyFileEOF;
		}
		if (error != 0)
			return error;
		out[got++] = static_cast<unsigned char>(c);
	}
	return 0;
}

short TVyBufferFile::ReadLineBytes(unsigned char* out, unsigned long* count)
{
	const unsigned long room = *count;
	unsigned long stored = 0;
	while (stored < room) {
		short error = 0;
		short c = GetChar(&error);
		if (error != 0) {
			*count = stored;
			return error;
		}
		out[stored++] = static_cast<unsigned char>(c);
		if (c == '\n') {
			*count = stored;
			return 0;
		}
		if (c == '\r') {
			*count = stored;
			short next = GetChar(&error);
			if (error != 0)
				return error;
			if (next != '\n') {
				UnGetChar(&error);
				return 0;
			}
			// With no room left the LF is still taken, so that the next line does not start
			// empty.
			if (stored < room) {
				out[stored++] = '\n';
				*count = stored;
			}
			return 0;
		}
	}
	return 0;
}

short TVyBufferFile::ReadLine(void* buffer, unsigned long* count)
{
	mLineMode = 1;
	short result = Read(buffer, count);
	mLineMode = 0;
	return result;
}
