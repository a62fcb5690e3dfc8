#include "foundation/XPlatform/TParseFile.h"

#include "foundation/TVyBufferFile.h"
#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <vector>

namespace
{

constexpr unsigned long kLineChunk = 32768;
constexpr unsigned long kBlockChunk = 1024;

char* CopyText(const char* text, long& length)
{
	length = 0;
	if (text == nullptr || text[0] == 0)
		return nullptr;
	length = long(std::strlen(text));
	char* copy = new char[std::size_t(length) + 1];
	std::memcpy(copy, text, std::size_t(length) + 1);
	return copy;
}

bool BeginsWithText(const std::string& text, const char* prefix)
{
	return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool IsMessageSeparator(const std::string& text)
{
	return BeginsWithText(text, "From - ") || BeginsWithText(text, "From ???@??? ");
}

bool BeginsWithIgnoringCase(const std::string& text, const char* prefix)
{
	const std::size_t n = std::strlen(prefix);
	return text.size() >= n && strncmpi(text.c_str(), prefix, long(n)) == 0;
}

} // namespace

bool TParseFile::tLine::IsEmpty() const
{
	for (char c : text)
		if (c != '\r' && c != '\n')
			return false;
	return true;
}

TParseFile::TParseFile(TParseFile* other)
{
	if (other == nullptr)
		return;
	mHeader = CopyText(other->mHeader, mHeaderLength);
	mFooter = CopyText(other->mFooter, mFooterLength);
	mLineCount = other->mLineCount;
	mCaseSensitive = other->mCaseSensitive;
	mInternet = other->mInternet;
	mWholeFile = other->mWholeFile;
}

TParseFile::~TParseFile()
{
	Cleanup();
}

void TParseFile::Cleanup()
{
	delete mFile;
	mFile = nullptr;
	delete[] mHeader;
	mHeader = nullptr;
	mHeaderLength = 0;
	delete[] mFooter;
	mFooter = nullptr;
	mFooterLength = 0;
	mLineCount = 0;
	delete mRuns;
	mRuns = nullptr;
	mProgress = nullptr;
	mContext = nullptr;
	mCaseSensitive = 1;
	mInternet = 0;
	mWholeFile = 0;
}

void TParseFile::SetParameters(const char* header, const char* footer, int lineCount)
{
	Cleanup();
	mHeader = CopyText(header, mHeaderLength);
	mFooter = CopyText(footer, mFooterLength);
	if (lineCount >= 1)
		mLineCount = lineCount;
}

void TParseFile::SetInetParameters()
{
	Cleanup();
	mInternet = 1;
}

void TParseFile::SetNoParameters()
{
	Cleanup();
	mWholeFile = 1;
}

void TParseFile::AddRun(unsigned long offset, unsigned long length)
{
	tRecordRun run;
	run.offset = UInt32(offset);
	run.length = UInt32(length);
	mRuns->Append(&run);
}

void TParseFile::Report(unsigned long scanned)
{
	if (mProgress != nullptr)
		mProgress(mContext, long(scanned), long(mRuns->Count()));
}

// One whole line, however long: the reads of one chunk each are joined until a line end or the file's end.
// Positions come from the file, so that a line end the reader consumed without storing is still counted.
short TParseFile::NextLine(tLine& line, unsigned long chunk)
{
	line.start = mFile->Tell();
	line.text.clear();
	std::vector<char> buffer(chunk);
	for (;;) {
		unsigned long count = chunk;
		short result = mFile->ReadLine(buffer.data(), &count);
		line.text.append(buffer.data(), count);
		line.end = mFile->Tell();
		if (result != 0)
			return result;
		const char last = line.text.empty() ? 0 : line.text.back();
		if (last == '\r' || last == '\n' || count < chunk)
			return 0;
	}
}

bool TParseFile::BeginsWith(const tLine& line, const char* marker, long markerLength) const
{
	if (marker == nullptr || long(line.text.size()) < markerLength)
		return false;
	if (mCaseSensitive)
		return std::memcmp(line.text.data(), marker, std::size_t(markerLength)) == 0;
	return strncmpi(line.text.c_str(), marker, markerLength) == 0;
}

int TParseFile::ProcessFile(TVyFile* file, ProgressProc progress, void* context)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return 0;
	mProgress = progress;
	mContext = context;
	delete mFile;
	mFile = new TVyBufferFile(file);
	if (mRuns == nullptr)
		mRuns = new TList<tRecordRun>(true, true);
	else
		mRuns->Clear();

	Report(0);
	if (mWholeFile) {
		if (!mFile->Exists())
			return 0;
		AddRun(0, mFile->Size());
		Report(mFile->Size());
		return 1;
	}

	mFile->SetMode(kFileModeRead);
	if (mFile->Open() != 0)
		return 0;
	short result;
	if (mInternet)
		result = ScanMail();
	else if (mHeader == nullptr)
		result = mLineCount < 2 ? ScanLines() : ScanGroups();
	else if (mFooter == nullptr)
		result = ScanHeaders();
	else
		result = ScanBlocks();
	mFile->Close();
	return result == kVyFileEOF ? 1 : 0;
}

short TParseFile::ScanLines()
{
	tLine line;
	for (;;) {
		short result = NextLine(line, kLineChunk);
		std::size_t length = line.text.size();
		while (length > 0 && (line.text[length - 1] == '\r' || line.text[length - 1] == '\n'))
			length--;
		if (length > 0)
			AddRun(line.start, length);
		Report(line.end);
		if (result != 0)
			return result;
	}
}

