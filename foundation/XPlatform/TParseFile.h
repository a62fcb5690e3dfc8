#pragma once
// Splits a text file into records (single lines, groups of lines, header or header-to-footer blocks, mail
// messages, or the whole file) and hands any record back as text.

#include "Includes/TList.h"
#include "platform/toolbox/MacTypes.h"

#include <string>

class TVyBufferFile;
class TVyFile;

struct tRecordRun {
	UInt32 offset = 0;
	UInt32 length = 0;
};

class TParseFile
{
public:
	// Told the bytes scanned and the records found so far.
	using ProgressProc = void (*)(void* context, long bytesScanned, long recordsFound);

	enum { kFirstRecord = 1, kNextRecord = 2, kPreviousRecord = 3, kLastRecord = 4 };

	TParseFile() = default;
	// Takes the other's markers, line count and flags; no file and no records.
	explicit TParseFile(TParseFile* other);
	~TParseFile();
	TParseFile(const TParseFile&) = delete;
	TParseFile& operator=(const TParseFile&) = delete;

	void SetParameters(const char* header, const char* footer, int lineCount);
	void SetInetParameters();
	void SetNoParameters();
	// Set: the markers must match in letter case too (the default).
	void SetCaseSensitive(bool on) { mCaseSensitive = on ? 1 : 0; }

	// Scans the file; 1 when the scan reached the end of the file, 0 on a failure.
	int ProcessFile(TVyFile* file, ProgressProc progress, void* context);

	long RecordCount() const { return mRuns != nullptr ? long(mRuns->Count()) : 0; }
	// The record's text, zero-ended, with every LF turned into CR, in an array the caller deletes; null
	// with length 0 when there is no such record or it cannot be read.
	char* GetRecord(int which, unsigned long& length);
	char* GetNth(unsigned long& length, long n);

	void Cleanup();

private:
	struct tLine {
		unsigned long start = 0;
		unsigned long end = 0; // file position after the line, its line end included
		std::string text;      // the line as read, its line end included
		bool IsEmpty() const;
	};

	short NextLine(tLine& line, unsigned long chunk);
	bool BeginsWith(const tLine& line, const char* marker, long markerLength) const;
	void AddRun(unsigned long offset, unsigned long length);
	void Report(unsigned long scanned);
	short ScanLines();
	short ScanGroups();
	short ScanHeaders();
	short ScanBlocks();
	short ScanMail();
	char* ReadRun(const tRecordRun* run, unsigned long& length);

	TVyBufferFile* mFile = nullptr;
	char* mHeader = nullptr;
	long mHeaderLength = 0;
	char* mFooter = nullptr;
	long mFooterLength = 0;
	long mLineCount = 0;
	TList<tRecordRun>* mRuns = nullptr;
	ProgressProc mProgress = nullptr;
	void* mContext = nullptr;
	UInt8 mCaseSensitive = 1;
	UInt8 mInternet = 0;
	UInt8 mWholeFile = 0;
};
