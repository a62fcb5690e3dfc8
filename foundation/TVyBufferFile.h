#pragma once
// A file object that reads and writes through a buffer in memory, reads text line by line with any of the
// three line ends, and can read UTF-16 or UTF-32 text of one-byte characters behind a byte-order mark.

#include "foundation/TVyFile.h"

class TVyBufferFile : public TVyFile
{
public:
	static constexpr long kDefaultBufferSize = 4096;

	TVyBufferFile();
	explicit TVyBufferFile(TVyFile* other);
	TVyBufferFile(TVyFile* other, long bufferSize);
	// Closes a file it opened, so that pending bytes reach the file.
	~TVyBufferFile() override;

	short Open() override;
	// Writes the pending bytes and closes; the first failure of the two is returned.
	short Close() override;
	short Read(void* buffer, unsigned long* count) override;
	short Write(const void* buffer, unsigned long count) override;
	// Writes the pending bytes; the system's own caches are left alone.
	short Flush() override;
	// Position in the file as the caller sees it, pending and unread bytes taken into account.
	short Seek(tSeekPlacement placement, unsigned long offset) override;
	unsigned long Tell() override;

	// One line, its line end (LF, CR or CR LF) included; no terminating zero is added.
	virtual short ReadLine(void* buffer, unsigned long* count);

	short GetChar(short* error);
	void UnGetChar(short* error);
	void Purge();
	void CheckUnicodeHeader();

	void SetUnicode(bool on) { mUnicode = on ? 1 : 0; }
	bool IsUnicode() const { return mUnicode != 0; }
	bool MarkFound() const { return mMarkFound != 0; }
	UInt32 CharactersDelivered() const { return mDelivered; }

private:
	short WritePending();
	short ReadRaw(unsigned char* out, unsigned long* count);
	short ReadLineBytes(unsigned char* out, unsigned long* count);

	UInt8* mBufferEnd = nullptr;
	UInt8* mBuffer = nullptr;
	UInt8* mCurrent = nullptr;
	UInt32 mCapacity = 0;
	UInt8 mEndReached = 1;
	SInt32 mBufferSize = kDefaultBufferSize;
	UInt32 mDelivered = 0;
	UInt8 mMarkFound = 0;
	UInt8 mUnicode = 0;
	UInt8 mLineMode = 0;
};