short TParseFile::ScanGroups()
{
	tLine line;
	long lines = 0;
	unsigned long groupStart = 0;
	for (;;) {
		short result = NextLine(line, kLineChunk);
		if (!line.text.empty()) {
			if (lines == 0)
				groupStart = line.start;
			if (++lines == mLineCount) {
				AddRun(groupStart, line.end - groupStart);
				lines = 0;
			}
		}
		if (result != 0 && lines > 0)
			AddRun(groupStart, line.end - groupStart);
		Report(line.end);
		if (result != 0)
			return result;
	}
}

short TParseFile::ScanHeaders()
{
	tLine line;
	unsigned long runStart = 0, runLength = 0;
	long linesInRun = 0;
	for (;;) {
		short result = NextLine(line, kBlockChunk);
		if (!line.text.empty()) {
			if (BeginsWith(line, mHeader, mHeaderLength)) {
				if (runLength > 0)
					AddRun(runStart, runLength);
				runStart = line.start;
				runLength = line.end - runStart;
				linesInRun = 1;
			} else if (mLineCount < 1 || ++linesInRun <= mLineCount) {
				runLength = line.end - runStart;
			}
		}
		if (result != 0 && runLength > 0)
			AddRun(runStart, runLength);
		Report(line.end);
		if (result != 0)
			return result;
	}
}

short TParseFile::ScanBlocks()
{
	tLine line;
	bool inBlock = false;
	unsigned long runStart = 0, runLength = 0;
	long linesInRun = 0;
	for (;;) {
		short result = NextLine(line, kBlockChunk);
		if (!line.text.empty()) {
			if (!inBlock) {
				if (BeginsWith(line, mHeader, mHeaderLength)) {
					inBlock = true;
					runStart = line.start;
					runLength = line.end - runStart;
					linesInRun = 1;
				}
			} else if (BeginsWith(line, mFooter, mFooterLength)) {
				AddRun(runStart, runLength);
				inBlock = false;
			} else if (mLineCount < 1 || ++linesInRun <= mLineCount) {
				runLength = line.end - runStart;
			}
		}
		if (result != 0 && inBlock)
			AddRun(runStart, runLength);
		Report(line.end);
		if (result != 0)
			return result;
	}
}

// Messages are found by their headers: a chunk of lines up to an empty line (or up to the next separator
// line) that holds the four header fields every delivered message has.
short TParseFile::ScanMail()
{
	tLine line;
	tLine carried;
	bool haveCarried = false;
	bool runOpen = false;
	unsigned long runStart = 0;
	short result = 0;
	for (;;) {
		std::vector<std::string> chunk;
		unsigned long chunkStart = 0;
		for (;;) {
			if (haveCarried) {
				line = carried;
				haveCarried = false;
			} else {
				result = NextLine(line, kBlockChunk);
				Report(line.end);
				if (line.text.empty())
					break;
			}
			if (!chunk.empty() && IsMessageSeparator(line.text)) {
				carried = line;
				haveCarried = true;
				break;
			}
			if (chunk.empty())
				chunkStart = line.start;
			chunk.push_back(line.text);
			if (line.IsEmpty() || result != 0)
				break;
		}
		if (chunk.empty())
			break;
		bool from = false, date = false, subject = false, received = false;
		for (const std::string& text : chunk) {
			from = from || BeginsWithIgnoringCase(text, "From: ");
			date = date || BeginsWithIgnoringCase(text, "Date: ");
			subject = subject || BeginsWithIgnoringCase(text, "Subject: ");
			received = received || BeginsWithIgnoringCase(text, "Received: ");
		}
		if (from && date && subject && received) {
			if (runOpen)
				AddRun(runStart, chunkStart - runStart);
			runOpen = true;
			runStart = chunkStart;
		}
		if (result != 0 && !haveCarried)
			break;
	}
	if (runOpen)
		AddRun(runStart, mFile->Tell() - runStart);
	Report(mFile->Tell());
	return result;
}

char* TParseFile::ReadRun(const tRecordRun* run, unsigned long& length)
{
	length = 0;
	if (run == nullptr || mFile == nullptr)
		return nullptr;
	char* text = new char[std::size_t(run->length) + 1];
	unsigned long count = run->length;
	mFile->SetMode(kFileModeRead);
	short result = mFile->Open();
	if (result == 0) {
		result = mFile->Seek(kSeekAbsolute, run->offset);
		if (result == 0)
			result = mFile->Read(text, &count);
		mFile->Close();
	}
	if (result != 0 || count != run->length) {
		delete[] text;
		return nullptr;
	}
	text[count] = 0;
	for (unsigned long i = 0; i < count; i++)
		if (text[i] == '\n')
			text[i] = '\r';
	length = count;
	return text;
}

char* TParseFile::GetRecord(int which, unsigned long& length)
{
	length = 0;
	if (mRuns == nullptr)
		return nullptr;
	tRecordRun* run = nullptr;
	switch (which) {
	case kFirstRecord:
		run = mRuns->GetFirst();
		break;
	case kNextRecord:
		run = mRuns->GetNext();
		break;
	case kPreviousRecord:
		run = mRuns->GetPrevious();
		break;
	case kLastRecord:
		run = mRuns->GetLast();
		break;
	default:
		break;
	}
	return ReadRun(run, length);
}

char* TParseFile::GetNth(unsigned long& length, long n)
{
	length = 0;
	if (mRuns == nullptr)
		return nullptr;
	return ReadRun(mRuns->GetNth(n), length);
}
