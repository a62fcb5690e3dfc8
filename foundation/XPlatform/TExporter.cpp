#include "foundation/XPlatform/TExporter.h"

#include "foundation/TVyBufferFile.h"
#include "foundation/TVyFileUtils.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>

namespace
{
const char kVerticalTab[] = "\x0B";
}

TExporter::TExporter()
    : mLineBreakReplacement(kVerticalTab), mQuoteReplacement("\""), mFileType(FOUR_CHAR_CODE("TEXT")),
      mFileCreator(FOUR_CHAR_CODE("ttxt"))
{
}

TExporter::~TExporter()
{
	CloseFile();
	delete[] mHeader;
}

void TExporter::CloseFile()
{
	if (mFilePtr == nullptr)
		return;
	if (mFailure != 0) {
		mFilePtr->Purge();
		mFilePtr->Abandon();
	}
	delete mFilePtr;
	mFilePtr = nullptr;
}

short TExporter::SetFile(TVyFile* file)
{
	CloseFile();
	mFailure = 0;
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;
	if (TVyFileUtils::IsDocumentFile(file))
		return kVyFileOpenForWriting;
	auto* out = new TVyBufferFile(file);
	out->SetReplaceSafely(true);
	if (!out->Exists())
		out->SetReplacementType(mFileType, mFileCreator);
	out->SetMode(kFileModeWrite);
	const short result = out->Open();
	if (result != 0) {
		delete out;
		return result;
	}
	mFilePtr = out;
	return 0;
}

void TExporter::SetLayout(const char* fieldSeps, const char* header, bool quote, const char* lineBreak,
                          const char* quoteReplacement)
{
	mFieldSeps = fieldSeps;
	mRecordSeps = "\r";
	delete[] mHeader;
	mHeader = nullptr;
	if (header != nullptr && header[0] != 0) {
		mHeader = new char[std::strlen(header) + 1];
		std::strcpy(mHeader, header);
	}
	mQuoteFields = quote ? 1 : 0;
	mLineBreakReplacement = lineBreak;
	mQuoteReplacement = quoteReplacement;
	mRecordsWritten = 0;
	mHasLayout = true;
}

short TExporter::SetupCommas(TVyFile* file)
{
	short result = SetFile(file);
	SetLayout(",", nullptr, true, kVerticalTab, "\"\"");
	return result;
}

short TExporter::SetupMerge(TVyFile* file, const char* header)
{
	short result = SetFile(file);
	SetLayout(",", header, true, kVerticalTab, "\"\"");
	// Merge tools take the header line as field names, which must not hold spaces.
	if (mHeader != nullptr)
		for (char* p = mHeader; *p != 0; p++)
			if (*p == ' ')
				*p = '_';
	return result;
}

short TExporter::SetupTabs(TVyFile* file)
{
	short result = SetFile(file);
	SetLayout("\t", nullptr, false, kVerticalTab, "\"");
	return result;
}

short TExporter::SetupBasic(TVyFile* file)
{
	short result = SetFile(file);
	SetLayout(",", nullptr, true, " ", "'");
	return result;
}

short TExporter::SetupCustom(TVyFile* file, const char* header, const char* fieldSeparator,
                             const char* recordSeparator)
{
	Assert_(fieldSeparator != nullptr);
	Assert_(recordSeparator != nullptr);
	short result = SetFile(file);
	SetLayout(fieldSeparator, header, false, kVerticalTab, "\"");
	mRecordSeps = recordSeparator;
	return result;
}

short TExporter::Put(const char* bytes, std::size_t length)
{
	if (length == 0)
		return 0;
	short result = mFilePtr->Write(bytes, length);
	if (result != 0 && mFailure == 0)
		mFailure = result;
	return result;
}

short TExporter::WriteArgument(const char* field, long length)
{
	if (field == nullptr || length < 1)
		return 0;
	SignalIf_(mFilePtr == nullptr);
	if (mFilePtr == nullptr)
		return kVyFileBadParam;
	long runStart = 0;
	for (long i = 0; i < length; i++) {
		const char c = field[i];
		const std::string* replacement = nullptr;
		if (c == '\r' || c == '\n')
			replacement = &mLineBreakReplacement;
		else if (c == '"')
			replacement = &mQuoteReplacement;
		if (replacement == nullptr)
			continue;
		short result = Put(field + runStart, std::size_t(i - runStart));
		if (result == 0)
			result = Put(*replacement);
		if (result != 0)
			return result;
		runStart = i + 1;
	}
	return Put(field + runStart, std::size_t(length - runStart));
}

namespace
{
const char* FieldBytes(char* field, long& length)
{
	length = field != nullptr ? long(std::strlen(field)) : 0;
	return field;
}

const char* FieldBytes(tExportRecordRun& run, long& length)
{
	length = run.length;
	return run.start;
}
} // namespace

template <class Field> short TExporter::ExportRecord(Field* fields, int count)
{
	Assert_(fields != nullptr);
	Assert_(count >= 1);
	Assert_(mHasLayout);
	// Without a file (a failed SetFile) there is nothing to write to; the caller has the failure already.
	SignalIf_(mFilePtr == nullptr);
	if (mFilePtr == nullptr)
		return kVyFileBadParam;
	short result = 0;
	if (mRecordsWritten == 0 && mHeader != nullptr) {
		result = Put(mHeader, std::strlen(mHeader));
		if (result == 0)
			result = Put(mRecordSeps);
		if (result != 0)
			return result;
	}
	for (int i = 0; i < count; i++) {
		if (i > 0) {
			if (mQuoteFields)
				result = Put("\"", 1);
			if (result == 0)
				result = Put(mFieldSeps);
		}
		if (result == 0 && mQuoteFields)
			result = Put("\"", 1);
		long length = 0;
		const char* bytes = FieldBytes(fields[i], length);
		if (result == 0)
			result = WriteArgument(bytes, length);
		if (result != 0)
			return result;
	}
	if (mQuoteFields)
		result = Put("\"", 1);
	if (result == 0)
		result = Put(mRecordSeps);
	if (result == 0)
		mRecordsWritten++;
	return result;
}

short TExporter::Export(char** fields, int count)
{
	return ExportRecord(fields, count);
}

short TExporter::Export(tExportRecordRun* runs, int count)
{
	return ExportRecord(runs, count);
}

short TExporter::ExportDone()
{
	if (mFilePtr == nullptr)
		return mFailure;
	short result = mFailure;
	if (result != 0) {
		mFilePtr->Purge();
		mFilePtr->Abandon();
	} else {
		result = mFilePtr->Close();
	}
	delete mFilePtr;
	mFilePtr = nullptr;
	return result;
}
